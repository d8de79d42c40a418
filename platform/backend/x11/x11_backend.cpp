#include "platform/backend/x11/x11_backend.h"

#include "platform/backend/url_opener.h"
#include "platform/backend/x11/x11_drop_target.h"
#include "platform/backend/x11/x11_messages.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

// Xlib's event-type and shape macros collide with our enumerators.
namespace {
constexpr int kXFocusIn = FocusIn;
constexpr int kXFocusOut = FocusOut;
constexpr int kXExpose = Expose;
}
#undef FocusIn
#undef FocusOut
#undef Expose
#undef CursorShape

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

namespace pellamo {

namespace {

// Requests on windows that just went away (or focus on a window not yet
// viewable) fail asynchronously; they are harmless and must not end the program.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

unsigned ModifiersOf(unsigned state)
{
    unsigned m = 0;
    if (state & ShiftMask)
        m |= kModShift;
    if (state & ControlMask)
        m |= kModControl;
    if (state & Mod1Mask)
        m |= kModAlt;
    if (state & Button1Mask)
        m |= kModLeftButton;
    if (state & Button2Mask)
        m |= kModMiddleButton;
    if (state & Button3Mask)
        m |= kModRightButton;
    return m;
}

unsigned VirtualKeyOf(KeySym sym)
{
    if (sym >= XK_a && sym <= XK_z)
        return static_cast<unsigned>('A' + (sym - XK_a));
    if (sym >= XK_A && sym <= XK_Z)
        return static_cast<unsigned>('A' + (sym - XK_A));
    if (sym >= XK_0 && sym <= XK_9)
        return static_cast<unsigned>('0' + (sym - XK_0));
    if (sym >= XK_F1 && sym <= XK_F12)
        return static_cast<unsigned>(0x70 + (sym - XK_F1));
    if (sym >= XK_KP_0 && sym <= XK_KP_9)
        return static_cast<unsigned>(0x60 + (sym - XK_KP_0));
    switch (sym) {
    case XK_BackSpace:
        return 0x08;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        return 0x09;
    case XK_Return:
    case XK_KP_Enter:
        return 0x0D;
    case XK_Shift_L:
    case XK_Shift_R:
        return 0x10;
    case XK_Control_L:
    case XK_Control_R:
        return 0x11;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
        return 0x12;
    case XK_Pause:
        return 0x13;
    case XK_Caps_Lock:
        return 0x14;
    case XK_Escape:
        return 0x1B;
    case XK_space:
        return 0x20;
    case XK_Page_Up:
    case XK_KP_Page_Up:
        return 0x21;
    case XK_Page_Down:
    case XK_KP_Page_Down:
        return 0x22;
    case XK_End:
    case XK_KP_End:
        return 0x23;
    case XK_Home:
    case XK_KP_Home:
        return 0x24;
    case XK_Left:
    case XK_KP_Left:
        return 0x25;
    case XK_Up:
    case XK_KP_Up:
        return 0x26;
    case XK_Right:
    case XK_KP_Right:
        return 0x27;
    case XK_Down:
    case XK_KP_Down:
        return 0x28;
    case XK_Insert:
    case XK_KP_Insert:
        return 0x2D;
    case XK_Delete:
    case XK_KP_Delete:
        return 0x2E;
    case XK_Menu:
        return 0x5D;
    }
    return 0;
}

struct MotifHints {
    unsigned long flags;
    unsigned long functions;
    unsigned long decorations;
    long input_mode;
    unsigned long status;
};

}

struct X11Backend::Impl {
    struct Win {
        ::Window xid = 0;
        XIC ic = nullptr;
        Colormap colormap = 0; // ours to free; 0 for the default one
        Rect bounds;
        // Sizes we asked for whose notices have not come back yet: the
        // server tells of every request, also of those a later one has
        // overtaken, and those echoes are not news.
        std::deque<Size> requested;
        bool popup = false;
        bool viewable = false;
        bool focus_wanted = false;
    };

