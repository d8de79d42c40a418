#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/region.h"

#include <optional>
#include <string>
#include <string_view>

namespace pellamo {

// Text through Pango and Cairo, drawn straight into bitmap memory. Windows
// font names are mapped to installed families (DejaVu for Latin faces,
// WenQuanYi Micro Hei for Chinese ones); glyphs missing in a face come from
// the others. Grey anti-aliasing with full hinting keeps small text crisp.
// All text here is UTF-8; "&" handling follows TextFlags (text_flags.h).
class TextRenderer {
public:
    // Family list handed to Pango for a GBK font name.
    static std::string FamilyFor(const std::string& gbk_name);

    static Size Extent(const Font& font, std::string_view utf8);
    // Characters no installed face can show (drawn as boxes); 0 when the
    // fonts cover the text.
    static int UnknownGlyphs(const Font& font, std::string_view utf8);

    // Draws one line with its top-left cell corner at `at` (bitmap
    // coordinates); `background` fills the text cell first.
    static void TextOut(Bitmap& target, const Region& clip, Point at, const Font& font, std::string_view utf8,
        std::optional<TColor> background);

    // DrawText in bitmap coordinates (`rect` is updated for kTextCalcRect);
    // returns the text height.
    static int DrawText(Bitmap& target, const Region& clip, const Font& font, std::string_view utf8, Rect& rect,
        unsigned flags, std::optional<TColor> background);
};

}
