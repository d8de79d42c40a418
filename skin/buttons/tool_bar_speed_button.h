#pragma once

// TsuiToolBarSpeedButton: a flat 18 x 18 glyph button on a panel; a thin
// black frame shows while the pointer is over it. The MDI menu bar uses it
// for its window buttons. The glyph's bottom-left colour is transparent.

#include "platform/components/controls/panel.h"
#include "platform/components/controls/stored_bitmap.h"

namespace pellamo {

class TsuiToolBarSpeedButton : public TCustomPanel {
public:
    explicit TsuiToolBarSpeedButton(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Setting it copies the bitmap; the button shows it at its next painting.
    TStoredBitmap& Glyph() { return glyph_; }
    const TStoredBitmap& Glyph() const { return glyph_; }
    bool Hover() const { return hover_; }

protected:
    void Paint() override;
    bool EraseBackground(DeviceContext&) override { return true; }
    void MouseEnter() override;
    void MouseLeave() override;

private:
    TStoredBitmap glyph_;
    bool hover_ = false;
};

}
