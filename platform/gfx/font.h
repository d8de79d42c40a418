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

    // Size in points at 96 pixels per inch, as form designers state it
    // (8 points = height -11).
    int Size() const { return static_cast<int>(-(static_cast<long long>(height) * 72 + (height < 0 ? -48 : 48)) / 96); }
    void SetSize(int points)
    {
        height = static_cast<int>(-(static_cast<long long>(points) * 96 + (points < 0 ? -36 : 36)) / 72);
    }

    bool operator==(const Font&) const = default;
};

}
