#include "skin/notify/notification_popup.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/label.h"
#include "platform/components/controls/timer.h"
#include "platform/components/props.h"
#include "skin/notify/notification_window.h"
#include "skin/window/placement.h"

namespace pellamo {

namespace {

constexpr TColor kNavy = 0x800000;

}

TsuiMSNPopForm::TsuiMSNPopForm(TComponent* owner)
    : TComponent(owner)
    , m_form(new TfrmMSNPopForm(nullptr))
{
    m_title_font.SetColor(kNavy);
    m_message_font.SetColor(kNavy);
    m_form->ClickHook = [this](TObject*) { OnClick(this); };
    m_form->CloseHook = [this](TObject*) { OnClose(this); };
    if (m_form->lbl_title)
        m_form->lbl_title->OnClick = [this](TObject*) { OnTitleClick(this); };
}

TsuiMSNPopForm::~TsuiMSNPopForm()
{
    m_form->ClickHook = nullptr;
    m_form->CloseHook = nullptr;
    if (m_form->lbl_title)
        m_form->lbl_title->OnClick = nullptr;
}

const ClassInfo& TsuiMSNPopForm::StaticClass()
{
    using C = TsuiMSNPopForm;
    static const ClassInfo info("TsuiMSNPopForm", &TComponent::StaticClass(),
        {
            props::Int<C>("AnimateTime", &C::AnimateTime, &C::SetAnimateTime),
            props::Int<C>("StayTime", &C::StayTime, &C::SetStayTime),
            props::Int<C>("PositionX", &C::PositionX, &C::SetPositionX),
            props::Int<C>("PositionY", &C::PositionY, &C::SetPositionY),
            props::Bool<C>("AutoPosition", &C::AutoPosition, &C::SetAutoPosition),
            props::Bool<C>("ClickHide", &C::ClickHide, &C::SetClickHide),
            props::Str<C>("Title", &C::Title, &C::SetTitle),
            props::Str<C>("MessageText", &C::MessageText, &C::SetMessageText),
            props::Object<C>("TitleFont", &C::m_title_font),
            props::Object<C>("MessageFont", &C::m_message_font),
            props::Event<C>("OnTitleClick", &C::OnTitleClick),
            props::Event<C>("OnClick", &C::OnClick),
            props::Event<C>("OnClose", &C::OnClose),
            props::Event<C>("OnShow", &C::OnShow),
        },
        FactoryOf<TsuiMSNPopForm>());
    return info;
}

void TsuiMSNPopForm::Popup()
{
    TfrmMSNPopForm& form = *m_form;
    form.AnimateTime = m_animate_time;
    form.StayTime = m_stay_time;
    form.ClickHide = m_click_hide;
    if (form.lbl_title) {
        form.lbl_title->SetText(m_title);
        form.lbl_title->Font().Assign(m_title_font);
    }
    if (form.lbl_text) {
        form.lbl_text->SetText(m_message);
        form.lbl_text->Font().Assign(m_message_font);
    }
    OnShow(this);
    Point at { m_position_x, m_position_y };
    if (m_auto_position)
        at = NotificationPlace(GetWorkAreaRect(), { form.Width(), form.Height() });
    form.SetBounds(at.x, at.y, form.Width(), form.Height());
    form.SetVisible(true);
    if (form.Timer1)
        form.Timer1->SetEnabled(true);
}

void TsuiMSNPopForm::Close()
{
    if (m_form->Timer1)
        m_form->Timer1->SetEnabled(false);
    m_form->Hide();
}

}
