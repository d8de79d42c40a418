#pragma once

// TsuiToolBar: the platform's tool bar, flat, with the buttons under the
// pointer, pressed or down painted in the style's colours. MacOS and
// Protein bars let their parent show through.

#include "platform/components/controls/tool_bar.h"
#include "skin/theme/style_choice.h"
#include "skin/toolbars/tool_button_face.h"

namespace pellamo {

class TsuiFileTheme;

class TsuiToolBar : public TToolBar {
public:
    explicit TsuiToolBar(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);
    // Fill of a button under the pointer.
    TColor ButtonColor() const { return look_.face; }
    void SetButtonColor(TColor color);
    // Frame of a button under the pointer or pressed.
    TColor ButtonBorderColor() const { return look_.border; }
    void SetButtonBorderColor(TColor color);
    // Fill of a pressed button.
    TColor ButtonDownColor() const { return look_.down; }
    void SetButtonDownColor(TColor color);

protected:
    // The bar and its buttons are painted off-screen and copied in one
    // step; the erase request is left alone.
    void PaintWindow(DeviceContext& dc) override;
    bool EraseBackground(DeviceContext&) override { return true; }
    void CustomDraw(const Rect& client, bool& default_draw) override;
    void CustomDrawButton(TToolButton* button, TCustomDrawState state, bool& default_draw) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    StyleChoice style_;
    ToolButtonLook look_;
};

}
