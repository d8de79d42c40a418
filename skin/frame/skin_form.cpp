#include "skin/frame/skin_form.h"

#include "platform/components/controls/form.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_bar.h"
#include "platform/components/controls/tool_button.h"
#include "platform/components/props.h"
#include "platform/gfx/resources.h"
#include "platform/window/window_system.h"
#include "skin/draw/rotate.h"
#include "skin/draw/tile.h"
#include "skin/frame/form_border_painter.h"
#include "skin/frame/form_geometry.h"
#include "skin/frame/menu_bar_look.h"
#include "skin/frame/menu_bar_painter.h"
#include "skin/frame/refusal_box.h"
#include "skin/menus/menu_routines.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/named_pictures.h"
#include "skin/window/form_focus.h"
#include "skin/window/placement.h"

#include <stdexcept>

namespace pellamo {

namespace {

constexpr int kMinWidth = 125;
constexpr int kMinHeight = 50;
constexpr DWORD kCaptionBits = WS_CAPTION;

// Size messages seen while a frame that started maximised is still
// maximised; shared by all frames.
int g_started_maximised_sizes = 0;

bool IsKeyMessage(UINT msg) { return msg >= WM_KEYDOWN && msg <= WM_SYSCHAR; }

}

TsuiForm::TsuiForm(TComponent* owner)
    : TCustomPanel(owner)
{
    m_host = dynamic_cast<TForm*>(owner);
    if (m_host)
        for (int i = 0; i < m_host->ControlCount(); ++i)
            if (dynamic_cast<TsuiForm*>(m_host->Controls(i)))
                throw std::runtime_error("Sorry, You can create only one TsuiForm component in one form!");

    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    SetBorderStyle(TBorderStyle::bsNone);
    m_title_bar = new TsuiTitleBar(this);
    m_title_bar->OnCustomBtnsClick = [this](TObject* sender, int index) { OnTitleBarCustomBtnsClick(sender, index); };
    m_title_bar->OnHelpBtnClick = [this](TObject* sender, int index) { OnTitleBarHelpBtnClick(sender, index); };
    if (!m_host) {
        // Not on a form: a plain panel that takes nothing over.
        m_title_bar->SetVisible(false);
        m_title_bar->SetParent(this);
        return;
    }

    SetParent(m_host);
    m_host->Constraints().SetMinHeight(kMinHeight);
    m_host->Constraints().SetMinWidth(kMinWidth);
    Constraints().SetMinHeight(kMinHeight);
    Constraints().SetMinWidth(kMinWidth);
    m_host->TWinControl::SetBorderWidth(0);
    m_restore_rect = m_host->BoundsRect();
    m_started_maximised = m_host->WindowState() == TWindowState::wsMaximized;

    m_title_bar->SetParent(this);
    m_menu_bar_color = Color();
    m_menu_bar_height = 22;
    SetAlign(TAlign::alClient);
    SetFrameCaption(m_host->Caption());
    SetCaption(" ");

    m_host->SetScaled(false);
    switch (m_host->BorderStyle()) {
    case TFormBorderStyle::bsNone:
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
        m_host->SetBorderStyle(TFormBorderStyle::bsDialog);
        break;
    default:
        break;
    }
    WindowSystem& ws = Windows();
    HWND host = m_host->Handle();
    ws.SetStyle(host, ws.GetStyle(host) & ~kCaptionBits);
    m_subclass = ws.SetWindowSubclass(host, [this](HWND h, UINT msg, WPARAM w, LPARAM l, const pellamo::WndProc& next) {
        return FrameProc(h, msg, w, l, next);
    });
    m_hook = ws.AddMessageHook([this](MSG& msg) { return Hook(msg); });
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

TsuiForm::~TsuiForm()
{
    *m_alive = false;
    m_destroying = true;
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu); skinned && skinned->MenuBarHost() == this)
        skinned->SetMenuBarHost(nullptr);
    RestoreHost();
}

