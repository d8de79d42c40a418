#pragma once

// TsuiPanel: a bordered panel with a caption bar in the style's bar
// picture. The button at the bar's right end collapses the panel to its
// bar (push) and opens it again (pop) in steps of 15 pixels, repainting
// and handling waiting messages between the steps.
//
// Height is the expanded height: while the panel is pushed, writing it only
// changes the height a later pop returns to. TControl::Height() is always
// the panel's current height.

#include "platform/components/controls/panel.h"
#include "skin/panels/caption_panel_look.h"
#include "skin/theme/style_choice.h"
#include "skin/theme_data/ui_style.h"

#include <memory>
#include <stdexcept>

namespace pellamo {

class TsuiPanel : public TCustomPanel {
public:
    explicit TsuiPanel(TComponent* owner);
    ~TsuiPanel() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiUIStyle UIStyle() const { return style_.Style(); }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    // Restyles only when UIStyle is FromThemeFile.
    void SetFileTheme(TsuiFileTheme* theme);
    TColor BorderColor() const { return look_.border_color; }
    void SetBorderColor(TColor color);
    TColor CaptionFontColor() const { return look_.caption_color; }
    void SetCaptionFontColor(TColor color);
    // The push/pop button; never shown on a panel aligned alClient, alLeft
    // or alRight.
    bool ShowButton() const { return show_button_; }
    void SetShowButton(bool on);

    int Height() const { return expanded_height_; }
    void SetHeight(int height);

    // Collapses to the caption bar. Throws std::logic_error on a panel
    // aligned alClient, alLeft or alRight, changing nothing.
    void Push();
    // Opens to Height again.
    void Pop();
    bool GetPushed() const { return !expanded_; }
    // A push or pop is running; a second one asked for meanwhile is ignored.
    bool Animating() const { return animating_; }

    // The caption bar's height: that of the style's bar picture.
    int BarHeight() const { return look_.bar.Height(); }
    // Where the push/pop button answers the mouse, in client coordinates.
    Rect ButtonHotRect() const;
    bool ButtonShown() const;

    TNotifyEvent OnPush;
    TNotifyEvent OnPop;

protected:
    void Paint() override;
    Rect AlignRect() const override;
    void Notification(TComponent* component, TOperation operation) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void Resize() override;

private:
    void UpdateButtonHot(Point client);
    // Steps the current height towards `target` by 15 pixels while more
    // than 15 are left; false when the panel went away meanwhile.
    bool Animate(int target);

    StyleChoice style_ { *this };
    bool restyling_for_file_theme_ = false;
    CaptionPanelLook look_;
    std::shared_ptr<const Bitmap> button_strip_;
    bool show_button_ = true;
    bool expanded_ = true;
    bool hot_ = false;
    bool animating_ = false;
    int expanded_height_ = 100;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
