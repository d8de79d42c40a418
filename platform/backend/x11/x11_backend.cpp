#include "platform/backend/x11/x11_backend.h"

#include "platform/backend/url_opener.h"
#include "platform/backend/x11/x11_backend_impl.h"
#include "platform/backend/x11/x11_messages.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <clocale>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellamo {

namespace {

// Requests on windows that just went away (or focus on a window not yet
// viewable) fail asynchronously; they are harmless and must not end the program.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

struct MotifHints {
    unsigned long flags;
    unsigned long functions;
    unsigned long decorations;
    long input_mode;
    unsigned long status;
};

}

X11Backend::X11Backend(EventLoop& loop, const char* display_name)
    : m(std::make_unique<Impl>(loop))
{
    // Chinese input methods need the user's locale for XIM; keep a chosen one.
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    if (!current || std::strcmp(current, "C") == 0 || std::strcmp(current, "POSIX") == 0)
        std::setlocale(LC_CTYPE, "");
    if (!XSupportsLocale())
        std::setlocale(LC_CTYPE, "C.UTF-8");
    XSetErrorHandler(IgnoreXError);
    m->display = XOpenDisplay(display_name);
    if (!m->display)
        throw std::runtime_error(
            std::string("Cannot open X display ") + (display_name ? display_name : XDisplayName(nullptr)));
    m->screen = DefaultScreen(m->display);
    m->root = RootWindow(m->display, m->screen);
    XVisualInfo found {};
    if (!XMatchVisualInfo(m->display, m->screen, 24, TrueColor, &found) || found.red_mask != 0xFF0000
        || found.blue_mask != 0xFF) {
        XCloseDisplay(m->display);
        throw std::runtime_error("The X display has no 24-bit true-colour visual");
    }
    m->visual = found.visual;
    m->depth = found.depth;

    auto atom = [&](const char* name) { return XInternAtom(m->display, name, False); };
    m->wm_protocols = atom("WM_PROTOCOLS");
    m->wm_delete = atom("WM_DELETE_WINDOW");
    m->net_wm_name = atom("_NET_WM_NAME");
    m->net_wm_pid = atom("_NET_WM_PID");
    m->utf8_string = atom("UTF8_STRING");
    m->net_workarea = atom("_NET_WORKAREA");
    m->motif_hints = atom("_MOTIF_WM_HINTS");
    m->net_wm_state = atom("_NET_WM_STATE");
    m->net_wm_state_above = atom("_NET_WM_STATE_ABOVE");
    m->net_active_window = atom("_NET_ACTIVE_WINDOW");
    m->net_wm_window_type = atom("_NET_WM_WINDOW_TYPE");
    m->net_type_normal = atom("_NET_WM_WINDOW_TYPE_NORMAL");
    m->net_type_popup = atom("_NET_WM_WINDOW_TYPE_POPUP_MENU");
    m->net_supporting_wm_check = atom("_NET_SUPPORTING_WM_CHECK");
    m->net_supported = atom("_NET_SUPPORTED");
    m->net_wm_moveresize = atom("_NET_WM_MOVERESIZE");
    m->clipboard_atom = atom("CLIPBOARD");
    m->targets_atom = atom("TARGETS");
    m->text_atom = atom("TEXT");
    m->transfer_atom = atom("PELLAMO_SELECTION");
    XSetWindowAttributes utility_attrs {};
    utility_attrs.event_mask = PropertyChangeMask;
    m->utility = XCreateWindow(
        m->display, m->root, -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask, &utility_attrs);

    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m->display, m->root, m->net_supporting_wm_check, 0, 1, False, XA_WINDOW, &type, &format,
                &count, &after, &data)
                == Success
            && data) {
            m->has_wm = count == 1;
            XFree(data);
        }
    }

    m->gc = XCreateGC(m->display, m->root, 0, nullptr);
    m->drops = std::make_unique<X11DropTarget>(
        m->display, [this](::Window target, Point root, std::vector<std::string> items) {
            auto it = m->by_xid.find(target);
            if (it == m->by_xid.end())
                return;
            DisplayEvent e;
            e.type = DisplayEvent::Type::Drop;
            e.window = it->second;
            e.screen = root;
            e.items = std::move(items);
            m->Emit(e);
        });

    m->watch = loop.WatchDescriptor(
        ConnectionNumber(m->display), EventLoop::kReadable, [this](unsigned) { ProcessEvents(); });
    // Xlib may already hold events it read while waiting for a reply; they
    // must be delivered before the loop blocks on the descriptor.
    // Those handled here count as work done: the pass must not then block,
    // or a caller waiting for what they changed would wait for the next wake.
    m->prepare = loop.AddPrepareHook([this] { return ProcessEvents() > 0; });
    // Painting after that hook can read events ahead (Xlib reads while it
    // waits to write a large image or for a reply).
    m->waiting = loop.AddWaitingCheck([this] { return XEventsQueued(m->display, QueuedAlready) > 0; });
}