void TsuiForm::RestoreHost()
{
    if (!m_host)
        return;
    WindowSystem* ws = WindowSystem::Current();
    if (!ws)
        return;
    if (m_hook)
        ws->RemoveMessageHook(m_hook);
    m_hook = 0;
    HWND host = m_host->HandleOrNull();
    if (!m_subclass || !host || !ws->IsWindow(host))
        return;
    ws->RemoveWindowSubclass(host, m_subclass);
    m_subclass = 0;
    ws->SetStyle(host, ws->GetStyle(host) | kCaptionBits);
    ws->SetWindowPos(
        host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

const ClassInfo& TsuiForm::StaticClass()
{
    using F = TsuiForm;
    static const ClassInfo info("TsuiForm", &TCustomPanel::StaticClass(),
        {
            props::Bool<F>("TitleBarCustom", &F::TitleBarCustom, &F::SetTitleBarCustom),
            props::Ref<F, TsuiFileTheme>("FileTheme", &F::FileTheme, &F::SetFileTheme),
            props::Enum<F>("UIStyle", UIStyleNames(), &F::UIStyle, &F::SetUIStyle),
            props::Bool<F>("UIStyleAutoUpdateSub", &F::UIStyleAutoUpdateSub, &F::SetUIStyleAutoUpdateSub),
            props::Color<F>("BorderColor", &F::BorderColor, &F::SetBorderColor),
            props::Int<F>("BorderWidth", &F::BorderWidth, &F::SetBorderWidth),
            props::Bool<F>("TitleBarVisible", &F::TitleBarVisible, &F::SetTitleBarVisible),
            props::Str<F>("Caption", &F::FrameCaption, &F::SetFrameCaption),
            props::Ref<F, TCustomPanel>("FormPanel", &F::FormPanel, &F::SetFormPanel),
            props::Collection<F>("TitleBarButtons", [](F& f) -> TCollection& { return f.m_title_bar->Buttons(); }),
            props::Collection<F>("TitleBarSections", [](F& f) -> TCollection& { return f.m_title_bar->Sections(); }),
            props::Bool<F>("TitleBarDrawAppIcon", &F::TitleBarDrawAppIcon, &F::SetTitleBarDrawAppIcon),
            props::Object<F>("Font", [](F& f) -> TFont& { return f.m_title_bar->Font(); }),
            props::Ref<F, TMainMenu>("Menu", &F::Menu, &F::SetMenu),
            props::Color<F>("MenuBarColor", &F::MenuBarColor, &F::SetMenuBarColor),
            props::Int<F>("MenuBarHeight", &F::MenuBarHeight, &F::SetMenuBarHeight),
            props::Int<F>("RoundCorner", &F::RoundCorner, &F::SetRoundCorner),
            props::Int<F>("RoundCornerBottom", &F::RoundCornerBottom, &F::SetRoundCornerBottom),
            props::Str<F>("Version", &F::Version, &F::SetVersion),
            props::Event<F>("OnTitleBarCustomBtnsClick", &F::OnTitleBarCustomBtnsClick),
            props::Event<F>("OnTitleBarHelpBtnClick", &F::OnTitleBarHelpBtnClick),
        },
        FactoryOf<TsuiForm>());
    return info;
}

// ---------------------------------------------------------------- style

void TsuiForm::SetFileTheme(TsuiFileTheme* theme)
{
    if (theme == m_file_theme)
        return;
    if (m_file_theme)
        RemoveFreeNotification(m_file_theme);
    m_file_theme = theme;
    if (theme)
        FreeNotification(theme);
    SetUIStyle(m_ui_style);
}

void TsuiForm::SetUIStyle(TsuiUIStyle style)
{
    m_ui_style = style;
    ThemeSource theme(m_file_theme, style);
    m_border_color = theme.Color(ThemeItem::FormBorderColor);
    m_border_width = theme.Int(ThemeItem::FormBorderWidthInt);
    SetColor(theme.Color(ThemeItem::FormBackgroundColor));
    m_title_bar->SetRoundCorner(theme.Int(ThemeItem::FormRoundCornerInt));
    m_border_pictures.Take(theme);
    if (theme.UsesFileTheme()) {
        if (m_menu_bar) {
            TColor own = theme.Color(ThemeItem::MenuMenuBarColor);
            SetMenuBarColor(own != -1 ? own : FallbackMenuBarColor(theme.Color(ThemeItem::ControlFontColor), Color()));
        }
        m_title_bar->SetRoundCornerBottom(theme.Int(ThemeItem::FormBottomRoundCornerInt));
    } else {
        m_title_bar->SetRoundCornerBottom(0);
        SetMenuBarColor(Color());
    }
    m_title_bar->SetFileTheme(m_file_theme);
    m_title_bar->SetUIStyle(style);
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu)) {
        skinned->SetUIStyle(style);
        skinned->SetFileTheme(m_file_theme);
    }
    if (m_update_sub)
        ContainerApplyUIStyle(this, style, m_file_theme);
    RecalcFrame();
    Invalidate();
    PaintFormBorder();
}

