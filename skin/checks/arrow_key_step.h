#pragma once

// The arrow keys move along a row or column of check boxes and radio
// buttons: Down and Right to the next, Up and Left to the previous.

#include "platform/window/messages.h"

namespace pellamo {

// +1, -1, or 0 for any other key.
inline int ArrowKeyStep(UINT key)
{
    if (key == VK_DOWN || key == VK_RIGHT)
        return 1;
    if (key == VK_UP || key == VK_LEFT)
        return -1;
    return 0;
}

}
