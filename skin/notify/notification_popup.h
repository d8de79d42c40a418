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
    int AnimateTime() const { return m_animate_time; }
    void SetAnimateTime(int ms) { m_animate_time = ms; }
    int StayTime() const { return m_stay_time; }
    void SetStayTime(int ms) { m_stay_time = ms; }
    // The screen position used when AutoPosition is off.
    int PositionX() const { return m_position_x; }
    void SetPositionX(int x) { m_position_x = x; }
    int PositionY() const { return m_position_y; }
    void SetPositionY(int y) { m_position_y = y; }
    bool AutoPosition() const { return m_auto_position; }
    void SetAutoPosition(bool on) { m_auto_position = on; }
    // A click on the window's body hides it.
    bool ClickHide() const { return m_click_hide; }
    void SetClickHide(bool on) { m_click_hide = on; }
    // GBK texts.
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& text) { m_title = text; }
    const std::string& MessageText() const { return m_message; }
    void SetMessageText(const std::string& text) { m_message = text; }
    // Writing a font copies it.
    TFont& TitleFont() { return m_title_font; }
    void SetTitleFont(const TFont& font) { m_title_font.Assign(font); }
    TFont& MessageFont() { return m_message_font; }
    void SetTextFont(const TFont& font) { m_message_font.Assign(font); }

    // Shows the window with the texts and fonts set now, sliding it in
    // unless it is up already (then only texts, fonts and place change and
    // the stay goes on), and starts counting the stay.
    void Popup();
    // Takes the window away at once: it slides out, then OnClose.
    void Close();

    // The window (for tests and for code that wants to decorate it).
    TfrmMSNPopForm& Window() const { return *m_form; }

    TNotifyEvent OnTitleClick;
    TNotifyEvent OnClick; // the window's body or its message
    TNotifyEvent OnClose; // the window has gone
    TNotifyEvent OnShow; // Popup, before the window is placed and shown

private:
    int m_animate_time = 400;
    int m_stay_time = 2000;
    int m_position_x = 0;
    int m_position_y = 0;
    bool m_auto_position = true;
    bool m_click_hide = false;
    std::string m_title;
    std::string m_message;
    TFont m_title_font;
    TFont m_message_font;
    ComponentPtr<TfrmMSNPopForm> m_form;
};

}
