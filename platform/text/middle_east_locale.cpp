#include "platform/text/middle_east_locale.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace pellamo {

bool IsMiddleEastLocale(std::string_view locale)
{
    static constexpr std::array<std::string_view, 11> kLanguages { "ar", "he", "iw", "fa", "ur", "ps", "sd", "ug", "yi",
        "dv", "ckb" };
    std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    return std::find(kLanguages.begin(), kLanguages.end(), language) != kLanguages.end();
}

bool MiddleEastLocale()
{
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" })
        if (const char* value = std::getenv(name); value && *value)
            return IsMiddleEastLocale(value);
    return false;
}

}
