#include "platform/text/number_locale.h"

#include "platform/text/gbk.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <array>

namespace pellamo {

namespace {

// A separator as the locale data holds it (UTF-8 in UTF-8 locales, one
// byte in legacy ones), as GBK; `fallback` when GBK cannot write it.
std::string SeparatorAsGbk(std::string text, const std::string& fallback)
{
    if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return text;
    // The spaces locales group digits with (no-break, narrow no-break, thin,
    // figure space; 0xA0 is the no-break space of the Latin code pages)
    // read as a plain blank.
    static constexpr std::array<std::string_view, 5> kSpaces { "\xc2\xa0", "\xe2\x80\xaf", "\xe2\x80\x89",
        "\xe2\x80\x87", "\xa0" };
    if (std::find(kSpaces.begin(), kSpaces.end(), text) != kSpaces.end())
        return " ";
    std::string gbk = Utf8ToGbk(text);
    if (gbk.find('?') != std::string::npos || GbkToUtf8(gbk) != text)
        return fallback;
    return gbk;
}

NumberLocale FromLocaleObject(locale_t loc)
{
    std::string decimal = SeparatorAsGbk(nl_langinfo_l(RADIXCHAR, loc), ".");
    std::string thousands = SeparatorAsGbk(nl_langinfo_l(THOUSEP, loc), "");
    if (thousands == decimal)
        thousands.clear();
    return NumberLocale(decimal, thousands);
}

std::optional<NumberLocale> Load(const char* name)
{
    locale_t loc = newlocale(LC_NUMERIC_MASK, name, static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return std::nullopt;
    NumberLocale result = FromLocaleObject(loc);
    freelocale(loc);
    return result;
}

}

NumberLocale::NumberLocale(std::string decimal_separator, std::string thousands_separator)
    : decimal_(decimal_separator.empty() ? std::string(".") : std::move(decimal_separator))
    , thousands_(std::move(thousands_separator))
{
}

NumberLocale NumberLocale::FromEnvironment()
{
    // "" asks for the locale the environment names.
    return Load("").value_or(NumberLocale());
}

const NumberLocale& NumberLocale::User()
{
    static const NumberLocale user = FromEnvironment();
    return user;
}

std::optional<NumberLocale> NumberLocale::Named(const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    return Load(name.c_str());
}

}