    EventLoop& loop;
    Display* display = nullptr;
    int screen = 0;
    ::Window root = 0;
    Visual* visual = nullptr;
    int depth = 24;
    GC gc = nullptr;
    XIM im = nullptr;
    bool has_wm = false;
    EventSink sink;
    std::map<DisplayWindowId, Win> windows;
    std::map<::Window, DisplayWindowId> by_xid;
    DisplayWindowId next_id = 1;
    std::map<CursorShape, Cursor> cursors;
    EventLoop::Id watch = 0;
    EventLoop::Id prepare = 0;
    bool next_press_repeats = false;
    // Selection transfers go through an unmapped window of our own.
    ::Window utility = 0;
    std::string clipboard;
    bool own_clipboard = false;
    std::unique_ptr<X11DropTarget> drops;

    Atom wm_protocols, wm_delete, net_wm_name, utf8_string, net_workarea, motif_hints, net_wm_state, net_wm_state_above,
        net_active_window, net_wm_window_type, net_type_normal, net_type_popup, net_supporting_wm_check, clipboard_atom,
        targets_atom, text_atom, transfer_atom;

    explicit Impl(EventLoop& l)
        : loop(l)
    {
    }

    Win* Find(DisplayWindowId id)
    {
        auto it = windows.find(id);
        return it == windows.end() ? nullptr : &it->second;
    }

    void Emit(const DisplayEvent& e)
    {
        if (sink)
            sink(e);
    }

    void Handle(XEvent& ev);
    void AnswerSelectionRequest(const XSelectionRequestEvent& request);
};

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
        throw std::runtime_error(std::string("Cannot open X display ") + (display_name ? display_name : XDisplayName(nullptr)));
    m->screen = DefaultScreen(m->display);
    m->root = RootWindow(m->display, m->screen);
    XVisualInfo found {};
    if (!XMatchVisualInfo(m->display, m->screen, 24, TrueColor, &found) || found.red_mask != 0xFF0000 || found.blue_mask != 0xFF) {
        XCloseDisplay(m->display);
        throw std::runtime_error("The X display has no 24-bit true-colour visual");
    }
    m->visual = found.visual;
    m->depth = found.depth;

