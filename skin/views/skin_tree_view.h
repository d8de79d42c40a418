#pragma once

// TsuiTreeView: the platform's tree view with the skin's border and bound
// skinned scroll bars. Its own scroll bars tell the bars everything: a bar
// shows exactly while the tree's own bar would (the rows overflow, or the
// widest visible name is wider than the tree), is disabled with the tree,
// and scrolls the tree when the user moves it.

#include "platform/components/controls/custom_tree_view.h"
#include "skin/views/scrolled_view.h"

namespace pellamo {

class TsuiTreeView : public ScrolledView<TCustomTreeView> {
public:
    explicit TsuiTreeView(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // In step first (that decides which bars show), then placed.
    void UpdateScrollBarsPos() override;

protected:
    void ItemsChanged() override;
};

}
