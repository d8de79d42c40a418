#include "skin/frame/mdi_form.h"

#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "platform/components/controls/main_menu.h"
#include "platform/components/controls/menu_bar_keys.h"
#include "platform/components/controls/panel.h"
#include "platform/components/controls/tool_button.h"
#include "platform/components/props.h"
#include "platform/gfx/resources.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/mdi_client.h"
#include "platform/window/window_system.h"
#include "skin/buttons/tool_bar_speed_button.h"
#include "skin/draw/frame_strip.h"
#include "skin/draw/rotate.h"
#include "skin/frame/form_border_painter.h"
#include "skin/frame/form_geometry.h"
#include "skin/frame/menu_bar_look.h"
#include "skin/frame/skin_form.h"
#include "skin/frame/skin_menu_bar.h"
#include "skin/menus/menu_routines.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/named_pictures.h"
#include "skin/window/placement.h"

#include <algorithm>
#include <stdexcept>

namespace pellamo {

namespace {

constexpr int kMinWidth = 125;
constexpr int kMinHeight = 50;
constexpr DWORD kCaptionBits = WS_CAPTION;

// Glyph frame and distance from the panel's right edge of each control
// button, in the order close, restore, minimise.
struct ControlButtonRow {
    int frame;
    int tag;
    int from_right;
};
constexpr ControlButtonRow kControlButtons[] = {
    { 3, TsuiMDIForm::kCloseTag, 20 },
    { 2, TsuiMDIForm::kRestoreTag, 38 },
    { 1, TsuiMDIForm::kMinimizeTag, 56 },
};
constexpr int kControlButtonSize = 18;

TComponent* FormOrRefusal(TComponent* owner)
{
    if (!dynamic_cast<TForm*>(owner))
        throw std::invalid_argument("Sorry, TsuiMDIForm must be placed on a form");
    return owner;
}

TsuiForm* FirstSkinFrame(const TWinControl& form)
{
    for (int i = 0; i < form.ControlCount(); ++i)
        if (auto* frame = dynamic_cast<TsuiForm*>(form.Controls(i)))
            return frame;
    return nullptr;
}

}

TsuiMDIForm::TsuiMDIForm(TComponent* owner)
    : TComponent(FormOrRefusal(owner))
{
    m_host = static_cast<TForm*>(owner);
    m_host->Constraints().SetMinHeight(kMinHeight);
    m_host->Constraints().SetMinWidth(kMinWidth);
    m_host->SetMenu(nullptr);
    switch (m_host->BorderStyle()) {
    case TFormBorderStyle::bsNone:
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
        m_host->SetBorderStyle(TFormBorderStyle::bsDialog);
        break;
    default:
        break;
    }
    m_host->TWinControl::SetBorderWidth(0);

    m_title_bar = new TsuiTitleBar(this);
    m_title_bar->SetParent(m_host);
    m_title_bar->SetTop(0);
    m_title_bar->SetCaption(m_host->Caption());

    m_menu_panel = new TPanel(this);
    m_menu_panel->SetBevelInner(TBevelCut::bvNone);
    m_menu_panel->SetBevelOuter(TBevelCut::bvNone);
    m_menu_panel->SetCaption("");
    m_menu_panel->SetVisible(false);
    m_menu_panel->SetBounds(0, m_title_bar->Height(), m_host->ClientWidth(), 22);
    m_menu_panel->SetParent(m_host);
    m_menu_panel->SetAlign(TAlign::alTop);

    m_menu_bar = new TsuiMenuBar(this, [this]() -> TMenu* { return m_effective; });
    m_menu_bar->SetFlat(true);
    m_menu_bar->SetShowCaptions(true);
    m_menu_bar->SetWrapable(false);
    m_menu_bar->SetParent(m_menu_panel);
    m_menu_bar->SetAlign(TAlign::alTop);
    m_menu_bar->SetAutoSize(true);
    m_menu_bar->OnCustomDraw
        = [this](TToolBar* bar, const Rect& rect, bool& default_draw) { DrawMenuBar(bar, rect, default_draw); };
    if (!HasState(csDesigning)) {
        m_menu_bar->OnCustomDrawButton = [this](TToolBar* bar, TToolButton* button, TCustomDrawState state,
                                             bool& default_draw) { DrawButton(bar, button, state, default_draw); };
        static const std::shared_ptr<const Bitmap> strip = Resources::CachedBitmap(kMdiControlButton);
        for (size_t i = 0; i < m_control_buttons.size(); ++i) {
            const ControlButtonRow& row = kControlButtons[i];
            auto* button = new TsuiToolBarSpeedButton(this);
            Bitmap glyph;
            SpitBitmap(*strip, glyph, 3, row.frame);
            button->Glyph().SetBitmap(glyph);
            button->SetTag(row.tag);
            button->SetVisible(false);
            button->SetBounds(m_menu_panel->Width() - row.from_right, 1, kControlButtonSize, kControlButtonSize);
            button->SetParent(m_menu_panel);
            button->SetAnchors({ TAnchorKind::akTop, TAnchorKind::akRight });
            button->OnClick = [this](TObject* sender) { OnControlButtonClick(sender); };
            m_control_buttons[i] = button;
        }
    }
    UpdateMenu();
    SetUIStyle(TsuiUIStyle::DeepBlue);

    WindowSystem& ws = m_host->Windows();
    HWND host = m_host->Handle();
    ws.SetStyle(host, ws.GetStyle(host) & ~kCaptionBits);
    m_subclass = ws.SetWindowSubclass(host, [this](HWND h, UINT msg, WPARAM w, LPARAM l, const pellamo::WndProc& next) {
        return FrameProc(h, msg, w, l, next);
    });
    HookClient();
    m_hook = ws.AddMessageHook([this](MSG& msg) { return Hook(msg); });
    RecalcFrame();
}

TsuiMDIForm::~TsuiMDIForm()
{
    *m_alive = false;
    m_destroying = true;
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu); skinned && skinned->MenuBarHost() == this)
        skinned->SetMenuBarHost(nullptr);
    Restore();
}

