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
    m_window_menu = new TsuiTitleBarPopupMenu(this, *this);
    m_sections.OnUpdate = [this](TCollectionItem*) { ItemsChanged(); };
    m_buttons.OnUpdate = [this](TCollectionItem*) { ItemsChanged(); };
    for (TsuiTitleBarBtnType type : { TsuiTitleBarBtnType::suiControlBox, TsuiTitleBarBtnType::suiClose,
             TsuiTitleBarBtnType::suiMax, TsuiTitleBarBtnType::suiMin })
        m_buttons.Add()->SetButtonType(type);
    SetAlign(TAlign::alTop);
    SetParentFont(false);
    Font().SetName("Tahoma");
    Font().SetStyle(TFontStyles { TFontStyle::fsBold });
    Font().SetColor(clWhite);
    SetUIStyle(GetSUIFormStyle(owner));
}

TsuiTitleBar::~TsuiTitleBar()
{
    *m_alive = false;
    m_sections.OnUpdate = nullptr;
    m_buttons.OnUpdate = nullptr;
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
            props::Collection<T>("Sections", [](T& t) -> TCollection& { return t.m_sections; }),
            props::Collection<T>("Buttons", [](T& t) -> TCollection& { return t.m_buttons; }),
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
    if (m_hover >= m_buttons.Count())
        m_hover = -1;
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
    if (m_file_theme && m_file_theme != theme)
        RemoveFreeNotification(m_file_theme);
    m_file_theme = theme;
    if (theme)
        FreeNotification(theme);
    m_setting_file_theme = true;
    try {
        SetUIStyle(m_ui_style);
    } catch (...) {
        m_setting_file_theme = false;
        throw;
    }
    m_setting_file_theme = false;
}

