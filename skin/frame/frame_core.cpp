#include "skin/frame/frame_core.h"

#include "platform/components/controls/form.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_bar_keys.h"
#include "platform/components/controls/tool_button.h"
#include "platform/gfx/font.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/window_system.h"
#include "skin/frame/menu_bar_look.h"
#include "skin/frame/skin_menu_bar.h"
#include "skin/frame/title_bar.h"
#include "skin/menus/menu_routines.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/window/placement.h"

namespace pellamo {

namespace {

constexpr int kMinWidth = 125;
constexpr int kMinHeight = 50;
constexpr DWORD kCaptionBits = WS_CAPTION;

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYDOWN && msg <= WM_SYSCHAR; }

}

FrameCore::FrameCore(TComponent& self)
    : self_(self)
    , style_(self)
{
}

FrameCore::~FrameCore() = default;

void FrameCore::PrepareHost()
{
    host_->Constraints().SetMinHeight(kMinHeight);
    host_->Constraints().SetMinWidth(kMinWidth);
    switch (host_->BorderStyle()) {
    case TFormBorderStyle::bsNone:
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
        host_->SetBorderStyle(TFormBorderStyle::bsDialog);
        break;
    default:
        break;
    }
    host_->TWinControl::SetBorderWidth(0);
}

void FrameCore::TakeOverHost()
{
    WindowSystem& ws = host_->Windows();
    HWND host = host_->Handle();
    ws.SetStyle(host, ws.GetStyle(host) & ~kCaptionBits);
    subclass_ = ws.SetWindowSubclass(host, [this](HWND h, UINT msg, WPARAM w, LPARAM l, const pellamo::WndProc& next) {
        return FrameProc(h, msg, w, l, next);
    });
    hook_ = ws.AddMessageHook([this](MSG& msg) { return Hook(msg); });
}

void FrameCore::LeaveHost()
{
    *alive_ = false;
    destroying_ = true;
    UnhostMenu();
    ReleaseHost();
}

