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
    , form_(new TfrmMSNPopForm(nullptr))
{
    title_font_.SetColor(kNavy);
    message_font_.SetColor(kNavy);
    form_->ClickHook = [this](TObject*) { OnClick(this); };
    form_->CloseHook = [this](TObject*) { OnClose(this); };
    if (form_->lbl_title)
        form_->lbl_title->OnClick = [this](TObject*) { OnTitleClick(this); };
}

TsuiMSNPopForm::~TsuiMSNPopForm()
{
    form_->ClickHook = nullptr;
    form_->CloseHook = nullptr;
    if (form_->lbl_title)
        form_->lbl_title->OnClick = nullptr;
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
            props::Object<C>("TitleFont", &C::title_font_),
            props::Object<C>("MessageFont", &C::message_font_),
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
    TfrmMSNPopForm& form = *form_;
    form.AnimateTime = animate_time_;
    form.StayTime = stay_time_;
    form.ClickHide = click_hide_;
    if (form.lbl_title) {
        form.lbl_title->SetText(title_);
        form.lbl_title->Font().Assign(title_font_);
    }
    if (form.lbl_text) {
        form.lbl_text->SetText(message_);
        form.lbl_text->Font().Assign(message_font_);
    }
    OnShow(this);
    Point at { position_x_, position_y_ };
    if (auto_position_)
        at = NotificationPlace(GetWorkAreaRect(), { form.Width(), form.Height() });
    form.SetBounds(at.x, at.y, form.Width(), form.Height());
    form.SetVisible(true);
    if (form.Timer1)
        form.Timer1->SetEnabled(true);
}

void TsuiMSNPopForm::Close()
{
    if (form_->Timer1)
        form_->Timer1->SetEnabled(false);
    form_->Hide();
}

}
