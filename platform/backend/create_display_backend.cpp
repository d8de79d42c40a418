#include "platform/backend/display_backend.h"
#include "platform/backend/x11/x11_backend.h"

#include <cstdlib>
#include <stdexcept>

namespace pellamo {

std::unique_ptr<DisplayBackend> CreateDisplayBackend()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        throw std::runtime_error("No display: DISPLAY is not set (an X11 or XWayland display is needed)");
    return std::make_unique<X11Backend>();
}

}
