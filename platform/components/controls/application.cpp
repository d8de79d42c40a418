#include "platform/components/controls/application.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/form.h"
#include "platform/components/controls/register_control_classes.h"
#include "platform/text/gbk.h"
#include "platform/window/message_box.h"
#include "platform/window/window_system.h"

#include <cstdio>

namespace pellamo {

TApplication* Application = nullptr;

TApplication::TApplication(std::unique_ptr<DisplayBackend> backend)
    : TComponent(nullptr)
    , own_backend_(std::move(backend))
    , backend_(own_backend_.get())
    , loop_(EventLoop::Main())
{
    Init();
}

TApplication::TApplication(DisplayBackend& backend, EventLoop& loop)
    : TComponent(nullptr)
    , backend_(&backend)
    , loop_(loop)
{
    Init();
}

void TApplication::Init()
{
    RegisterControlClasses();
    windows_ = std::make_unique<WindowSystem>(*backend_, loop_);
    windows_->SetExceptionHandler(ExceptionHandler());
    previous_ = Application;
    Application = this;
}

TApplication::~TApplication()
{
    // Forms go while the window system still stands.
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (auto* form = dynamic_cast<TForm*>(Components(i)))
            form->DoDestroy();
    DestroyComponents();
    main_form_ = nullptr;
    windows_->SetExceptionHandler(nullptr);
    windows_.reset();
    if (Application == this)
        Application = previous_;
}

const ClassInfo& TApplication::StaticClass()
{
    static const ClassInfo info("TApplication", &TComponent::StaticClass());
    return info;
}

void TApplication::FormCreated(TForm* form)
{
    if (!main_form_)
        main_form_ = form;
    form->DoCreate();
}

void TApplication::Run()
{
    if (main_form_ && show_main_form_ && !terminated_)
        main_form_->Show();
    loop_.WaitUntil([this] { return terminated_; });
}

void TApplication::ProcessMessages() { loop_.ProcessMessages(); }

void TApplication::Terminate()
{
    terminated_ = true;
    loop_.Quit(); // also ends modal loops
}

bool TApplication::Active() const { return windows_ && windows_->GetActiveWindow() != nullptr; }

void TApplication::FormActivationChanged()
{
    bool now = Active();
    if (now == active_)
        return;
    active_ = now;
    if (now)
        OnActivate(this);
    else
        OnDeactivate(this);
}

std::function<void(std::exception_ptr)> TApplication::ExceptionHandler()
{
    return [this](std::exception_ptr failure) { HandleException(failure); };
}

std::string TApplication::ExceptionText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    if (MessageBoxFunction)
        return MessageBoxFunction(text, caption, flags);
    HWND owner = windows_->GetActiveWindow();
    return MessageBox::Show(*windows_, owner, GbkToUtf8(text), GbkToUtf8(caption), flags);
}

void TApplication::ShowException(const std::string& message)
{
    MessageBox(ExceptionText(message), title_, MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(std::exception_ptr failure)
{
    if (!failure)
        return;
    try {
        if (OnException) {
            OnException(this, failure);
            return;
        }
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            ShowException(e.what());
        } catch (...) {
            // An exception of no known kind is shown with an empty message.
            ShowException("");
        }
    } catch (const std::exception& e) {
        // Failing to show a failure must not end the program.
        std::fprintf(stderr, "Exception while showing an exception: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Exception while showing an exception\n");
    }
}

}
