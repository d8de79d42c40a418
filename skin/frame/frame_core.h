#pragma once

// FrameCore: what every skinned frame does to the form it frames, whether
// a plain form (TsuiForm) or an MDI frame (TsuiMDIForm). It takes the
// platform's caption away and subclasses the form's window: the frame
// sizes the client area, answers the border-picture question and paints
// the border itself; after the form has seen a message it runs menu
// shortcuts, shows activation on the title bar and follows size changes.
// It hooks the application's key messages for the menu bar, hosts the
// frame's (skinned) main menu, keeps the style choice and the border, and
// gives the window its shape. The frame says what differs: its edges, its
// border, which menu runs keys and when, and the looks of its menu bar.

#include "platform/components/component.h"
#include "platform/window/window_object.h"
#include "skin/frame/form_border_painter.h"
#include "skin/frame/form_geometry.h"
#include "skin/frame/frame_border_pictures.h"
#include "skin/frame/menu_bar_painter.h"
#include "skin/menus/menu_bar_host.h"
#include "skin/theme/style_choice.h"

#include <memory>
#include <optional>

namespace pellamo {

class TForm;
class TMainMenu;
class TToolBar;
class TToolButton;
class TsuiMainMenu;
class TsuiMenuBar;
class TsuiTitleBar;
struct Font;

class FrameCore : public SkinnedMenuBarHost {
public:
    TForm* HostForm() const { return host_; }
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    TMainMenu* Menu() const { return menu_; }
    TColor MenuBarColor() const { return menu_bar_color_; }
    TColor BorderColor() const { return border_color_; }
    // The border line's width.
    int BorderWidth() const { return border_width_; }

protected:
    // `self` is the frame component: it owns the notifications and gives
    // the first style.
    explicit FrameCore(TComponent& self);
    ~FrameCore() override;

    // The frame's own answers.
    virtual FrameEdges Edges() const = 0;
    virtual void PaintBorder() = 0;
    virtual void SizeChanged() = 0;
    // The menu whose shortcuts run, and whether they may run now.
    virtual TMainMenu* KeyMenu() const = 0;
    virtual bool ShortcutsAllowed() const = 0;
    // Whether the frame answers key messages of its window now.
    virtual bool TakesKeys() const = 0;
    // Whether the menu bar takes the keys (else only shortcuts run).
    virtual bool BarTakesKeys() const = 0;
    // A key the frame answers before its menu bar; nullopt to go on.
    virtual std::optional<bool> FrameKey(const MSG&) { return std::nullopt; }
    // Messages after the form saw them that only this frame follows.
    virtual void AfterMessage(HWND, UINT, WPARAM, LPARAM) { }
    virtual MenuBarLook BarLook() const = 0;
    virtual MenuBarLook ButtonLook() const = 0;
    // Whether disabled top-level captions are greyed.
    virtual bool GreysDisabledItems() const { return true; }
    // Undoes the take-over; frames with more windows release them first.
    virtual void ReleaseHost();

    // The host's limits and border style a skinned frame needs.
    void PrepareHost();
    // Takes the caption away, subclasses the window and hooks the keys.
    void TakeOverHost();
    // From the frame's destructor: no message reaches it any more, the
    // menu forgets it and the host gets its window back.
    void LeaveHost();
    // The window's frame is calculated again; false without a window.
    bool RecalcFrame();
    void ShapeWindow(int round_corner, int round_corner_bottom);
    // The maximised form fills the work area (an MDI child its client).
    void FitMaximisedToWorkArea();

    // The menu as a skinned menu, else null.
    TsuiMainMenu* SkinnedMainMenu() const;
    // Stores `menu` and registers with it as its menu bar host.
    void HostMenu(TMainMenu* menu);
    // The skinned menu forgets this frame as its host.
    void UnhostMenu();
    // The skinned menu takes `style` and the file theme.
    void StyleMenu(TsuiUIStyle style);
    // The bar's font: the system's menu font, or the skinned menu's own
    // (only its size when `size_only`).
    Font MenuBarFont(bool size_only) const;
    void DrawMenuBarOn(TsuiMenuBar& bar);
    // Border colour, width and pictures of the theme.
    void TakeBorder(ThemeSource& theme);
    // A file theme's menu bar colour, or one from its font colour.
    static TColor FileThemeMenuBarColor(ThemeSource& theme, TColor background);
    // The face's parts every frame fills the same way.
    FormBorderFace BorderFace() const;
    void PaintFace(FormBorderFace& face);

    TComponent& self_;
    TForm* host_ = nullptr;
    TsuiTitleBar* title_bar_ = nullptr;
    TsuiMenuBar* menu_bar_ = nullptr;
    TMainMenu* menu_ = nullptr;
    StyleChoice style_;
    FrameBorderPictures border_pictures_;
    TColor border_color_ = 0;
    int border_width_ = 1;
    TColor menu_bar_color_ = 0;
    bool destroying_ = false;
    // False once the frame is gone, for code that runs on after a call
    // that may free it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

private:
    LRESULT FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next);
    bool Hook(MSG& msg);
    // 1 when the key ran one of KeyMenu's shortcuts.
    LRESULT ProcessKeyPress(const MSG& msg);
    void DrawMenuBar(TToolBar* bar, const Rect& rect, bool& default_draw);
    void DrawButton(TToolBar* bar, TToolButton* button, unsigned state, bool& default_draw);

    uint64_t subclass_ = 0;
    uint64_t hook_ = 0;
};

}
