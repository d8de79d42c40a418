#pragma once

// The only contract between the window layer and a display. A backend
// creates bare display windows, shows pixels we painted, shapes windows and
// reports input; it never decides what to paint. Window management, focus,
// capture rules and non-client behaviour live above it.

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pellamo {

using DisplayWindowId = uint32_t;

enum class CursorShape { Arrow, Hand, Wait, IBeam, SizeAll };

// Modifier bits of input events.
enum DisplayModifier : unsigned {
    kModShift = 1,
    kModControl = 2,
    kModAlt = 4,
    kModLeftButton = 8,
    kModRightButton = 16,
    kModMiddleButton = 32,
};

enum class MouseButton { Left = 1, Middle = 2, Right = 3 };

struct DisplayEvent {
    enum class Type {
        MouseMove,
        ButtonDown,
        ButtonUp,
        Wheel,
        PointerLeave, // the pointer left the display window
        KeyDown,
        KeyUp,
        Text, // UTF-8 committed by the input method
        Expose, // `rect` in window coordinates must be presented again
        FocusIn,
        FocusOut,
        CloseRequest,
        Configure, // the window manager moved or resized the window: `rect`
        Mapped, // the window became viewable again (restored from minimised)
        Unmapped,
        Drop, // files or links dropped at `screen`: `items`
    };
    Type type = Type::MouseMove;
    DisplayWindowId window = 0;
    Point screen; // pointer position in screen coordinates
    MouseButton button = MouseButton::Left;
    int wheel_delta = 0; // multiples of 120, positive away from the user
    unsigned modifiers = 0;
    unsigned vk = 0; // Win32 virtual-key code
    bool repeat = false;
    std::string text;
    Rect rect;
    // What a drop carried, one entry each: file:// URIs for files, other
    // URIs as they came, or lines of dropped text (UTF-8).
    std::vector<std::string> items;
};

struct DisplayWindowParams {
    Rect bounds; // screen coordinates
    std::string title;
    bool popup = false; // menus, notifications: no window-manager control, never focused
    bool topmost = false;
    DisplayWindowId owner = 0; // transient-for
};

class DisplayBackend {
public:
    using EventSink = std::function<void(const DisplayEvent&)>;

    virtual ~DisplayBackend() = default;

    virtual void SetEventSink(EventSink sink) = 0;

    virtual DisplayWindowId CreateWindow(const DisplayWindowParams& params) = 0;
    virtual void DestroyWindow(DisplayWindowId id) = 0;
    virtual void SetBounds(DisplayWindowId id, const Rect& bounds) = 0;
    virtual void SetTitle(DisplayWindowId id, const std::string& title) = 0;
    virtual void Show(DisplayWindowId id, bool show) = 0;
    virtual void Minimize(DisplayWindowId id) = 0;
    // Brings the window to the front and gives it the keyboard.
    virtual void Activate(DisplayWindowId id) = 0;
    virtual void Raise(DisplayWindowId id) = 0;
    // Rectangles in window coordinates; nullopt removes the shape.
    virtual void SetShape(DisplayWindowId id, const std::optional<std::vector<Rect>>& rects) = 0;
    // Shows `dirty` (window coordinates) of `pixels`, which covers the window.
    virtual void Present(DisplayWindowId id, const Bitmap& pixels, const Rect& dirty) = 0;
    // Hands a move by the pointer (the left button held down at `screen`)
    // to the window manager, which then moves the window and reports its
    // place (Configure). False when no window manager can: the window layer
    // then moves the window itself.
    virtual bool BeginManagedMove(DisplayWindowId, Point) { return false; }
    // Pointer events go to this window until released (0 releases).
    virtual void SetCapture(DisplayWindowId id) = 0;
    virtual void SetCursor(DisplayWindowId id, CursorShape shape) = 0;

    virtual Size ScreenSize() const = 0;
    // The screen minus panels and task bars.
    virtual Rect WorkArea() const = 0;
    virtual Point CursorPos() const = 0;
    // Pushes buffered output to the display.
    virtual void Flush() = 0;
    // Opens a web address in the user's browser (the shell's "open" verb);
    // false when it cannot be handed on.
    virtual bool OpenUrl(const std::string& url) = 0;
    // The desktop clipboard as UTF-8 text; empty when it holds no text.
    virtual void SetClipboardText(const std::string& utf8) = 0;
    virtual std::string ClipboardText() = 0;
    // The user's warning sound (refused input); the desktop decides how it
    // sounds, or whether at all.
    virtual void Beep() = 0;
    // Whether files and links dragged from other programs may be dropped
    // on the window (then it gets Drop events).
    virtual void SetAcceptDrops(DisplayWindowId id, bool accept) = 0;
};

// The display of a running program: X11 when $DISPLAY is set and opens.
// Throws std::runtime_error otherwise. Tests build a HeadlessBackend instead.
std::unique_ptr<DisplayBackend> CreateDisplayBackend();

}
