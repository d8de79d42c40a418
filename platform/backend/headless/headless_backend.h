#pragma once

#include "platform/backend/display_backend.h"

#include <map>

namespace pellamo {

// An in-memory screen. Display windows are stacked in z-order with their
// shapes; input is scripted by tests and delivered at once to the sink;
// Screenshot() composes what a user would see.
class HeadlessBackend : public DisplayBackend {
public:
    explicit HeadlessBackend(Size screen = { 1024, 768 }, Rect work_area = { 0, 0, 1024, 740 });

    void SetEventSink(EventSink sink) override { m_sink = std::move(sink); }
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
    void SetCapture(DisplayWindowId id) override { m_capture = id; }
    void SetCursor(DisplayWindowId id, CursorShape shape) override;
    Size ScreenSize() const override { return m_screen; }
    Rect WorkArea() const override { return m_work_area; }
    Point CursorPos() const override { return m_cursor; }
    void Flush() override { }
    // Records the address instead of starting a browser.
    bool OpenUrl(const std::string& url) override;
    const std::vector<std::string>& OpenedUrls() const { return m_opened_urls; }
    void SetClipboardText(const std::string& utf8) override { m_clipboard = utf8; }
    std::string ClipboardText() override { return m_clipboard; }
    // Counts instead of sounding.
    void Beep() override { ++m_beeps; }
    int Beeps() const { return m_beeps; }
    void SetAcceptDrops(DisplayWindowId id, bool accept) override;

    // Scripted input, in screen coordinates.
    void MoveMouse(Point screen);
    void PressButton(MouseButton button = MouseButton::Left);
    void ReleaseButton(MouseButton button = MouseButton::Left);
    void Click(Point screen, MouseButton button = MouseButton::Left);
    void Wheel(int delta);
    void KeyDown(unsigned vk, unsigned modifiers = 0);
    void KeyUp(unsigned vk, unsigned modifiers = 0);
    void PressKey(unsigned vk, unsigned modifiers = 0);
    void TypeText(const std::string& utf8);
    // As if the window manager asked the window to close / moved the focus.
    void RequestClose(DisplayWindowId id);
    void SetFocusWindow(DisplayWindowId id);
    // Drops `items` at a screen point, as another program's drag would;
    // false when the window there does not take drops.
    bool Drop(Point screen, std::vector<std::string> items);

    // What the screen shows: windows bottom to top over the desktop colour.
    Bitmap Screenshot() const;
    void SetDesktopColor(TColor color) { m_desktop = color; }

    // Read-back for tests.
    struct WindowState {
        Rect bounds;
        std::string title;
        bool visible = false;
        bool minimized = false;
        bool popup = false;
        bool topmost = false;
        std::optional<std::vector<Rect>> shape;
        Bitmap pixels;
        CursorShape cursor = CursorShape::Arrow;
        int presents = 0;
        bool accepts_drops = false;
    };
    const WindowState* Window(DisplayWindowId id) const;
    std::vector<DisplayWindowId> ZOrder() const { return m_z_order; } // bottom first
    DisplayWindowId FocusWindow() const { return m_focus; }
    DisplayWindowId CaptureWindow() const { return m_capture; }
    DisplayWindowId WindowAt(Point screen) const;

private:
    void Emit(DisplayEvent event);
    void EmitKey(DisplayEvent::Type type, unsigned vk, unsigned modifiers);
    DisplayWindowId PointerTarget() const;
    void UpdateUnderPointer();
    unsigned ButtonModifiers() const;

    Size m_screen;
    Rect m_work_area;
    EventSink m_sink;
    std::map<DisplayWindowId, WindowState> m_windows;
    std::vector<DisplayWindowId> m_z_order;
    DisplayWindowId m_next_id = 1;
    DisplayWindowId m_focus = 0;
    DisplayWindowId m_capture = 0;
    DisplayWindowId m_under_pointer = 0;
    Point m_cursor;
    unsigned m_buttons = 0; // kModLeftButton...
    unsigned m_key_modifiers = 0;
    TColor m_desktop = 0;
    std::vector<std::string> m_opened_urls;
    std::string m_clipboard;
    int m_beeps = 0;
};

}
