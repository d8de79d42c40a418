#include "platform/backend/x11/x11_drag_source.h"

#include "platform/backend/x11/x11_messages.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <algorithm>
#include <chrono>

namespace pellamo {

namespace {

struct Atoms {
    Atom aware, enter, position, status, leave, drop, finished, selection, copy, type;
};

// Waits for the next event for the source window, up to the deadline.
bool Next(Display* d, XEvent& ev, std::chrono::steady_clock::time_point deadline)
{
    while (std::chrono::steady_clock::now() < deadline) {
        if (XPending(d) > 0) {
            XNextEvent(d, &ev);
            return true;
        }
        pollfd p { ConnectionNumber(d), POLLIN, 0 };
        poll(&p, 1, 50);
    }
    return false;
}

// Closes the connection whatever way the drag ends.
struct Connection {
    Display* display;
    ~Connection()
    {
        if (display)
            XCloseDisplay(display);
    }
};

}

DragResult DropOnWindow(const std::string& display, unsigned long window, Point at, const std::string& type,
    const std::vector<std::string>& items)
{
    Window target = static_cast<Window>(window);
    std::string data;
    const char* separator = type == "text/uri-list" ? "\r\n" : "\n";
    for (const std::string& item : items)
        data += item + separator;
    Connection connection { XOpenDisplay(display.empty() ? nullptr : display.c_str()) };
    Display* d = connection.display;
    if (!d)
        return DragResult::NoDisplay;
    Atoms a {};
    a.aware = XInternAtom(d, "XdndAware", False);
    a.enter = XInternAtom(d, "XdndEnter", False);
    a.position = XInternAtom(d, "XdndPosition", False);
    a.status = XInternAtom(d, "XdndStatus", False);
    a.leave = XInternAtom(d, "XdndLeave", False);
    a.drop = XInternAtom(d, "XdndDrop", False);
    a.finished = XInternAtom(d, "XdndFinished", False);
    a.selection = XInternAtom(d, "XdndSelection", False);
    a.copy = XInternAtom(d, "XdndActionCopy", False);
    a.type = XInternAtom(d, type.c_str(), False);

    // The target must say it takes drops, and which version it speaks.
    Atom actual;
    int format;
    unsigned long count, after;
    unsigned char* prop = nullptr;
    long version = 0;
    if (XGetWindowProperty(d, target, a.aware, 0, 1, False, XA_ATOM, &actual, &format, &count, &after, &prop) == Success
        && prop) {
        if (count == 1)
            version = *reinterpret_cast<long*>(prop);
        XFree(prop);
    }
    if (version < 3)
        return DragResult::NotAware;
    version = std::min(version, 5L);

    Window source = XCreateSimpleWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, 0);
    XSetSelectionOwner(d, a.selection, source, CurrentTime);
    SendClientMessage(
        d, target, a.enter, { static_cast<long>(source), version << 24, static_cast<long>(a.type), 0, 0 });
    SendClientMessage(d, target, a.position,
        { static_cast<long>(source), 0, (static_cast<long>(at.x) << 16) | at.y, CurrentTime,
            static_cast<long>(a.copy) });

    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    XEvent ev;
    bool dropped = false;
    while (Next(d, ev, deadline)) {
        if (ev.type == ClientMessage && ev.xclient.message_type == a.status && !dropped) {
            if (!(ev.xclient.data.l[1] & 1)) {
                SendClientMessage(d, target, a.leave, { static_cast<long>(source), 0, 0, 0, 0 });
                return DragResult::Refused;
            }
            SendClientMessage(d, target, a.drop, { static_cast<long>(source), 0, CurrentTime, 0, 0 });
            dropped = true;
        } else if (ev.type == SelectionRequest) {
            const XSelectionRequestEvent& r = ev.xselectionrequest;
            Atom property = None;
            if (r.selection == a.selection && r.target == a.type && r.property != None) {
                XChangeProperty(d, r.requestor, r.property, a.type, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), static_cast<int>(data.size()));
                property = r.property;
            }
            AnswerSelection(d, r, property);
        } else if (ev.type == ClientMessage && ev.xclient.message_type == a.finished) {
            return (ev.xclient.data.l[1] & 1) ? DragResult::Taken : DragResult::Failed;
        }
    }
    return DragResult::NoAnswer;
}

}
