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
#include "skin/frame/mdi_control_button.h"
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
constexpr int kControlButtonsRightMargin = 2;

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
    , FrameCore(static_cast<TComponent&>(*this))
{
    host_ = static_cast<TForm*>(owner);
    host_->SetMenu(nullptr);
    PrepareHost();

    title_bar_ = new TsuiTitleBar(this);
    title_bar_->SetParent(host_);
    title_bar_->SetTop(0);
    title_bar_->SetCaption(host_->Caption());

    menu_panel_ = new TPanel(this);
    menu_panel_->SetBevelInner(TBevelCut::bvNone);
    menu_panel_->SetBevelOuter(TBevelCut::bvNone);
    menu_panel_->SetCaption("");
    menu_panel_->SetVisible(false);
    menu_panel_->SetBounds(0, title_bar_->Height(), host_->ClientWidth(), 22);
    menu_panel_->SetParent(host_);
    menu_panel_->SetAlign(TAlign::alTop);

    menu_bar_ = new TsuiMenuBar(this, [this]() -> TMenu* { return effective_; });
    menu_bar_->SetFlat(true);
    menu_bar_->SetShowCaptions(true);
    menu_bar_->SetWrapable(false);
    menu_bar_->SetParent(menu_panel_);
    menu_bar_->SetAlign(TAlign::alTop);
    menu_bar_->SetAutoSize(true);
    DrawMenuBarOn(*menu_bar_);
    if (!HasState(csDesigning)) {
        static const std::shared_ptr<const Bitmap> strip = Resources::CachedBitmap(kMdiControlButton);
        for (size_t i = 0; i < control_buttons_.size(); ++i) {
            const ControlButtonRow& row = kControlButtons[i];
            auto* button = new MdiControlButton(
                this, [this](Canvas& canvas, const Rect& bounds) { PaintBarBehind(canvas, bounds); });
            Bitmap glyph;
            SpitBitmap(*strip, glyph, 3, row.frame);
            button->Glyph().SetBitmap(glyph);
            button->SetTag(row.tag);
            button->SetVisible(false);
            button->SetBounds(menu_panel_->Width() - row.from_right, 1, kControlButtonSize, kControlButtonSize);
            button->SetParent(menu_panel_);
            button->SetAnchors({ TAnchorKind::akTop, TAnchorKind::akRight });
            button->OnClick = [this](TObject* sender) { OnControlButtonClick(sender); };
            control_buttons_[i] = button;
        }
    }
    UpdateMenu();
    SetUIStyle(TsuiUIStyle::DeepBlue);

    TakeOverHost();
    HookClient();
    RecalcFrame();
}

TsuiMDIForm::~TsuiMDIForm() { LeaveHost(); }

void TsuiMDIForm::ReleaseHost()
{
    WindowSystem* ws = WindowSystem::Current();
    if (ws && client_subclass_ && ws->IsWindow(client_))
        ws->RemoveWindowSubclass(client_, client_subclass_);
    client_subclass_ = 0;
    FrameCore::ReleaseHost();
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
                [](F& f) -> TCollection& { return f.title_bar_ ? f.title_bar_->Buttons() : f.no_buttons_; }),
            props::Collection<F>("TitleBarSections",
                [](F& f) -> TCollection& { return f.title_bar_ ? f.title_bar_->Sections() : f.no_sections_; }),
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
    HWND client = host_->ClientHandle();
    if (client_subclass_ && client == client_)
        return;
    WindowSystem& ws = host_->Windows();
    if (client_subclass_ && ws.IsWindow(client_))
        ws.RemoveWindowSubclass(client_, client_subclass_);
    client_subclass_ = 0;
    client_ = client;
    if (client)
        client_subclass_
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
        if (title_bar_ && !destroying_)
            title_bar_->SetTop(0);
        return;
    }
    if (component == menu_) {
        menu_ = nullptr;
        if (!destroying_)
            UpdateMenu();
    }
    if (component == effective_)
        effective_ = nullptr;
    if (component == title_bar_)
        title_bar_ = nullptr;
    if (component == menu_bar_)
        menu_bar_ = nullptr;
    if (component == menu_panel_)
        menu_panel_ = nullptr;
    for (auto& b : control_buttons_)
        if (component == b)
            b = nullptr;
    if (style_.Forget(component)) {
        if (!destroying_)
            SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

// ---------------------------------------------------------------- properties

void TsuiMDIForm::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    ThemeSource theme = style_.Theme();
    TakeBorder(theme);
    menu_bar_color_ = theme.Color(ThemeItem::FormBackgroundColor);
    round_corner_ = theme.Int(ThemeItem::FormRoundCornerInt);
    if (theme.UsesFileTheme()) {
        menu_bar_color_ = FileThemeMenuBarColor(theme, menu_bar_color_);
        round_corner_bottom_ = theme.Int(ThemeItem::FormBottomRoundCornerInt);
    } else {
        round_corner_bottom_ = 0;
    }
    SetMenuBarColor(menu_bar_color_);
    StyleMenu(style);
    if (!title_bar_)
        return;
    title_bar_->SetFileTheme(FileTheme());
    title_bar_->SetUIStyle(style);
    title_bar_->SetRoundCorner(0);
    title_bar_->SetRoundCornerBottom(0);
    RecalcFrame();
    RegionWindow();
    PaintBorder();
}

