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
    bool Custom() const { return m_custom; }
    void SetCustom(bool on) { m_custom = on; }
    TsuiFileTheme* FileTheme() const { return m_file_theme; }
    // Applies the current style again, from the new theme when it is
    // FromThemeFile; the caption's colour stays.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return m_ui_style; }
    // Unless Custom: the style's three pictures, offsets, button pictures,
    // corner rounding, the form's minimum width and the caption colour.
    void SetUIStyle(TsuiUIStyle style);
    // The height follows the left picture (3 rows less inside a frame).
    bool AutoSize() const { return m_auto_size; }
    void SetAutoSize(bool on);

    TsuiTitleBarSections& Sections() { return m_sections; }
    const TsuiTitleBarSections& Sections() const { return m_sections; }
    TsuiTitleBarButtons& Buttons() { return m_buttons; }
    const TsuiTitleBarButtons& Buttons() const { return m_buttons; }
    int ButtonInterval() const { return m_button_interval; }
    void SetButtonInterval(int gap);
    bool FormActive() const { return m_form_active; }
    void SetFormActive(bool active);
    // The frame tells the bar when its window is (de)activated.
    void SetActive(bool active) { SetFormActive(active); }
    int LeftBtnXOffset() const { return m_left_offset; }
    void SetLeftBtnXOffset(int x);
    int RightBtnXOffset() const { return m_right_offset; }
    void SetRightBtnXOffset(int x);
    // The application's icon instead of the window-menu box picture.
    bool DrawAppIcon() const { return m_draw_app_icon; }
    void SetDrawAppIcon(bool on);
    int RoundCorner() const { return m_round_corner; }
    void SetRoundCorner(int r) { m_round_corner = r; }
    int RoundCornerBottom() const { return m_round_corner_bottom; }
    void SetRoundCornerBottom(int r) { m_round_corner_bottom = r; }

    // The border colour of the style, kept for frames.
    TColor BorderColor() const { return m_border_color; }
    int ButtonHeight() const { return m_button_height; }
    int ButtonTop() const { return m_button_top; }

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
    TsuiTitleBarPopupMenu& WindowMenu() { return *m_window_menu; }
    // Opens the window menu at a screen point.
    void PopupWindowMenu(Point screen);

    // Where the buttons and the caption go now.
    TitleBarLayout Layout() const;
    // The button under the pointer (-1 for none) and whether the left
    // button is held on the bar.
    int HoverIndex() const { return m_hover; }
    bool Pressed() const { return m_pressed; }
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

    bool m_custom = false;
    TsuiFileTheme* m_file_theme = nullptr;
    TsuiUIStyle m_ui_style = TsuiUIStyle::DeepBlue;
    bool m_auto_size = false;
    TsuiTitleBarSections m_sections { this };
    TsuiTitleBarButtons m_buttons { this };
    int m_button_interval = 0;
    bool m_form_active = true;
    int m_left_offset = 0;
    int m_right_offset = 0;
    bool m_draw_app_icon = false;
    int m_round_corner = 0;
    int m_round_corner_bottom = 0;
    TColor m_border_color = 0;
    int m_button_height = 0;
    int m_button_top = 0;
    bool m_setting_file_theme = false;
    bool m_pressed = false;
    int m_hover = -1;
    int m_pressed_button = -1; // the button the left button went down on
    TsuiTitleBarPopupMenu* m_window_menu = nullptr; // owned as a component
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}
