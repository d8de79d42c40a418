#include "app/look_layout.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/form.h"
#include "skin/frame/skin_form.h"

#include <algorithm>

namespace pellamo {

LookLayout& LookLayout::Of(TForm& form)
{
    if (auto* layout = dynamic_cast<LookLayout*>(form.FindComponent(kName)))
        return *layout;
    auto* layout = new LookLayout(&form);
    layout->SetName(kName);
    layout->designed_top_ = layout->ContentTop();
    layout->designed_client_width_ = form.ClientWidth();
    layout->designed_client_height_ = form.ClientHeight();
    return *layout;
}

int LookLayout::ShiftOf(const TComponent& form)
{
    auto* layout = dynamic_cast<const LookLayout*>(form.FindComponent(kName));
    return layout ? layout->shift_ : 0;
}

LookLayout::LookLayout(TComponent* owner)
    : TComponent(owner)
{
}

const ClassInfo& LookLayout::StaticClass()
{
    static const ClassInfo info("LookLayout", &TComponent::StaticClass());
    return info;
}

TForm& LookLayout::Form() const { return static_cast<TForm&>(*Owner()); }

TsuiForm* LookLayout::Frame() const
{
    TForm& form = Form();
    for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* frame = dynamic_cast<TsuiForm*>(form.Components(i)))
            return frame;
    return nullptr;
}

int LookLayout::ContentTop() const
{
    // The title bar and the menu bar stand aligned to the frame's top.
    TsuiForm* frame = Frame();
    if (!frame)
        return 0;
    int top = 0;
    for (int i = 0; i < frame->ControlCount(); ++i) {
        TControl* c = frame->Controls(i);
        if (c->Align() == TAlign::alTop && c->Visible())
            top = std::max(top, c->Top() + c->Height());
    }
    return top;
}

void LookLayout::Follow()
{
    TForm& form = Form();
    TsuiForm* frame = Frame();
    if (!frame || form.WindowState() != TWindowState::wsNormal)
        return;
    form.Realign();
    int shift = ContentTop() - designed_top_;
    if (int by = shift - shift_; by != 0) {
        for (int i = 0; i < frame->ControlCount(); ++i) {
            TControl* c = frame->Controls(i);
            if (c->Align() == TAlign::alNone)
                c->SetTop(c->Top() + by);
        }
        shift_ = shift;
    }
    // The frame's edges may have changed the client area the window leaves.
    form.SetClientWidth(designed_client_width_);
    form.SetClientHeight(designed_client_height_ + shift_);
}

}
