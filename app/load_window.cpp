#include "app/load_window.h"

#include "app/window_description.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/timer.h"
#include "platform/components/description_reader.h"

#include <limits>

namespace pellamo {

uint32_t TForm4::ticks_ = 0;

TForm4::TForm4(TComponent* owner)
    : TForm4(owner, StoredDescription("TFORM4"))
{
}

TForm4::TForm4(TComponent* owner, std::string_view description)
    : TForm(owner)
{
    RegisterMethod("Timer1Timer", this, &TForm4::Timer1Timer);
    ReadDescription(description, *this);
    LoadPicture(*this, "Image1", "LOAD");
}

const ClassInfo& TForm4::StaticClass()
{
    static const ClassInfo info("TForm4", &TForm::StaticClass(), {}, FactoryOf<TForm4>());
    return info;
}

void TForm4::Timer1Timer(TObject*)
{
    // Later ticks would only count, so the timer stops at the front tick:
    // an idle program does not wake ten times a second for nothing. The
    // count stops short of wrapping so that the main window is never pulled
    // to the front a second time.
    if (ticks_ < std::numeric_limits<uint32_t>::max())
        ++ticks_;
    if (ticks_ == kFrontTick) {
        if (main_)
            main_->Show();
        Hide();
        if (auto* timer = dynamic_cast<TTimer*>(FindComponent("Timer1")))
            timer->SetEnabled(false);
    }
}

}
