#include "skin/frame/title_bar.h"

#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/props.h"
#include "platform/components/reading_order.h"
#include "platform/gfx/resources.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/window_system.h"
#include "skin/frame/title_bar_painter.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"
#include "skin/window/placement.h"

#include <algorithm>

namespace pellamo {

namespace {

// The bar sits this far inside its frame's window edge.
constexpr int kFrameInset = 3;
constexpr int kMdiFrameInset = 4;
constexpr int kRightToLeftMenuX = 176;

// The caption colour a file theme gives: its own, else black on the light
// control text colours, white on the others.
TColor FileThemeCaptionColor(const ThemeSource& theme)
{
    TColor own = theme.Color(ThemeItem::TitleBarFontColor);
    if (own != -1)
        return own;
    TColor text = theme.Color(ThemeItem::ControlFontColor);
    bool dark = text == 0x10000 || text == 0x30000 || text == 0x40000 || text == 0x50000;
    return dark ? clBlack : clWhite;
}

const Bitmap* AppIcon()
{
    if (Application && !Application->Icon().Empty())
        return &Application->Icon();
    static std::shared_ptr<const Bitmap> resource = [] {
        try {
            return Resources::CachedBitmap("MAINICON");
        } catch (...) {
            return std::shared_ptr<const Bitmap>();
        }
    }();
    return resource.get();
}

}

TsuiTitleBar::TsuiTitleBar(TComponent* owner)
    : TCustomPanel(owner)
{
    TControlStyle style = ControlStyle();
    style.Exclude(csAcceptsControls);
    SetControlStyle(style);
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    SetCaption("");
    window_menu_ = new TsuiTitleBarPopupMenu(this, *this);
    sections_.OnUpdate = [this](TCollectionItem*) { ItemsChanged(); };
    buttons_.OnUpdate = [this](TCollectionItem*) { ItemsChanged(); };
    for (TsuiTitleBarBtnType type : { TsuiTitleBarBtnType::suiControlBox, TsuiTitleBarBtnType::suiClose,
             TsuiTitleBarBtnType::suiMax, TsuiTitleBarBtnType::suiMin })
        buttons_.Add()->SetButtonType(type);
    SetAlign(TAlign::alTop);
    SetParentFont(false);
    Font().SetName("Tahoma");
    Font().SetStyle(TFontStyles { TFontStyle::fsBold });
    Font().SetColor(clWhite);
    SetUIStyle(GetSUIFormStyle(owner));
}

TsuiTitleBar::~TsuiTitleBar()
{
    *alive_ = false;
    sections_.OnUpdate = nullptr;
    buttons_.OnUpdate = nullptr;
}

const ClassInfo& TsuiTitleBar::StaticClass()
{
    using T = TsuiTitleBar;
    static const ClassInfo info("TsuiTitleBar", &TCustomPanel::StaticClass(),
        {
            props::Bool<T>("Custom", &T::Custom, &T::SetCustom),
            props::Ref<T, TsuiFileTheme>("FileTheme", &T::FileTheme, &T::SetFileTheme),
            props::Enum<T>("UIStyle", UIStyleNames(), &T::UIStyle, &T::SetUIStyle),
            props::Bool<T>("AutoSize", &T::AutoSize, &T::SetAutoSize),
            props::Collection<T>("Sections", [](T& t) -> TCollection& { return t.sections_; }),
            props::Collection<T>("Buttons", [](T& t) -> TCollection& { return t.buttons_; }),
            props::Int<T>("ButtonInterval", &T::ButtonInterval, &T::SetButtonInterval),
            props::Bool<T>("FormActive", &T::FormActive, &T::SetFormActive),
            props::Int<T>("LeftBtnXOffset", &T::LeftBtnXOffset, &T::SetLeftBtnXOffset),
            props::Int<T>("RightBtnXOffset", &T::RightBtnXOffset, &T::SetRightBtnXOffset),
            props::Bool<T>("DrawAppIcon", &T::DrawAppIcon, &T::SetDrawAppIcon),
            props::Int<T>("RoundCorner", &T::RoundCorner, &T::SetRoundCorner),
            props::Int<T>("RoundCornerBottom", &T::RoundCornerBottom, &T::SetRoundCornerBottom),
            props::Event<T>("OnCustomBtnsClick", &T::OnCustomBtnsClick),
            props::Event<T>("OnHelpBtnClick", &T::OnHelpBtnClick),
        },
        FactoryOf<TsuiTitleBar>());
    return info;
}

void TsuiTitleBar::ItemsChanged()
{
    // A hover index may name a button that went.
    if (hover_ >= buttons_.Count())
        hover_ = -1;
    Invalidate();
}

bool TsuiTitleBar::InForm() const { return (Parent() && IsSkinFrame(*Parent())) || InMDIForm(); }

bool TsuiTitleBar::InMDIForm() const
{
    const TComponent* owner = Owner();
    if (!owner || !Parent())
        return false;
    for (const ClassInfo* c = &owner->Class(); c; c = c->Parent())
        if (c->Name() == "TsuiMDIForm")
            return true;
    return false;
}

void TsuiTitleBar::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    setting_file_theme_ = true;
    try {
        SetUIStyle(UIStyle());
    } catch (...) {
        setting_file_theme_ = false;
        throw;
    }
    setting_file_theme_ = false;
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    if (custom_)
        return;
    ThemeSource theme = style_.Theme();
    bool in_form = InForm();
    sections_.BeginUpdate();
    sections_.Clear();
    TsuiTitleBarSection* left = sections_.Add();
    left->Picture().SetBitmap(theme.Picture(ThemeItem::TitleBarLeftImage));
    left->SetAutoSize(true);
    TsuiTitleBarSection* right = sections_.Add();
    right->Picture().SetBitmap(theme.Picture(ThemeItem::TitleBarRightImage));
    right->SetAutoSize(true);
    right->SetAlign(TsuiTitleBarAlign::suiRight);
    TsuiTitleBarSection* middle = sections_.Add();
    middle->Picture().SetBitmap(theme.Picture(ThemeItem::TitleBarClientImage));
    middle->SetAlign(TsuiTitleBarAlign::suiClient);
    sections_.EndUpdate();