X11Backend::~X11Backend()
{
    *m->alive = false;
    m->loop.RemovePrepareHook(m->prepare);
    m->loop.RemoveWaitingCheck(m->waiting);
    m->loop.UnwatchDescriptor(m->watch);
    for (auto& [id, w] : m->windows) {
        if (w.ic)
            XDestroyIC(w.ic);
        XDestroyWindow(m->display, w.xid);
        if (w.colormap)
            XFreeColormap(m->display, w.colormap);
    }
    XDestroyWindow(m->display, m->utility);
    for (auto& [shape, cursor] : m->cursors)
        XFreeCursor(m->display, cursor);
    if (m->im)
        XCloseIM(m->im);
    m->shm.reset();
    XFreeGC(m->display, m->gc);
    XCloseDisplay(m->display);
}

void X11Backend::SetEventSink(EventSink sink) { m->sink = std::move(sink); }

namespace {

// Who owns the window, for the window manager and the tools that find or
// close a program's windows: the program's name and class, its process and
// the machine it runs on (a process number means nothing without it).
void SetWindowIdentity(Display* display, ::Window xid, Atom net_wm_pid)
{
    std::string name = program_invocation_short_name;
    std::string class_name = "Pellamo";
    XClassHint hint { name.data(), class_name.data() };
    XSetClassHint(display, xid, &hint);
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) == 0) {
        XTextProperty machine {};
        char* hosts[] = { host };
        if (XStringListToTextProperty(hosts, 1, &machine)) {
            XSetWMClientMachine(display, xid, &machine);
            XFree(machine.value);
        }
        long pid = getpid();
        XChangeProperty(
            display, xid, net_wm_pid, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&pid), 1);
    }
}

}

