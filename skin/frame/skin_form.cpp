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

}

TsuiForm::TsuiForm(TComponent* owner)
    : TCustomPanel(owner)
    , FrameCore(static_cast<TComponent&>(*this))
{
    host_ = dynamic_cast<TForm*>(owner);
    if (host_)
        for (int i = 0; i < host_->ControlCount(); ++i)
            if (dynamic_cast<TsuiForm*>(host_->Controls(i)))
                throw std::runtime_error("Sorry, You can create only one TsuiForm component in one form!");

    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    SetBorderStyle(TBorderStyle::bsNone);
    title_bar_ = new TsuiTitleBar(this);
    title_bar_->OnCustomBtnsClick = [this](TObject* sender, int index) { OnTitleBarCustomBtnsClick(sender, index); };
    title_bar_->OnHelpBtnClick = [this](TObject* sender, int index) { OnTitleBarHelpBtnClick(sender, index); };
    if (!host_) {
        // Not on a form: a plain panel that takes nothing over.
        title_bar_->SetVisible(false);
        title_bar_->SetParent(this);
        return;
    }

    SetParent(host_);
    PrepareHost();
    Constraints().SetMinHeight(kMinHeight);
    Constraints().SetMinWidth(kMinWidth);
    restore_rect_ = host_->BoundsRect();
    started_maximised_ = host_->WindowState() == TWindowState::wsMaximized;

    title_bar_->SetParent(this);
    menu_bar_color_ = Color();
    menu_bar_height_ = 22;
    SetAlign(TAlign::alClient);
    SetFrameCaption(host_->Caption());
    SetCaption(" ");

    host_->SetScaled(false);
    TakeOverHost();
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

TsuiForm::~TsuiForm() { LeaveHost(); }

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
            props::Collection<F>("TitleBarButtons", [](F& f) -> TCollection& { return f.title_bar_->Buttons(); }),
            props::Collection<F>("TitleBarSections", [](F& f) -> TCollection& { return f.title_bar_->Sections(); }),
            props::Bool<F>("TitleBarDrawAppIcon", &F::TitleBarDrawAppIcon, &F::SetTitleBarDrawAppIcon),
            props::Object<F>("Font", [](F& f) -> TFont& { return f.title_bar_->Font(); }),
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
    if (theme == FileTheme())
        return;
    style_.SetFileTheme(theme);
    SetUIStyle(UIStyle());
}

void TsuiForm::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    ThemeSource theme = style_.Theme();
    TakeBorder(theme);
    SetColor(theme.Color(ThemeItem::FormBackgroundColor));
    title_bar_->SetRoundCorner(theme.Int(ThemeItem::FormRoundCornerInt));
    if (theme.UsesFileTheme()) {
        if (menu_bar_)
            SetMenuBarColor(FileThemeMenuBarColor(theme, Color()));
        title_bar_->SetRoundCornerBottom(theme.Int(ThemeItem::FormBottomRoundCornerInt));
    } else {
        title_bar_->SetRoundCornerBottom(0);
        SetMenuBarColor(Color());
    }
    title_bar_->SetFileTheme(FileTheme());
    title_bar_->SetUIStyle(style);
    StyleMenu(style);
    if (update_sub_)
        ContainerApplyUIStyle(this, style, FileTheme());
    RecalcFrame();
    Invalidate();
    PaintFormBorder();
}

void TsuiForm::RecalcFrame()
{
    // The client area may have changed where the window did not.
    if (FrameCore::RecalcFrame())
        host_->Realign();
}

