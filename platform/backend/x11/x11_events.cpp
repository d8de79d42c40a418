// The X11 backend's events, told to the window system in the display
// contract's terms.
#include "platform/backend/x11/x11_backend_impl.h"
#include "platform/backend/x11/x11_input.h"

#include <algorithm>
#include <vector>

namespace pellamo {

using namespace x11;

using T = DisplayEvent::Type;

void X11Backend::Impl::Handle(XEvent& ev)
{
    if (drops->Handle(ev))
        return;
    if (ev.xany.window == utility)
        return HandleUtilityEvent(ev);
    auto it = by_xid.find(ev.xany.window);
    if (it == by_xid.end())
        return;
    DisplayWindowId id = it->second;
    Win& w = windows[id];
    DisplayEvent e;
    e.window = id;
    switch (ev.type) {
    case MotionNotify:
        return HandleMotion(ev, e);
    case ButtonPress:
    case ButtonRelease:
        return HandleButton(ev.xbutton, e);
    case LeaveNotify:
        return HandleLeave(ev.xcrossing, e);
    case KeyPress:
        return HandleKeyPress(ev.xkey, w, e);
    case KeyRelease:
        return HandleKeyRelease(ev.xkey, e);
    case kXExpose:
        return HandleExpose(ev.xexpose, e);
    case kXFocusIn:
    case kXFocusOut:
        return HandleFocus(ev.xfocus, w, e);
    case ClientMessage:
        return HandleClientMessage(ev.xclient, e);
    case ConfigureNotify:
        return HandleConfigure(ev.xconfigure, w, e);
    case MapNotify:
        return HandleMap(w, e);
    case UnmapNotify:
        return HandleUnmap(w, e);
    default:
        return;
    }
}

void X11Backend::Impl::HandleUtilityEvent(const XEvent& ev)
{
    if (ev.type == SelectionRequest) {
        AnswerSelectionRequest(ev.xselectionrequest);
    } else if (ev.type == SelectionClear) {
        own_clipboard = false;
        clipboard.clear();
    }
}

void X11Backend::Impl::HandleMotion(XEvent& ev, DisplayEvent& e)
{
    // Only the latest position of a burst matters. The burst ends at any
    // other event: a move taken from beyond a press or a release would be
    // seen before it, and a drag would lose its way.
    XEvent next;
    while (XEventsQueued(display, QueuedAfterReading) > 0) {
        XPeekEvent(display, &next);
        if (next.type != MotionNotify || next.xany.window != ev.xany.window)
            break;
        XNextEvent(display, &ev);
    }
    e.type = T::MouseMove;
    e.screen = { ev.xmotion.x_root, ev.xmotion.y_root };
    e.modifiers = X11Modifiers(ev.xmotion.state);
    Emit(e);
}

void X11Backend::Impl::HandleButton(const XButtonEvent& ev, DisplayEvent& e)
{
    e.screen = { ev.x_root, ev.y_root };
    e.modifiers = X11Modifiers(ev.state);
    if (int delta = X11WheelDelta(ev.button)) {
        if (ev.type == ButtonPress) {
            e.type = T::Wheel;
            e.wheel_delta = delta;
            Emit(e);
        }
        return;
    }
    std::optional<X11Button> button = X11ButtonOf(ev.button);
    if (!button)
        return;
    e.button = button->button;
    // The state field is from before the event.
    if (ev.type == ButtonPress) {
        e.type = T::ButtonDown;
        e.modifiers |= button->modifier;
    } else {
        e.type = T::ButtonUp;
        e.modifiers &= ~button->modifier;
    }
    Emit(e);
}

void X11Backend::Impl::HandleLeave(const XCrossingEvent& ev, DisplayEvent& e)
{
    if (ev.mode != NotifyNormal || ev.detail == NotifyInferior)
        return;
    e.type = T::PointerLeave;
    e.screen = { ev.x_root, ev.y_root };
    e.modifiers = X11Modifiers(ev.state);
    Emit(e);
}

void X11Backend::Impl::HandleKeyPress(XKeyEvent& ev, Win& w, DisplayEvent& e)
{
    char buffer[64];
    std::string text;
    KeySym sym = 0;
    if (w.ic) {
        Status status = 0;
        int n = Xutf8LookupString(w.ic, &ev, buffer, sizeof buffer, &sym, &status);
        if (status == XBufferOverflow) {
            std::vector<char> big(static_cast<size_t>(n) + 1);
            n = Xutf8LookupString(w.ic, &ev, big.data(), static_cast<int>(big.size()), &sym, &status);
            if (status == XLookupChars || status == XLookupBoth)
                text.assign(big.data(), static_cast<size_t>(std::max(n, 0)));
        } else if (status == XLookupChars || status == XLookupBoth) {
            text.assign(buffer, static_cast<size_t>(std::max(n, 0)));
        }
        if (status != XLookupKeySym && status != XLookupBoth)
            sym = 0;
    } else {
        int n = XLookupString(&ev, buffer, sizeof buffer, &sym, nullptr);
        for (int i = 0; i < n; ++i)
            if (static_cast<unsigned char>(buffer[i]) < 0x80)
                text.push_back(buffer[i]);
    }
    unsigned modifiers = X11Modifiers(ev.state);
    // Key codes follow the unshifted key, as virtual keys do.
    KeySym base = XLookupKeysym(&ev, 0);
    unsigned vk = X11VirtualKey(base ? base : sym);
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
        t.window = e.window;
        t.text = text;
        Emit(t);
    }
}