DisplayWindowId X11Backend::CreateWindow(const DisplayWindowParams& params)
{
    XSetWindowAttributes attrs {};
    attrs.override_redirect = params.popup ? True : False;
    attrs.background_pixmap = None;
    attrs.border_pixel = 0;
    // The default colormap when the visual is the default one: screenshot
    // tools then read the screen as one image rather than window by window.
    attrs.colormap = m->visual == DefaultVisual(m->display, m->screen)
        ? DefaultColormap(m->display, m->screen)
        : XCreateColormap(m->display, m->root, m->visual, AllocNone);
    attrs.bit_gravity = NorthWestGravity;
    long mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask | KeyReleaseMask
        | FocusChangeMask | StructureNotifyMask | LeaveWindowMask | EnterWindowMask;
    attrs.event_mask = mask;
    Rect b = params.bounds;
    ::Window xid = XCreateWindow(m->display, m->root, b.left, b.top, static_cast<unsigned>(std::max(1, b.Width())),
        static_cast<unsigned>(std::max(1, b.Height())), 0, m->depth, InputOutput, m->visual,
        CWOverrideRedirect | CWBackPixmap | CWBorderPixel | CWColormap | CWBitGravity | CWEventMask, &attrs);

    Impl::Win w;
    w.xid = xid;
    if (attrs.colormap != DefaultColormap(m->display, m->screen))
        w.colormap = attrs.colormap;
    w.bounds = b;
    w.popup = params.popup;

    // No window-manager decorations: our frames draw themselves.
    MotifHints hints { 2, 0, 0, 0, 0 };
    XChangeProperty(m->display, xid, m->motif_hints, m->motif_hints, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&hints), 5);
    XSetWMProtocols(m->display, xid, &m->wm_delete, 1);
    XSizeHints size {};
    size.flags = USPosition | USSize | PPosition | PSize;
    size.x = b.left;
    size.y = b.top;
    size.width = b.Width();
    size.height = b.Height();
    XSetWMNormalHints(m->display, xid, &size);
    XWMHints wm {};
    wm.flags = InputHint | StateHint;
    wm.input = params.popup ? False : True;
    wm.initial_state = NormalState;
    XSetWMHints(m->display, xid, &wm);
    SetWindowIdentity(m->display, xid, m->net_wm_pid);
    Atom type = params.popup ? m->net_type_popup : m->net_type_normal;
    XChangeProperty(m->display, xid, m->net_wm_window_type, XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&type), 1);
    if (params.topmost)
        XChangeProperty(m->display, xid, m->net_wm_state, XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<unsigned char*>(&m->net_wm_state_above), 1);
    if (params.owner)
        if (Impl::Win* owner = m->Find(params.owner))
            XSetTransientForHint(m->display, xid, owner->xid);

    w.event_mask = mask;
    m->CreateInputContext(w);
    DisplayWindowId id = m->next_id++;
    m->windows[id] = w;
    m->by_xid[xid] = id;
    SetTitle(id, params.title);
    return id;
}

void X11Backend::DestroyWindow(DisplayWindowId id)
{
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    if (w->ic)
        XDestroyIC(w->ic);
    m->drops->SetAware(w->xid, false);
    XDestroyWindow(m->display, w->xid);
    if (w->colormap)
        XFreeColormap(m->display, w->colormap);
    m->by_xid.erase(w->xid);
    m->windows.erase(id);
}

void X11Backend::SetBounds(DisplayWindowId id, const Rect& bounds)
{
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    w->bounds = bounds;
    Size size { std::max(1, bounds.Width()), std::max(1, bounds.Height()) };
    // A request the server never answers (a window manager may refuse it)
    // must not stay expected for ever.
    constexpr size_t kMaxExpected = 32;
    if (w->requested.size() == kMaxExpected)
        w->requested.pop_front();
    w->requested.push_back(size);
    XMoveResizeWindow(
        m->display, w->xid, bounds.left, bounds.top, static_cast<unsigned>(size.cx), static_cast<unsigned>(size.cy));
}