    auto atom = [&](const char* name) { return XInternAtom(m->display, name, False); };
    m->wm_protocols = atom("WM_PROTOCOLS");
    m->wm_delete = atom("WM_DELETE_WINDOW");
    m->net_wm_name = atom("_NET_WM_NAME");
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
    m->clipboard_atom = atom("CLIPBOARD");
    m->targets_atom = atom("TARGETS");
    m->text_atom = atom("TEXT");
    m->transfer_atom = atom("PELLAMO_SELECTION");
    XSetWindowAttributes utility_attrs {};
    utility_attrs.event_mask = PropertyChangeMask;
    m->utility = XCreateWindow(m->display, m->root, -10, -10, 1, 1, 0, 0, InputOnly, CopyFromParent, CWEventMask, &utility_attrs);

    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(m->display, m->root, m->net_supporting_wm_check, 0, 1, False, XA_WINDOW, &type, &format, &count,
                &after, &data)
                == Success
            && data) {
            m->has_wm = count == 1;
            XFree(data);
        }
    }

    XSetLocaleModifiers("");
    m->im = XOpenIM(m->display, nullptr, nullptr, nullptr);
    if (!m->im) {
        XSetLocaleModifiers("@im=none");
        m->im = XOpenIM(m->display, nullptr, nullptr, nullptr);
    }
    m->gc = XCreateGC(m->display, m->root, 0, nullptr);
    m->drops = std::make_unique<X11DropTarget>(m->display, [this](::Window target, Point root, std::vector<std::string> items) {
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

    m->watch = loop.WatchDescriptor(ConnectionNumber(m->display), EventLoop::kReadable, [this](unsigned) { ProcessEvents(); });
    // Xlib may already hold events it read while waiting for a reply; they
    // must be delivered before the loop blocks on the descriptor.
    // Those handled here count as work done: the pass must not then block,
    // or a caller waiting for what they changed would wait for the next wake.
    m->prepare = loop.AddPrepareHook([this] { return ProcessEvents() > 0; });
}

X11Backend::~X11Backend()
{
    m->loop.RemovePrepareHook(m->prepare);
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
    XFreeGC(m->display, m->gc);
    XCloseDisplay(m->display);
}

void X11Backend::SetEventSink(EventSink sink) { m->sink = std::move(sink); }

DisplayWindowId X11Backend::CreateWindow(const DisplayWindowParams& params)
{
    XSetWindowAttributes attrs {};
    attrs.override_redirect = params.popup ? True : False;
    attrs.background_pixmap = None;
    attrs.border_pixel = 0;
    // The default colormap when the visual is the default one: screenshot
    // tools then read the screen as one image rather than window by window.
    attrs.colormap = m->visual == DefaultVisual(m->display, m->screen) ? DefaultColormap(m->display, m->screen)
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
    XChangeProperty(m->display, xid, m->motif_hints, m->motif_hints, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&hints), 5);
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
    Atom type = params.popup ? m->net_type_popup : m->net_type_normal;
    XChangeProperty(m->display, xid, m->net_wm_window_type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&type), 1);
    if (params.topmost)
        XChangeProperty(m->display, xid, m->net_wm_state, XA_ATOM, 32, PropModeReplace,
            reinterpret_cast<unsigned char*>(&m->net_wm_state_above), 1);
    if (params.owner)
        if (Impl::Win* owner = m->Find(params.owner))
            XSetTransientForHint(m->display, xid, owner->xid);

    if (m->im && !params.popup) {
        w.ic = XCreateIC(m->im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, xid, XNFocusWindow, xid,
            nullptr);
        if (w.ic) {
            long filter = 0;
            XGetICValues(w.ic, XNFilterEvents, &filter, nullptr);
            XSelectInput(m->display, xid, mask | filter);
        }
    }
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
    XMoveResizeWindow(m->display, w->xid, bounds.left, bounds.top, static_cast<unsigned>(size.cx),
        static_cast<unsigned>(size.cy));
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
    XShapeCombineRectangles(m->display, w->xid, ShapeBounding, 0, 0, xr.data(), static_cast<int>(xr.size()), ShapeSet, Unsorted);
}

