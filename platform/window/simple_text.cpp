#include "platform/window/simple_text.h"

#include <pango/pangocairo.h>

#include <memory>

namespace pellamo {

namespace {

struct LayoutDeleter {
    void operator()(PangoLayout* l) const { g_object_unref(l); }
};
using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

LayoutPtr MakeLayout(cairo_t* cr, const std::string& utf8, const std::string& font, int wrap_width)
{
    LayoutPtr layout(pango_cairo_create_layout(cr));
    PangoFontDescription* desc = pango_font_description_from_string(font.c_str());
    pango_layout_set_font_description(layout.get(), desc);
    pango_font_description_free(desc);
    pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
    if (wrap_width > 0) {
        pango_layout_set_width(layout.get(), wrap_width * PANGO_SCALE);
        pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD_CHAR);
    }
    // Same pixels on every display: no hinting differences, grey anti-aliasing.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout.get()), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout.get());
    return layout;
}

}

Size SimpleText::Measure(const std::string& utf8, const std::string& font, int wrap_width)
{
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
    cairo_t* cr = cairo_create(surface);
    Size size;
    {
        LayoutPtr layout = MakeLayout(cr, utf8, font, wrap_width);
        pango_layout_get_pixel_size(layout.get(), &size.cx, &size.cy);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return size;
}

void SimpleText::Draw(DeviceContext& dc, Point at, const std::string& utf8, const std::string& font, TColor color,
    int wrap_width)
{
    Bitmap& bitmap = dc.Target();
    if (bitmap.Empty() || dc.Clip().IsEmpty())
        return;
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(bitmap.Data()),
        CAIRO_FORMAT_RGB24, bitmap.Width(), bitmap.Height(), bitmap.StrideBytes());
    cairo_t* cr = cairo_create(surface);
    for (const Rect& r : dc.Clip().Rects())
        cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
    cairo_set_source_rgb(cr, RedOf(color) / 255.0, GreenOf(color) / 255.0, BlueOf(color) / 255.0);
    cairo_move_to(cr, at.x + dc.Origin().x, at.y + dc.Origin().y);
    {
        LayoutPtr layout = MakeLayout(cr, utf8, font, wrap_width);
        pango_cairo_show_layout(cr, layout.get());
    }
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
}

}
