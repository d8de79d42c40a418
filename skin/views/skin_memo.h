#pragma once

// TsuiMemo: the platform's memo with the skin's border and bound skinned
// scroll bars. It keeps a scroll bar of its own under each bound one
// (ScrollBars follows the binding), shows a bar exactly when it fits, and
// while disabled or with nothing to scroll keeps the bars but hides their
// sliders. Every change of its scroll state (text, cut, paste, undo,
// scrolling, size) reaches the bars.

#include "platform/components/controls/memo.h"
#include "skin/views/scrolled_view.h"

namespace pellamo {

class TsuiMemo : public ScrolledView<TCustomMemo> {
public:
    explicit TsuiMemo(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Placed first, then in step.
    void UpdateScrollBarsPos() override;
    // ScrollBars := the directions that have a bound bar.
    void UpdateInnerScrollBars();

protected:
    void BarsChanged() override { UpdateInnerScrollBars(); }
    void UpdateScrollBar() override;
};

}
