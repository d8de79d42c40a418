#pragma once

#include "platform/window/device_context.h"

#include <string>

namespace pellamo {

// Just enough text for captions and message boxes: one font description
// ("Tahoma Bold 8"), UTF-8 text, optional word wrap at a width. Drawn with
// Pango into the device context's bitmap, inside its clip.
class SimpleText {
public:
    static Size Measure(const std::string& utf8, const std::string& font, int wrap_width = -1);
    static void Draw(DeviceContext& dc, Point at, const std::string& utf8, const std::string& font, TColor color,
        int wrap_width = -1);
};

}
