#pragma once

// TTimer: OnTimer every Interval milliseconds while Enabled. Ticks come
// through the window system's queue (a hidden window of its own), so an
// exception from OnTimer reaches the application's exception display.

#include "platform/components/component.h"
#include "platform/components/event.h"
#include "platform/window/messages.h"

namespace pellamo {

class WindowSystem;

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    // Milliseconds; 0 stops the timer.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);

    TNotifyEvent OnTimer;

protected:
    void Loaded() override;

private:
    void UpdateTimer();
    void Tick();
    bool enabled_ = true;
    unsigned interval_ = 1000;
    WindowSystem* ws_ = nullptr;
    HWND window_ = nullptr;
    bool running_ = false;
};

}
