#pragma once

#include <string_view>

namespace pellamo {

// Whether a locale name ("ar_EG.UTF-8", "he_IL", "fa") names one of the
// Middle East's right-to-left languages.
bool IsMiddleEastLocale(std::string_view locale);

// The same for the user's locale (LC_ALL, LC_MESSAGES or LANG, the first
// that is set): the system's Middle-Eastern flag, under which right-to-left
// reading orders take effect.
bool MiddleEastLocale();

}