void TsuiMDIForm::SetFileTheme(TsuiFileTheme* theme)
{
    // The same theme set again has loaded another file: restyle all the same.
    style_.SetFileTheme(theme);
    SetUIStyle(UIStyle());
}

void TsuiMDIForm::SetMenu(TMainMenu* menu)
{
    HostMenu(menu);
    StyleMenu(UIStyle());
    UpdateMenu();
}

void TsuiMDIForm::SetMenuBarColor(TColor color)
{
    menu_bar_color_ = color;
    if (menu_bar_)
        menu_bar_->SetColor(color);
    if (menu_panel_)
        menu_panel_->SetColor(color);
    if (!HasState(csDesigning))
        for (auto* b : control_buttons_)
            if (b)
                b->SetColor(color);
}

void TsuiMDIForm::SetBorderColor(TColor color)
{
    border_color_ = color;
    if (!HasState(csDesigning))
        PaintBorder();
}

std::string TsuiMDIForm::FrameCaption() const { return host_->Caption(); }

// While a child is maximised its own title bar is hidden, so the frame's
// names it, as "Frame - [Child]", unless TitleBarDrawChildCaptions is off.
void TsuiMDIForm::SetFrameCaption(const std::string& caption)
{
    host_->SetCaption(caption);
    if (!title_bar_)
        return;
    TForm* child = draw_child_captions_ ? host_->ActiveMDIChild() : nullptr;
    if (child && child->WindowState() == TWindowState::wsMaximized)
        title_bar_->SetCaption(caption + " - [" + child->Caption() + "]");
    else
        title_bar_->SetCaption(caption);
}

bool TsuiMDIForm::TitleBarVisible() const { return title_bar_ && title_bar_->Visible(); }

void TsuiMDIForm::SetTitleBarVisible(bool visible)
{
    if (!title_bar_)
        return;
    title_bar_->SetVisible(visible);
    title_bar_->SetTop(0);
    RegionWindow();
    PaintBorder();
}

void TsuiMDIForm::SetTitleBarDrawChildCaptions(bool on)
{
    draw_child_captions_ = on;
    SetFrameCaption(FrameCaption());
}

void TsuiMDIForm::SetTitleBarDrawChildMenus(bool on)
{
    draw_child_menus_ = on;
    UpdateMenu();
}

void TsuiMDIForm::SetRoundCorner(int r)
{
    round_corner_ = r;
    RegionWindow();
}

void TsuiMDIForm::SetRoundCornerBottom(int r)
{
    round_corner_bottom_ = r;
    RegionWindow();
}

// ---------------------------------------------------------------- children

TsuiForm* TsuiMDIForm::GetActiveChildSUIForm() const
{
    TForm* child = host_->ActiveMDIChild();
    return child ? FirstSkinFrame(*child) : nullptr;
}

TMainMenu* TsuiMDIForm::GetMainMenu() const
{
    if (draw_child_menus_ && title_bar_) {
        if (TForm* child = host_->ActiveMDIChild()) {
            if (auto* own = child->Menu<TMainMenu>())
                return own;
            if (TsuiForm* frame = FirstSkinFrame(*child); frame && frame->Menu())
                return frame->Menu();
        }
    }
    return menu_;
}

void TsuiMDIForm::Cascade()
{
    int count = host_->MDIChildCount();
    int w = host_->ClientWidth() * 4 / 5;
    int h = host_->ClientHeight() * 3 / 5;
    int x = 0, y = 0;
    for (int i = count - 1; i >= 0; --i) {
        TForm* child = host_->MDIChildren(i);
        if (!child || child->WindowState() == TWindowState::wsMinimized)
            continue;
        child->SetBounds(x, y, std::max(0, w), std::max(0, h));
        x += 22;
        y += 22;
    }
}

