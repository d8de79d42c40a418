#pragma once

// TsuiNumberEdit: a right-aligned edit for a floating-point Value shown
// through a pattern (Mask, "0.00" by default) with the user's decimal and
// thousands separators. Only digits, one decimal separator, backspace and
// (where the pattern has one) a leading minus can be typed; any other key
// beeps. Entering the edit selects its last AutoSelectSigns characters (the
// decimals).
//
// The text is read into Value on every change. A text that is not a number
// (pasted, or set by code) is replaced by Value's text again and the
// conversion error (EConvertError) goes on to the caller. A text that is
// still only the start of a number ("", "-", the decimal separator, or
// minus and separator) leaves Value alone; leaving the edit turns it into 0.

#include "platform/text/number_locale.h"
#include "skin/edits/bordered_edit.h"

namespace pellamo {

class TsuiNumberEdit : public TsuiEdit {
public:
    explicit TsuiNumberEdit(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Mask() const { return mask_; }
    // Shows Value through the new pattern.
    void SetMask(const std::string& mask);
    double Value() const { return value_; }
    // Stores the value and shows it through Mask.
    void SetValue(double value);
    int AutoSelectSigns() const { return auto_select_signs_; }
    void SetAutoSelectSigns(int count) { auto_select_signs_ = count; }

    // The separators the edit writes and reads; the user's by default.
    const NumberLocale& Locale() const { return locale_; }
    void SetLocale(const NumberLocale& locale);

    void Click() override;

protected:
    void Change() override;
    void DoEnter() override;
    void DoExit() override;
    bool AcceptChar(char16_t key) override;

private:
    // The text without thousands separators.
    std::string PlainText() const;
    bool IsNumberStart(const std::string& text) const;
    void SelectSigns();
    [[noreturn]] void ThrowNotANumber(const std::string& text) const;

    std::string mask_ = "0.00";
    double value_ = 0;
    int auto_select_signs_ = 2;
    NumberLocale locale_ = NumberLocale::User();
};

}