void TsuiForm::RecalcFrame()
{
    if (!m_host || !m_host->HandleAllocated())
        return;
    Windows().SetWindowPos(m_host->HandleOrNull(), nullptr, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The client area may have changed where the window did not.
    m_host->Realign();
}

void TsuiForm::ReAssign()
{
    if (!m_host || !m_host->HandleAllocated())
        return;
    WindowSystem& ws = Windows();
    HWND host = m_host->HandleOrNull();
    if (ws.GetStyle(host) & kCaptionBits) {
        ws.SetStyle(host, ws.GetStyle(host) & ~kCaptionBits);
        RecalcFrame();
    }
}

void TsuiForm::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove || !component)
        return;
    if (component == m_form_panel)
        m_form_panel = nullptr;
    if (component == m_menu) {
        m_menu = nullptr;
        DestroyMenuBar();
    }
    if (component == m_file_theme) {
        m_file_theme = nullptr;
        ContainerApplyUIStyle(this, TsuiUIStyle::DeepBlue, nullptr);
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

// ---------------------------------------------------------------- simple properties

void TsuiForm::SetBorderColor(TColor color)
{
    m_border_color = color;
    PaintFormBorder();
}

void TsuiForm::SetBorderWidth(int width)
{
    m_border_width = width;
    // The bottom of the frame follows the border's width.
    RecalcFrame();
    PaintFormBorder();
}

void TsuiForm::SetTitleBarVisible(bool visible)
{
    if (visible == m_title_bar->Visible())
        return;
    m_title_bar->SetVisible(visible);
    m_title_bar->SetTop(0);
    PaintFormBorder();
}

void TsuiForm::SetFrameCaption(const std::string& caption)
{
    m_title_bar->SetCaption(caption);
    if (m_host)
        m_host->SetCaption(caption);
}

void TsuiForm::SetFormPanel(TCustomPanel* panel)
{
    if (panel == this) {
        ShowRefusal("Sorry, you can't select the Form assign to FormPanel property");
        return;
    }
    if (m_form_panel && m_form_panel != panel)
        RemoveFreeNotification(m_form_panel);
    m_form_panel = panel;
    if (!panel)
        return;
    FreeNotification(panel);
    panel->SetAlign(TAlign::alClient);
    if (panel->Class().Name() == "TPanel") {
        panel->SetBevelInner(TBevelCut::bvNone);
        panel->SetBevelOuter(TBevelCut::bvNone);
        panel->SetBorderStyle(TBorderStyle::bsNone);
        panel->SetCaption("");
    } else if (panel->Class().Name() == "TsuiImagePanel") {
        panel->SetCaption("");
    }
}

void TsuiForm::SetRoundCorner(int r)
{
    m_title_bar->SetRoundCorner(r);
    RegionWindow();
}

void TsuiForm::SetRoundCornerBottom(int r)
{
    m_title_bar->SetRoundCornerBottom(r);
    RegionWindow();
}

void TsuiForm::ColorChanged()
{
    TCustomPanel::ColorChanged();
    PaintFormBorder();
}

void TsuiForm::Resize()
{
    TCustomPanel::Resize();
    m_title_bar->SetTop(0);
}

int TsuiForm::GetTitleBarHeight() const { return m_title_bar->Visible() ? m_title_bar->Height() : 0; }

// ---------------------------------------------------------------- menu bar

void TsuiForm::SetMenu(TMainMenu* menu)
{
    if (auto* old = dynamic_cast<TsuiMainMenu*>(m_menu); old && old != menu && old->MenuBarHost() == this)
        old->SetMenuBarHost(nullptr);
    if (m_menu && m_menu != menu)
        RemoveFreeNotification(m_menu);
    m_menu = menu;
    if (!menu) {
        DestroyMenuBar();
        return;
    }
    FreeNotification(menu);
    // Never the plain bar as well on a skinned window.
    if (m_host && menu->MenuBar() && m_host->HandleAllocated() && menu->MenuBar()->Form() == m_host->HandleOrNull())
        menu->AttachToForm(nullptr);
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu))
        skinned->SetMenuBarHost(this);
    CreateMenuBar();
    UpdateMenu();
}

