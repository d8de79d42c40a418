#include "player/mpv/player_face.h"

#include <algorithm>

namespace pellamo {

namespace {

using State = PlayerStatus::State;

bool Running(State s)
{
    return s == State::Connecting || s == State::Buffering || s == State::Playing || s == State::Reconnecting;
}

void Fill(Canvas& canvas, const Rect& rect, TColor color)
{
    canvas.brush.color = color;
    canvas.brush.style = BrushStyle::Solid;
    canvas.FillRect(rect);
}

void Shape(Canvas& canvas, std::initializer_list<Point> points, TColor color)
{
    canvas.brush.color = color;
    canvas.brush.style = BrushStyle::Solid;
    canvas.pen.color = color;
    canvas.pen.style = PenStyle::Solid;
    canvas.pen.width = 1;
    canvas.Polygon(std::span<const Point>(points.begin(), points.size()));
}

// A square of side `size` centred in `cell`, for the button glyphs.
Rect GlyphBox(const Rect& cell, int size)
{
    int left = cell.left + (cell.Width() - size) / 2;
    int top = cell.top + (cell.Height() - size) / 2;
    return { left, top, left + size, top + size };
}

}

void PlayerFace::Paint(Canvas& canvas, const MiniBar& layout, const View& view)
{
    PaintVideo(canvas, layout, view);
    if (!layout.Bar().IsEmpty())
        PaintBar(canvas, layout, view);
}

void PlayerFace::PaintVideo(Canvas& canvas, const MiniBar& layout, const View& view)
{
    Rect video = layout.Video();
    if (video.IsEmpty())
        return;
    bool picture = view.picture && !view.picture->Empty() && !view.status.audio_only;
    if (picture) {
        canvas.CopyRect(video, *view.picture, { 0, 0, view.picture->Width(), view.picture->Height() });
        return;
    }
    Fill(canvas, video, kBackground);
    // Without a picture the viewer still sees what the station is doing.
    if (view.status.state == State::Idle)
        return;
    bool error = view.status.state == State::Error;
    canvas.font = Font {};
    canvas.font.name = "Tahoma";
    canvas.font.height = -14;
    canvas.font.color = error ? kErrorColor : kTextColor;
    canvas.brush.style = BrushStyle::Clear;
    Rect text = video.Inflate(-12, -12);
    if (text.IsEmpty())
        return;
    Rect measured = text;
    canvas.DrawTextUtf8(view.status.Text(), measured, kTextCenter | kTextWordBreak | kTextNoPrefix | kTextCalcRect);
    int height = std::min(measured.Height(), text.Height());
    text.top += (text.Height() - height) / 2;
    text.bottom = text.top + height;
    canvas.DrawTextUtf8(view.status.Text(), text, kTextCenter | kTextWordBreak | kTextNoPrefix);
}

void PlayerFace::PaintBar(Canvas& canvas, const MiniBar& layout, const View& view)
{
    Fill(canvas, layout.Bar(), kBarColor);

    Rect play = layout.PlayPause();
    if (!play.IsEmpty()) {
        Rect g = GlyphBox(play, 10);
        if (Running(view.status.state)) {
            Fill(canvas, { g.left + 1, g.top, g.left + 4, g.bottom }, kGlyphColor);
            Fill(canvas, { g.right - 4, g.top, g.right - 1, g.bottom }, kGlyphColor);
        } else {
            Shape(canvas,
                { { g.left + 1, g.top }, { g.right - 1, g.top + g.Height() / 2 }, { g.left + 1, g.bottom - 1 } },
                kGlyphColor);
        }
    }
    Rect stop = layout.Stop();
    if (!stop.IsEmpty())
        Fill(canvas, GlyphBox(stop, 8), kGlyphColor);

    Rect mute = layout.Mute();
    if (!mute.IsEmpty()) {
        Rect g = GlyphBox(mute, 10);
        int mid = g.top + g.Height() / 2;
        // A speaker: box and cone.
        Fill(canvas, { g.left, mid - 2, g.left + 3, mid + 2 }, kGlyphColor);
        Shape(canvas,
            { { g.left + 3, mid - 2 }, { g.left + 6, g.top }, { g.left + 6, g.bottom - 1 }, { g.left + 3, mid + 1 } },
            kGlyphColor);
        if (view.muted) {
            canvas.pen.color = kErrorColor;
            canvas.MoveTo(g.left + 7, mid - 2);
            canvas.LineTo(g.right + 1, mid + 3);
            canvas.MoveTo(g.left + 7, mid + 2);
            canvas.LineTo(g.right + 1, mid - 3);
        }
    }

    Rect volume = layout.Volume();
    if (!volume.IsEmpty()) {
        int mid = volume.top + volume.Height() / 2;
        Rect track { volume.left, mid - 2, volume.right, mid + 2 };
        Fill(canvas, track, kSliderColor);
        Rect level = layout.VolumeLevel(view.volume);
        if (!level.IsEmpty())
            Fill(canvas, { level.left, track.top, level.right, track.bottom }, view.muted ? kGlyphColor : kLevelColor);
    }

    Rect status = layout.Status();
    if (!status.IsEmpty()) {
        canvas.font = Font {};
        canvas.font.name = "Tahoma";
        canvas.font.height = -11;
        canvas.font.color = view.status.state == State::Error ? kErrorColor : kTextColor;
        canvas.brush.style = BrushStyle::Clear;
        std::string text = view.status.Text();
        if (view.recording) {
            canvas.font.color = kRecordColor;
            text = view.recording_text + "  " + text;
        }
        canvas.DrawTextUtf8(
            text, status, kTextLeft | kTextVCenter | kTextSingleLine | kTextEndEllipsis | kTextNoPrefix);
    }

    Rect record = layout.Record();
    if (!record.IsEmpty()) {
        // A dot: red while recording, the glyph colour otherwise.
        Rect g = GlyphBox(record, 10);
        TColor colour = view.recording ? kRecordColor : kGlyphColor;
        Shape(canvas,
            { { g.left + 3, g.top }, { g.right - 3, g.top }, { g.right, g.top + 3 }, { g.right, g.bottom - 3 },
                { g.right - 3, g.bottom }, { g.left + 3, g.bottom }, { g.left, g.bottom - 3 }, { g.left, g.top + 3 } },
            colour);
    }
}

}
