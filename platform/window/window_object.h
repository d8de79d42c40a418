#pragma once

#include "platform/backend/display_backend.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/region.h"
#include "platform/loop/event_loop.h"
#include "platform/window/messages.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pellamo {

using WndProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
// A procedure stacked on a window's own: `next` passes a message on to the
// one below it (the next subclass, or the window's procedure).
using SubclassProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM, const WndProc& next)>;

// The state of one window, private to WindowSystem. Top-level windows own
// a display window and the back buffer their whole tree is painted into.
struct WindowObject {
    HWND handle = nullptr;
    std::string class_name;
    UINT class_style = 0;
    TColor background = -1; // class brush; negative: none
    WndProc proc;
    // Subclasses by id; a higher id was installed later and sees messages first.
    std::map<uint64_t, std::shared_ptr<const SubclassProc>> subclasses;
    DWORD style = 0;
    DWORD ex_style = 0;
    std::string text;
    void* user_data = nullptr;
    HWND parent = nullptr; // child windows
    HWND owner = nullptr; // top-level windows
    std::vector<HWND> children; // bottom first
    bool destroying = false;

    Rect window_rect; // parent client coordinates; screen for top-level windows
    Rect client_rect; // window coordinates
    // Where the default procedure's frame lies (window coordinates): the
    // rectangle WM_NCCALCSIZE handed it, so that a frame a control adds
    // outside it (a border width) keeps the default frame's scroll bars,
    // edges and caption inside. The whole window when the default
    // procedure computed no frame.
    Rect default_frame;
    Rect nc_given; // what the default WM_NCCALCSIZE last received (parent coordinates)
    std::optional<Region> region; // window coordinates
    Rect restore_rect; // bounds before maximise or minimise
    CursorShape cursor = CursorShape::Arrow;

    // Painting.
    Region update; // client coordinates
    bool erase_pending = false;
    bool frame_pending = false;
    bool paint_begun = false; // BeginPaint took the update region

    bool nc_active = false;

    // Window scroll bars.
    SCROLLINFO scroll[2];
    bool scroll_enabled[2] = { true, true };

    std::map<uintptr_t, EventLoop::Id> timers;
    DWORD track_flags = 0; // TrackMouseEvent
    LRESULT pressed_button = HTNOWHERE; // caption button under a press

    // Modal loop.
    int modal_depth = 0;
    bool modal_ended = false;
    int modal_result = 0;

    // Top-level windows only.
    DisplayWindowId display = 0;
    // Sized to the window when it is first drawn into or presented, not at
    // every size a window passes through while it is being set up.
    Bitmap back_buffer;
    bool back_buffer_sized = false;
    Rect present_dirty; // window coordinates
};

}
