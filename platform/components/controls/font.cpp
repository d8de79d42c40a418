#include "platform/components/controls/font.h"

#include "platform/components/controls/control_enums.h"
#include "platform/components/props.h"

namespace pellamo {

const ClassInfo& TFont::StaticClass()
{
    // Size follows Height and is not stored; descriptions carry Height.
    static const ClassInfo info("TFont", &TPersistent::StaticClass(),
        {
            props::Int<TFont>("Charset", &TFont::Charset, &TFont::SetCharset),
            props::Color<TFont>("Color", &TFont::Color, &TFont::SetColor),
            props::Int<TFont>("Height", &TFont::Height, &TFont::SetHeight),
            props::Str<TFont>("Name", &TFont::Name, &TFont::SetName),
            props::Stored<TFont>(
                props::Int<TFont>("Size", &TFont::Size, &TFont::SetSize), [](const TFont&) { return false; }),
            props::Set<TFont>("Style", FontStyleNames(), &TFont::Style, &TFont::SetStyle),
        });
    return info;
}

void TFont::Assign(const TPersistent& source)
{
    if (auto* f = dynamic_cast<const TFont*>(&source)) {
        SetFont(f->font_);
        return;
    }
    TPersistent::Assign(source);
}

void TFont::SetFont(const Font& font)
{
    if (font_ == font)
        return;
    font_ = font;
    Changed();
}

void TFont::SetName(const std::string& name)
{
    if (font_.name == name)
        return;
    font_.name = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (font_.height == height)
        return;
    font_.height = height;
    Changed();
}

void TFont::SetSize(int points)
{
    Font f = font_;
    f.SetSize(points);
    SetFont(f);
}

void TFont::SetColor(TColor color)
{
    if (font_.color == color)
        return;
    font_.color = color;
    Changed();
}

TFontStyles TFont::Style() const
{
    TFontStyles s;
    if (font_.bold)
        s.Include(TFontStyle::fsBold);
    if (font_.italic)
        s.Include(TFontStyle::fsItalic);
    if (font_.underline)
        s.Include(TFontStyle::fsUnderline);
    if (font_.strike_out)
        s.Include(TFontStyle::fsStrikeOut);
    return s;
}

void TFont::SetStyle(TFontStyles style)
{
    Font f = font_;
    f.bold = style.Contains(TFontStyle::fsBold);
    f.italic = style.Contains(TFontStyle::fsItalic);
    f.underline = style.Contains(TFontStyle::fsUnderline);
    f.strike_out = style.Contains(TFontStyle::fsStrikeOut);
    SetFont(f);
}

void TFont::SetCharset(int charset)
{
    if (font_.charset == charset)
        return;
    font_.charset = charset;
    Changed();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange();
}

}