void TsuiMDIForm::Restore()
{
    WindowSystem* ws = WindowSystem::Current();
    if (!ws || !m_host)
        return;
    if (m_hook)
        ws->RemoveMessageHook(m_hook);
    m_hook = 0;
    if (m_client_subclass && ws->IsWindow(m_client))
        ws->RemoveWindowSubclass(m_client, m_client_subclass);
    m_client_subclass = 0;
    HWND host = m_host->HandleOrNull();
    if (!m_subclass || !host || !ws->IsWindow(host))
        return;
    ws->RemoveWindowSubclass(host, m_subclass);
    m_subclass = 0;
    ws->SetStyle(host, ws->GetStyle(host) | kCaptionBits);
    ws->SetWindowPos(
        host, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

const ClassInfo& TsuiMDIForm::StaticClass()
{
    using F = TsuiMDIForm;
    static const ClassInfo info("TsuiMDIForm", &TComponent::StaticClass(),
        {
            props::Enum<F>("UIStyle", UIStyleNames(), &F::UIStyle, &F::SetUIStyle),
            props::Ref<F, TsuiFileTheme>("FileTheme", &F::FileTheme, &F::SetFileTheme),
            props::Ref<F, TMainMenu>("Menu", &F::Menu, &F::SetMenu),
            props::Color<F>("MenuBarColor", &F::MenuBarColor, &F::SetMenuBarColor),
            props::Color<F>("BorderColor", &F::BorderColor, &F::SetBorderColor),
            props::Str<F>("Caption", &F::FrameCaption, &F::SetFrameCaption),
            props::Bool<F>("TitleBarDrawAppIcon", &F::TitleBarDrawAppIcon, &F::SetTitleBarDrawAppIcon),
            props::Bool<F>("TitleBarCustom", &F::TitleBarCustom, &F::SetTitleBarCustom),
            props::Bool<F>("TitleBarVisible", &F::TitleBarVisible, &F::SetTitleBarVisible),
            // Empty ones stand in once the title bar has gone (the form freed it first).
            props::Collection<F>("TitleBarButtons",
                [](F& f) -> TCollection& { return f.m_title_bar ? f.m_title_bar->Buttons() : f.m_no_buttons; }),
            props::Collection<F>("TitleBarSections",
                [](F& f) -> TCollection& { return f.m_title_bar ? f.m_title_bar->Sections() : f.m_no_sections; }),
            props::Bool<F>(
                "TitleBarDrawChildCaptions", &F::TitleBarDrawChildCaptions, &F::SetTitleBarDrawChildCaptions),
            props::Bool<F>("TitleBarDrawChildMenus", &F::TitleBarDrawChildMenus, &F::SetTitleBarDrawChildMenus),
            props::Int<F>("RoundCorner", &F::RoundCorner, &F::SetRoundCorner),
            props::Int<F>("RoundCornerBottom", &F::RoundCornerBottom, &F::SetRoundCornerBottom),
        },
        FactoryOf<TsuiMDIForm>());
    return info;
}

void TsuiMDIForm::HookClient()
{
    HWND client = m_host->ClientHandle();
    if (m_client_subclass && client == m_client)
        return;
    WindowSystem& ws = m_host->Windows();
    if (m_client_subclass && ws.IsWindow(m_client))
        ws.RemoveWindowSubclass(m_client, m_client_subclass);
    m_client_subclass = 0;
    m_client = client;
    if (client)
        m_client_subclass
            = ws.SetWindowSubclass(client, [this](HWND h, UINT msg, WPARAM w, LPARAM l, const pellamo::WndProc& next) {
                  return ClientProc(h, msg, w, l, next);
              });
}

void TsuiMDIForm::Loaded()
{
    TComponent::Loaded();
    HookClient();
    UpdateMenu();
}

void TsuiMDIForm::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opInsert) {
        if (m_title_bar && !m_destroying)
            m_title_bar->SetTop(0);
        return;
    }
    if (component == m_menu) {
        m_menu = nullptr;
        if (!m_destroying)
            UpdateMenu();
    }
    if (component == m_effective)
        m_effective = nullptr;
    if (component == m_title_bar)
        m_title_bar = nullptr;
    if (component == m_menu_bar)
        m_menu_bar = nullptr;
    if (component == m_menu_panel)
        m_menu_panel = nullptr;
    for (auto& b : m_control_buttons)
        if (component == b)
            b = nullptr;
    if (component == m_file_theme) {
        m_file_theme = nullptr;
        if (!m_destroying)
            SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

// ---------------------------------------------------------------- properties

void TsuiMDIForm::SetUIStyle(TsuiUIStyle style)
{
    m_ui_style = style;
    ThemeSource theme(m_file_theme, style);
    m_border_color = theme.Color(ThemeItem::FormBorderColor);
    m_menu_bar_color = theme.Color(ThemeItem::FormBackgroundColor);
    m_border_width = theme.Int(ThemeItem::FormBorderWidthInt);
    m_round_corner = theme.Int(ThemeItem::FormRoundCornerInt);
    m_border_pictures.Take(theme);
    if (theme.UsesFileTheme()) {
        TColor own = theme.Color(ThemeItem::MenuMenuBarColor);
        m_menu_bar_color
            = own != -1 ? own : FallbackMenuBarColor(theme.Color(ThemeItem::ControlFontColor), m_menu_bar_color);
        m_round_corner_bottom = theme.Int(ThemeItem::FormBottomRoundCornerInt);
    } else {
        m_round_corner_bottom = 0;
    }
    SetMenuBarColor(m_menu_bar_color);
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu)) {
        skinned->SetUIStyle(style);
        skinned->SetFileTheme(m_file_theme);
    }
    if (!m_title_bar)
        return;
    m_title_bar->SetFileTheme(m_file_theme);
    m_title_bar->SetUIStyle(style);
    m_title_bar->SetRoundCorner(0);
    m_title_bar->SetRoundCornerBottom(0);
    RecalcFrame();
    RegionWindow();
    PaintBorder();
}

