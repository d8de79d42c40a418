#pragma once

#include <cstring>
#include <string>

namespace pellamo {

// The characters up to the first zero; empty for null.
inline std::string PCharToStr(const char* text) { return text ? std::string(text, std::strlen(text)) : std::string(); }

}