void TsuiForm::CreateMenuBar()
{
    if (m_menu_bar || !m_host)
        return;
    m_menu_bar = new TsuiMenuBar(this, this);
    m_menu_bar->SetFlat(true);
    m_menu_bar->SetEdgeBorders({}); // the frame draws the bar whole: no edge lines round it
    m_menu_bar->SetShowCaptions(true);
    m_menu_bar->SetButtonHeight(m_menu_bar_height);
    m_menu_bar->SetColor(m_menu_bar_color);
    m_menu_bar->SetWrapable(true);
    // Below the title bar before it is aligned.
    m_menu_bar->SetBounds(0, m_title_bar->Top() + m_title_bar->Height(), Width(), m_menu_bar_height);
    m_menu_bar->SetParent(this);
    m_menu_bar->SetAutoSize(true);
    m_menu_bar->OnCustomDraw
        = [this](TToolBar* bar, const Rect& rect, bool& default_draw) { DrawMenuBar(bar, rect, default_draw); };
    if (!HasState(csDesigning))
        m_menu_bar->OnCustomDrawButton = [this](TToolBar* bar, TToolButton* button, TCustomDrawState state,
                                             bool& default_draw) { DrawButton(bar, button, state, default_draw); };
    m_title_bar->SetTop(0);
    Realign();
}

void TsuiForm::DestroyMenuBar()
{
    if (auto* old = dynamic_cast<TsuiMainMenu*>(m_menu); old && old->MenuBarHost() == this)
        old->SetMenuBarHost(nullptr);
    m_menu = nullptr;
    if (!m_menu_bar)
        return;
    TsuiMenuBar* bar = m_menu_bar;
    m_menu_bar = nullptr;
    bar->Free();
    Realign();
    PaintFormBorder();
}

void TsuiForm::UpdateMenu()
{
    if (!m_menu_bar)
        return;
    if (!m_menu) {
        DestroyMenuBar();
        return;
    }
    m_menu_bar->SetAutoSize(false);
    RepaintMenuBar();
    while (m_menu_bar->ButtonCount() > 0)
        m_menu_bar->Buttons(m_menu_bar->ButtonCount() - 1)->Free();
    TMenuItem* root = m_menu->Items();
    for (int i = 0; i < root->Count(); ++i) {
        auto* button = new TToolButton(this);
        button->SetParent(m_menu_bar);
        button->SetGrouped(true);
        button->SetMenuItem(root->Items(i));
    }
    UpdateTopMenu();
    m_menu_bar->SetAutoSize(true);
}

void TsuiForm::UpdateTopMenu()
{
    if (!m_menu_bar || !m_menu)
        return;
    // Items came or went: the buttons are made again.
    if (!m_menu_bar->SyncTopItems(m_menu->Items()))
        UpdateMenu();
}

void TsuiForm::RepaintMenuBar()
{
    if (!m_menu_bar || !m_menu)
        return;
    pellamo::Font font;
    Menu_GetSystemFont(font);
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu); skinned && !skinned->UseSystemFont()) {
        font.name = skinned->FontName();
        font.SetSize(skinned->FontSize());
        font.charset = skinned->FontCharset();
    }
    font.color = SystemColors::Resolve(font.color);
    m_menu_bar->Font().SetFont(font);
    m_menu_bar->Invalidate();
}

void TsuiForm::SetMenuBarColor(TColor color)
{
    m_menu_bar_color = color;
    if (m_menu_bar)
        m_menu_bar->SetColor(color);
}

void TsuiForm::SetMenuBarHeight(int height)
{
    m_menu_bar_height = height;
    if (m_menu_bar)
        m_menu_bar->SetButtonHeight(height);
}

