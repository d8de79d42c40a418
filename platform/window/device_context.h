#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/region.h"
#include "platform/window/messages.h"

#include <optional>

namespace pellamo {

// Drawing access to a part of a top-level window's back buffer: the bitmap,
// where this context's (0, 0) lies in it, and the pixels it may touch (in
// bitmap coordinates). Its canvas keeps pen, brush, font, viewport and
// user clip between calls, as a device context keeps what is selected into it.
class DeviceContext {
public:
    DeviceContext(HWND hwnd, Bitmap& target, Point origin, Region clip)
        : m_hwnd(hwnd)
        , m_target(&target)
        , m_origin(origin)
        , m_clip(std::move(clip))
    {
    }

    // A context that draws where `canvas` draws: its bitmap, its logical
    // (0, 0) as this context's (0, 0), and only inside its clip. A window
    // paints into a caller's canvas through it (WM_PAINT or WM_PRINTCLIENT
    // with the context as wParam).
    static DeviceContext Over(const Canvas& canvas);

    HWND Window() const { return m_hwnd; }
    Bitmap& Target() const { return *m_target; }
    Point Origin() const { return m_origin; }
    const Region& Clip() const { return m_clip; }
    // The clip's bounds in this context's coordinates.
    Rect ClipBox() const { return m_clip.Bounds().Offset(-m_origin.x, -m_origin.y); }
    void IntersectClip(const Region& area);

    // The canvas on this context (device origin and clip as above).
    Canvas& GetCanvas();
    // Whether `canvas` is this context's canvas.
    bool HasCanvas(const Canvas& canvas) const { return m_canvas && &*m_canvas == &canvas; }

    // The window went away: the context draws nowhere from now on.
    void Detach();
    bool Detached() const { return m_detached; }

    // Plain drawing for frames and simple controls; end-exclusive rectangles,
    // this context's coordinates, independent of the canvas's state.
    void FillRect(const Rect& r, TColor color);
    void FrameRect(const Rect& r, TColor color);
    void SetPixel(int x, int y, TColor color);
    TColor GetPixel(int x, int y) const;

private:
    HWND m_hwnd;
    Bitmap* m_target;
    Point m_origin;
    Region m_clip;
    std::optional<Canvas> m_canvas;
    bool m_detached = false;
};

}