    left_offset_ = theme.Int(ThemeItem::TitleBarButtonLeftOffsetInt);
    right_offset_ = theme.Int(ThemeItem::TitleBarButtonRightOffsetInt);
    border_color_ = theme.Color(ThemeItem::FormBorderColor);
    button_height_ = theme.Picture(ThemeItem::TitleBarButtonImage).Height();
    button_top_ = theme.Int(ThemeItem::TitleBarButtonTopInt) - (in_form ? kFrameInset : 0);
    if (TForm* form = ParentForm())
        form->Constraints().SetMinWidth(theme.Int(ThemeItem::FormMinWidthInt));
    round_corner_ = theme.Int(ThemeItem::FormRoundCornerInt);
    round_corner_bottom_ = theme.UsesFileTheme() ? theme.Int(ThemeItem::FormBottomRoundCornerInt) : 0;

    TsuiUIStyle effective = theme.UsesFileTheme() ? TsuiUIStyle::FromThemeFile : theme.Style();
    buttons_.BeginUpdate();
    for (int i = 0; i < buttons_.Count(); ++i)
        buttons_.Items(i)->SetUIStyle(effective);
    buttons_.EndUpdate();
    window_menu_->SetFileTheme(FileTheme());
    window_menu_->SetUIStyle(effective);

    if (!setting_file_theme_) {
        TColor caption = style == TsuiUIStyle::MacOS ? clBlack
            : theme.UsesFileTheme()                  ? FileThemeCaptionColor(theme)
                                                     : clWhite;
        Font().SetColor(caption);
    }
    SetAutoSize(true);
    Invalidate();
}

void TsuiTitleBar::SetAutoSize(bool on)
{
    auto_size_ = on && sections_.Count() > 0;
    if (!auto_size_)
        return;
    int height = sections_.Items(0)->Picture().Height() - (InForm() ? kFrameInset : 0);
    if (height != Height())
        SetHeight(height);
}

void TsuiTitleBar::SetButtonInterval(int gap)
{
    button_interval_ = gap;
    Invalidate();
}

void TsuiTitleBar::SetFormActive(bool active)
{
    if (active == form_active_)
        return;
    form_active_ = active;
    Invalidate();
}

void TsuiTitleBar::SetLeftBtnXOffset(int x)
{
    left_offset_ = x;
    Invalidate();
}

void TsuiTitleBar::SetRightBtnXOffset(int x)
{
    right_offset_ = x;
    Invalidate();
}

void TsuiTitleBar::SetDrawAppIcon(bool on)
{
    draw_app_icon_ = on;
    Invalidate();
}

void TsuiTitleBar::ProcessMaxBtn()
{
    for (int i = 0; i < buttons_.Count(); ++i)
        buttons_.Items(i)->ProcessMaxBtn();
}

bool TsuiTitleBar::CanPaint() const { return sections_.Count() == 3; }

const Bitmap* TsuiTitleBar::SectionPicture(int index) const
{
    if (index >= sections_.Count())
        return nullptr;
    return &sections_.Items(index)->Picture().Graphic();
}

