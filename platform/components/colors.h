#pragma once

// TColor: a 32-bit colour, 0x00BBGGRR for plain colours. Values with the
// top bit set name a system colour (clBtnFace) that the drawing layer maps
// to the current scheme; clNone and clDefault are markers.

#include "platform/gfx/color.h"
#include "platform/gfx/system_colors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pellamo {

constexpr TColor SystemColor(int index) { return SystemColors::FromIndex(index); }

// The colour of a name such as "clBtnFace", case-insensitively.
std::optional<TColor> ColorFromName(std::string_view name);
// The name of a named colour, else empty.
std::string ColorName(TColor color);

}