void TsuiMDIForm::Tile()
{
    int count = host_->MDIChildCount();
    std::vector<TForm*> shown;
    for (int i = count - 1; i >= 0; --i)
        if (TForm* child = host_->MDIChildren(i); child && child->WindowState() != TWindowState::wsMinimized)
            shown.push_back(child);
    int n = static_cast<int>(shown.size());
    if (n == 0)
        return;
    int h = host_->ClientHeight();
    for (int i = 0; i < host_->ControlCount(); ++i) {
        TControl* c = host_->Controls(i);
        if (c->Visible() && (c->Align() == TAlign::alTop || c->Align() == TAlign::alBottom))
            h -= c->Height();
    }
    if (n < count)
        h -= 25; // room for the minimised children
    // A client smaller than its children gets empty windows, never negative ones.
    h = std::max(0, h);
    int width = host_->ClientWidth();
    if (host_->TileMode() == TTileMode::tbVertical) {
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
        MdiControlButton* shown = type == TsuiTitleBarBtnType::suiMin ? control_buttons_[2]
            : type == TsuiTitleBarBtnType::suiMax                     ? control_buttons_[1]
            : type == TsuiTitleBarBtnType::suiClose                   ? control_buttons_[0]
                                                                      : nullptr;
        if (shown) {
            shown->TakePictures(buttons.Items(i));
            shown->SetVisible(true);
        }
    }
    PlaceControlButtons();
}

void TsuiMDIForm::PlaceControlButtons()
{
    if (!menu_panel_)
        return;
    // Close, restore, minimise from the right, each as wide as its picture.
    int right = menu_panel_->Width() - kControlButtonsRightMargin;
    for (MdiControlButton* b : control_buttons_) {
        if (!b || !b->Visible())
            continue;
        int w = b->HasPictures() ? b->Width() : kControlButtonSize;
        int h = b->HasPictures() ? b->Height() : kControlButtonSize;
        right -= w;
        b->SetBounds(right, b->HasPictures() ? std::max(0, (menu_panel_->Height() - h) / 2) : 1, w, h);
    }
}

void TsuiMDIForm::PaintBarBehind(Canvas& canvas, const Rect& bounds) const
{
    // The bar's background as the bar paints it, cut where the button sits.
    if (!menu_panel_)
        return;
    int w = std::max(1, menu_panel_->Width());
    int h = std::max(1, menu_panel_->Height());
    Bitmap bar(w, h);
    pellamo::Canvas behind(bar);
    behind.brush = SolidBrush(SystemColors::Resolve(menu_bar_color_));
    behind.FillRect({ 0, 0, w, h });
    if (menu_bar_) {
        // Where the bar paints: its client area, inside its edges.
        Point at = menu_bar_->ClientToScreen({ 0, 0 });
        Point panel = menu_panel_->ClientToScreen({ 0, 0 });
        Rect client
            = Rect::FromSize(at.x - panel.x, at.y - panel.y, menu_bar_->ClientWidth(), menu_bar_->ClientHeight());
        PaintMenuBarBackground(behind, client, BarLook());
    }
    canvas.Draw(-bounds.left, -bounds.top, bar);
}

void TsuiMDIForm::HideControlButtons()
{
    for (auto* b : control_buttons_)
        if (b)
            b->SetVisible(false);
}

void TsuiMDIForm::SyncControlButtons(HWND client)
{
    // Activation, closing and minimising change which child is maximised
    // as well as the two requests that say so.
    int maximised = 0;
    host_->Windows().SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised));
    HideControlButtons();
    if (maximised)
        ShowControlButtons();
}

