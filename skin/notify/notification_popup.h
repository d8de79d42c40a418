#pragma once

// TsuiMSNPopForm: a non-visual component that pops up a small notification
// window (a title and a message on a picture) at the bottom right of the
// work area, keeps it for StayTime and takes it away again; clicks on it
// are reported as events. It owns its window, a TfrmMSNPopForm.

#include "platform/components/component.h"
#include "platform/components/controls/font.h"
#include "platform/components/event.h"

#include <string>

namespace pellamo {

class TfrmMSNPopForm;

class TsuiMSNPopForm : public TComponent {
public:
    explicit TsuiMSNPopForm(TComponent* owner);
    ~TsuiMSNPopForm() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Milliseconds of each slide, and of the stay between them.
    int AnimateTime() const { return animate_time_; }
    void SetAnimateTime(int ms) { animate_time_ = ms; }
    int StayTime() const { return stay_time_; }
    void SetStayTime(int ms) { stay_time_ = ms; }
    // The screen position used when AutoPosition is off.
    int PositionX() const { return position_x_; }
    void SetPositionX(int x) { position_x_ = x; }
    int PositionY() const { return position_y_; }
    void SetPositionY(int y) { position_y_ = y; }
    bool AutoPosition() const { return auto_position_; }
    void SetAutoPosition(bool on) { auto_position_ = on; }
    // A click on the window's body hides it.
    bool ClickHide() const { return click_hide_; }
    void SetClickHide(bool on) { click_hide_ = on; }
    // GBK texts.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& text) { title_ = text; }
    const std::string& MessageText() const { return message_; }
    void SetMessageText(const std::string& text) { message_ = text; }
    // Writing a font copies it.
    TFont& TitleFont() { return title_font_; }
    void SetTitleFont(const TFont& font) { title_font_.Assign(font); }
    TFont& MessageFont() { return message_font_; }
    void SetTextFont(const TFont& font) { message_font_.Assign(font); }

    // Shows the window with the texts and fonts set now, sliding it in
    // unless it is up already (then only texts, fonts and place change and
    // the stay goes on), and starts counting the stay.
    void Popup();
    // Takes the window away at once: it slides out, then OnClose.
    void Close();

    // The window (for tests and for code that wants to decorate it).
    TfrmMSNPopForm& Window() const { return *form_; }

    TNotifyEvent OnTitleClick;
    TNotifyEvent OnClick; // the window's body or its message
    TNotifyEvent OnClose; // the window has gone
    TNotifyEvent OnShow; // Popup, before the window is placed and shown

private:
    int animate_time_ = 400;
    int stay_time_ = 2000;
    int position_x_ = 0;
    int position_y_ = 0;
    bool auto_position_ = true;
    bool click_hide_ = false;
    std::string title_;
    std::string message_;
    TFont title_font_;
    TFont message_font_;
    ComponentPtr<TfrmMSNPopForm> form_;
};

}
