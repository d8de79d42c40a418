#pragma once

#include <string_view>

namespace pellamo {

// Whether the text holds more than blanks: every character up to the space
// counts as one, as when text is trimmed.
inline bool HasVisibleText(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ')
            return true;
    return false;
}

}
