#pragma once

// Small stand-ins for plain controls the windows' descriptions name and the
// control framework does not offer yet: each is registered under its usual
// class name only while the framework has no class of that name, so the
// framework's own control takes over as soon as it exists.

#include "platform/components/controls/custom_control.h"

namespace pellamo {

// A scroll bar that only keeps its values: the ones of these windows are
// bound to nothing.
class PlainScrollBar : public TCustomControl {
public:
    enum class Kind { sbHorizontal, sbVertical };
    explicit PlainScrollBar(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    Kind kind = Kind::sbHorizontal;
    int min = 0;
    int max = 100;
    int position = 0;
    int small_change = 1;
    int large_change = 1;
    int page_size = 0;

protected:
    void Paint() override;
};

// Registers each stand-in whose class name the framework does not know.
void RegisterPlainControls();

}
