#include "platform/components/controls/timer.h"

#include "platform/components/props.h"
#include "platform/window/window_system.h"

namespace pellamo {

namespace {

constexpr const char* kTimerClass = "PellamoTimerWindow";
constexpr uintptr_t kTimerId = 1;

}

TTimer::TTimer(TComponent* owner)
    : TComponent(owner)
{
    UpdateTimer();
}

TTimer::~TTimer()
{
    if (window_ && ws_ && WindowSystem::Current() == ws_ && ws_->IsWindow(window_)) {
        ws_->SetUserData(window_, nullptr);
        ws_->DestroyWindow(window_);
    }
}

const ClassInfo& TTimer::StaticClass()
{
    static const ClassInfo info("TTimer", &TComponent::StaticClass(),
        {
            props::Bool<TTimer>("Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
            props::Int<TTimer>("Interval", &TTimer::Interval, &TTimer::SetInterval),
            props::Event<TTimer>("OnTimer", &TTimer::OnTimer),
        },
        FactoryOf<TTimer>());
    return info;
}

void TTimer::SetEnabled(bool on)
{
    if (enabled_ == on)
        return;
    enabled_ = on;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms)
{
    if (interval_ == ms)
        return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    // Started once the description is read, so a stored Interval counts
    // from the end of loading.
    if (HasState(csLoading))
        return;
    bool want = enabled_ && interval_ > 0;
    if (!window_) {
        if (!want)
            return;
        ws_ = WindowSystem::Current();
        if (!ws_)
            throw std::logic_error("No window system: create the application first");
        if (!ws_->IsClassRegistered(kTimerClass)) {
            WindowClass cls;
            cls.name = kTimerClass;
            WindowSystem* system = ws_;
            cls.proc = [system](HWND h, UINT msg, WPARAM w, LPARAM l) -> LRESULT {
                auto* timer = static_cast<TTimer*>(system->GetUserData(h));
                if (msg == WM_TIMER && timer) {
                    timer->Tick();
                    return 0;
                }
                return system->DefWindowProc(h, msg, w, l);
            };
            ws_->RegisterClass(cls);
        }
        CreateWindowParams p;
        p.class_name = kTimerClass;
        p.style = WS_POPUP;
        p.ex_style = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;
        p.bounds = { 0, 0, 1, 1 };
        window_ = ws_->CreateWindowEx(p);
        if (!window_)
            throw std::runtime_error("Cannot create the timer's window");
        ws_->SetUserData(window_, this);
    }
    if (running_)
        ws_->KillTimer(window_, kTimerId);
    running_ = want;
    if (want)
        ws_->SetTimer(window_, kTimerId, interval_);
}

void TTimer::Tick()
{
    if (enabled_ && !HasState(csDestroying))
        OnTimer(this);
}

}