void X11Backend::SetTitle(DisplayWindowId id, const std::string& title)
{
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    XChangeProperty(m->display, w->xid, m->net_wm_name, m->utf8_string, 8, PropModeReplace,
        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    XStoreName(m->display, w->xid, title.c_str());
}

void X11Backend::Show(DisplayWindowId id, bool show)
{
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    if (show) {
        XMapRaised(m->display, w->xid);
        // Window managers may place a new window by themselves; we position absolutely.
        if (!w->popup)
            XMoveWindow(m->display, w->xid, w->bounds.left, w->bounds.top);
    } else {
        w->viewable = false;
        w->focus_wanted = false;
        if (w->popup)
            XUnmapWindow(m->display, w->xid);
        else
            XWithdrawWindow(m->display, w->xid, m->screen);
    }
}

void X11Backend::Minimize(DisplayWindowId id)
{
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    // Without a window manager nobody would iconify it: hide it instead.
    if (m->has_wm)
        XIconifyWindow(m->display, w->xid, m->screen);
    else
        XUnmapWindow(m->display, w->xid);
}

void X11Backend::Activate(DisplayWindowId id)
{
    Impl::Win* w = m->Find(id);
    if (!w || w->popup)
        return;
    XRaiseWindow(m->display, w->xid);
    if (!w->viewable) {
        // Focus on a window that is not viewable yet fails; ask again once mapped.
        w->focus_wanted = true;
        return;
    }
    if (m->has_wm) {
        XEvent ev {};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w->xid;
        ev.xclient.message_type = m->net_active_window;
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = 1; // from an application
        ev.xclient.data.l[1] = CurrentTime;
        XSendEvent(m->display, m->root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    }
    XSetInputFocus(m->display, w->xid, RevertToParent, CurrentTime);
}

void X11Backend::Raise(DisplayWindowId id)
{
    if (Impl::Win* w = m->Find(id))
        XRaiseWindow(m->display, w->xid);
}

void X11Backend::SetShape(DisplayWindowId id, const std::optional<std::vector<Rect>>& rects)
{
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    if (!rects) {
        XShapeCombineMask(m->display, w->xid, ShapeBounding, 0, 0, None, ShapeSet);
        return;
    }
    std::vector<XRectangle> xr;
    xr.reserve(rects->size());
    // X rectangles hold 16-bit coordinates.
    const Rect limit { -32768, -32768, 32767, 32767 };
    for (const Rect& whole : *rects) {
        Rect r = whole.Intersect(limit);
        if (r.IsEmpty())
            continue;
        xr.push_back({ static_cast<short>(r.left), static_cast<short>(r.top), static_cast<unsigned short>(r.Width()),
            static_cast<unsigned short>(r.Height()) });
    }
    XShapeCombineRectangles(
        m->display, w->xid, ShapeBounding, 0, 0, xr.data(), static_cast<int>(xr.size()), ShapeSet, Unsorted);
}

void X11Backend::Present(DisplayWindowId id, const Bitmap& pixels, const Rect& dirty)
{
    Impl::Win* w = m->Find(id);
    if (!w || pixels.Empty())
        return;
    Rect area = dirty.Intersect({ 0, 0, pixels.Width(), pixels.Height() });
    if (area.IsEmpty())
        return;
    if (!m->shm)
        m->shm = std::make_unique<X11ShmImage>(m->display, m->visual, m->depth);
    if (m->shm->Put(w->xid, m->gc, pixels, area)) {
        ScheduleInputMethod();
        return;
    }
    // The bitmap's memory is already the server's 24-bit ZPixmap layout.
    XImage* image = XCreateImage(m->display, m->visual, static_cast<unsigned>(m->depth), ZPixmap, 0,
        reinterpret_cast<char*>(const_cast<Pixel*>(pixels.Data())), static_cast<unsigned>(pixels.Width()),
        static_cast<unsigned>(pixels.Height()), 32, pixels.StrideBytes());
    if (!image)
        return;
    image->byte_order = LSBFirst;
    XPutImage(m->display, w->xid, m->gc, image, area.left, area.top, area.left, area.top,
        static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()));
    image->data = nullptr; // the bitmap keeps its memory
    XDestroyImage(image);
    ScheduleInputMethod();
}

void X11Backend::ScheduleInputMethod()
{
    if (!m->im_scheduled) {
        m->im_scheduled = true;
        m->loop.Post([alive = std::weak_ptr<bool>(m->alive), impl = m.get()] {
            if (auto flag = alive.lock(); flag && *flag)
                impl->OpenInputMethod();
        });
    }
}

void X11Backend::Impl::OpenInputMethod()
{
    XSetLocaleModifiers("");
    im = XOpenIM(display, nullptr, nullptr, nullptr);
    if (!im) {
        XSetLocaleModifiers("@im=none");
        im = XOpenIM(display, nullptr, nullptr, nullptr);
    }
    if (!im)
        return;
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    for (auto& [id, w] : windows) {
        CreateInputContext(w);
        if (w.ic && w.xid == focus)
            XSetICFocus(w.ic);
    }
}

void X11Backend::Impl::CreateInputContext(Win& w)
{
    if (!im || w.popup || w.ic)
        return;
    w.ic = XCreateIC(
        im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, w.xid, XNFocusWindow, w.xid, nullptr);
    if (w.ic) {
        long filter = 0;
        XGetICValues(w.ic, XNFilterEvents, &filter, nullptr);
        XSelectInput(display, w.xid, w.event_mask | filter);
    }
}

bool X11Backend::Impl::ManagerSupports(Atom feature) const
{
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool running = false;
    if (XGetWindowProperty(
            display, root, net_supporting_wm_check, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data)
            == Success
        && data) {
        running = count == 1;
        XFree(data);
    }
    if (!running)
        return false;
    bool found = false;
    data = nullptr;
    if (XGetWindowProperty(display, root, net_supported, 0, 4096, False, XA_ATOM, &type, &format, &count, &after, &data)
            == Success
        && data) {
        const Atom* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && format == 32; ++i)
            found = found || atoms[i] == feature;
        XFree(data);
    }
    return found;
}

