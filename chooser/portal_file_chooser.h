#pragma once

// The desktop's own open-file dialog, through the XDG desktop portal
// (org.freedesktop.portal.FileChooser on the session bus). The bus is
// spoken to on a worker thread with a connection of its own; the caller's
// loop keeps running (windows live, CPU idle) until the portal answers.

#include "chooser/file_filter.h"

#include <string>
#include <vector>

namespace pellamo {

class EventLoop;

struct PortalRequest {
    std::string title; // UTF-8
    std::vector<FileFilter> filters; // the first is chosen at first
    std::string parent_window; // "x11:<hex id>" or empty
};

struct PortalAnswer {
    enum class Kind {
        Chosen, // `path` holds the file
        Cancelled, // the viewer closed the desktop's dialog
        Unavailable, // no session bus, no portal, or the portal failed: ask our own dialog
    };
    Kind kind = Kind::Unavailable;
    std::string path;
    std::string why; // for Unavailable
};

PortalAnswer AskPortalForFile(EventLoop& loop, const PortalRequest& request);

}
