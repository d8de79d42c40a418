#pragma once

// TsuiForm: the component that turns a form into a skinned window. Put on
// a form (its owner and parent), it fills the form's client area, takes
// the platform's caption away and subclasses the form's window, and from
// then on draws what the platform would: the title bar (a TsuiTitleBar
// child), the menu bar (a TsuiMenuBar showing the top-level items of
// Menu), the thin border, the background and the window's shape. It
// maximises the window to the work area, gives key presses to the menu
// (shortcuts, Alt or F10 into the bar, Alt+letter), opens the window menu
// on Alt+Space in the active window, and passes style changes on to its
// title bar and menu (and, when asked, its child controls).
//
// The window keeps its own frame of 3 pixels on the left, top and right,
// which the border painting fills; at the bottom the frame leaves 2 rows
// (for a 1-pixel border line, see FrameCalcRect).

#include "platform/components/controls/panel.h"
#include "skin/frame/frame_core.h"
#include "skin/frame/skin_menu_bar.h"
#include "skin/frame/title_bar.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/ui_style.h"

#include <string>

namespace pellamo {

class TForm;
class TMainMenu;
class TToolButton;
struct MenuBarLook;

class TsuiForm : public TCustomPanel, public FrameCore {
public:
    // Throws std::runtime_error when `owner`, a form, has a TsuiForm
    // already. An owner that is not a form gets a plain panel.
    explicit TsuiForm(TComponent* owner);
    ~TsuiForm() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiTitleBar& TitleBar() const { return *title_bar_; }
    // Null while there is no Menu.
    TsuiMenuBar* MenuBar() const { return menu_bar_; }

    bool TitleBarCustom() const { return title_bar_->Custom(); }
    void SetTitleBarCustom(bool on) { title_bar_->SetCustom(on); }
    // A different theme is stored and the current style applied again.
    void SetFileTheme(TsuiFileTheme* theme);
    // Border, background, menu bar colour and corners of the style (or its
    // file theme); the title bar and the menu take the style too.
    void SetUIStyle(TsuiUIStyle style);
    bool UIStyleAutoUpdateSub() const { return update_sub_; }
    void SetUIStyleAutoUpdateSub(bool on) { update_sub_ = on; }
    void SetBorderColor(TColor color);
    // The border line's width (not the panel's inner frame).
    int BorderWidth() const { return FrameCore::BorderWidth(); }
    void SetBorderWidth(int width);
    bool TitleBarVisible() const { return title_bar_->Visible(); }
    void SetTitleBarVisible(bool visible);
    // Also the form's caption.
    std::string FrameCaption() const { return title_bar_->Caption(); }
    void SetFrameCaption(const std::string& caption);
    // A panel to fill the client area; the frame itself is refused.
    TCustomPanel* FormPanel() const { return form_panel_; }
    void SetFormPanel(TCustomPanel* panel);
    // The title bar's font.
    TFont& TitleFont() const { return title_bar_->Font(); }
    bool TitleBarDrawAppIcon() const { return title_bar_->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool on) { title_bar_->SetDrawAppIcon(on); }
    // The main menu whose top-level items the menu bar shows (a
    // TsuiMainMenu is told that this frame shows it).
    void SetMenu(TMainMenu* menu);
    void SetMenuBarColor(TColor color);
    int MenuBarHeight() const { return menu_bar_height_; }
    void SetMenuBarHeight(int height);
    // Read 0 while the title bar is hidden.
    int RoundCorner() const { return TitleBarVisible() ? title_bar_->RoundCorner() : 0; }
    void SetRoundCorner(int r);
    int RoundCornerBottom() const { return TitleBarVisible() ? title_bar_->RoundCornerBottom() : 0; }
    void SetRoundCornerBottom(int r);
    std::string Version() const { return "5.8"; }
    void SetVersion(const std::string&) { }

    // Rebuilds the menu bar's buttons from Menu.
    void UpdateMenu() override;
    // Copies the top-level items' captions and states to their buttons.
    void UpdateTopMenu() override;
    // Takes the menu's font again and repaints the bar.
    void RepaintMenuBar() override;
    // Clears caption bits the form regained (a style change re-made its
    // frame) and has the frame recalculated.
    void ReAssign();
    // Paints the border into the whole window (outside its client area).
    void PaintFormBorder();
    // Sets the window's shape from the corners.
    void RegionWindow();
    // The title bar's height while it is shown, else 0.
    int GetTitleBarHeight() const;
    // The look of the menu bar now (the menu's style when it is skinned).
    MenuBarLook CurrentMenuBarLook() const;

    TsuiTitleBarButtonClickEvent OnTitleBarCustomBtnsClick;
    TsuiTitleBarButtonClickEvent OnTitleBarHelpBtnClick;

protected:
    void Paint() override;
    void Resize() override;
    void ColorChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    FrameEdges Edges() const override;
    void PaintBorder() override { PaintFormBorder(); }
    void SizeChanged() override;
    TMainMenu* KeyMenu() const override { return menu_; }
    // The host form is active and focused.
    bool ShortcutsAllowed() const override;
    bool TakesKeys() const override { return HostActive(); }
    bool BarTakesKeys() const override { return menu_bar_ && menu_; }
    // Alt+Space opens the window menu; nothing while it is open.
    std::optional<bool> FrameKey(const MSG& msg) override;
    void AfterMessage(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) override;
    MenuBarLook BarLook() const override { return CurrentMenuBarLook(); }
    MenuBarLook ButtonLook() const override { return CurrentMenuBarLook(); }
    bool HostActive() const;
    void RecalcFrame();
    void CreateMenuBar();
    void DestroyMenuBar();

    bool update_sub_ = false;
    TCustomPanel* form_panel_ = nullptr;
    int menu_bar_height_ = 22;
    Rect restore_rect_;
    bool started_maximised_ = false;
    bool title_bar_hidden_by_maximise_ = false;
};

}
