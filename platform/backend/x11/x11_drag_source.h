#pragma once

#include "platform/gfx/geometry.h"

#include <string>
#include <vector>

namespace pellamo {

// The sending side of the X drag-and-drop protocol (XDND 5), as a file
// manager or a browser speaks it: drops items on an X window at a point
// of the screen and waits for the window's answer. Tests use it to drop
// files and links on the program; it runs its own connection to the display.
enum class DragResult {
    Taken, // the window took the drop
    NotAware, // the window takes no drops
    Refused, // it refused this one
    Failed, // it took it and reported a failure
    NoAnswer, // nothing came back in time
    NoDisplay, // the display could not be opened
};

// `type` is the data's type: "text/uri-list" (the items joined by CR LF)
// or a text type such as "UTF8_STRING" (joined by LF).
DragResult DropOnWindow(const std::string& display, unsigned long window, Point at, const std::string& type,
    const std::vector<std::string>& items);

}