MenuBarLook TsuiForm::CurrentMenuBarLook() const
{
    auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu);
    return ResolveMenuBarLook(
        skinned ? skinned->FileTheme() : m_file_theme, skinned ? skinned->UIStyle() : m_ui_style, skinned);
}

void TsuiForm::DrawMenuBar(TToolBar* bar, const Rect& rect, bool& default_draw)
{
    if (PaintMenuBarBackground(bar->Canvas(), rect, CurrentMenuBarLook()))
        default_draw = false;
}

void TsuiForm::DrawButton(TToolBar* bar, TToolButton* button, unsigned state, bool& default_draw)
{
    default_draw = false;
    if (m_menu_bar)
        PaintMenuBarButton(
            bar->Canvas(), button->BoundsRect(), m_menu_bar->ButtonFace(button, state, true), CurrentMenuBarLook());
}

// ---------------------------------------------------------------- painting

void TsuiForm::Paint()
{
    if (m_destroying)
        return;
    Bitmap buffer(std::max(1, Width()), std::max(1, Height()));
    pellamo::Canvas off(buffer);
    Rect all { 0, 0, Width(), Height() };
    const char* tile = m_ui_style == TsuiUIStyle::MacOS ? kMacOSFormBackground
        : m_ui_style == TsuiUIStyle::Protein            ? kProteinFormBackground
                                                        : nullptr;
    if (tile) {
        TileDraw(off, *Resources::CachedBitmap(tile), all);
    } else {
        off.brush.color = SystemColors::Resolve(Color());
        off.FillRect(all);
    }
    Canvas().Draw(0, 0, buffer);
    PaintFormBorder();
}

void TsuiForm::PaintFormBorder()
{
    if (m_destroying || !m_host || !m_host->HandleAllocated() || m_host->WindowState() == TWindowState::wsMinimized)
        return;
    WindowSystem& ws = Windows();
    HWND host = m_host->HandleOrNull();
    if (ws.IsIconic(host))
        return;
    FormBorderFace face;
    DescribeFrameWindow(face, ws, host, *m_title_bar);
    face.border_width = m_border_width;
    face.border_color = SystemColors::Resolve(m_border_color);
    face.color = SystemColors::Resolve(Color());
    face.round_corner = m_title_bar->RoundCorner();
    face.designing = HasState(csDesigning);
    face.has_menu_bar = m_menu_bar != nullptr;
    face.menu_bar = m_menu_bar && m_menu_bar->Visible();
    face.menu_bar_height = m_menu_bar ? m_menu_bar->Height() : 0;
    face.menu_bar_color = SystemColors::Resolve(m_menu_bar_color);
    face.form_color = SystemColors::Resolve(m_host->Color());
    m_border_pictures.Describe(face);
    PaintBorderOnWindow(ws, host, face);
}

void TsuiForm::RegionWindow()
{
    if (!m_host || !m_host->HandleAllocated() || HasState(csDesigning))
        return;
    WindowSystem& ws = Windows();
    HWND host = m_host->HandleOrNull();
    Rect bounds = ws.GetWindowRect(host);
    ws.SetWindowRgn(host, FrameRegion({ bounds.Width(), bounds.Height() }, RoundCorner(), RoundCornerBottom()), true);
}

// ---------------------------------------------------------------- the host's messages

