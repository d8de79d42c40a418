#include "platform/components/controls/tool_button.h"

#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/controls/tool_bar.h"
#include "platform/components/enum_info.h"
#include "platform/components/props.h"

namespace pellamo {

namespace {

const EnumInfo& ToolButtonStyleNames()
{
    static const EnumInfo info(
        "TToolButtonStyle", { "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider" });
    return info;
}

}

TToolButton::TToolButton(TComponent* owner)
    : TGraphicControl(owner)
{
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton()
{
    if (TToolBar* bar = ToolBar(); bar && bar->m_drop_button == this) {
        bar->m_drop_button = nullptr;
        bar->CloseMenu();
    }
}

const ClassInfo& TToolButton::StaticClass()
{
    using B = TToolButton;
    static const ClassInfo info("TToolButton", &TGraphicControl::StaticClass(),
        {
            props::Bool<B>("Down", &B::Down, &B::SetDown),
            props::Ref<B, TPopupMenu>("DropdownMenu", &B::DropdownMenu, &B::SetDropdownMenu),
            props::Bool<B>("Grouped", &B::Grouped, &B::SetGrouped),
            props::Int<B>("ImageIndex", &B::ImageIndex, &B::SetImageIndex),
            props::Ref<B, TMenuItem>("MenuItem", &B::MenuItem, &B::SetMenuItem),
            props::Enum<B>("Style", ToolButtonStyleNames(), &B::Style, &B::SetStyle),
        },
        FactoryOf<TToolButton>());
    return info;
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* parent)
{
    TToolBar* old = ToolBar();
    TGraphicControl::SetParent(parent);
    if (old && old != ToolBar() && !old->HasState(csDestroying))
        old->ArrangeButtons();
    if (TToolBar* bar = ToolBar())
        bar->ArrangeButtons();
}

void TToolButton::Changed(bool layout)
{
    if (TToolBar* bar = ToolBar()) {
        if (layout)
            bar->ArrangeButtons();
        bar->Invalidate();
    }
}

void TToolButton::SetStyle(TToolButtonStyle style)
{
    m_style = style;
    Changed(true);
}

void TToolButton::SetImageIndex(int index)
{
    m_image_index = index;
    Changed(false);
}

void TToolButton::SetDown(bool down)
{
    m_down = down;
    Changed(false);
}

void TToolButton::SetMenuItem(TMenuItem* item)
{
    if (item == m_menu_item)
        return;
    m_menu_item = item;
    if (item)
        FreeNotification(item);
    Changed(true);
}

std::string TToolButton::DisplayCaption() const { return m_menu_item ? m_menu_item->Caption() : Caption(); }

void TToolButton::Click()
{
    if (!Enabled() || IsSeparator())
        return;
    if (m_menu_item) {
        if (m_menu_item->Count() == 0)
            m_menu_item->Click();
        return;
    }
    if (m_style == TToolButtonStyle::tbsCheck)
        SetDown(!m_down);
    TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !Enabled() || IsSeparator())
        return;
    TToolBar* bar = ToolBar();
    if (m_menu_item && m_menu_item->Count() > 0 && bar) {
        bar->DropButtonMenu(this, false);
        return;
    }
    // A drop-down button drops its menu from its arrow; the rest of it
    // presses as any button.
    if (m_dropdown && m_style == TToolButtonStyle::tbsDropDown && x >= Width() - kToolButtonArrowWidth) {
        Point below = ClientToScreen({ 0, Height() });
        m_dropdown->PopupComponent = this;
        m_dropdown->Popup(below.x, below.y);
        return;
    }
    m_pressed = true;
    Changed(false);
}

void TToolButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (m_pressed && button == TMouseButton::mbLeft) {
        m_pressed = false;
        Changed(false);
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TToolButton::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    bool over = x >= 0 && y >= 0 && x < Width() && y < Height();
    if (m_pressed && over != m_hot) {
        m_hot = over;
        Changed(false);
    }
}

void TToolButton::MouseEnter()
{
    m_hot = true;
    Changed(false);
}

void TToolButton::MouseLeave()
{
    m_hot = false;
    Changed(false);
}

void TToolButton::TextChanged() { Changed(true); }

void TToolButton::EnabledChanged() { Changed(false); }

void TToolButton::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == m_menu_item) {
        m_menu_item = nullptr;
        Changed(true);
    }
    if (component == m_dropdown)
        m_dropdown = nullptr;
}

}
