#include "skin/edits/number_edit.h"

#include "platform/components/component_errors.h"
#include "platform/components/props.h"
#include "platform/text/float_format.h"
#include "platform/window/window_system.h"
#include "skin/edits/number_key_filter.h"

namespace pellamo {

TsuiNumberEdit::TsuiNumberEdit(TComponent* owner)
    : TsuiEdit(owner)
{
    SetAlignment(TAlignment::taRightJustify);
    SetValue(0);
}

const ClassInfo& TsuiNumberEdit::StaticClass()
{
    static const ClassInfo info("TsuiNumberEdit", &TsuiEdit::StaticClass(),
        {
            props::Str<TsuiNumberEdit>("Mask", &TsuiNumberEdit::Mask, &TsuiNumberEdit::SetMask),
            props::Float<TsuiNumberEdit>("Value", &TsuiNumberEdit::Value, &TsuiNumberEdit::SetValue),
            props::Int<TsuiNumberEdit>(
                "AutoSelectSigns", &TsuiNumberEdit::AutoSelectSigns, &TsuiNumberEdit::SetAutoSelectSigns),
        },
        FactoryOf<TsuiNumberEdit>());
    return info;
}

void TsuiNumberEdit::SetMask(const std::string& mask)
{
    mask_ = mask;
    SetValue(value_);
}

void TsuiNumberEdit::SetLocale(const NumberLocale& locale)
{
    locale_ = locale;
    SetValue(value_);
}

void TsuiNumberEdit::SetValue(double value)
{
    value_ = value;
    SetText(FormatFloat(mask_, value, locale_));
}

std::string TsuiNumberEdit::PlainText() const
{
    std::string text = Text();
    const std::string& thousands = locale_.ThousandsSeparator();
    if (thousands.empty())
        return text;
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (text.compare(i, thousands.size(), thousands) == 0) {
            i += thousands.size();
            continue;
        }
        out += text[i++];
    }
    return out;
}

bool TsuiNumberEdit::IsNumberStart(const std::string& text) const
{
    const std::string& point = locale_.DecimalSeparator();
    return text.empty() || text == "-" || text == point || text == "-" + point;
}

void TsuiNumberEdit::ThrowNotANumber(const std::string& text) const
{
    throw EConvertError("'" + text + "' is not a valid floating point value");
}

void TsuiNumberEdit::Change()
{
    std::string text = Text();
    if (!IsNumberStart(text)) {
        std::optional<double> read = TextToFloat(PlainText(), locale_);
        if (!read) {
            // Value's own text comes back, with the caret after it, before
            // the error goes on.
            SetValue(value_);
            SetSelStart(static_cast<int>(Text().size()));
            ThrowNotANumber(text);
        }
        value_ = *read;
    }
    TsuiEdit::Change();
}

void TsuiNumberEdit::SelectSigns()
{
    if (auto_select_signs_ <= 0 || !AutoSelect())
        return;
    SetSelStart(static_cast<int>(Text().size()) - auto_select_signs_);
    SetSelLength(auto_select_signs_);
}

void TsuiNumberEdit::DoEnter()
{
    TsuiEdit::DoEnter();
    SelectSigns();
}

void TsuiNumberEdit::Click()
{
    TsuiEdit::Click();
    SelectSigns();
}

void TsuiNumberEdit::DoExit()
{
    TsuiEdit::DoExit();
    // A window going away takes the focus along; nothing is left to read.
    if (HasState(csDestroying))
        return;
    if (IsNumberStart(Text()))
        SetText("0");
    std::string text = Text();
    std::optional<double> read = TextToFloat(PlainText(), locale_);
    if (!read)
        ThrowNotANumber(text);
    SetValue(*read);
}

bool TsuiNumberEdit::AcceptChar(char16_t key)
{
    if (NumberEditAcceptsKey(key, Text(), SelStart(), mask_, locale_))
        return true;
    Windows().MessageBeep();
    return false;
}

}
