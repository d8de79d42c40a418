// Watches an X display for a top-level window of a given name and prints the
// moment (CLOCK_MONOTONIC seconds, the clock Python's time.monotonic() reads)
// it is mapped, or mapped and painted.
//
//   window_watch NAME mapped|painted [TIMEOUT_SECONDS]
//
// It prints "ready" once it listens, so that the caller can start the
// program afterwards and subtract its own start time. One connection that
// sleeps on the server's events until the window is mapped; after that a few
// rows of the window are read every millisecond. A watcher that spawned
// xdotool and xwd in a loop took CPU from the program it timed on a small
// machine and added its own spawn times to the figure.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string>
#include <thread>

namespace {

double MonotonicSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

std::string WindowName(Display* display, Window window)
{
    Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
    for (auto [property, type] :
        { std::pair<Atom, Atom> { net_wm_name, utf8 }, std::pair<Atom, Atom> { XA_WM_NAME, AnyPropertyType } }) {
        Atom actual = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, window, property, 0, 256, False, type, &actual, &format, &count, &after, &data)
                == Success
            && data) {
            std::string name(reinterpret_cast<char*>(data), count);
            XFree(data);
            if (!name.empty())
                return name;
        }
    }
    return {};
}

// An unpainted window is one flat colour; a painted one shows more than a
// few distinct pixel values along three rows.
bool LooksPainted(Display* display, Window window)
{
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    std::set<unsigned long> seen;
    for (int row : { attributes.height / 4, attributes.height / 2, attributes.height * 3 / 4 }) {
        XImage* image = XGetImage(display, window, 0, row, attributes.width, 1, AllPlanes, ZPixmap);
        if (!image)
            return false;
        for (int x = 0; x < attributes.width; ++x)
            seen.insert(XGetPixel(image, x, 0));
        XDestroyImage(image);
    }
    return seen.size() > 3;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || (std::strcmp(argv[2], "mapped") != 0 && std::strcmp(argv[2], "painted") != 0)) {
        std::fprintf(stderr, "usage: window_watch NAME mapped|painted [TIMEOUT_SECONDS]\n");
        return 2;
    }
    const std::string wanted = argv[1];
    const bool painted = std::strcmp(argv[2], "painted") == 0;
    const double timeout = argc > 3 ? std::atof(argv[3]) : 20.0;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "window_watch: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);

    const double deadline = MonotonicSeconds() + timeout;
    Window found = None;
    std::set<Window> mapped;
    auto matches = [&](Window window) { return mapped.count(window) && WindowName(display, window) == wanted; };
    while (MonotonicSeconds() < deadline) {
        if (found != None) {
            if (LooksPainted(display, found))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        if (!XPending(display)) {
            pollfd fd { ConnectionNumber(display), POLLIN, 0 };
            poll(&fd, 1, 50);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        Window candidate = None;
        if (event.type == CreateNotify) {
            // The name may be set after mapping: follow the window's properties.
            XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
        } else if (event.type == MapNotify) {
            mapped.insert(event.xmap.window);
            candidate = event.xmap.window;
        } else if (event.type == UnmapNotify) {
            mapped.erase(event.xunmap.window);
        } else if (event.type == PropertyNotify) {
            candidate = event.xproperty.window;
        }
        if (candidate != None && matches(candidate)) {
            found = candidate;
            if (!painted)
                break;
        }
    }
    if (MonotonicSeconds() >= deadline) {
        std::fprintf(stderr, "window_watch: no %s window \"%s\" within %.0f s\n", painted ? "painted" : "mapped",
            wanted.c_str(), timeout);
        return 1;
    }
    std::printf("%.6f\n", MonotonicSeconds());
    XCloseDisplay(display);
    return 0;
}
