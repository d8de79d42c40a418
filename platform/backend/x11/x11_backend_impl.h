#pragma once

// What the X11 backend's source files share: Xlib, and the backend's state.
// Only x11_*.cpp include this.

#include "platform/backend/x11/x11_backend.h"
#include "platform/backend/x11/x11_drop_target.h"
#include "platform/backend/x11/x11_shm_image.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/shape.h>
#include <X11/keysym.h>

// Xlib's event-type and shape macros collide with our enumerators.
namespace pellamo::x11 {
inline constexpr int kXFocusIn = FocusIn;
inline constexpr int kXFocusOut = FocusOut;
inline constexpr int kXExpose = Expose;
}
#undef FocusIn
#undef FocusOut
#undef Expose
#undef CursorShape

#include <deque>
#include <map>
#include <memory>
#include <string>

namespace pellamo {

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
        long event_mask = 0;
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
    // Opening the input method reads the locale's compose tables (some 10 ms),
    // so it waits until the first picture is on the screen; until then keys
    // are looked up without it.
    bool im_scheduled = false;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    bool has_wm = false;
    EventSink sink;
    std::map<DisplayWindowId, Win> windows;
    // Made at the first picture presented.
    std::unique_ptr<X11ShmImage> shm;
    std::map<::Window, DisplayWindowId> by_xid;
    DisplayWindowId next_id = 1;
    std::map<CursorShape, Cursor> cursors;
    EventLoop::Id watch = 0;
    EventLoop::Id prepare = 0;
    EventLoop::Id waiting = 0;
    bool next_press_repeats = false;
    // Selection transfers go through an unmapped window of our own.
    ::Window utility = 0;
    std::string clipboard;
    bool own_clipboard = false;
    std::unique_ptr<X11DropTarget> drops;

    Atom wm_protocols, wm_delete, net_wm_name, net_wm_pid, utf8_string, net_workarea, motif_hints, net_wm_state,
        net_wm_state_above, net_active_window, net_wm_window_type, net_type_normal, net_type_popup,
        net_supporting_wm_check, clipboard_atom, targets_atom, text_atom, transfer_atom, net_supported,
        net_wm_moveresize;

    void OpenInputMethod();
    void CreateInputContext(Win& w);

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
    // Handle's cases: one X event told as display events of window `e.window`.
    void HandleUtilityEvent(const XEvent& ev);
    void HandleMotion(XEvent& ev, DisplayEvent& e);
    void HandleButton(const XButtonEvent& ev, DisplayEvent& e);
    void HandleLeave(const XCrossingEvent& ev, DisplayEvent& e);
    void HandleKeyPress(XKeyEvent& ev, Win& w, DisplayEvent& e);
    void HandleKeyRelease(XKeyEvent& ev, DisplayEvent& e);
    void HandleExpose(const XExposeEvent& ev, DisplayEvent& e);
    void HandleFocus(const XFocusChangeEvent& ev, Win& w, DisplayEvent& e);
    void HandleClientMessage(const XClientMessageEvent& ev, DisplayEvent& e);
    void HandleConfigure(const XConfigureEvent& ev, Win& w, DisplayEvent& e);
    void HandleMap(Win& w, DisplayEvent& e);
    void HandleUnmap(Win& w, DisplayEvent& e);
    // Whether a window manager runs now and announces `feature` in _NET_SUPPORTED.
    bool ManagerSupports(Atom feature) const;
    void AnswerSelectionRequest(const XSelectionRequestEvent& request);
};

}