LRESULT TsuiForm::FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next)
{
    if (m_destroying)
        return next(hwnd, msg, wparam, lparam);
    WindowSystem& ws = Windows();
    switch (msg) {
    case WM_NCCALCSIZE: {
        // A style change may have given the window its caption again.
        if (ws.GetStyle(hwnd) & kCaptionBits)
            ws.SetStyle(hwnd, ws.GetStyle(hwnd) & ~kCaptionBits);
        FrameEdges edges;
        edges.border_width = m_border_width;
        edges.side_picture = m_border_pictures.SideWidth();
        edges.bottom_picture = m_border_pictures.HasSides() ? m_border_pictures.BottomHeight() : 0;
        ApplyFrameCalcRect(wparam, lparam, edges);
        return next(hwnd, msg, wparam, lparam);
    }
    case kBorderPictureWidthMessage:
        return m_border_pictures.SideWidth();
    case WM_NCPAINT:
        if (ws.IsIconic(hwnd))
            return next(hwnd, msg, wparam, lparam);
        PaintFormBorder();
        return 0;
    default:
        break;
    }
    std::shared_ptr<bool> alive = m_alive;
    LRESULT result = next(hwnd, msg, wparam, lparam);
    if (!*alive || m_destroying)
        return result;
    switch (msg) {
    case WM_KEYDOWN:
        result = ProcessKeyPress(MSG { hwnd, msg, wparam, lparam, 0, {} });
        break;
    case WM_SHOWWINDOW:
        // The form never shows the platform's own menu bar.
        if (m_host)
            m_host->SetMenu(nullptr);
        break;
    case WM_MDIACTIVATE:
        // An MDI child is never activated as a window of its own: the
        // client tells it that it gains (lParam) or loses the activation.
        m_title_bar->SetActive(reinterpret_cast<HWND>(lparam) == hwnd);
        break;
    case WM_ACTIVATE:
        m_title_bar->SetActive(LOWORD(wparam) != WA_INACTIVE);
        if (LOWORD(wparam) == WA_INACTIVE && m_menu_bar)
            m_menu_bar->LeaveKeyboard();
        break;
    case WM_SIZE:
        SizeChanged();
        break;
    default:
        break;
    }
    return result;
}

void TsuiForm::SizeChanged()
{
    bool maximised = m_host->WindowState() == TWindowState::wsMaximized;
    if (maximised && HasState(csDesigning))
        return;
    if (m_started_maximised) {
        if (!maximised) {
            m_host->SetBoundsRect(m_restore_rect);
            m_started_maximised = false;
        } else if (g_started_maximised_sizes == 2) {
            m_host->SetWindowState(TWindowState::wsMaximized);
        } else {
            ++g_started_maximised_sizes;
        }
    }
    // A maximised MDI child fills its client, which places it.
    if (maximised && m_host->FormStyle() != TFormStyle::fsMDIChild) {
        Rect target = MaximisedFrameBounds(GetWorkAreaRect());
        // Placing it sends this message again, with the place it asked for.
        if (!target.IsEmpty() && m_host->BoundsRect() != target)
            m_host->SetBoundsRect(target);
    }
    // A maximised MDI child fills the frame's client under the frame's own
    // title bar, which names it; its own bar would only take room.
    if (m_host->FormStyle() == TFormStyle::fsMDIChild && m_title_bar->Visible() == maximised) {
        if (maximised) {
            m_title_bar->SetVisible(false);
            m_title_bar_hidden_by_maximise = true;
        } else if (m_title_bar_hidden_by_maximise) {
            m_title_bar->SetVisible(true);
            m_title_bar_hidden_by_maximise = false;
        }
    }
    PaintFormBorder();
    m_title_bar->ProcessMaxBtn();
    RegionWindow();
}

bool TsuiForm::HostActive() const
{
    return m_host && m_host->HandleAllocated() && Windows().GetActiveWindow() == m_host->HandleOrNull();
}

LRESULT TsuiForm::ProcessKeyPress(const MSG& msg)
{
    if (m_destroying || !m_menu || !HostActive() || !FormHasFocus(m_host))
        return 0;
    TShortCut shortcut = MenuBarKeys::ShortCutOf(msg, Windows().KeyModifiers());
    return shortcut != scNone && m_menu->DispatchShortCut(shortcut) ? 1 : 0;
}

bool TsuiForm::Hook(MSG& msg)
{
    if (m_destroying || !m_host || !m_host->HandleAllocated() || !IsKeyMessage(msg.message) || !msg.hwnd)
        return false;
    WindowSystem& ws = Windows();
    // Only the frame of the active window answers, and only for its own keys.
    if (ws.GetTopLevel(msg.hwnd) != m_host->HandleOrNull() || !HostActive())
        return false;
    if (msg.message == WM_SYSCHAR && msg.wParam == ' ') {
        m_title_bar->PopupWindowMenu(m_title_bar->ClientToScreen({ 0, m_title_bar->Height() }));
        return true;
    }
    if (m_title_bar->WindowMenu().IsOpen())
        return false;
    if (m_menu_bar && m_menu)
        return !m_menu_bar->IsMenuDropped() && m_menu_bar->Key(msg, ws.KeyModifiers());
    return msg.message == WM_KEYDOWN && ProcessKeyPress(msg) == 1;
}

}
