#pragma once

// The separators a user's locale writes numbers with. They are read through
// a locale object of their own (newlocale), never by switching the process's
// global numeric locale: the media engine needs that to stay "C".

#include <optional>
#include <string>

namespace pellamo {

class NumberLocale {
public:
    // "." and no thousands separator, as the "C" locale writes numbers.
    NumberLocale() = default;
    // Both GBK; an empty decimal separator becomes ".".
    NumberLocale(std::string decimal_separator, std::string thousands_separator);

    // What the environment names for numbers (LC_ALL, LC_NUMERIC, LANG),
    // read afresh; the "C" separators when that locale is not installed.
    static NumberLocale FromEnvironment();
    // FromEnvironment() as it was on first use, for the whole run.
    static const NumberLocale& User();
    // An installed locale by name ("de_DE.UTF-8"); none when there is none.
    static std::optional<NumberLocale> Named(const std::string& name);

    // GBK text; the decimal separator is never empty, the thousands
    // separator may be.
    const std::string& DecimalSeparator() const { return decimal_; }
    const std::string& ThousandsSeparator() const { return thousands_; }

    bool operator==(const NumberLocale&) const = default;

private:
    std::string decimal_ = ".";
    std::string thousands_;
};

}
