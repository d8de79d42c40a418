#pragma once

// TsuiStatusBar: the platform's status bar in the style's colour (item
// 15), its size grip drawn by hand in four thin strokes. While its form is
// maximized the bar answers no hit test, so nothing there resizes the form.

#include "platform/components/controls/status_bar.h"
#include "skin/theme/style_choice.h"
#include "skin/theme_data/ui_style.h"

namespace pellamo {

class TsuiStatusBar : public TCustomStatusBar {
public:
    explicit TsuiStatusBar(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    void SetFileTheme(TsuiFileTheme* theme);
    // The bar's colour.
    TColor PanelColor() const { return Color(); }
    void SetPanelColor(TColor color) { SetColor(color); }

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool FormMaximized() const;

    StyleChoice style_ { *this };
};

}