void TsuiTitleBar::SetUIStyle(TsuiUIStyle style)
{
    m_ui_style = style;
    if (m_custom)
        return;
    ThemeSource theme(m_file_theme, style);
    bool in_form = InForm();
    m_sections.BeginUpdate();
    m_sections.Clear();
    TsuiTitleBarSection* left = m_sections.Add();
    left->Picture().SetBitmap(theme.Picture(ThemeItem::TitleBarLeftImage));
    left->SetAutoSize(true);
    TsuiTitleBarSection* right = m_sections.Add();
    right->Picture().SetBitmap(theme.Picture(ThemeItem::TitleBarRightImage));
    right->SetAutoSize(true);
    right->SetAlign(TsuiTitleBarAlign::suiRight);
    TsuiTitleBarSection* middle = m_sections.Add();
    middle->Picture().SetBitmap(theme.Picture(ThemeItem::TitleBarClientImage));
    middle->SetAlign(TsuiTitleBarAlign::suiClient);
    m_sections.EndUpdate();

    m_left_offset = theme.Int(ThemeItem::TitleBarButtonLeftOffsetInt);
    m_right_offset = theme.Int(ThemeItem::TitleBarButtonRightOffsetInt);
    m_border_color = theme.Color(ThemeItem::FormBorderColor);
    m_button_height = theme.Picture(ThemeItem::TitleBarButtonImage).Height();
    m_button_top = theme.Int(ThemeItem::TitleBarButtonTopInt) - (in_form ? kFrameInset : 0);
    if (TForm* form = ParentForm())
        form->Constraints().SetMinWidth(theme.Int(ThemeItem::FormMinWidthInt));
    m_round_corner = theme.Int(ThemeItem::FormRoundCornerInt);
    m_round_corner_bottom = theme.UsesFileTheme() ? theme.Int(ThemeItem::FormBottomRoundCornerInt) : 0;

    TsuiUIStyle effective = theme.UsesFileTheme() ? TsuiUIStyle::FromThemeFile : theme.Style();
    m_buttons.BeginUpdate();
    for (int i = 0; i < m_buttons.Count(); ++i)
        m_buttons.Items(i)->SetUIStyle(effective);
    m_buttons.EndUpdate();
    m_window_menu->SetFileTheme(m_file_theme);
    m_window_menu->SetUIStyle(effective);

    if (!m_setting_file_theme) {
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
    m_auto_size = on && m_sections.Count() > 0;
    if (!m_auto_size)
        return;
    int height = m_sections.Items(0)->Picture().Height() - (InForm() ? kFrameInset : 0);
    if (height != Height())
        SetHeight(height);
}

void TsuiTitleBar::SetButtonInterval(int gap)
{
    m_button_interval = gap;
    Invalidate();
}

void TsuiTitleBar::SetFormActive(bool active)
{
    if (active == m_form_active)
        return;
    m_form_active = active;
    Invalidate();
}

void TsuiTitleBar::SetLeftBtnXOffset(int x)
{
    m_left_offset = x;
    Invalidate();
}

void TsuiTitleBar::SetRightBtnXOffset(int x)
{
    m_right_offset = x;
    Invalidate();
}

void TsuiTitleBar::SetDrawAppIcon(bool on)
{
    m_draw_app_icon = on;
    Invalidate();
}

void TsuiTitleBar::ProcessMaxBtn()
{
    for (int i = 0; i < m_buttons.Count(); ++i)
        m_buttons.Items(i)->ProcessMaxBtn();
}

bool TsuiTitleBar::CanPaint() const { return m_sections.Count() == 3; }

const Bitmap* TsuiTitleBar::SectionPicture(int index) const
{
    if (index >= m_sections.Count())
        return nullptr;
    return &m_sections.Items(index)->Picture().Graphic();
}

bool TsuiTitleBar::HasVisibleButton(TsuiTitleBarBtnType type) const
{
    for (int i = 0; i < m_buttons.Count(); ++i)
        if (m_buttons.Items(i)->Visible() && m_buttons.Items(i)->ButtonType() == type)
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
    slots.reserve(static_cast<size_t>(m_buttons.Count()));
    for (int i = 0; i < m_buttons.Count(); ++i) {
        const TsuiTitleBarButton* b = m_buttons.Items(i);
        slots.push_back({ b->Visible(), b->ButtonType(), { b->PicNormal().Width(), b->PicNormal().Height() } });
    }
    TitleBarMetrics m;
    m.width = Width();
    m.button_top = m_button_top;
    m.left_offset = m_left_offset;
    m.right_offset = m_right_offset;
    m.interval = m_button_interval;
    m.border_picture = BorderPictureWidth();
    m.draw_app_icon = m_draw_app_icon;
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
    for (int i = 0; i < m_buttons.Count(); ++i) {
        const TsuiTitleBarButton* b = m_buttons.Items(i);
        face.buttons.push_back(
            { &b->PicNormal().Graphic(), &b->PicMouseOn().Graphic(), &b->PicMouseDown().Graphic(), b->Transparent() });
    }
    face.layout = Layout();
    face.hover = m_hover;
    // Only the button the press went down on shows it.
    face.pressed = m_pressed && m_hover == m_pressed_button;
    face.app_icon = m_draw_app_icon ? AppIcon() : nullptr;
    face.caption = Caption();
    face.font = Font().GetFont();
    face.font.color = SystemColors::Resolve(face.font.color);
    face.active = m_form_active;
    face.right_to_left = BiDiMode() == TBiDiMode::bdRightToLeft && LocaleReadsRightToLeft();
    face.button_height = m_button_height;

    // Painted off-screen and copied in one step.
    Bitmap buffer(std::max(1, Width()), std::max(1, Height()), SystemColors::Resolve(Color()));
    pellamo::Canvas off(buffer);
    PaintTitleBar(off, { Width(), Height() }, face);
    Canvas().Draw(0, 0, buffer);
}

void TsuiTitleBar::SetHover(int index)
{
    if (index == m_hover)
        return;
    m_hover = index;
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
    std::shared_ptr<bool> alive = m_alive;
    TCustomPanel::MouseDown(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft)
        return;
    if (shift.Contains(ssDouble)) {
        // The second press of a double click acts on its own, never as a press.
        m_pressed = false;
        m_pressed_button = -1;
        DoubleClickAt({ x, y });
        return;
    }
    m_pressed_button = TitleBarButtonAt(Layout(), { x, y });
    m_hover = m_pressed_button;
    m_pressed = true;
    Invalidate();
    TForm* form = ParentForm();
    if (form && ((m_pressed_button == -1 && !ParentFormMaximised()) || HasState(csDesigning))) {
        // The window moves as if its own caption had been pressed.
        Windows().ReleaseCapture();
        Point screen = ClientToScreen({ x, y });
        m_pressed = false;
        m_pressed_button = -1;
        Windows().SendMessage(
            form->Handle(), WM_NCLBUTTONDOWN, static_cast<WPARAM>(HTCAPTION), MAKELPARAM(screen.x, screen.y));
    }
}

void TsuiTitleBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    std::shared_ptr<bool> alive = m_alive;
    TCustomPanel::MouseUp(button, shift, x, y);
    if (!*alive || button != TMouseButton::mbLeft)
        return;
    // Where the button comes up decides, and only on the button it went down on.
    int index = TitleBarButtonAt(Layout(), { x, y });
    bool acts = m_pressed && index != -1 && index == m_pressed_button;
    m_pressed = false;
    m_pressed_button = -1;
    m_hover = index;
    Invalidate();
    if (!acts)
        return;
    TsuiTitleBarButton* b = m_buttons.Items(index);
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
        for (int i = 0; i < m_buttons.Count(); ++i) {
            TsuiTitleBarButton* b = m_buttons.Items(i);
            if (b->Visible() && b->ButtonType() == TsuiTitleBarBtnType::suiMax) {
                DoClick(i);
                return;
            }
        }
    } else if (m_buttons.Items(index)->ButtonType() == TsuiTitleBarBtnType::suiControlBox) {
        CloseForm();
    }
}

void TsuiTitleBar::DoClick(int index)
{
    TForm* form = ParentForm();
    if (!form || index < 0 || index >= m_buttons.Count())
        return;
    TsuiTitleBarButton* b = m_buttons.Items(index);
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
    std::shared_ptr<bool> alive = m_alive;
    for (int i = 0; i < m_buttons.Count() && *alive; ++i)
        if (m_buttons.Items(i)->Visible() && m_buttons.Items(i)->ButtonType() == TsuiTitleBarBtnType::suiMax)
            DoClick(i);
}

void TsuiTitleBar::CloseForm()
{
    if (TForm* form = ParentForm())
        form->Close();
}

void TsuiTitleBar::PopupWindowMenu(Point screen) { m_window_menu->PopupAt(screen); }

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
    if (component == m_file_theme) {
        m_file_theme = nullptr;
        SetUIStyle(TsuiUIStyle::DeepBlue);
    }
    for (int i = 0; i < m_buttons.Count(); ++i)
        if (m_buttons.Items(i)->ControlBoxMenu() == component)
            m_buttons.Items(i)->SetControlBoxMenu(nullptr);
}

}