bool TsuiTitleBar::HasVisibleButton(TsuiTitleBarBtnType type) const
{
    for (int i = 0; i < buttons_.Count(); ++i)
        if (buttons_.Items(i)->Visible() && buttons_.Items(i)->ButtonType() == type)
            return true;
    return false;
}

int TsuiTitleBar::BorderPictureWidth() const
{
    TForm* form = ParentForm();
    if (!form || !form->HandleAllocated())
        return 0;
    return static_cast<int>(Windows().SendMessage(form->HandleOrNull(), kBorderPictureWidthMessage, 0, 0));
}

TitleBarLayout TsuiTitleBar::Layout() const
{
    std::vector<TitleBarButtonSlot> slots;
    slots.reserve(static_cast<size_t>(buttons_.Count()));
    for (int i = 0; i < buttons_.Count(); ++i) {
        const TsuiTitleBarButton* b = buttons_.Items(i);
        slots.push_back({ b->Visible(), b->ButtonType(), { b->PicNormal().Width(), b->PicNormal().Height() } });
    }
    TitleBarMetrics m;
    m.width = Width();
    m.button_top = button_top_;
    m.left_offset = left_offset_;
    m.right_offset = right_offset_;
    m.interval = button_interval_;
    m.border_picture = BorderPictureWidth();
    m.draw_app_icon = draw_app_icon_;
    return LayOutTitleBar(slots, m);
}

bool TsuiTitleBar::ParentFormMaximised() const
{
    TForm* form = ParentForm();
    return form && form->WindowState() == TWindowState::wsMaximized;
}

void TsuiTitleBar::Paint()
{
    TitleBarFace face;
    face.left = SectionPicture(0);
    face.right = SectionPicture(1);
    face.centre = SectionPicture(2);
    if (InForm()) {
        int answer = BorderPictureWidth();
        int dx = answer != 0 ? -answer : InMDIForm() ? -kMdiFrameInset : -kFrameInset;
        face.section_offset = { dx, -kFrameInset };
    }
    for (int i = 0; i < buttons_.Count(); ++i) {
        const TsuiTitleBarButton* b = buttons_.Items(i);
        face.buttons.push_back(
            { &b->PicNormal().Graphic(), &b->PicMouseOn().Graphic(), &b->PicMouseDown().Graphic(), b->Transparent() });
    }
    face.layout = Layout();
    face.hover = hover_;
    // Only the button the press went down on shows it.
    face.pressed = pressed_ && hover_ == pressed_button_;
    face.app_icon = draw_app_icon_ ? AppIcon() : nullptr;
    face.caption = Caption();
    face.font = Font().GetFont();
    face.font.color = SystemColors::Resolve(face.font.color);
    face.active = form_active_;
    face.right_to_left = BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft();
    face.button_height = button_height_;

    // Painted off-screen and copied in one step.
    Bitmap buffer(std::max(1, Width()), std::max(1, Height()), SystemColors::Resolve(Color()));
    pellamo::Canvas off(buffer);
    PaintTitleBar(off, { Width(), Height() }, face);
    Canvas().Draw(0, 0, buffer);
}

void TsuiTitleBar::SetHover(int index)
{
    if (index == hover_)
        return;
    hover_ = index;
    Invalidate();
}

void TsuiTitleBar::MouseMove(TShiftState shift, int x, int y)
{
    TCustomPanel::MouseMove(shift, x, y);
    SetHover(TitleBarButtonAt(Layout(), { x, y }));
}

void TsuiTitleBar::MouseLeave()
{
    TCustomPanel::MouseLeave();
    SetHover(-1);
}

void TsuiTitleBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TCustomPanel::MouseDown(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft)
        return;
    if (shift.Contains(ssDouble)) {
        // The second press of a double click acts on its own, never as a press.
        pressed_ = false;
        pressed_button_ = -1;
        DoubleClickAt({ x, y });
        return;
    }
    pressed_button_ = TitleBarButtonAt(Layout(), { x, y });
    hover_ = pressed_button_;
    pressed_ = true;
    Invalidate();
    TForm* form = ParentForm();
    if (form && ((pressed_button_ == -1 && !ParentFormMaximised()) || HasState(csDesigning))) {
        // The window moves as if its own caption had been pressed.
        Windows().ReleaseCapture();
        Point screen = ClientToScreen({ x, y });
        pressed_ = false;
        pressed_button_ = -1;
        Windows().SendMessage(
            form->Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION), MAKELPARAM(screen.x, screen.y));
    }
}

void TsuiTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = alive_;
    TCustomPanel::MouseUp(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft)
        return;
    // Where the button comes up decides, and only on the button it went down on.
    int index = TitleBarButtonAt(Layout(), { x, y });
    bool acts = pressed_ && index != -1 && index == pressed_button_;
    pressed_ = false;
    pressed_button_ = -1;
    hover_ = index;
    Invalidate();
    if (!acts)
        return;
    TsuiTitleBarButton* b = buttons_.Items(index);
    if (b->ButtonType() == TsuiTitleBarBtnType::suiControlBox && !b->ControlBoxMenu()) {
        PopupWindowMenu(ClientToScreen({ 0, Height() }));
        return;
    }
    TsuiTitleBarBtnType type = b->ButtonType();
    DoClick(index);
    if (!*alive)
        return;
    if (type == TsuiTitleBarBtnType::suiCustom)
        OnCustomBtnsClick(this, index);
    else if (type == TsuiTitleBarBtnType::suiHelp)
        OnHelpBtnClick(this, index);
}

void TsuiTitleBar::DoubleClickAt(Point p)
{
    if (HasState(csDesigning))
        return;
    int index = TitleBarButtonAt(Layout(), p);
    if (index == -1) {
        for (int i = 0; i < buttons_.Count(); ++i) {
            TsuiTitleBarButton* b = buttons_.Items(i);
            if (b->Visible() && b->ButtonType() == TsuiTitleBarBtnType::suiMax) {
                DoClick(i);
                return;
            }
        }
    } else if (buttons_.Items(index)->ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
        CloseForm();
    }
}

void TsuiTitleBar::DoClick(int index)
{
    TForm* form = ParentForm();
    if (!form || index < 0 || index >= buttons_.Count())
        return;
    TsuiTitleBarButton* b = buttons_.Items(index);
    switch (b->ButtonType()) {
    case TsuiTitleBarBtnType::suiMax:
        if (ParentFormMaximised()) {
            form->SetWindowState(TWindowState::wsNormal);
        } else {
            form->SetWindowState(TWindowState::wsMaximized);
            // A frame places its maximised window itself.
            if (!InForm()) {
                Rect area = GetWorkAreaRect();
                form->SetBoundsRect({ area.left - 2, area.top - 2, area.right + 2, area.bottom - 1 });
            }
        }
        ProcessMaxBtn();
        break;
    case TsuiTitleBarBtnType::suiMin:
        MinimizeForm();
        break;
    case TsuiTitleBarBtnType::suiClose:
        CloseForm();
        break;
    case TsuiTitleBarBtnType::suiControlBox:
        if (auto* menu = dynamic_cast<TPopupMenu*>(b->ControlBoxMenu())) {
            bool rtl = BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft();
            Point at = ClientToScreen({ rtl ? kRightToLeftMenuX : 0, Height() });
            menu->Popup(std::max(0, at.x), at.y);
        }
        break;
    case TsuiTitleBarBtnType::suiHelp:
    case TsuiTitleBarBtnType::suiCustom:
        break;
    }
}

void TsuiTitleBar::MinimizeForm()
{
    TForm* form = ParentForm();
    if (!form)
        return;
    if (Application && Application->MainForm() == form)
        Windows().SendMessage(form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    else
        form->SetWindowState(TWindowState::wsMinimized);
}

void TsuiTitleBar::MaximizeOrRestoreForm()
{
    std::shared_ptr<bool> alive = alive_;
    for (int i = 0; i < buttons_.Count() && *alive; ++i)
        if (buttons_.Items(i)->Visible() && buttons_.Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMax)
            DoClick(i);
}

void TsuiTitleBar::CloseForm()
{
    if (TForm* form = ParentForm())
        form->Close();
}

void TsuiTitleBar::PopupWindowMenu(Point screen) { window_menu_->PopupAt(screen); }

void TsuiTitleBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
        // Non-client mouse messages are the form's.
        if (TForm* form = ParentForm(); form && form->HandleAllocated()) {
            message.Result = Windows().SendMessage(form->HandleOrNull(), message.Msg, message.WParam, message.LParam);
            return;
        }
        break;
    default:
        break;
    }
    TCustomPanel::WndProc(message);
}

void TsuiTitleBar::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation != TOperation::opRemove || !component)
        return;
    if (style_.Forget(component))
        SetUIStyle(TsuiUIStyle::DeepBlue);
    for (int i = 0; i < buttons_.Count(); ++i)
        if (buttons_.Items(i)->ControlBoxMenu() == component)
            buttons_.Items(i)->SetControlBoxMenu(nullptr);
}

}
