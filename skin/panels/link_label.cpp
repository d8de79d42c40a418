#include "skin/panels/link_label.h"

#include "platform/components/props.h"
#include "platform/window/window_system.h"
#include "skin/panels/visible_text.h"

namespace pellamo {

TsuiURLLabel::TsuiURLLabel(TComponent* owner)
    : TCustomLabel(owner)
{
    TFontStyles style = Font().Style();
    style.Include(TFontStyle::fsUnderline);
    Font().SetStyle(style);
    Font().SetColor(link_color_);
    SetCursor(TCursor::crHandPoint);
    SetAutoSize(true);
    SetCaption("Welcome to Pellamo");
    url_ = "http://www.pellamo.example/";
}

const ClassInfo& TsuiURLLabel::StaticClass()
{
    static const ClassInfo info("TsuiURLLabel", &TCustomLabel::StaticClass(),
        {
            props::Str<TsuiURLLabel>("URL", &TsuiURLLabel::URL, &TsuiURLLabel::SetURL),
            props::Color<TsuiURLLabel>(
                "FontHoverColor", &TsuiURLLabel::FontHoverColor, &TsuiURLLabel::SetFontHoverColor),
            props::Color<TsuiURLLabel>("FontLinkColor", &TsuiURLLabel::FontLinkColor, &TsuiURLLabel::SetFontLinkColor),
        },
        FactoryOf<TsuiURLLabel>());
    return info;
}

void TsuiURLLabel::SetURL(const std::string& url)
{
    if (url != url_)
        url_ = url;
}

void TsuiURLLabel::SetFontLinkColor(TColor color)
{
    link_color_ = color;
    Font().SetColor(color);
}

void TsuiURLLabel::MouseEnter()
{
    TCustomLabel::MouseEnter();
    Font().SetColor(HasState(csDesigning) ? 0xFF0000 : hover_color_);
}

void TsuiURLLabel::MouseLeave()
{
    TCustomLabel::MouseLeave();
    Font().SetColor(link_color_);
}

void TsuiURLLabel::Click()
{
    // The opener's answer is not reported: a browser that fails says so itself.
    if (HasVisibleText(url_))
        Windows().Backend().OpenUrl(url_);
    TCustomLabel::Click();
}

}