void TsuiMDIForm::OnControlButtonClick(TObject* sender)
{
    auto* button = dynamic_cast<TComponent*>(sender);
    TForm* child = host_->ActiveMDIChild();
    if (!button || !child)
        return;
    WindowSystem& ws = host_->Windows();
    HWND h = child->Handle();
    switch (button->Tag()) {
    case kCloseTag:
        child->Close();
        break;
    case kRestoreTag:
        ws.SendMessage(client_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(h), 0);
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
    if (!menu_panel_ || !menu_bar_)
        return;
    menu_bar_->SetVisible(true);
    menu_panel_->SetVisible(true);
    title_bar_->SetTop(0);
}

void TsuiMDIForm::HideMenuBar()
{
    if (menu_panel_)
        menu_panel_->SetVisible(false);
}

void TsuiMDIForm::UpdateMenu()
{
    if (!menu_bar_ || !menu_panel_ || destroying_)
        return;
    effective_ = GetMainMenu();
    if (!effective_) {
        HideMenuBar();
        PaintBorder();
        return;
    }
    title_bar_->SetTop(0);
    RepaintMenuBar();
    TMenuItem* root = effective_->Items();
    while (menu_bar_->ButtonCount() > root->Count())
        menu_bar_->Buttons(0)->Free();
    while (menu_bar_->ButtonCount() < root->Count()) {
        auto* button = new TToolButton(this);
        button->SetParent(menu_bar_);
        button->SetGrouped(true);
    }
    for (int i = 0; i < root->Count(); ++i)
        menu_bar_->Buttons(i)->SetMenuItem(root->Items(i));
    UpdateTopMenu();
    ShowMenuBar();
    menu_panel_->SetHeight(menu_bar_->Height());
    PaintBorder();
}

void TsuiMDIForm::UpdateTopMenu()
{
    if (!menu_bar_ || !effective_)
        return;
    if (!menu_bar_->SyncTopItems(effective_->Items()))
        UpdateMenu();
}

void TsuiMDIForm::RepaintMenuBar()
{
    if (!menu_bar_)
        return;
    // The bar's font follows the frame's own skinned menu.
    menu_bar_->Font().SetFont(MenuBarFont(true));
    menu_bar_->Invalidate();
}

MenuBarLook TsuiMDIForm::BarLook() const
{
    auto* skinned = SkinnedMainMenu();
    return ResolveMenuBarLook(FileTheme(), skinned ? skinned->UIStyle() : UIStyle(), skinned);
}

MenuBarLook TsuiMDIForm::ButtonLook() const { return ResolveMenuBarLook(FileTheme(), UIStyle(), SkinnedMainMenu()); }

bool TsuiMDIForm::BarTakesKeys() const { return effective_ && menu_bar_ && menu_panel_ && menu_panel_->Visible(); }

// ---------------------------------------------------------------- frame

void TsuiMDIForm::PaintBorder()
{
    if (destroying_ || !host_ || !host_->HandleAllocated() || !title_bar_)
        return;
    if (host_->TWinControl::BorderWidth() != 0)
        host_->TWinControl::SetBorderWidth(0);
    WindowSystem& ws = host_->Windows();
    HWND host = host_->HandleOrNull();
    if (ws.IsIconic(host) && !HasState(csDesigning))
        return;
    bool bar_shown = menu_panel_ && menu_panel_->Visible();
    FormBorderFace face = BorderFace();
    face.color = SystemColors::Resolve(menu_bar_color_);
    if (border_pictures_.HasSides())
        face.color = SystemColors::Resolve(bar_shown ? menu_bar_->Color() : host_->Color());
    face.round_corner = round_corner_;
    face.menu_bar = bar_shown;
    face.menu_bar_height = bar_shown ? menu_panel_->Height() : 0;
    PaintFace(face);
}

void TsuiMDIForm::RegionWindow()
{
    if (destroying_)
        return;
    bool title = TitleBarVisible();
    ShapeWindow(title ? round_corner_ : 0, title ? round_corner_bottom_ : 0);
}

void TsuiMDIForm::SizeChanged()
{
    bool maximised = host_->WindowState() == TWindowState::wsMaximized;
    if (maximised && HasState(csDesigning))
        return;
    FitMaximisedToWorkArea();
    PaintBorder();
    RegionWindow();
}

FrameEdges TsuiMDIForm::Edges() const
{
    FrameEdges edges;
    edges.border_width = 0; // the bottom edge goes 2 pixels down before the window's own frame comes off
    edges.side_picture = border_pictures_.SideWidth();
    edges.bottom_picture = border_pictures_.BottomHeight();
    return edges;
}

LRESULT TsuiMDIForm::ClientProc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam, const pellamo::WndProc& next)
{
    std::shared_ptr<bool> alive = alive_;
    LRESULT result = next(hwnd, msg, wparam, lparam);
    if (!*alive || destroying_)
        return result;
    switch (msg) {
    case WM_MDISETMENU:
        UpdateMenu();
        SyncControlButtons(hwnd);
        SetFrameCaption(host_->Caption());
        break;
    case WM_MDIMAXIMIZE:
    case WM_MDIRESTORE:
    case WM_MDIICONARRANGE: // a child was minimised
        SyncControlButtons(hwnd);
        SetFrameCaption(host_->Caption());
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

bool TsuiMDIForm::TakesKeys() const
{
    WindowSystem& ws = host_->Windows();
    HWND host = host_->HandleOrNull();
    return ws.GetActiveWindow() == host && ws.IsWindowEnabled(host);
}

}
