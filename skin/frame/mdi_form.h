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
#include "skin/frame/frame_core.h"
#include "skin/frame/mdi_control_button.h"
#include "skin/frame/title_bar.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/ui_style.h"

#include <array>
#include <string>

namespace pellamo {

class TForm;
class TMainMenu;
class TPanel;
class TToolBar;
class TToolButton;
class TsuiForm;
class TsuiMenuBar;

class TsuiMDIForm : public TComponent, public FrameCore {
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

    TsuiTitleBar& TitleBar() const { return *title_bar_; }
    TsuiMenuBar& MenuBar() const { return *menu_bar_; }
    TPanel& MenuPanel() const { return *menu_panel_; }
    // Close, restore and minimise, in that order; null at design time.
    MdiControlButton* ControlButton(int index) const { return control_buttons_[static_cast<size_t>(index)]; }

    void SetUIStyle(TsuiUIStyle style);
    void SetFileTheme(TsuiFileTheme* theme);
    void SetMenu(TMainMenu* menu);
    void SetMenuBarColor(TColor color);
    void SetBorderColor(TColor color);
    std::string FrameCaption() const;
    void SetFrameCaption(const std::string& caption);
    bool TitleBarDrawAppIcon() const { return title_bar_->DrawAppIcon(); }
    void SetTitleBarDrawAppIcon(bool on) { title_bar_->SetDrawAppIcon(on); }
    bool TitleBarCustom() const { return title_bar_->Custom(); }
    void SetTitleBarCustom(bool on) { title_bar_->SetCustom(on); }
    bool TitleBarVisible() const;
    void SetTitleBarVisible(bool visible);
    bool TitleBarDrawChildCaptions() const { return draw_child_captions_; }
    // Whether the caption names a maximised child ("Frame - [Child]").
    void SetTitleBarDrawChildCaptions(bool on);
    bool TitleBarDrawChildMenus() const { return draw_child_menus_; }
    void SetTitleBarDrawChildMenus(bool on);
    int RoundCorner() const { return round_corner_; }
    void SetRoundCorner(int r);
    int RoundCornerBottom() const { return round_corner_bottom_; }
    void SetRoundCornerBottom(int r);

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
    void PaintBorder() override;
    void RegionWindow();

    // SkinnedMenuBarHost: the frame's TsuiMainMenu changed.
    void UpdateMenu() override;
    void UpdateTopMenu() override;
    void RepaintMenuBar() override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    FrameEdges Edges() const override;
    void SizeChanged() override;
    TMainMenu* KeyMenu() const override { return effective_; }
    // The form is the active window and no modal loop blocks it.
    bool ShortcutsAllowed() const override { return TakesKeys(); }
    bool TakesKeys() const override;
    bool BarTakesKeys() const override;
    MenuBarLook BarLook() const override;
    MenuBarLook ButtonLook() const override;
    // The MDI frame does not grey disabled captions.
    bool GreysDisabledItems() const override { return false; }
    void ReleaseHost() override;
    LRESULT ClientProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next);
    void HookClient();
    void OnControlButtonClick(TObject* sender);
    // The control buttons of the active child when it is maximised, else none.
    void SyncControlButtons(HWND client);
    // The shown control buttons side by side at the bar's right end.
    void PlaceControlButtons();
    // The menu bar's background under a control button at `bounds`.
    void PaintBarBehind(Canvas& canvas, const Rect& bounds) const;

    TPanel* menu_panel_ = nullptr;
    std::array<MdiControlButton*, 3> control_buttons_ {};
    TMainMenu* effective_ = nullptr;
    int round_corner_ = 0;
    int round_corner_bottom_ = 0;
    bool draw_child_captions_ = true;
    bool draw_child_menus_ = true;
    TsuiTitleBarButtons no_buttons_ { nullptr };
    TsuiTitleBarSections no_sections_ { nullptr };
    HWND client_ = nullptr;
    uint64_t client_subclass_ = 0;
};

}