void X11Backend::Impl::HandleKeyRelease(XKeyEvent& ev, DisplayEvent& e)
{
    // Auto-repeat shows as release+press at the same time: report a repeated press only.
    if (XEventsQueued(display, QueuedAfterReading)) {
        XEvent next;
        XPeekEvent(display, &next);
        if (next.type == KeyPress && next.xkey.time == ev.time && next.xkey.keycode == ev.keycode) {
            next_press_repeats = true;
            return;
        }
    }
    KeySym base = XLookupKeysym(&ev, 0);
    unsigned vk = X11VirtualKey(base);
    if (vk) {
        e.type = T::KeyUp;
        e.vk = vk;
        e.modifiers = X11Modifiers(ev.state);
        Emit(e);
    }
}

void X11Backend::Impl::HandleExpose(const XExposeEvent& ev, DisplayEvent& e)
{
    e.type = T::Expose;
    e.rect = Rect::FromSize(ev.x, ev.y, ev.width, ev.height);
    Emit(e);
}

void X11Backend::Impl::HandleFocus(const XFocusChangeEvent& ev, Win& w, DisplayEvent& e)
{
    // Grabs (menus, window moves) move the focus only for a moment.
    if (ev.mode == NotifyGrab || ev.mode == NotifyUngrab || ev.detail == NotifyPointer)
        return;
    if (w.ic) {
        if (ev.type == kXFocusIn)
            XSetICFocus(w.ic);
        else
            XUnsetICFocus(w.ic);
    }
    e.type = ev.type == kXFocusIn ? T::FocusIn : T::FocusOut;
    Emit(e);
}

void X11Backend::Impl::HandleClientMessage(const XClientMessageEvent& ev, DisplayEvent& e)
{
    if (ev.message_type == wm_protocols && static_cast<Atom>(ev.data.l[0]) == wm_delete) {
        e.type = T::CloseRequest;
        Emit(e);
    }
}

void X11Backend::Impl::HandleConfigure(const XConfigureEvent& ev, Win& w, DisplayEvent& e)
{
    Rect r = Rect::FromSize(ev.x, ev.y, ev.width, ev.height);
    if (!ev.send_event) {
        // The echo of a request of ours (and of all sent before it).
        auto echo = std::find(w.requested.begin(), w.requested.end(), Size { r.Width(), r.Height() });
        if (echo != w.requested.end()) {
            w.requested.erase(w.requested.begin(), echo + 1);
            return;
        }
        // Relative to a window manager's frame: ask where it is on the screen.
        int x = 0, y = 0;
        ::Window child;
        XTranslateCoordinates(display, w.xid, root, 0, 0, &x, &y, &child);
        r = Rect::FromSize(x, y, ev.width, ev.height);
    }
    // Our own moves come back late during a drag; only changes made by the
    // window manager (synthetic events) or unexpected sizes count.
    bool ours = r.Width() == w.bounds.Width() && r.Height() == w.bounds.Height() && !ev.send_event;
    if (!ours && r != w.bounds) {
        w.bounds = r;
        e.type = T::Configure;
        e.rect = r;
        Emit(e);
    }
}

void X11Backend::Impl::HandleMap(Win& w, DisplayEvent& e)
{
    w.viewable = true;
    if (w.focus_wanted) {
        w.focus_wanted = false;
        XSetInputFocus(display, w.xid, RevertToParent, CurrentTime);
    }
    e.type = T::Mapped;
    Emit(e);
}

void X11Backend::Impl::HandleUnmap(Win& w, DisplayEvent& e)
{
    w.viewable = false;
    e.type = T::Unmapped;
    Emit(e);
}

}