void TsuiForm::ReAssign()
{
    if (!host_ || !host_->HandleAllocated())
        return;
    WindowSystem& ws = Windows();
    HWND host = host_->HandleOrNull();
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
    if (component == form_panel_)
        form_panel_ = nullptr;
    if (component == menu_) {
        menu_ = nullptr;
        DestroyMenuBar();
    }
    if (style_.Forget(component)) {
        ContainerApplyUIStyle(this, TsuiUIStyle::DeepBlue, nullptr);
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
}

// ---------------------------------------------------------------- simple properties

void TsuiForm::SetBorderColor(TColor color)
{
    border_color_ = color;
    PaintFormBorder();
}

void TsuiForm::SetBorderWidth(int width)
{
    FrameCore::border_width_ = width;
    // The bottom of the frame follows the border's width.
    RecalcFrame();
    PaintFormBorder();
}

void TsuiForm::SetTitleBarVisible(bool visible)
{
    if (visible == title_bar_->Visible())
        return;
    title_bar_->SetVisible(visible);
    title_bar_->SetTop(0);
    PaintFormBorder();
}

void TsuiForm::SetFrameCaption(const std::string& caption)
{
    title_bar_->SetCaption(caption);
    if (host_)
        host_->SetCaption(caption);
}

void TsuiForm::SetFormPanel(TCustomPanel* panel)
{
    if (panel == this) {
        ShowRefusal("Sorry, you can't select the Form assign to FormPanel property");
        return;
    }
    if (form_panel_ && form_panel_ != panel)
        RemoveFreeNotification(form_panel_);
    form_panel_ = panel;
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
    title_bar_->SetRoundCorner(r);
    RegionWindow();
}

void TsuiForm::SetRoundCornerBottom(int r)
{
    title_bar_->SetRoundCornerBottom(r);
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
    title_bar_->SetTop(0);
}

int TsuiForm::GetTitleBarHeight() const { return title_bar_->Visible() ? title_bar_->Height() : 0; }

// ---------------------------------------------------------------- menu bar

void TsuiForm::SetMenu(TMainMenu* menu)
{
    HostMenu(menu);
    if (!menu) {
        DestroyMenuBar();
        return;
    }
    // Never the plain bar as well on a skinned window.
    if (host_ && menu->MenuBar() && host_->HandleAllocated() && menu->MenuBar()->Form() == host_->HandleOrNull())
        menu->AttachToForm(nullptr);
    CreateMenuBar();
    UpdateMenu();
}

void TsuiForm::CreateMenuBar()
{
    if (menu_bar_ || !host_)
        return;
    menu_bar_ = new TsuiMenuBar(this, this);
    menu_bar_->SetFlat(true);
    menu_bar_->SetEdgeBorders({}); // the frame draws the bar whole: no edge lines round it
    menu_bar_->SetShowCaptions(true);
    menu_bar_->SetButtonHeight(menu_bar_height_);
    menu_bar_->SetColor(menu_bar_color_);
    menu_bar_->SetWrapable(true);
    // Below the title bar before it is aligned.
    menu_bar_->SetBounds(0, title_bar_->Top() + title_bar_->Height(), Width(), menu_bar_height_);
    menu_bar_->SetParent(this);
    menu_bar_->SetAutoSize(true);
    DrawMenuBarOn(*menu_bar_);
    title_bar_->SetTop(0);
    Realign();
}

void TsuiForm::DestroyMenuBar()
{
    UnhostMenu();
    menu_ = nullptr;
    if (!menu_bar_)
        return;
    TsuiMenuBar* bar = menu_bar_;
    menu_bar_ = nullptr;
    bar->Free();
    Realign();
    PaintFormBorder();
}

void TsuiForm::UpdateMenu()
{
    if (!menu_bar_)
        return;
    if (!menu_) {
        DestroyMenuBar();
        return;
    }
    menu_bar_->SetAutoSize(false);
    RepaintMenuBar();
    while (menu_bar_->ButtonCount() > 0)
        menu_bar_->Buttons(menu_bar_->ButtonCount() - 1)->Free();
    TMenuItem* root = menu_->Items();
    for (int i = 0; i < root->Count(); ++i) {
        auto* button = new TToolButton(this);
        button->SetParent(menu_bar_);
        button->SetGrouped(true);
        button->SetMenuItem(root->Items(i));
    }
    UpdateTopMenu();
    menu_bar_->SetAutoSize(true);
}

void TsuiForm::UpdateTopMenu()
{
    if (!menu_bar_ || !menu_)
        return;
    // Items came or went: the buttons are made again.
    if (!menu_bar_->SyncTopItems(menu_->Items()))
        UpdateMenu();
}

void TsuiForm::RepaintMenuBar()
{
    if (!menu_bar_ || !menu_)
        return;
    menu_bar_->Font().SetFont(MenuBarFont(false));
    menu_bar_->Invalidate();
}

void TsuiForm::SetMenuBarColor(TColor color)
{
    menu_bar_color_ = color;
    if (menu_bar_)
        menu_bar_->SetColor(color);
}

void TsuiForm::SetMenuBarHeight(int height)
{
    menu_bar_height_ = height;
    if (menu_bar_)
        menu_bar_->SetButtonHeight(height);
}

MenuBarLook TsuiForm::CurrentMenuBarLook() const
{
    auto* skinned = SkinnedMainMenu();
    return ResolveMenuBarLook(
        skinned ? skinned->FileTheme() : FileTheme(), skinned ? skinned->UIStyle() : UIStyle(), skinned);
}

// ---------------------------------------------------------------- painting

void TsuiForm::Paint()
{
    if (destroying_)
        return;
    Bitmap buffer(std::max(1, Width()), std::max(1, Height()));
    pellamo::Canvas off(buffer);
    Rect all { 0, 0, Width(), Height() };
    const char* tile = UIStyle() == TsuiUIStyle::MacOS ? kMacOSFormBackground
        : UIStyle() == TsuiUIStyle::Protein            ? kProteinFormBackground
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
    if (destroying_ || !host_ || !host_->HandleAllocated() || host_->WindowState() == TWindowState::wsMinimized)
        return;
    WindowSystem& ws = Windows();
    HWND host = host_->HandleOrNull();
    if (ws.IsIconic(host))
        return;
    FormBorderFace face = BorderFace();
    face.color = SystemColors::Resolve(Color());
    face.round_corner = title_bar_->RoundCorner();
    face.menu_bar = menu_bar_ && menu_bar_->Visible();
    face.menu_bar_height = menu_bar_ ? menu_bar_->Height() : 0;
    PaintFace(face);
}

void TsuiForm::RegionWindow() { ShapeWindow(RoundCorner(), RoundCornerBottom()); }

// ---------------------------------------------------------------- the host's messages

FrameEdges TsuiForm::Edges() const
{
    FrameEdges edges;
    edges.border_width = FrameCore::border_width_;
    edges.side_picture = border_pictures_.SideWidth();
    edges.bottom_picture = border_pictures_.HasSides() ? border_pictures_.BottomHeight() : 0;
    return edges;
}

void TsuiForm::AfterMessage(HWND hwnd, UINT msg, WPARAM, LPARAM lparam)
{
    switch (msg) {
    case WM_SHOWWINDOW:
        // The form never shows the platform's own menu bar.
        if (host_)
            host_->SetMenu(nullptr);
        break;
    case WM_MDIACTIVATE:
        // An MDI child is never activated as a window of its own: the
        // client tells it that it gains (lParam) or loses the activation.
        title_bar_->SetActive(reinterpret_cast<HWND>(lparam) == hwnd);
        break;
    default:
        break;
    }
}

void TsuiForm::SizeChanged()
{
    bool maximised = host_->WindowState() == TWindowState::wsMaximized;
    if (maximised && HasState(csDesigning))
        return;
    if (started_maximised_) {
        if (!maximised) {
            host_->SetBoundsRect(restore_rect_);
            started_maximised_ = false;
        } else if (g_started_maximised_sizes == 2) {
            host_->SetWindowState(TWindowState::wsMaximized);
        } else {
            ++g_started_maximised_sizes;
        }
    }
    FitMaximisedToWorkArea();
    // A maximised MDI child fills the frame's client under the frame's own
    // title bar, which names it; its own bar would only take room.
    if (host_->FormStyle() == TFormStyle::fsMDIChild && title_bar_->Visible() == maximised) {
        if (maximised) {
            title_bar_->SetVisible(false);
            title_bar_hidden_by_maximise_ = true;
        } else if (title_bar_hidden_by_maximise_) {
            title_bar_->SetVisible(true);
            title_bar_hidden_by_maximise_ = false;
        }
    }
    PaintFormBorder();
    title_bar_->ProcessMaxBtn();
    RegionWindow();
}

bool TsuiForm::HostActive() const
{
    return host_ && host_->HandleAllocated() && Windows().GetActiveWindow() == host_->HandleOrNull();
}

bool TsuiForm::ShortcutsAllowed() const { return HostActive() && FormHasFocus(host_); }

std::optional<bool> TsuiForm::FrameKey(const MSG& msg)
{
    if (msg.message == WM_SYSCHAR && msg.wParam == ' ') {
        title_bar_->PopupWindowMenu(title_bar_->ClientToScreen({ 0, title_bar_->Height() }));
        return true;
    }
    if (title_bar_->WindowMenu().IsOpen())
        return false;
    return std::nullopt;
}

}