void FrameCore::ReleaseHost()
{
    if (!host_)
        return;
    WindowSystem* ws = WindowSystem::Current();
    if (!ws)
        return;
    if (hook_)
        ws->RemoveMessageHook(hook_);
    hook_ = 0;
    HWND host = host_->HandleOrNull();
    if (!subclass_ || !host || !ws->IsWindow(host))
        return;
    ws->RemoveWindowSubclass(host, subclass_);
    subclass_ = 0;
    ws->SetStyle(host, ws->GetStyle(host) | kCaptionBits);
    ws->SetWindowPos(
        host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

bool FrameCore::RecalcFrame()
{
    if (!host_ || !host_->HandleAllocated())
        return false;
    host_->Windows().SetWindowPos(host_->HandleOrNull(), nullptr, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

void FrameCore::ShapeWindow(int round_corner, int round_corner_bottom)
{
    if (!host_ || !host_->HandleAllocated() || self_.HasState(csDesigning))
        return;
    WindowSystem& ws = host_->Windows();
    HWND host = host_->HandleOrNull();
    Rect bounds = ws.GetWindowRect(host);
    ws.SetWindowRgn(host, FrameRegion({ bounds.Width(), bounds.Height() }, round_corner, round_corner_bottom), true);
}

void FrameCore::FitMaximisedToWorkArea()
{
    if (host_->WindowState() != TWindowState::wsMaximized || host_->FormStyle() == TFormStyle::fsMDIChild)
        return;
    Rect target = MaximisedFrameBounds(GetWorkAreaRect());
    // Placing it sends the size message again, with the place it asked for.
    if (!target.IsEmpty() && host_->BoundsRect() != target)
        host_->SetBoundsRect(target);
}

// ---------------------------------------------------------------- menu

TsuiMainMenu* FrameCore::SkinnedMainMenu() const { return dynamic_cast<TsuiMainMenu*>(menu_); }

void FrameCore::HostMenu(TMainMenu* menu)
{
    if (auto* old = SkinnedMainMenu(); old && old != menu && old->MenuBarHost() == this)
        old->SetMenuBarHost(nullptr);
    if (menu_ && menu_ != menu)
        self_.RemoveFreeNotification(menu_);
    menu_ = menu;
    if (!menu)
        return;
    self_.FreeNotification(menu);
    if (auto* skinned = SkinnedMainMenu())
        skinned->SetMenuBarHost(this);
}

void FrameCore::UnhostMenu()
{
    if (auto* skinned = SkinnedMainMenu(); skinned && skinned->MenuBarHost() == this)
        skinned->SetMenuBarHost(nullptr);
}

void FrameCore::StyleMenu(TsuiUIStyle style)
{
    if (auto* skinned = SkinnedMainMenu()) {
        skinned->SetUIStyle(style);
        skinned->SetFileTheme(FileTheme());
    }
}

Font FrameCore::MenuBarFont(bool size_only) const
{
    pellamo::Font font;
    Menu_GetSystemFont(font);
    if (auto* skinned = SkinnedMainMenu(); skinned && !skinned->UseSystemFont()) {
        if (!size_only) {
            font.name = skinned->FontName();
            font.charset = skinned->FontCharset();
        }
        font.SetSize(skinned->FontSize());
    }
    font.color = SystemColors::Resolve(font.color);
    return font;
}

void FrameCore::DrawMenuBarOn(TsuiMenuBar& bar)
{
    bar.OnCustomDraw
        = [this](TToolBar* bar, const Rect& rect, bool& default_draw) { DrawMenuBar(bar, rect, default_draw); };
    if (!self_.HasState(csDesigning))
        bar.OnCustomDrawButton = [this](TToolBar* bar, TToolButton* button, TCustomDrawState state,
                                     bool& default_draw) { DrawButton(bar, button, state, default_draw); };
}

void FrameCore::DrawMenuBar(TToolBar* bar, const Rect& rect, bool& default_draw)
{
    if (PaintMenuBarBackground(bar->Canvas(), rect, BarLook()))
        default_draw = false;
}

void FrameCore::DrawButton(TToolBar* bar, TToolButton* button, unsigned state, bool& default_draw)
{
    default_draw = false;
    if (menu_bar_)
        PaintMenuBarButton(bar->Canvas(), button->BoundsRect(),
            menu_bar_->ButtonFace(button, state, GreysDisabledItems()), ButtonLook());
}

// ---------------------------------------------------------------- border

void FrameCore::TakeBorder(ThemeSource& theme)
{
    border_color_ = theme.Color(ThemeItem::FormBorderColor);
    border_width_ = theme.Int(ThemeItem::FormBorderWidthInt);
    border_pictures_.Take(theme);
}

TColor FrameCore::FileThemeMenuBarColor(ThemeSource& theme, TColor background)
{
    TColor own = theme.Color(ThemeItem::MenuMenuBarColor);
    return own != -1 ? own : FallbackMenuBarColor(theme.Color(ThemeItem::ControlFontColor), background);
}

FormBorderFace FrameCore::BorderFace() const
{
    FormBorderFace face;
    DescribeFrameWindow(face, host_->Windows(), host_->HandleOrNull(), *title_bar_);
    face.border_width = border_width_;
    face.border_color = SystemColors::Resolve(border_color_);
    face.designing = self_.HasState(csDesigning);
    face.has_menu_bar = menu_bar_ != nullptr;
    face.menu_bar_color = SystemColors::Resolve(menu_bar_color_);
    face.form_color = SystemColors::Resolve(host_->Color());
    return face;
}

void FrameCore::PaintFace(FormBorderFace& face)
{
    border_pictures_.Describe(face);
    PaintBorderOnWindow(host_->Windows(), host_->HandleOrNull(), face);
}

// ---------------------------------------------------------------- the host's messages

LRESULT FrameCore::FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next)
{
    if (destroying_)
        return next(hwnd, msg, wparam, lparam);
    WindowSystem& ws = host_->Windows();
    switch (msg) {
    case WM_NCCALCSIZE:
        // A style change may have given the window its caption again.
        if (ws.GetStyle(hwnd) & kCaptionBits)
            ws.SetStyle(hwnd, ws.GetStyle(hwnd) & ~kCaptionBits);
        ApplyFrameCalcRect(wparam, lparam, Edges());
        return next(hwnd, msg, wparam, lparam);
    case kBorderPictureWidthMessage:
        return border_pictures_.SideWidth();
    case WM_NCPAINT:
        if (ws.IsIconic(hwnd))
            return next(hwnd, msg, wparam, lparam);
        PaintBorder();
        return 0;
    default:
        break;
    }
    std::shared_ptr<bool> alive = alive_;
    LRESULT result = next(hwnd, msg, wparam, lparam);
    if (!*alive || destroying_)
        return result;
    switch (msg) {
    case WM_KEYDOWN:
        result = ProcessKeyPress(MSG { hwnd, msg, wparam, lparam, 0, {} });
        break;
    case WM_ACTIVATE:
        if (title_bar_)
            title_bar_->SetActive(LOWORD(wparam) != WA_INACTIVE);
        if (LOWORD(wparam) == WA_INACTIVE && menu_bar_)
            menu_bar_->LeaveKeyboard();
        break;
    case WM_SIZE:
        SizeChanged();
        break;
    default:
        AfterMessage(hwnd, msg, wparam, lparam);
        break;
    }
    return result;
}

bool FrameCore::Hook(MSG& msg)
{
    if (destroying_ || !host_ || !host_->HandleAllocated() || !IsKeyMessage(msg.message) || !msg.hwnd)
        return false;
    WindowSystem& ws = host_->Windows();
    // Only the frame of the active window answers, and only for its own keys.
    if (ws.GetTopLevel(msg.hwnd) != host_->HandleOrNull() || !TakesKeys())
        return false;
    if (std::optional<bool> answered = FrameKey(msg))
        return *answered;
    if (BarTakesKeys())
        return !menu_bar_->IsMenuDropped() && menu_bar_->Key(msg, ws.KeyModifiers());
    return msg.message == WM_KEYDOWN && ProcessKeyPress(msg) == 1;
}

LRESULT FrameCore::ProcessKeyPress(const MSG& msg)
{
    TMainMenu* menu = KeyMenu();
    if (destroying_ || !menu || !ShortcutsAllowed())
        return 0;
    TShortCut shortcut = MenuBarKeys::ShortCutOf(msg, host_->Windows().KeyModifiers());
    return shortcut != scNone && menu->DispatchShortCut(shortcut) ? 1 : 0;
}

}