void TsuiMDIForm::SetFileTheme(TsuiFileTheme* theme)
{
    // The same theme set again has loaded another file: restyle all the same.
    if (m_file_theme && m_file_theme != theme)
        RemoveFreeNotification(m_file_theme);
    m_file_theme = theme;
    if (theme)
        FreeNotification(theme);
    SetUIStyle(m_ui_style);
}

void TsuiMDIForm::SetMenu(TMainMenu* menu)
{
    if (auto* old = dynamic_cast<TsuiMainMenu*>(m_menu); old && old != menu && old->MenuBarHost() == this)
        old->SetMenuBarHost(nullptr);
    if (m_menu && m_menu != menu)
        RemoveFreeNotification(m_menu);
    m_menu = menu;
    if (menu) {
        FreeNotification(menu);
        if (auto* skinned = dynamic_cast<TsuiMainMenu*>(menu)) {
            skinned->SetMenuBarHost(this);
            skinned->SetUIStyle(m_ui_style);
            skinned->SetFileTheme(m_file_theme);
        }
    }
    UpdateMenu();
}

void TsuiMDIForm::SetMenuBarColor(TColor color)
{
    m_menu_bar_color = color;
    if (m_menu_bar)
        m_menu_bar->SetColor(color);
    if (m_menu_panel)
        m_menu_panel->SetColor(color);
    if (!HasState(csDesigning))
        for (auto* b : m_control_buttons)
            if (b)
                b->SetColor(color);
}

