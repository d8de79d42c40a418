#pragma once

#include "platform/components/controls/form.h"

#include <cstdint>
#include <string_view>

namespace pellamo {

// The load window: a borderless 400 x 200 picture with a 100 ms tick. It
// is never shown; its 15th tick brings the main window to the front and
// stops the timer.
class TForm4 : public TForm {
public:
    static constexpr uint32_t kFrontTick = 15;

    explicit TForm4(TComponent* owner);
    TForm4(TComponent* owner, std::string_view description);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The window brought to the front at the 15th tick.
    void SetMainWindow(TForm* main) { main_ = main; }

    void Timer1Timer(TObject* sender);

    // Ticks so far, program-wide.
    static uint32_t Ticks() { return ticks_; }
    static void ResetTicks() { ticks_ = 0; }

private:
    static uint32_t ticks_;
    TForm* main_ = nullptr;
};

}