bool X11Backend::BeginManagedMove(DisplayWindowId id, Point screen)
{
    Impl::Win* w = m->Find(id);
    if (!w || w->popup || !m->ManagerSupports(m->net_wm_moveresize))
        return false;
    // The manager takes the pointer: our grab (also the one the press made) goes first.
    XUngrabPointer(m->display, CurrentTime);
    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w->xid;
    ev.xclient.message_type = m->net_wm_moveresize;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = screen.x;
    ev.xclient.data.l[1] = screen.y;
    ev.xclient.data.l[2] = 8; // _NET_WM_MOVERESIZE_MOVE
    ev.xclient.data.l[3] = Button1;
    ev.xclient.data.l[4] = 1; // from an application
    XSendEvent(m->display, m->root, False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
    XFlush(m->display);
    return true;
}

void X11Backend::SetCapture(DisplayWindowId id)
{
    if (id == 0) {
        XUngrabPointer(m->display, CurrentTime);
        return;
    }
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    XGrabPointer(m->display, w->xid, False,
        ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask, GrabModeAsync,
        GrabModeAsync, None, None, CurrentTime);
}

void X11Backend::SetCursor(DisplayWindowId id, CursorShape shape)
{
    Impl::Win* w = m->Find(id);
    if (!w)
        return;
    auto it = m->cursors.find(shape);
    if (it == m->cursors.end()) {
        unsigned glyph = XC_left_ptr;
        switch (shape) {
        case CursorShape::Arrow:
            glyph = XC_left_ptr;
            break;
        case CursorShape::Hand:
            glyph = XC_hand2;
            break;
        case CursorShape::Wait:
            glyph = XC_watch;
            break;
        case CursorShape::IBeam:
            glyph = XC_xterm;
            break;
        case CursorShape::SizeAll:
            glyph = XC_fleur;
            break;
        }
        it = m->cursors.emplace(shape, XCreateFontCursor(m->display, glyph)).first;
    }
    XDefineCursor(m->display, w->xid, it->second);
}

Size X11Backend::ScreenSize() const
{
    return { DisplayWidth(m->display, m->screen), DisplayHeight(m->display, m->screen) };
}

Rect X11Backend::WorkArea() const
{
    Size s = ScreenSize();
    Rect area { 0, 0, s.cx, s.cy };
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(
            m->display, m->root, m->net_workarea, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data) {
        if (format == 32 && count >= 4) {
            const long* v = reinterpret_cast<const long*>(data);
            Rect wa = Rect::FromSize(
                static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3]));
            if (!wa.IsEmpty())
                area = wa;
        }
        XFree(data);
    }
    return area;
}

