#pragma once

// TApplication: the program's window system, its forms and its message
// loop. The global `Application` points at the living instance.
//
// Exceptions that leave event handlers (window messages, timers) come to
// HandleException, which shows them in a message box titled with the
// application's title, and the loop goes on. Layers above the platform that
// run handlers of their own (the network layer's thread timer) install
// ExceptionHandler() as theirs.

#include "platform/backend/display_backend.h"
#include "platform/components/component.h"
#include "platform/components/event.h"
#include "platform/gfx/bitmap.h"
#include "platform/loop/event_loop.h"
#include "platform/window/messages.h"

#include <exception>
#include <functional>
#include <memory>
#include <string>

namespace pellamo {

class TForm;
class WindowSystem;

class TApplication : public TComponent {
public:
    // On a display the application keeps (the program's choice, as
    // CreateDisplayBackend() makes it), with the main event loop.
    explicit TApplication(std::unique_ptr<DisplayBackend> backend);
    // On a given backend and loop (tests).
    explicit TApplication(DisplayBackend& backend, EventLoop& loop = EventLoop::Main());
    ~TApplication() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    WindowSystem& Windows() { return *windows_; }
    EventLoop& Loop() { return loop_; }
    DisplayBackend& Backend() { return *backend_; }

    // GBK, like every text of the program.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    const Bitmap& Icon() const { return icon_; }
    void SetIcon(const Bitmap& icon) { icon_ = icon; }

    // Creates a form owned by the application; the first one becomes the
    // main form. Its OnCreate has run when this returns.
    template <class T> T* CreateForm()
    {
        T* form = new T(this);
        FormCreated(form);
        return form;
    }
    TForm* MainForm() const { return main_form_; }
    // Whether Run shows the main form (the program's main window is shown
    // when the loop starts).
    bool ShowMainForm() const { return show_main_form_; }
    void SetShowMainForm(bool on) { show_main_form_ = on; }

    // Shows the main form and runs the loop until Terminate (closing the
    // main form terminates).
    void Run();
    // Handles what is waiting and returns.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // One of the program's windows is the active window.
    bool Active() const;

    // The exception display.
    void HandleException(std::exception_ptr failure);
    // HandleException as a callable, for other layers' exception hooks.
    std::function<void(std::exception_ptr)> ExceptionHandler();
    void ShowException(const std::string& message);
    // The message as shown: "." appended unless the last character sorts
    // at or before "." ("Connection Failed" -> "Connection Failed.",
    // "Done!" stays); an empty message stays empty.
    static std::string ExceptionText(const std::string& message);
    // A message box owned by the active window; GBK text and caption.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    // Replaces the message box (tests, or a skinned box): receives the GBK
    // text, caption and MB_* flags, returns the button.
    std::function<int(const std::string& text, const std::string& caption, UINT flags)> MessageBoxFunction;

    // Instead of the message box when set.
    TEvent<TObject*, std::exception_ptr> OnException;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

    // Called by forms.
    void FormActivationChanged();
    void ForgetMainForm() { main_form_ = nullptr; }

private:
    void Init();
    void FormCreated(TForm* form);

    std::unique_ptr<DisplayBackend> own_backend_;
    DisplayBackend* backend_;
    EventLoop& loop_;
    std::unique_ptr<WindowSystem> windows_;
    std::string title_;
    Bitmap icon_;
    TForm* main_form_ = nullptr;
    bool show_main_form_ = true;
    bool terminated_ = false;
    bool active_ = false;
    TApplication* previous_ = nullptr;
};

// The living application, null when none.
extern TApplication* Application;

}