void X11Backend::Present(DisplayWindowId id, const Bitmap& pixels, const Rect& dirty)
{
    Impl::Win* w = m->Find(id);
    if (!w || pixels.Empty())
        return;
    Rect area = dirty.Intersect({ 0, 0, pixels.Width(), pixels.Height() });
    if (area.IsEmpty())
        return;
    // The bitmap's memory is already the server's 24-bit ZPixmap layout.
    XImage* image = XCreateImage(m->display, m->visual, static_cast<unsigned>(m->depth), ZPixmap, 0,
        reinterpret_cast<char*>(const_cast<Pixel*>(pixels.Data())), static_cast<unsigned>(pixels.Width()),
        static_cast<unsigned>(pixels.Height()), 32, pixels.StrideBytes());
    if (!image)
        return;
    image->byte_order = LSBFirst;
    XPutImage(m->display, w->xid, m->gc, image, area.left, area.top, area.left, area.top, static_cast<unsigned>(area.Width()),
        static_cast<unsigned>(area.Height()));
    image->data = nullptr; // the bitmap keeps its memory
    XDestroyImage(image);
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
    XGrabPointer(m->display, w->xid, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask,
        GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
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

Size X11Backend::ScreenSize() const { return { DisplayWidth(m->display, m->screen), DisplayHeight(m->display, m->screen) }; }

Rect X11Backend::WorkArea() const
{
    Size s = ScreenSize();
    Rect area { 0, 0, s.cx, s.cy };
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(m->display, m->root, m->net_workarea, 0, 4, False, XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data) {
        if (format == 32 && count >= 4) {
            const long* v = reinterpret_cast<const long*>(data);
            Rect wa = Rect::FromSize(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]), static_cast<int>(v[3]));
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
    if (XGetWindowProperty(m->display, m->utility, m->transfer_atom, 0, 1 << 22, True, AnyPropertyType, &type, &format, &count,
            &after, &data)
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
            XChangeProperty(display, request.requestor, property, request.target == XA_STRING ? XA_STRING : utf8_string, 8,
                PropModeReplace, reinterpret_cast<const unsigned char*>(clipboard.data()), static_cast<int>(clipboard.size()));
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

void X11Backend::Impl::Handle(XEvent& ev)
{
    if (drops->Handle(ev))
        return;
    if (ev.xany.window == utility) {
        if (ev.type == SelectionRequest)
            AnswerSelectionRequest(ev.xselectionrequest);
        else if (ev.type == SelectionClear) {
            own_clipboard = false;
            clipboard.clear();
        }
        return;
    }
    auto it = by_xid.find(ev.xany.window);
    if (it == by_xid.end())
        return;
    DisplayWindowId id = it->second;
    Win& w = windows[id];
    DisplayEvent e;
    e.window = id;
    using T = DisplayEvent::Type;
    switch (ev.type) {
    case MotionNotify: {
        // Only the latest position of a burst matters.
        while (XCheckTypedWindowEvent(display, ev.xany.window, MotionNotify, &ev)) {
        }
        e.type = T::MouseMove;
        e.screen = { ev.xmotion.x_root, ev.xmotion.y_root };
        e.modifiers = ModifiersOf(ev.xmotion.state);
        Emit(e);
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        unsigned b = ev.xbutton.button;
        e.screen = { ev.xbutton.x_root, ev.xbutton.y_root };
        e.modifiers = ModifiersOf(ev.xbutton.state);
        if (b == 4 || b == 5) {
            if (ev.type == ButtonPress) {
                e.type = T::Wheel;
                e.wheel_delta = b == 4 ? 120 : -120;
                Emit(e);
            }
            break;
        }
        if (b < 1 || b > 3)
            break;
        e.button = b == 1 ? MouseButton::Left : b == 2 ? MouseButton::Middle : MouseButton::Right;
        unsigned bit = b == 1 ? kModLeftButton : b == 2 ? kModMiddleButton : kModRightButton;
        // The state field is from before the event.
        if (ev.type == ButtonPress) {
            e.type = T::ButtonDown;
            e.modifiers |= bit;
        } else {
            e.type = T::ButtonUp;
            e.modifiers &= ~bit;
        }
        Emit(e);
        break;
    }
    case LeaveNotify:
        if (ev.xcrossing.mode == NotifyNormal && ev.xcrossing.detail != NotifyInferior) {
            e.type = T::PointerLeave;
            e.screen = { ev.xcrossing.x_root, ev.xcrossing.y_root };
            e.modifiers = ModifiersOf(ev.xcrossing.state);
            Emit(e);
        }
        break;
    case KeyPress: {
        char buffer[64];
        std::string text;
        KeySym sym = 0;
        if (w.ic) {
            Status status = 0;
            int n = Xutf8LookupString(w.ic, &ev.xkey, buffer, sizeof buffer, &sym, &status);
            if (status == XBufferOverflow) {
                std::vector<char> big(static_cast<size_t>(n) + 1);
                n = Xutf8LookupString(w.ic, &ev.xkey, big.data(), static_cast<int>(big.size()), &sym, &status);
                if (status == XLookupChars || status == XLookupBoth)
                    text.assign(big.data(), static_cast<size_t>(std::max(n, 0)));
            } else if (status == XLookupChars || status == XLookupBoth) {
                text.assign(buffer, static_cast<size_t>(std::max(n, 0)));
            }
            if (status != XLookupKeySym && status != XLookupBoth)
                sym = 0;
        } else {
            int n = XLookupString(&ev.xkey, buffer, sizeof buffer, &sym, nullptr);
            for (int i = 0; i < n; ++i)
                if (static_cast<unsigned char>(buffer[i]) < 0x80)
                    text.push_back(buffer[i]);
        }
        unsigned modifiers = ModifiersOf(ev.xkey.state);
        // Key codes follow the unshifted key, as virtual keys do.
        KeySym base = XLookupKeysym(&ev.xkey, 0);
        unsigned vk = VirtualKeyOf(base ? base : sym);
        if (vk) {
            e.type = T::KeyDown;
            e.vk = vk;
            e.modifiers = modifiers;
            e.repeat = next_press_repeats;
            Emit(e);
        }
        next_press_repeats = false;
        // Control characters become characters from the key itself; shortcuts produce none.
        bool printable = !text.empty() && static_cast<unsigned char>(text[0]) >= 0x20 && text[0] != 0x7F;
        if (printable && !(modifiers & (kModControl | kModAlt))) {
            DisplayEvent t;
            t.type = T::Text;
            t.window = id;
            t.text = text;
            Emit(t);
        }
        break;
    }
    case KeyRelease: {
        // Auto-repeat shows as release+press at the same time: report a repeated press only.
        if (XEventsQueued(display, QueuedAfterReading)) {
            XEvent next;
            XPeekEvent(display, &next);
            if (next.type == KeyPress && next.xkey.time == ev.xkey.time && next.xkey.keycode == ev.xkey.keycode) {
                next_press_repeats = true;
                break;
            }
        }
        KeySym base = XLookupKeysym(&ev.xkey, 0);
        unsigned vk = VirtualKeyOf(base);
        if (vk) {
            e.type = T::KeyUp;
            e.vk = vk;
            e.modifiers = ModifiersOf(ev.xkey.state);
            Emit(e);
        }
        break;
    }
    case kXExpose:
        e.type = T::Expose;
        e.rect = Rect::FromSize(ev.xexpose.x, ev.xexpose.y, ev.xexpose.width, ev.xexpose.height);
        Emit(e);
        break;
    case kXFocusIn:
    case kXFocusOut:
        // Grabs (menus, window moves) move the focus only for a moment.
        if (ev.xfocus.mode == NotifyGrab || ev.xfocus.mode == NotifyUngrab || ev.xfocus.detail == NotifyPointer)
            break;
        if (w.ic) {
            if (ev.type == kXFocusIn)
                XSetICFocus(w.ic);
            else
                XUnsetICFocus(w.ic);
        }
        e.type = ev.type == kXFocusIn ? T::FocusIn : T::FocusOut;
        Emit(e);
        break;
    case ClientMessage:
        if (ev.xclient.message_type == wm_protocols && static_cast<Atom>(ev.xclient.data.l[0]) == wm_delete) {
            e.type = T::CloseRequest;
            Emit(e);
        }
        break;
    case ConfigureNotify: {
        Rect r = Rect::FromSize(ev.xconfigure.x, ev.xconfigure.y, ev.xconfigure.width, ev.xconfigure.height);
        if (!ev.xconfigure.send_event) {
            // The echo of a request of ours (and of all sent before it).
            auto echo = std::find(w.requested.begin(), w.requested.end(), Size { r.Width(), r.Height() });
            if (echo != w.requested.end()) {
                w.requested.erase(w.requested.begin(), echo + 1);
                break;
            }
            // Relative to a window manager's frame: ask where it is on the screen.
            int x = 0, y = 0;
            ::Window child;
            XTranslateCoordinates(display, w.xid, root, 0, 0, &x, &y, &child);
            r = Rect::FromSize(x, y, ev.xconfigure.width, ev.xconfigure.height);
        }
        // Our own moves come back late during a drag; only changes made by
        // the window manager (synthetic events) or unexpected sizes count.
        bool ours = r.Width() == w.bounds.Width() && r.Height() == w.bounds.Height() && !ev.xconfigure.send_event;
        if (!ours && r != w.bounds) {
            w.bounds = r;
            e.type = T::Configure;
            e.rect = r;
            Emit(e);
        }
        break;
    }
    case MapNotify:
        w.viewable = true;
        if (w.focus_wanted) {
            w.focus_wanted = false;
            XSetInputFocus(display, w.xid, RevertToParent, CurrentTime);
        }
        e.type = T::Mapped;
        Emit(e);
        break;
    case UnmapNotify:
        w.viewable = false;
        e.type = T::Unmapped;
        Emit(e);
        break;
    default:
        break;
    }
}

}