void TsuiMDIForm::SetBorderColor(TColor color)
{
    m_border_color = color;
    if (!HasState(csDesigning))
        PaintBorder();
}

std::string TsuiMDIForm::FrameCaption() const { return m_host->Caption(); }

// While a child is maximised its own title bar is hidden, so the frame's
// names it, as "Frame - [Child]".
void TsuiMDIForm::SetFrameCaption(const std::string& caption)
{
    m_host->SetCaption(caption);
    if (!m_title_bar)
        return;
    TForm* child = m_host->ActiveMDIChild();
    if (child && child->WindowState() == TWindowState::wsMaximized)
        m_title_bar->SetCaption(caption + " - [" + child->Caption() + "]");
    else
        m_title_bar->SetCaption(caption);
}

bool TsuiMDIForm::TitleBarVisible() const { return m_title_bar && m_title_bar->Visible(); }

void TsuiMDIForm::SetTitleBarVisible(bool visible)
{
    if (!m_title_bar)
        return;
    m_title_bar->SetVisible(visible);
    m_title_bar->SetTop(0);
    RegionWindow();
    PaintBorder();
}

void TsuiMDIForm::SetTitleBarDrawChildMenus(bool on)
{
    m_draw_child_menus = on;
    UpdateMenu();
}

void TsuiMDIForm::SetRoundCorner(int r)
{
    m_round_corner = r;
    RegionWindow();
}

void TsuiMDIForm::SetRoundCornerBottom(int r)
{
    m_round_corner_bottom = r;
    RegionWindow();
}

// ---------------------------------------------------------------- children

TsuiForm* TsuiMDIForm::GetActiveChildSUIForm() const
{
    TForm* child = m_host->ActiveMDIChild();
    return child ? FirstSkinFrame(*child) : nullptr;
}

TMainMenu* TsuiMDIForm::GetMainMenu() const
{
    if (m_draw_child_menus && m_title_bar) {
        if (TForm* child = m_host->ActiveMDIChild()) {
            if (auto* own = child->Menu<TMainMenu>())
                return own;
            if (TsuiForm* frame = FirstSkinFrame(*child); frame && frame->Menu())
                return frame->Menu();
        }
    }
    return m_menu;
}

void TsuiMDIForm::Cascade()
{
    int count = m_host->MDIChildCount();
    int w = m_host->ClientWidth() * 4 / 5;
    int h = m_host->ClientHeight() * 3 / 5;
    int x = 0, y = 0;
    for (int i = count - 1; i >= 0; --i) {
        TForm* child = m_host->MDIChildren(i);
        if (!child || child->WindowState() == TWindowState::wsMinimized)
            continue;
        child->SetBounds(x, y, std::max(0, w), std::max(0, h));
        x += 22;
        y += 22;
    }
}

