#pragma once

// TsuiTitleBar: the skinned caption of a window. It paints three pictures
// (left end, stretched middle, right end), a row of buttons at the right,
// the window-menu box (or the application icon) at the left and the
// caption between them. Dragging it moves its window, a double click
// maximises or restores it, its buttons and its window menu minimise,
// maximise or restore and close the window.
//
// It normally sits inside a skinned frame (TsuiForm), 3 pixels inside the
// window's edge, and draws its pictures from the window's corner; the
// frame paints their first three rows above it. Which button the mouse
// acts on is decided from the layout where the button goes down and where
// it comes up, never from the last painting.

#include "platform/components/controls/panel.h"
#include "platform/gfx/bitmap.h"
#include "skin/frame/title_bar_button.h"
#include "skin/frame/title_bar_layout.h"
#include "skin/frame/title_bar_popup_menu.h"
#include "skin/frame/title_bar_section.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_choice.h"
#include "skin/theme_data/ui_style.h"

#include <memory>

namespace pellamo {

class TForm;

// Sent by a title bar to its form (both parameters 0): the width of the
// frame's side border picture, 0 when it has none.
constexpr UINT kBorderPictureWidthMessage = 9923;

using TsuiTitleBarButtonClickEvent = TEvent<TObject*, int>;

class TsuiTitleBar : public TCustomPanel {
public:
    explicit TsuiTitleBar(TComponent* owner);
    ~TsuiTitleBar() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Style changes leave the sections, buttons and font colour alone.
    bool Custom() const { return custom_; }
    void SetCustom(bool on) { custom_ = on; }
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    // Applies the current style again, from the new theme when it is
    // FromThemeFile; the caption's colour stays.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    // Unless Custom: the style's three pictures, offsets, button pictures,
    // corner rounding, the form's minimum width and the caption colour.
    void SetUIStyle(TsuiUIStyle style);
    // The height follows the left picture (3 rows less inside a frame).
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool on);

    TsuiTitleBarSections& Sections() { return sections_; }
    const TsuiTitleBarSections& Sections() const { return sections_; }
    TsuiTitleBarButtons& Buttons() { return buttons_; }
    const TsuiTitleBarButtons& Buttons() const { return buttons_; }
    int ButtonInterval() const { return button_interval_; }
    void SetButtonInterval(int gap);
    bool FormActive() const { return form_active_; }
    void SetFormActive(bool active);
    // The frame tells the bar when its window is (de)activated.
    void SetActive(bool active) { SetFormActive(active); }
    int LeftBtnXOffset() const { return left_offset_; }
    void SetLeftBtnXOffset(int x);
    int RightBtnXOffset() const { return right_offset_; }
    void SetRightBtnXOffset(int x);
    // The application's icon instead of the window-menu box picture.
    bool DrawAppIcon() const { return draw_app_icon_; }
    void SetDrawAppIcon(bool on);
    int RoundCorner() const { return round_corner_; }
    void SetRoundCorner(int r) { round_corner_ = r; }
    int RoundCornerBottom() const { return round_corner_bottom_; }
    void SetRoundCornerBottom(int r) { round_corner_bottom_ = r; }

    // The border colour of the style, kept for frames.
    TColor BorderColor() const { return border_color_; }
    int ButtonHeight() const { return button_height_; }
    int ButtonTop() const { return button_top_; }

    // Every maximise button shows maximise or restore for its window's state.
    void ProcessMaxBtn();
    // Three sections: the frame may paint the top rows from them.
    bool CanPaint() const;
    // The pictures of sections 0, 1 and 2; null when missing.
    const Bitmap* LeftImage() const { return SectionPicture(0); }
    const Bitmap* RightImage() const { return SectionPicture(1); }
    const Bitmap* CenterImage() const { return SectionPicture(2); }
    // The bar sits in a skinned frame (or belongs to an MDI frame).
    bool InForm() const;
    bool InMDIForm() const;
    TsuiTitleBarPopupMenu& WindowMenu() { return *window_menu_; }
    // Opens the window menu at a screen point.
    void PopupWindowMenu(Point screen);

    // Where the buttons and the caption go now.
    TitleBarLayout Layout() const;
    // The button under the pointer (-1 for none) and whether the left
    // button is held on the bar.
    int HoverIndex() const { return hover_; }
    bool Pressed() const { return pressed_; }
    bool HasVisibleButton(TsuiTitleBarBtnType type) const;
    // Runs a button's action (the click of a suiMax, suiMin, suiClose or
    // menu-holding suiControlBox button).
    void DoClick(int index);
    // What the window menu's items and the buttons do to the bar's form.
    void MinimizeForm();
    void MaximizeOrRestoreForm();
    void CloseForm();
    bool ParentFormMaximised() const;

    TsuiTitleBarButtonClickEvent OnCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnHelpBtnClick;

protected:
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseLeave() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    const Bitmap* SectionPicture(int index) const;
    int BorderPictureWidth() const;
    void SetHover(int index);
    void DoubleClickAt(Point p);
    void ItemsChanged();

    bool custom_ = false;
    StyleChoice style_ { *this };
    bool auto_size_ = false;
    TsuiTitleBarSections sections_ { this };
    TsuiTitleBarButtons buttons_ { this };
    int button_interval_ = 0;
    bool form_active_ = true;
    int left_offset_ = 0;
    int right_offset_ = 0;
    bool draw_app_icon_ = false;
    int round_corner_ = 0;
    int round_corner_bottom_ = 0;
    TColor border_color_ = 0;
    int button_height_ = 0;
    int button_top_ = 0;
    bool setting_file_theme_ = false;
    bool pressed_ = false;
    int hover_ = -1;
    int pressed_button_ = -1; // the button the left button went down on
    TsuiTitleBarPopupMenu* window_menu_ = nullptr; // owned as a component
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
