#pragma once

// TsuiMDIForm: the skinned frame of an MDI form (a form of style
// fsMDIForm). Put on the form, it takes the platform's caption away and
// gives the form a skinned title bar, a menu bar panel under it and the
// skinned border and shape TsuiForm paints. The menu bar shows the active
// child's menu (its own, or its TsuiForm's) or else the frame's Menu; while
// a child is maximised, three small buttons at the bar's right end
// minimise, restore and close it. Cascading and tiling the children places
// them the frame's way, after the client window has placed them its own.
// Menu shortcuts are run only while the form is the active window and no
// modal loop blocks it.

#include "platform/components/component.h"
#include "platform/window/window_object.h"
#include "skin/frame/frame_border_pictures.h"
#include "skin/frame/menu_bar_painter.h"
#include "skin/frame/title_bar.h"
#include "skin/menus/menu_bar_host.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/ui_style.h"

#include <array>
#include <memory>
#include <string>

namespace pellamo {

class TForm;
class TMainMenu;
class TPanel;
class TToolBar;
class TToolButton;
class TsuiForm;
class TsuiMenuBar;
class TsuiToolBarSpeedButton;

class TsuiMDIForm : public TComponent, public SkinnedMenuBarHost {
public:
    // The control buttons' tags: close, restore, minimise.
    static constexpr int kCloseTag = -1381;
    static constexpr int kRestoreTag = -1382;
    static constexpr int kMinimizeTag = -1383;

    // Throws std::invalid_argument when `owner` is not a form.
    explicit TsuiMDIForm(TComponent* owner);
    ~TsuiMDIForm() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TForm* HostForm() const { return m_host; }
    TsuiTitleBar& TitleBar() const { return *m_title_bar; }
    TsuiMenuBar& MenuBar() const { return *m_menu_bar; }
    TPanel& MenuPanel() const { return *m_menu_panel; }
    // Close, restore and minimise, in that order; null at design time.
    TsuiToolBarSpeedButton* ControlButton(int index) const { return m_control_buttons[static_cast<size_t>(index)]; }

    TsuiUIStyle UIStyle() const { return m_ui_style; }
    void SetUIStyle(TsuiUIStyle style);
    TsuiFileTheme* FileTheme() const { return m_file_theme; }
    void SetFileTheme(TsuiFileTheme* theme);
    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);
    TColor MenuBarColor() const { return m_menu_bar_color; }
    void SetMenuBarColor(TColor color);
    TColor BorderColor() const { return m_border_color; }
    void SetBorderColor(TColor color);
    std::string FrameCaption() const;
    void SetFrameCaption(const std::string& caption);
    bool TitleBarDrawAppIcon() const { return m_title_bar->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool on) { m_title_bar->SetDrawAppIcon(on); }
    bool TitleBarCustom() const { return m_title_bar->Custom(); }
    void SetTitleBarCustom(bool on) { m_title_bar->SetCustom(on); }
    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool visible);
    bool TitleBarDrawChildCaptions() const { return m_draw_child_captions; }
    void SetTitleBarDrawChildCaptions(bool on) { m_draw_child_captions = on; }
    bool TitleBarDrawChildMenus() const { return m_draw_child_menus; }
    void SetTitleBarDrawChildMenus(bool on);
    int RoundCorner() const { return m_round_corner; }
    void SetRoundCorner(int r);
    int RoundCornerBottom() const { return m_round_corner_bottom; }
    void SetRoundCornerBottom(int r);
    int BorderWidth() const { return m_border_width; }

    // Place the children the frame's way (the client placed them already).
    void Cascade();
    void Tile();
    // The menu the bar shows now: the active child's, else the frame's.
    TMainMenu* GetMainMenu() const;
    // The first TsuiForm among the active child's own controls.
    TsuiForm* GetActiveChildSUIForm() const;
    void ShowControlButtons();
    void HideControlButtons();
    void ShowMenuBar();
    void HideMenuBar();
    void PaintBorder();
    void RegionWindow();

    // SkinnedMenuBarHost: the frame's TsuiMainMenu changed.
    void UpdateMenu() override;
    void UpdateTopMenu() override;
    void RepaintMenuBar() override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    LRESULT FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next);
    LRESULT ClientProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next);
    bool Hook(MSG& msg);
    // 1 when the form is the active, unblocked window and the effective
    // menu ran the key as one of its shortcuts.
    LRESULT ProcessKeyPress(const MSG& msg);
    void SizeChanged();
    void RecalcFrame();
    void HookClient();
    void OnControlButtonClick(TObject* sender);
    // The control buttons of the active child when it is maximised, else none.
    void SyncControlButtons(HWND client);
    void DrawMenuBar(TToolBar* bar, const Rect& rect, bool& default_draw);
    void DrawButton(TToolBar* bar, TToolButton* button, unsigned state, bool& default_draw);
    MenuBarLook BarLook() const;
    MenuBarLook ButtonLook() const;
    void Restore();

    TForm* m_host = nullptr;
    TsuiTitleBar* m_title_bar = nullptr;
    TPanel* m_menu_panel = nullptr;
    TsuiMenuBar* m_menu_bar = nullptr;
    std::array<TsuiToolBarSpeedButton*, 3> m_control_buttons {};
    TMainMenu* m_menu = nullptr;
    TMainMenu* m_effective = nullptr;
    TsuiFileTheme* m_file_theme = nullptr;
    TsuiUIStyle m_ui_style = TsuiUIStyle::DeepBlue;
    TColor m_menu_bar_color = 0;
    TColor m_border_color = 0;
    int m_border_width = 1;
    int m_round_corner = 0;
    int m_round_corner_bottom = 0;
    bool m_draw_child_captions = true;
    bool m_draw_child_menus = true;
    FrameBorderPictures m_border_pictures;
    TsuiTitleBarButtons m_no_buttons { nullptr };
    TsuiTitleBarSections m_no_sections { nullptr };
    HWND m_client = nullptr;
    uint64_t m_subclass = 0;
    uint64_t m_client_subclass = 0;
    uint64_t m_hook = 0;
    bool m_destroying = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}
