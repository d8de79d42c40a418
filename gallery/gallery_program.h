#pragma once

// The gallery program: its command line, the window on the user's display,
// and screenshots drawn without a display.

#include "gallery/gallery_options.h"
#include "platform/gfx/bitmap.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace pellamo {

class TfrmGallery;

// Registers every skinned class, so window descriptions can name them.
void RegisterGalleryClasses();

// Gives the gallery the options' style or theme file and page. Throws
// std::runtime_error (with a message for the user) for a theme file that
// cannot be used.
void ApplyGalleryOptions(TfrmGallery& gallery, const GalleryOptions& options);

// The gallery window as the options dress it, with its page's scene
// played, drawn on a screen of its own without a display.
Bitmap RenderGalleryScreenshot(const GalleryOptions& options);
// The same for each of `pages` (the options' page is ignored), faster than
// one call per page: pages without a scene share one window.
std::vector<Bitmap> RenderGalleryScreenshots(const GalleryOptions& options, const std::vector<std::string>& pages);

// The program. Usage errors and unusable theme files are told on `err`
// and give 2; a missing display or an unwritable screenshot gives 1.
int RunGallery(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}
