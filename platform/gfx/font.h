#pragma once

#include "platform/gfx/color.h"

#include <string>

namespace pellamo {

// Character sets that change which glyphs a font prefers.
constexpr int kDefaultCharset = 1;
constexpr int kGb2312Charset = 134;

struct Font {
    // Family name in GBK ("MS Sans Serif", "Tahoma", "宋体"); mapped to the
    // installed fonts by the text renderer.
    std::string name = "MS Sans Serif";
    // Negative: character (em) height in pixels; positive: cell height
    // (ascent + descent) in pixels; 0: the default of 11 pixels (8 points).
    int height = -11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike_out = false;
    TColor color = clBlack;
    int charset = kDefaultCharset;

    bool operator==(const Font&) const = default;
};

}
