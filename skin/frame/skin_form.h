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
#include "platform/window/window_object.h"
#include "skin/frame/frame_border_pictures.h"
#include "skin/frame/skin_menu_bar.h"
#include "skin/frame/title_bar.h"
#include "skin/menus/menu_bar_host.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/ui_style.h"

#include <memory>
#include <string>

namespace pellamo {

class TForm;
class TMainMenu;
class TToolButton;
struct MenuBarLook;

class TsuiForm : public TCustomPanel, public SkinnedMenuBarHost {
public:
    // Throws std::runtime_error when `owner`, a form, has a TsuiForm
    // already. An owner that is not a form gets a plain panel.
    explicit TsuiForm(TComponent* owner);
    ~TsuiForm() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TsuiTitleBar& TitleBar() const { return *m_title_bar; }
    // Null while there is no Menu.
    TsuiMenuBar* MenuBar() const { return m_menu_bar; }
    TForm* HostForm() const { return m_host; }

    bool TitleBarCustom() const { return m_title_bar->Custom(); }
    void SetTitleBarCustom(bool on) { m_title_bar->SetCustom(on); }
    TsuiFileTheme* FileTheme() const { return m_file_theme; }
    // A different theme is stored and the current style applied again.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return m_ui_style; }
    // Border, background, menu bar colour and corners of the style (or its
    // file theme); the title bar and the menu take the style too.
    void SetUIStyle(TsuiUIStyle style);
    bool UIStyleAutoUpdateSub() const { return m_update_sub; }
    void SetUIStyleAutoUpdateSub(bool on) { m_update_sub = on; }
    TColor BorderColor() const { return m_border_color; }
    void SetBorderColor(TColor color);
    // The border line's width (not the panel's inner frame).
    int BorderWidth() const { return m_border_width; }
    void SetBorderWidth(int width);
    bool TitleBarVisible() const { return m_title_bar->Visible(); }
    void SetTitleBarVisible(bool visible);
    // Also the form's caption.
    std::string FrameCaption() const { return m_title_bar->Caption(); }
    void SetFrameCaption(const std::string& caption);
    // A panel to fill the client area; the frame itself is refused.
    TCustomPanel* FormPanel() const { return m_form_panel; }
    void SetFormPanel(TCustomPanel* panel);
    // The title bar's font.
    TFont& TitleFont() const { return m_title_bar->Font(); }
    bool TitleBarDrawAppIcon() const { return m_title_bar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool on) { m_title_bar->SetDrawAppIcon(on); }
    // The main menu whose top-level items the menu bar shows (a
    // TsuiMainMenu is told that this frame shows it).
    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);
    TColor MenuBarColor() const { return m_menu_bar_color; }
    void SetMenuBarColor(TColor color);
    int MenuBarHeight() const { return m_menu_bar_height; }
    void SetMenuBarHeight(int height);
    // Read 0 while the title bar is hidden.
    int RoundCorner() const { return TitleBarVisible() ? m_title_bar->RoundCorner() : 0; }
    void SetRoundCorner(int r);
    int RoundCornerBottom() const { return TitleBarVisible() ? m_title_bar->RoundCornerBottom() : 0; }
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
    // The host form's window messages, before (and mostly around) its own procedure.
    LRESULT FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next);
    // The application's queued messages: Alt+Space and the keys of the menu bar.
    bool Hook(MSG& msg);
    // 1 when the host form is active and focused and the menu performs the
    // key as one of its shortcuts.
    LRESULT ProcessKeyPress(const MSG& msg);
    bool HostActive() const;
    void SizeChanged();
    void RecalcFrame();
    void CreateMenuBar();
    void DestroyMenuBar();
    void DrawMenuBar(TToolBar* bar, const Rect& rect, bool& default_draw);
    void DrawButton(TToolBar* bar, TToolButton* button, unsigned state, bool& default_draw);
    void RestoreHost();

    TsuiTitleBar* m_title_bar = nullptr; // owned as a child component
    TsuiMenuBar* m_menu_bar = nullptr; // owned as a child component
    TMainMenu* m_menu = nullptr;
    TForm* m_host = nullptr;
    uint64_t m_subclass = 0;
    uint64_t m_hook = 0;
    FrameBorderPictures m_border_pictures;
    TsuiFileTheme* m_file_theme = nullptr;
    TsuiUIStyle m_ui_style = TsuiUIStyle::DeepBlue;
    TColor m_border_color = 0;
    int m_border_width = 1;
    TCustomPanel* m_form_panel = nullptr;
    TColor m_menu_bar_color = 0;
    int m_menu_bar_height = 22;
    bool m_update_sub = false;
    bool m_destroying = false;
    Rect m_restore_rect;
    bool m_started_maximised = false;
    bool m_title_bar_hidden_by_maximise = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}
