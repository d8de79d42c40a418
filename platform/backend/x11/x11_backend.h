#pragma once

#include "platform/backend/display_backend.h"
#include "platform/loop/event_loop.h"

#include <memory>

namespace pellamo {

// The display of a running program on X11 (also under XWayland): windows
// without decorations (our frames draw themselves) that the window manager
// moves when a caption is dragged, XShape for window
// regions, XIM for text input, _NET_WORKAREA, override-redirect windows for
// menus and notifications, pixels presented with XPutImage. The connection
// is read by the event loop; events are delivered to the sink as they come.
class X11Backend : public DisplayBackend {
public:
    // Throws std::runtime_error when the display cannot be opened or its
    // visual is not 24-bit true colour.
    explicit X11Backend(EventLoop& loop = EventLoop::Main(), const char* display_name = nullptr);
    ~X11Backend() override;

    void SetEventSink(EventSink sink) override;
    DisplayWindowId CreateWindow(const DisplayWindowParams& params) override;
    void DestroyWindow(DisplayWindowId id) override;
    void SetBounds(DisplayWindowId id, const Rect& bounds) override;
    void SetTitle(DisplayWindowId id, const std::string& title) override;
    void Show(DisplayWindowId id, bool show) override;
    void Minimize(DisplayWindowId id) override;
    void Activate(DisplayWindowId id) override;
    void Raise(DisplayWindowId id) override;
    void SetShape(DisplayWindowId id, const std::optional<std::vector<Rect>>& rects) override;
    void Present(DisplayWindowId id, const Bitmap& pixels, const Rect& dirty) override;
    // _NET_WM_MOVERESIZE, where the window manager supports it.
    bool BeginManagedMove(DisplayWindowId id, Point screen) override;
    void SetCapture(DisplayWindowId id) override;
    void SetCursor(DisplayWindowId id, CursorShape shape) override;
    Size ScreenSize() const override;
    Rect WorkArea() const override;
    Point CursorPos() const override;
    void Flush() override;
    bool OpenUrl(const std::string& url) override;
    // CLIPBOARD selection; reading another program's text waits up to a second.
    void SetClipboardText(const std::string& utf8) override;
    std::string ClipboardText() override;
    // The X bell at the server's base volume.
    void Beep() override;
    // XDND: files and links dragged from other programs.
    void SetAcceptDrops(DisplayWindowId id, bool accept) override;

    // The X window behind a display window (0 for none), for tools and tests.
    unsigned long NativeWindow(DisplayWindowId id) const;

    // Reads and delivers every event the server has sent so far; returns
    // how many there were.
    int ProcessEvents();
    // Waits until the server has handled every request sent so far.
    void Sync();

private:
    // The input method opens once the first picture is on the screen.
    void ScheduleInputMethod();
    struct Impl;
    std::unique_ptr<Impl> m;
};

}
