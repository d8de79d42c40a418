#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/brush.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/pen.h"
#include "platform/gfx/region.h"
#include "platform/gfx/text_flags.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

// GDI-like drawing on a Bitmap it does not own. Coordinates are logical:
// device point = logical point + viewport origin; the device itself sits at
// `device_origin` in the bitmap and never draws outside `device_clip`, which
// lets the window layer hand out a canvas for a child window of a back
// buffer. All rectangles are end-exclusive; shapes are never anti-aliased.
class Canvas {
public:
    explicit Canvas(Bitmap& target);
    // device_clip is in device coordinates (relative to device_origin).
    Canvas(Bitmap& target, Point device_origin, const Region& device_clip);

    Bitmap& Target() { return *m_target; }
    const Bitmap& Target() const { return *m_target; }

    // Drawing tools, used by the next drawing call.
    Pen pen;
    Brush brush;
    Font font;

    // Viewport origin: where logical (0, 0) lies in device coordinates.
    Point ViewportOrigin() const { return m_state.viewport; }
    void SetViewportOrigin(Point origin);
    void OffsetViewportOrigin(int dx, int dy);

    // Clipping. SetClipRegion takes device coordinates (as selecting a clip
    // region does on the platform); the rectangle forms take logical ones.
    void SetClipRegion(const Region& device_region);
    void ClearClip();
    void IntersectClipRect(const Rect& rect);
    void ExcludeClipRect(const Rect& rect);
    bool HasClip() const { return m_state.clip.has_value(); }
    // The bounding box of what can be drawn, in logical coordinates.
    Rect ClipBox() const;

    // Pen, brush, font, origin, clip and pen position. A negative argument
    // counts back from the last save (-1 = the last one); a positive one is
    // what SaveState returned. Later saves are dropped; an argument that
    // names no save does nothing.
    int SaveState();
    void RestoreState(int saved = -1);

    TColor GetPixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    Point PenPos() const { return m_state.pen_pos; }
    void MoveTo(int x, int y);
    // From the pen position to (x, y); (x, y) itself is not drawn.
    void LineTo(int x, int y);
    void Polyline(std::span<const Point> points);
    // Filled with the brush (alternate rule), outlined with the pen.
    void Polygon(std::span<const Point> points);

    // Fill with the brush, (left, top) to (right - 1, bottom - 1).
    void FillRect(const Rect& rect);
    // 1-pixel frame inside the rectangle with the brush colour.
    void FrameRect(const Rect& rect);
    // Pen outline inside the rectangle, brush interior.
    void Rectangle(const Rect& rect);
    void RoundRect(const Rect& rect, int ellipse_width, int ellipse_height);
    void Ellipse(const Rect& rect);
    // Counter-clockwise arc of the ellipse in `rect` from the ray towards
    // `start` to the ray towards `end`, drawn with the pen.
    void Arc(const Rect& rect, Point start, Point end);
    // Dotted frame (every other pixel inverted); drawing it twice removes it.
    // Coordinates beyond +-2^20 are clamped there.
    void DrawFocusRect(const Rect& rect);

    // Bitmaps. Draw and StretchDraw honour the bitmap's transparent mode.
    void Draw(int x, int y, const Bitmap& bitmap);
    void StretchDraw(const Rect& dest, const Bitmap& bitmap);
    // Pixels equal to `key` are left out.
    void DrawTransparent(int x, int y, const Bitmap& bitmap, TColor key);
    void StretchDrawTransparent(const Rect& dest, const Bitmap& bitmap, TColor key);
    // Unscaled; `mask` has one byte per bitmap pixel (row by row, width
    // bytes per row), non-zero = leave out.
    void DrawMasked(int x, int y, const Bitmap& bitmap, std::span<const uint8_t> mask);
    // Copies source_rect of the source onto dest, stretching by nearest
    // neighbour; a reversed dest or source rectangle mirrors the picture.
    void CopyRect(const Rect& dest, const Bitmap& source, const Rect& source_rect);
    // The source rectangle is in the source canvas's logical coordinates.
    void CopyRect(const Rect& dest, const Canvas& source, const Rect& source_rect);

    // Text, GBK encoded; the *Utf8 forms take UTF-8. With a solid brush the
    // text cell is filled with the brush colour first, with a clear brush
    // only the glyphs are drawn.
    Size TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) const { return TextExtent(text).cy; }
    void TextOut(int x, int y, std::string_view text);
    // Draws into `rect` with TextFlags; returns the height of the text.
    // With kTextCalcRect nothing is drawn and rect is widened or narrowed to
    // the text.
    int DrawText(std::string_view text, Rect& rect, unsigned flags);

    Size TextExtentUtf8(std::string_view text) const;
    void TextOutUtf8(int x, int y, std::string_view text);
    int DrawTextUtf8(std::string_view text, Rect& rect, unsigned flags);

    // The effective clip in bitmap coordinates (device clip, user clip and
    // bitmap bounds together).
    Region BitmapClip() const;
    // Logical point to bitmap point.
    Point ToBitmap(Point p) const;

private:
    struct State {
        Pen pen;
        Brush brush;
        Font font;
        Point viewport;
        std::optional<Region> clip; // device coordinates
        Point pen_pos;
    };

    void InvalidateClip() { m_clip_valid = false; }
    const Region& Clip() const;
    // Pixel writers in bitmap coordinates, already clipped.
    void PlotPen(int bx, int by);
    void PenPixel(int bx, int by);
    void FillSpan(int y, int x0, int x1); // brush
    void FillSpanColor(int y, int x0, int x1, TColor color);
    void FillRows(int top, const std::vector<std::pair<int, int>>& rows);
    void Line(Point from, Point to, int& pattern_pos);
    std::vector<std::pair<int, int>> VisibleRows(
        const Rect& box, int ellipse_width, int ellipse_height, int& top) const;
    void Outline(int top, const std::vector<std::pair<int, int>>& rows, const Rect* arc_box, Point start, Point end);
    void Blit(const Rect& dest, const Bitmap& source, const Rect& source_rect, std::optional<TColor> key,
        const uint8_t* mask = nullptr);
    bool Clipped(int bx, int by) const;

    Bitmap* m_target;
    Point m_device_origin;
    std::optional<Region> m_device_clip;
    State m_state;
    std::vector<State> m_saved;
    mutable Region m_clip_cache;
    mutable bool m_clip_valid = false;
    mutable Size m_clip_size;
};

}
