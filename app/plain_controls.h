#pragma once

// Small stand-ins for plain controls the windows' descriptions name and the
// control framework does not offer yet: each is registered under its usual
// class name only while the framework has no class of that name, so the
// framework's own control takes over as soon as it exists.

#include "platform/components/controls/custom_control.h"
#include "platform/components/string_list.h"
#include "platform/loop/event_loop.h"

#include <string>

namespace pellamo {

// Text holders: an edit, a memo (its Lines are its text) and a button.
class PlainEdit : public TCustomControl {
public:
    explicit PlainEdit(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    std::string EditText() const { return Text(); }
    void SetEditText(const std::string& text) { SetText(text); }

protected:
    void Paint() override;
};

class PlainMemo : public PlainEdit {
public:
    explicit PlainMemo(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    std::string Text() const override;
    void SetText(const std::string& text) override;
    TStringList& Lines() { return lines_; }
    TScrollStyle ScrollBars() const { return scroll_bars_; }
    void SetScrollBars(TScrollStyle style) { scroll_bars_ = style; }

private:
    TStringList lines_;
    TScrollStyle scroll_bars_ = TScrollStyle::ssNone;
};

class PlainButton : public PlainEdit {
public:
    explicit PlainButton(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
};

// A status bar along the bottom.
class PlainStatusBar : public TCustomControl {
public:
    explicit PlainStatusBar(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

protected:
    void Paint() override;
};

// A scroll bar that only keeps its values: the ones of these windows are
// bound to nothing.
class PlainScrollBar : public TCustomControl {
public:
    enum class Kind { sbHorizontal, sbVertical };
    explicit PlainScrollBar(TComponent* owner);
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    Kind kind = Kind::sbHorizontal;
    int min = 0;
    int max = 100;
    int position = 0;
    int small_change = 1;
    int large_change = 1;
    int page_size = 0;

protected:
    void Paint() override;
};

// A repeating timer on the main loop.
class PlainTimer : public TComponent {
public:
    explicit PlainTimer(TComponent* owner);
    ~PlainTimer() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    TNotifyEvent OnTimer;

protected:
    void Loaded() override;

private:
    void Restart();
    bool enabled_ = true;
    int interval_ = 1000;
    EventLoop::Id timer_ = 0;
};

// Registers each stand-in whose class name the framework does not know.
void RegisterPlainControls();

// Loads a compiled-in picture into the image `image_name` of `owner`;
// false when there is no such image.
bool LoadPicture(TComponent& owner, const char* image_name, const char* resource);

}
