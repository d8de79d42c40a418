#include "platform/gfx/text_renderer.h"

#include "platform/gfx/text_flags.h"
#include "platform/text/access_keys.h"
#include "platform/text/gbk.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <memory>
#include <tuple>

namespace pellamo {

namespace {

constexpr const char* kFallbackFamilies = "DejaVu Sans,WenQuanYi Micro Hei";
constexpr int kDefaultHeight = 11;

struct FontAlias {
    const char* windows_name; // UTF-8, compared without ASCII case
    const char* family;
};

// Faces of Windows programs and the installed families that stand in for them.
constexpr std::array<FontAlias, 22> kAliases { {
    { "ms sans serif", "DejaVu Sans" },
    { "ms shell dlg", "DejaVu Sans" },
    { "ms shell dlg 2", "DejaVu Sans" },
    { "tahoma", "DejaVu Sans" },
    { "arial", "DejaVu Sans" },
    { "verdana", "DejaVu Sans" },
    { "segoe ui", "DejaVu Sans" },
    { "system", "DejaVu Sans" },
    { "times new roman", "DejaVu Serif" },
    { "courier new", "DejaVu Sans Mono" },
    { "courier", "DejaVu Sans Mono" },
    { "fixedsys", "DejaVu Sans Mono" },
    { "宋体", "WenQuanYi Micro Hei" },
    { "新宋体", "WenQuanYi Micro Hei" },
    { "simsun", "WenQuanYi Micro Hei" },
    { "nsimsun", "WenQuanYi Micro Hei" },
    { "黑体", "WenQuanYi Micro Hei" },
    { "simhei", "WenQuanYi Micro Hei" },
    { "微软雅黑", "WenQuanYi Micro Hei" },
    { "microsoft yahei", "WenQuanYi Micro Hei" },
    { "楷体_gb2312", "WenQuanYi Micro Hei" },
    { "仿宋_gb2312", "WenQuanYi Micro Hei" },
} };

std::string LowerAscii(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// One Pango context for the whole program, with the hinting a desktop uses.
PangoContext* Context()
{
    static PangoContext* context = [] {
        PangoFontMap* map = pango_cairo_font_map_new();
        PangoContext* ctx = pango_font_map_create_context(map);
        g_object_unref(map);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
        pango_cairo_context_set_font_options(ctx, options);
        cairo_font_options_destroy(options);
        pango_cairo_context_set_resolution(ctx, 96);
        return ctx;
    }();
    return context;
}

struct DescriptionDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
using Description = std::unique_ptr<PangoFontDescription, DescriptionDeleter>;

struct ObjectDeleter {
    void operator()(gpointer p) const { g_object_unref(p); }
};
using Layout = std::unique_ptr<PangoLayout, ObjectDeleter>;

PangoLanguage* LanguageFor(const Font& font)
{
    return pango_language_from_string(font.charset == kGb2312Charset ? "zh-cn" : "en");
}

Description MakeDescription(const Font& font, int pixel_size)
{
    Description d(pango_font_description_new());
    pango_font_description_set_family(d.get(), TextRenderer::FamilyFor(font.name).c_str());
    pango_font_description_set_weight(d.get(), font.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(d.get(), font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(d.get(), static_cast<double>(pixel_size) * PANGO_SCALE);
    return d;
}

// Em size in pixels for the font's height: a positive height is a cell
// height, so the em is scaled down by the face's ascent + descent.
int EmSize(const Font& font)
{
    if (font.height < 0)
        return -font.height;
    if (font.height == 0)
        return kDefaultHeight;
    using Key = std::tuple<std::string, int, bool, bool, int>;
    static std::map<Key, int> cache;
    Key key { font.name, font.height, font.bold, font.italic, font.charset };
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    Description d = MakeDescription(font, font.height);
    PangoFontMetrics* metrics = pango_context_get_metrics(Context(), d.get(), LanguageFor(font));
    int cell = pango_font_metrics_get_ascent(metrics) + pango_font_metrics_get_descent(metrics);
    pango_font_metrics_unref(metrics);
    int em = cell > 0
        ? std::max(1, static_cast<int>(static_cast<long long>(font.height) * font.height * PANGO_SCALE / cell))
        : font.height;
    cache.emplace(key, em);
    return em;
}

// Strips "&" access-key prefixes; returns the byte index of the underlined
// character or -1.
int StripPrefixes(std::string& text, unsigned flags)
{
    if (flags & kTextNoPrefix)
        return -1;
    AccessKeyText scanned = ScanAccessKeys(text);
    text = std::move(scanned.shown);
    return (flags & kTextHidePrefix) ? -1 : scanned.marked;
}

Layout MakeLayout(const Font& font, std::string_view utf8, unsigned flags, int underline_at)
{
    PangoContext* ctx = Context();
    pango_context_set_language(ctx, LanguageFor(font));
    Layout layout(pango_layout_new(ctx));
    Description d = MakeDescription(font, EmSize(font));
    pango_layout_set_font_description(layout.get(), d.get());
    std::string text(utf8);
    if (flags & kTextSingleLine)
        std::replace_if(
            text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    pango_layout_set_text(layout.get(), text.c_str(), static_cast<int>(text.size()));
    PangoAttrList* attrs = pango_attr_list_new();
    if (font.underline)
        pango_attr_list_insert(attrs, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (font.strike_out)
        pango_attr_list_insert(attrs, pango_attr_strikethrough_new(TRUE));
    if (underline_at >= 0 && underline_at < static_cast<int>(text.size())) {
        const char* start = text.c_str() + underline_at;
        const char* next = g_utf8_find_next_char(start, text.c_str() + text.size());
        PangoAttribute* attr = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
        attr->start_index = static_cast<guint>(underline_at);
        attr->end_index = static_cast<guint>((next ? next : text.c_str() + text.size()) - text.c_str());
        pango_attr_list_insert(attrs, attr);
    }
    pango_layout_set_attributes(layout.get(), attrs);
    pango_attr_list_unref(attrs);
    return layout;
}

std::string ValidUtf8(std::string_view utf8)
{
    gchar* valid = g_utf8_make_valid(utf8.data(), static_cast<gssize>(utf8.size()));
    std::string out(valid);
    g_free(valid);
    return out;
}

void Render(Bitmap& target, const Region& clip, PangoLayout* layout, Point at, Rect background_rect, const Font& font,
    std::optional<TColor> background)
{
    if (clip.IsEmpty() || target.Empty())
        return;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(target.Data()),
        CAIRO_FORMAT_RGB24, target.Width(), target.Height(), target.StrideBytes());
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    for (const Rect& r : clip.Rects())
        cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
    if (background && !background_rect.IsEmpty()) {
        cairo_set_source_rgb(cr, RedOf(*background) / 255.0, GreenOf(*background) / 255.0, BlueOf(*background) / 255.0);
        cairo_rectangle(
            cr, background_rect.left, background_rect.top, background_rect.Width(), background_rect.Height());
        cairo_fill(cr);
    }
    cairo_set_source_rgb(cr, RedOf(font.color) / 255.0, GreenOf(font.color) / 255.0, BlueOf(font.color) / 255.0);
    cairo_move_to(cr, at.x, at.y);
    pango_cairo_update_context(cr, pango_layout_get_context(layout));
    pango_layout_context_changed(layout);
    pango_cairo_show_layout(cr, layout);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}

}

std::string TextRenderer::FamilyFor(const std::string& gbk_name)
{
    std::string name = GbkToUtf8(gbk_name);
    std::string lower = LowerAscii(name);
    for (const FontAlias& alias : kAliases)
        if (lower == alias.windows_name)
            return std::string(alias.family) + "," + kFallbackFamilies;
    if (name.empty() || name.find(',') != std::string::npos)
        return kFallbackFamilies;
    return name + "," + kFallbackFamilies;
}

Size TextRenderer::Extent(const Font& font, std::string_view utf8)
{
    Layout layout = MakeLayout(font, ValidUtf8(utf8), kTextSingleLine | kTextNoPrefix, -1);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    return { logical.width, logical.height };
}

int TextRenderer::UnknownGlyphs(const Font& font, std::string_view utf8)
{
    Layout layout = MakeLayout(font, ValidUtf8(utf8), kTextSingleLine | kTextNoPrefix, -1);
    return pango_layout_get_unknown_glyphs_count(layout.get());
}

void TextRenderer::TextOut(Bitmap& target, const Region& clip, Point at, const Font& font, std::string_view utf8,
    std::optional<TColor> background)
{
    Layout layout = MakeLayout(font, ValidUtf8(utf8), kTextSingleLine | kTextNoPrefix, -1);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    Render(target, clip, layout.get(), at, Rect::FromSize(at.x, at.y, logical.width, logical.height), font, background);
}

int TextRenderer::DrawText(Bitmap& target, const Region& clip, const Font& font, std::string_view utf8, Rect& rect,
    unsigned flags, std::optional<TColor> background)
{
    std::string text = ValidUtf8(utf8);
    int underline = StripPrefixes(text, flags);
    Layout layout = MakeLayout(font, text, flags, underline);
    int width = rect.Width();
    bool single = flags & kTextSingleLine;
    if ((flags & kTextWordBreak) && !single && width > 0) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    } else if ((flags & kTextEndEllipsis) && width > 0) {
        pango_layout_set_width(layout.get(), width * PANGO_SCALE);
        pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
    }
    if (pango_layout_get_width(layout.get()) > 0) {
        // Only with a width: alignment without one shifts the extents by a
        // fraction of a pixel.
        PangoAlignment align = (flags & kTextCenter) ? PANGO_ALIGN_CENTER
            : (flags & kTextRight)                   ? PANGO_ALIGN_RIGHT
                                                     : PANGO_ALIGN_LEFT;
        pango_layout_set_alignment(layout.get(), align);
    }
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    int text_w = logical.width, text_h = logical.height;
    if (text.empty())
        text_w = 0;
    if (flags & kTextCalcRect) {
        rect.right = rect.left + text_w;
        rect.bottom = rect.top + (text.empty() && !single ? 0 : text_h);
        return text.empty() && !single ? 0 : text_h;
    }
    // With a width Pango aligns the lines inside the rectangle; otherwise
    // the layout is placed here, with the platform's truncating halving.
    int x = rect.left;
    if (pango_layout_get_width(layout.get()) <= 0) {
        if (flags & kTextCenter)
            x = rect.left + (width - text_w) / 2;
        else if (flags & kTextRight)
            x = rect.right - text_w;
    }
    int y = rect.top;
    if (single && (flags & kTextVCenter))
        y = rect.top + (rect.Height() - text_h) / 2;
    else if (single && (flags & kTextBottom))
        y = rect.bottom - text_h;
    Rect cell = Rect::FromSize(x + logical.x, y, text_w, text_h);
    Render(target, clip, layout.get(), { x, y }, cell, font, background);
    return text_h;
}

}
