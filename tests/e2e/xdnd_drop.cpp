// A drag source for tests: drops items on an X window the way a file
// manager or a browser does, with the X drag-and-drop protocol.
//
//   xdnd_drop [--display D] --window XID --at X,Y [--type TYPE] ITEM...
//
// TYPE is text/uri-list (the default) or a text type such as UTF8_STRING.
// Exits 0 once the target has taken the drop, 2 when the window takes no
// drops, 3 when it refuses this one, 4 when it took it but reported
// failure, 5 on a time-out, 1 on bad usage or without a display.

#include "platform/backend/x11/x11_drag_source.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::string display;
    unsigned long window = 0;
    pellamo::Point at { -1, -1 };
    std::string type = "text/uri-list";
    std::vector<std::string> items;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--display" && i + 1 < argc)
            display = argv[++i];
        else if (arg == "--window" && i + 1 < argc)
            window = std::strtoul(argv[++i], nullptr, 0);
        else if (arg == "--at" && i + 1 < argc)
            std::sscanf(argv[++i], "%d,%d", &at.x, &at.y);
        else if (arg == "--type" && i + 1 < argc)
            type = argv[++i];
        else
            items.push_back(arg);
    }
    if (!window || at.x < 0 || at.y < 0 || items.empty()) {
        std::fprintf(stderr, "usage: xdnd_drop [--display D] --window XID --at X,Y [--type TYPE] ITEM...\n");
        return 1;
    }
    using R = pellamo::DragResult;
    switch (pellamo::DropOnWindow(display, window, at, type, items)) {
    case R::Taken:
        return 0;
    case R::NotAware:
        std::fprintf(stderr, "xdnd_drop: the window takes no drops\n");
        return 2;
    case R::Refused:
        std::fprintf(stderr, "xdnd_drop: the window refuses the drop\n");
        return 3;
    case R::Failed:
        std::fprintf(stderr, "xdnd_drop: the window took the drop and failed\n");
        return 4;
    case R::NoAnswer:
        std::fprintf(stderr, "xdnd_drop: no answer from the window\n");
        return 5;
    case R::NoDisplay:
        break;
    }
    std::fprintf(stderr, "xdnd_drop: cannot open the display\n");
    return 1;
}
