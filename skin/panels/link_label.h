#pragma once

// TsuiURLLabel: a label that behaves as a hyperlink. It turns to its hover
// colour under the mouse and back to its link colour when the mouse
// leaves; a click opens URL in the user's browser through the desktop's
// opener (never a shell) and then raises OnClick.

#include "platform/components/controls/label.h"

namespace pellamo {

class TsuiURLLabel : public TCustomLabel {
public:
    explicit TsuiURLLabel(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::string& URL() const { return url_; }
    void SetURL(const std::string& url);
    TColor FontHoverColor() const { return hover_color_; }
    void SetFontHoverColor(TColor color) { hover_color_ = color; }
    TColor FontLinkColor() const { return link_color_; }
    // Also recolours the text at once.
    void SetFontLinkColor(TColor color);

    void Click() override;

protected:
    void MouseEnter() override;
    void MouseLeave() override;

private:
    std::string url_;
    TColor hover_color_ = 0x0000FF; // red
    TColor link_color_ = 0xFF0000; // blue
};

}