Point X11Backend::CursorPos() const
{
    ::Window root_return, child;
    int rx = 0, ry = 0, wx, wy;
    unsigned mask;
    XQueryPointer(m->display, m->root, &root_return, &child, &rx, &ry, &wx, &wy, &mask);
    return { rx, ry };
}

void X11Backend::Flush() { XFlush(m->display); }

bool X11Backend::OpenUrl(const std::string& url) { return pellamo::OpenUrl(url); }

void X11Backend::Sync() { XSync(m->display, False); }

void X11Backend::Beep()
{
    XBell(m->display, 0);
    XFlush(m->display);
}

void X11Backend::SetClipboardText(const std::string& utf8)
{
    m->clipboard = utf8;
    XSetSelectionOwner(m->display, m->clipboard_atom, m->utility, CurrentTime);
    m->own_clipboard = XGetSelectionOwner(m->display, m->clipboard_atom) == m->utility;
}

std::string X11Backend::ClipboardText()
{
    if (m->own_clipboard)
        return m->clipboard;
    if (XGetSelectionOwner(m->display, m->clipboard_atom) == None)
        return {};
    XDeleteProperty(m->display, m->utility, m->transfer_atom);
    XConvertSelection(m->display, m->clipboard_atom, m->utf8_string, m->transfer_atom, m->utility, CurrentTime);
    XFlush(m->display);
    // Wait for the owner's answer; other events stay queued for the loop.
    XEvent ev;
    bool answered = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (!answered && std::chrono::steady_clock::now() < deadline) {
        if (XCheckTypedWindowEvent(m->display, m->utility, SelectionNotify, &ev)) {
            answered = true;
            break;
        }
        pollfd p { ConnectionNumber(m->display), POLLIN, 0 };
        poll(&p, 1, 20);
        XEventsQueued(m->display, QueuedAfterReading);
    }
    if (!answered || ev.xselection.property == None)
        return {};
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    std::string text;
    // Transfers in pieces (INCR) are for very large texts and are not taken.
    if (XGetWindowProperty(m->display, m->utility, m->transfer_atom, 0, 1 << 22, True, AnyPropertyType, &type, &format,
            &count, &after, &data)
            == Success
        && data) {
        if (format == 8 && (type == m->utf8_string || type == XA_STRING))
            text.assign(reinterpret_cast<const char*>(data), count);
        XFree(data);
    }
    return text;
}

unsigned long X11Backend::NativeWindow(DisplayWindowId id) const
{
    Impl::Win* w = m->Find(id);
    return w ? w->xid : 0;
}

void X11Backend::SetAcceptDrops(DisplayWindowId id, bool accept)
{
    if (Impl::Win* w = m->Find(id))
        m->drops->SetAware(w->xid, accept);
}

void X11Backend::Impl::AnswerSelectionRequest(const XSelectionRequestEvent& request)
{
    // Old clients name no property: the target's name serves.
    Atom property = request.property != None ? request.property : request.target;
    Atom answered = None;
    if (own_clipboard && request.selection == clipboard_atom) {
        if (request.target == targets_atom) {
            Atom offered[] = { targets_atom, utf8_string, XA_STRING, text_atom };
            XChangeProperty(display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                reinterpret_cast<unsigned char*>(offered), 4);
            answered = property;
        } else if (request.target == utf8_string || request.target == XA_STRING || request.target == text_atom) {
            XChangeProperty(display, request.requestor, property, request.target == XA_STRING ? XA_STRING : utf8_string,
                8, PropModeReplace, reinterpret_cast<const unsigned char*>(clipboard.data()),
                static_cast<int>(clipboard.size()));
            answered = property;
        }
    }
    AnswerSelection(display, request, answered);
}

int X11Backend::ProcessEvents()
{
    int handled = 0;
    while (XPending(m->display) > 0) {
        XEvent ev;
        XNextEvent(m->display, &ev);
        ++handled;
        if (XFilterEvent(&ev, None))
            continue;
        m->Handle(ev);
    }
    return handled;
}

}
