#include "platform/gfx/png_file.h"

#include <cairo.h>

#include <cstring>
#include <stdexcept>

namespace pellamo {

void WritePngFile(const Bitmap& bitmap, const std::string& path)
{
    // Our pixels are the layout Cairo calls RGB24, so the rows go as they are.
    cairo_surface_t* surface = cairo_image_surface_create_for_data(
        const_cast<unsigned char*>(reinterpret_cast<const unsigned char*>(bitmap.Data())), CAIRO_FORMAT_RGB24,
        bitmap.Width(), bitmap.Height(), bitmap.StrideBytes());
    cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("Cannot write " + path + ": " + cairo_status_to_string(status));
}

Bitmap ReadPngFile(const std::string& path)
{
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    cairo_status_t status = cairo_surface_status(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw std::runtime_error("Cannot read " + path + ": " + cairo_status_to_string(status));
    }
    // Into RGB24 rows of our own stride; a picture with transparency is
    // composed over black first.
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    Bitmap bitmap(width, height);
    cairo_surface_t* target = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(bitmap.Data()), CAIRO_FORMAT_RGB24, width, height, bitmap.StrideBytes());
    cairo_t* cr = cairo_create(target);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(target);
    cairo_surface_destroy(target);
    cairo_surface_destroy(surface);
    // Cairo leaves the unused byte as it likes; ours is always opaque.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.Row(y)[x] |= 0xFF000000u;
    return bitmap;
}

}
