#pragma once

#include "platform/components/controls/custom_tree_view.h"

namespace pellamo {

// The tree view placed on forms; its published list is its ancestor's.
class TTreeView : public TCustomTreeView {
public:
    explicit TTreeView(TComponent* owner)
        : TCustomTreeView(owner)
    {
    }
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

}