void TsuiMDIForm::Tile()
{
    int count = m_host->MDIChildCount();
    std::vector<TForm*> shown;
    for (int i = count - 1; i >= 0; --i)
        if (TForm* child = m_host->MDIChildren(i); child && child->WindowState() != TWindowState::wsMinimized)
            shown.push_back(child);
    int n = static_cast<int>(shown.size());
    if (n == 0)
        return;
    int h = m_host->ClientHeight();
    for (int i = 0; i < m_host->ControlCount(); ++i) {
        TControl* c = m_host->Controls(i);
        if (c->Visible() && (c->Align() == TAlign::alTop || c->Align() == TAlign::alBottom))
            h -= c->Height();
    }
    if (n < count)
        h -= 25; // room for the minimised children
    // A client smaller than its children gets empty windows, never negative ones.
    h = std::max(0, h);
    int width = m_host->ClientWidth();
    if (m_host->TileMode() == TTileMode::tbVertical) {
        int column = width / n;
        int x = 0;
        for (TForm* child : shown) {
            child->SetBounds(x, 0, std::max(0, column - 2), std::max(0, h - 4));
            x += std::max(0, column - 2);
        }
    } else {
        int row = h / n;
        int y = 0;
        for (TForm* child : shown) {
            child->SetBounds(0, y, std::max(0, width - 4), std::max(0, row - 2));
            y += std::max(0, row - 2);
        }
    }
}

void TsuiMDIForm::ShowControlButtons()
{
    TsuiForm* frame = GetActiveChildSUIForm();
    if (!frame || HasState(csDesigning))
        return;
    const TsuiTitleBarButtons& buttons = frame->TitleBar().Buttons();
    for (int i = 0; i < buttons.Count(); ++i) {
        TsuiTitleBarBtnType type = buttons.Items(i)->ButtonType();
        TsuiToolBarSpeedButton* shown = type == TsuiTitleBarBtnType::suiMin ? m_control_buttons[2]
            : type == TsuiTitleBarBtnType::suiMax                           ? m_control_buttons[1]
            : type == TsuiTitleBarBtnType::suiClose                         ? m_control_buttons[0]
                                                                            : nullptr;
        if (shown)
            shown->SetVisible(true);
    }
}

void TsuiMDIForm::HideControlButtons()
{
    for (auto* b : m_control_buttons)
        if (b)
            b->SetVisible(false);
}

void TsuiMDIForm::SyncControlButtons(HWND client)
{
    // Activation, closing and minimising change which child is maximised
    // as well as the two requests that say so.
    int maximised = 0;
    m_host->Windows().SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    HideControlButtons();
    if (maximised)
        ShowControlButtons();
}

void TsuiMDIForm::OnControlButtonClick(TObject* sender)
{
    auto* button = dynamic_cast<TComponent*>(sender);
    TForm* child = m_host->ActiveMDIChild();
    if (!button || !child)
        return;
    WindowSystem& ws = m_host->Windows();
    HWND h = child->Handle();
    switch (button->Tag()) {
    case kCloseTag:
        child->Close();
        break;
    case kRestoreTag:
        ws.SendMessage(m_client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(h), 0);
        break;
    case kMinimizeTag:
        ws.SendMessage(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    default:
        return;
    }
    if (Application)
        Application->ProcessMessages();
}

// ---------------------------------------------------------------- menu bar

void TsuiMDIForm::ShowMenuBar()
{
    if (!m_menu_panel || !m_menu_bar)
        return;
    m_menu_bar->SetVisible(true);
    m_menu_panel->SetVisible(true);
    m_title_bar->SetTop(0);
}

void TsuiMDIForm::HideMenuBar()
{
    if (m_menu_panel)
        m_menu_panel->SetVisible(false);
}

void TsuiMDIForm::UpdateMenu()
{
    if (!m_menu_bar || !m_menu_panel || m_destroying)
        return;
    m_effective = GetMainMenu();
    if (!m_effective) {
        HideMenuBar();
        PaintBorder();
        return;
    }
    m_title_bar->SetTop(0);
    RepaintMenuBar();
    TMenuItem* root = m_effective->Items();
    while (m_menu_bar->ButtonCount() > root->Count())
        m_menu_bar->Buttons(0)->Free();
    while (m_menu_bar->ButtonCount() < root->Count()) {
        auto* button = new TToolButton(this);
        button->SetParent(m_menu_bar);
        button->SetGrouped(true);
    }
    for (int i = 0; i < root->Count(); ++i)
        m_menu_bar->Buttons(i)->SetMenuItem(root->Items(i));
    UpdateTopMenu();
    ShowMenuBar();
    m_menu_panel->SetHeight(m_menu_bar->Height());
    PaintBorder();
}

void TsuiMDIForm::UpdateTopMenu()
{
    if (!m_menu_bar || !m_effective)
        return;
    if (!m_menu_bar->SyncTopItems(m_effective->Items()))
        UpdateMenu();
}

void TsuiMDIForm::RepaintMenuBar()
{
    if (!m_menu_bar)
        return;
    // The bar's font follows the frame's own skinned menu.
    pellamo::Font font;
    Menu_GetSystemFont(font);
    if (auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu); skinned && !skinned->UseSystemFont())
        font.SetSize(skinned->FontSize());
    font.color = SystemColors::Resolve(font.color);
    m_menu_bar->Font().SetFont(font);
    m_menu_bar->Invalidate();
}

