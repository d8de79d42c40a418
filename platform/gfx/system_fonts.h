#pragma once

#include "platform/gfx/font.h"

namespace pellamo {

// The fonts the platform describes in its non-client metrics (menus,
// captions, message boxes, status bars), as a Chinese desktop of the
// program's time sets them: 宋体 at 9 points.
class SystemFonts {
public:
    static Font Menu();
    static Font Caption(); // bold
    static Font SmallCaption();
    static Font Message();
    static Font Status();
};

}