MenuBarLook TsuiMDIForm::BarLook() const
{
    auto* skinned = dynamic_cast<TsuiMainMenu*>(m_menu);
    return ResolveMenuBarLook(m_file_theme, skinned ? skinned->UIStyle() : m_ui_style, skinned);
}

MenuBarLook TsuiMDIForm::ButtonLook() const
{
    return ResolveMenuBarLook(m_file_theme, m_ui_style, dynamic_cast<TsuiMainMenu*>(m_menu));
}

void TsuiMDIForm::DrawMenuBar(TToolBar* bar, const Rect& rect, bool& default_draw)
{
    if (PaintMenuBarBackground(bar->Canvas(), rect, BarLook()))
        default_draw = false;
}

void TsuiMDIForm::DrawButton(TToolBar* bar, TToolButton* button, unsigned state, bool& default_draw)
{
    default_draw = false;
    // The MDI frame does not grey disabled captions.
    if (m_menu_bar)
        PaintMenuBarButton(
            bar->Canvas(), button->BoundsRect(), m_menu_bar->ButtonFace(button, state, false), ButtonLook());
}

// ---------------------------------------------------------------- frame

void TsuiMDIForm::RecalcFrame()
{
    if (!m_host || !m_host->HandleAllocated())
        return;
    m_host->Windows().SetWindowPos(m_host->HandleOrNull(), nullptr, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TsuiMDIForm::PaintBorder()
{
    if (m_destroying || !m_host || !m_host->HandleAllocated() || !m_title_bar)
        return;
    if (m_host->TWinControl::BorderWidth() != 0)
        m_host->TWinControl::SetBorderWidth(0);
    WindowSystem& ws = m_host->Windows();
    HWND host = m_host->HandleOrNull();
    if (ws.IsIconic(host) && !HasState(csDesigning))
        return;
    bool bar_shown = m_menu_panel && m_menu_panel->Visible();
    FormBorderFace face;
    DescribeFrameWindow(face, ws, host, *m_title_bar);
    face.border_width = m_border_width;
    face.border_color = SystemColors::Resolve(m_border_color);
    face.color = SystemColors::Resolve(m_menu_bar_color);
    if (m_border_pictures.HasSides())
        face.color = SystemColors::Resolve(bar_shown ? m_menu_bar->Color() : m_host->Color());
    face.round_corner = m_round_corner;
    face.designing = HasState(csDesigning);
    face.has_menu_bar = m_menu_bar != nullptr;
    face.menu_bar = bar_shown;
    face.menu_bar_height = bar_shown ? m_menu_panel->Height() : 0;
    face.menu_bar_color = SystemColors::Resolve(m_menu_bar_color);
    face.form_color = SystemColors::Resolve(m_host->Color());
    m_border_pictures.Describe(face);
    PaintBorderOnWindow(ws, host, face);
}

void TsuiMDIForm::RegionWindow()
{
    if (!m_host || !m_host->HandleAllocated() || HasState(csDesigning) || m_destroying)
        return;
    WindowSystem& ws = m_host->Windows();
    HWND host = m_host->HandleOrNull();
    Rect bounds = ws.GetWindowRect(host);
    bool title = TitleBarVisible();
    ws.SetWindowRgn(host,
        FrameRegion({ bounds.Width(), bounds.Height() }, title ? m_round_corner : 0, title ? m_round_corner_bottom : 0),
        true);
}

void TsuiMDIForm::SizeChanged()
{
    bool maximised = m_host->WindowState() == TWindowState::wsMaximized;
    if (maximised && HasState(csDesigning))
        return;
    if (maximised && m_host->FormStyle() != TFormStyle::fsMDIChild) {
        Rect target = MaximisedFrameBounds(GetWorkAreaRect());
        if (!target.IsEmpty() && m_host->BoundsRect() != target)
            m_host->SetBoundsRect(target);
    }
    PaintBorder();
    RegionWindow();
}

LRESULT TsuiMDIForm::FrameProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next)
{
    if (m_destroying)
        return next(hwnd, msg, wparam, lparam);
    WindowSystem& ws = m_host->Windows();
    switch (msg) {
    case WM_NCCALCSIZE: {
        if (ws.GetStyle(hwnd) & kCaptionBits)
            ws.SetStyle(hwnd, ws.GetStyle(hwnd) & ~kCaptionBits);
        FrameEdges edges;
        edges.border_width = 0; // the bottom edge goes 2 pixels down before the window's own frame comes off
        edges.side_picture = m_border_pictures.SideWidth();
        edges.bottom_picture = m_border_pictures.BottomHeight();
        ApplyFrameCalcRect(wparam, lparam, edges);
        return next(hwnd, msg, wparam, lparam);
    }
    case kBorderPictureWidthMessage:
        return m_border_pictures.SideWidth();
    case WM_NCPAINT:
        if (ws.IsIconic(hwnd))
            return next(hwnd, msg, wparam, lparam);
        PaintBorder();
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
    case WM_ACTIVATE:
        if (m_title_bar)
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

LRESULT TsuiMDIForm::ClientProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next)
{
    std::shared_ptr<bool> alive = m_alive;
    LRESULT result = next(hwnd, msg, wparam, lparam);
    if (!*alive || m_destroying)
        return result;
    switch (msg) {
    case WM_MDISETMENU:
        UpdateMenu();
        SyncControlButtons(hwnd);
        SetFrameCaption(m_host->Caption());
        break;
    case WM_MDIMAXIMIZE:
    case WM_MDIRESTORE:
    case WM_MDIICONARRANGE: // a child was minimised
        SyncControlButtons(hwnd);
        SetFrameCaption(m_host->Caption());
        break;
    case WM_MDITILE:
        Tile();
        break;
    case WM_MDICASCADE:
        Cascade();
        break;
    default:
        break;
    }
    return result;
}

bool TsuiMDIForm::Hook(MSG& msg)
{
    if (m_destroying || !m_host->HandleAllocated() || !msg.hwnd
        || (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_KEYUP
            && msg.message != WM_SYSKEYUP && msg.message != WM_CHAR && msg.message != WM_SYSCHAR))
        return false;
    WindowSystem& ws = m_host->Windows();
    HWND host = m_host->HandleOrNull();
    // Only the active, unblocked frame answers, and only for its own window's keys.
    if (ws.GetTopLevel(msg.hwnd) != host || ws.GetActiveWindow() != host || !ws.IsWindowEnabled(host))
        return false;
    if (m_effective && m_menu_bar && m_menu_panel && m_menu_panel->Visible())
        return !m_menu_bar->IsMenuDropped() && m_menu_bar->Key(msg, ws.KeyModifiers());
    return msg.message == WM_KEYDOWN && ProcessKeyPress(msg) == 1;
}

LRESULT TsuiMDIForm::ProcessKeyPress(const MSG& msg)
{
    if (m_destroying || !m_effective)
        return 0;
    WindowSystem& ws = m_host->Windows();
    HWND host = m_host->HandleOrNull();
    if (ws.GetActiveWindow() != host || !ws.IsWindowEnabled(host))
        return 0;
    TShortCut shortcut = MenuBarKeys::ShortCutOf(msg, ws.KeyModifiers());
    return shortcut != scNone && m_effective->DispatchShortCut(shortcut) ? 1 : 0;
}

}
