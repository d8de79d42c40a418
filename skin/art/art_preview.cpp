#include "skin/art/art_preview.h"

#include "skin/art/art_canvas.h"
#include "skin/art/art_catalogue.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace pellamo::skin_art {

namespace {

constexpr int kWidth = 330;
constexpr int kHeight = 250;
constexpr TColor kPaper = 0xFFFFFF;

std::string Prefix(const ArtStyle& s)
{
    std::string name = s.name;
    std::transform(
        name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name;
}

struct Piece {
    const ArtPicture* picture = nullptr;
    Bitmap bitmap;
};

Piece Get(const std::string& name)
{
    const ArtPicture* p = FindArtPicture(name);
    return { p, p ? RenderArtPicture(*p) : Bitmap() };
}

Bitmap Frame(const Piece& piece, int k)
{
    int fw = piece.picture->FrameWidth();
    return piece.bitmap.Crop({ k * fw, 0, (k + 1) * fw, piece.bitmap.Height() });
}

bool Keyed(const Piece& piece)
{
    return piece.picture->key == ArtKey::Fuchsia || piece.picture->key == ArtKey::FuchsiaThreePiece;
}

// Source rectangle src of bmp stretched onto dst, fuchsia left out when asked.
void Stretch(Canvas& c, const Rect& dst, const Bitmap& bmp, const Rect& src, bool keyed)
{
    if (dst.IsEmpty() || src.IsEmpty())
        return;
    Bitmap part = bmp.Crop(src);
    if (keyed)
        c.StretchDrawTransparent(dst, part, clFuchsia);
    else
        c.StretchDraw(dst, part);
}

// Corners kept, edges and middle stretched over their centre row and column.
void NinePiece(Canvas& c, const Bitmap& bmp, const Rect& r, bool keyed)
{
    int bw = bmp.Width(), bh = bmp.Height(), hw = bw / 2, hh = bh / 2;
    int xs[] = { r.left, r.left + hw, r.right - (bw - hw - 1), r.right };
    int ys[] = { r.top, r.top + hh, r.bottom - (bh - hh - 1), r.bottom };
    int sx[] = { 0, hw, hw + 1, bw };
    int sy[] = { 0, hh, hh + 1, bh };
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            Stretch(c, { xs[i], ys[j], xs[i + 1], ys[j + 1] }, bmp, { sx[i], sy[j], sx[i + 1], sy[j + 1] }, keyed);
}

// Ends kept, middle frame stretched.
void ThreePiece(Canvas& c, const Piece& piece, const Rect& r)
{
    int fw = piece.picture->FrameWidth(), h = piece.bitmap.Height();
    Stretch(c, { r.left + fw, r.top, r.right - fw, r.top + h }, Frame(piece, 1), { 0, 0, fw, h }, false);
    c.DrawTransparent(r.left, r.top, Frame(piece, 0), clFuchsia);
    c.DrawTransparent(r.right - fw, r.top, Frame(piece, 2), clFuchsia);
}

Bitmap RotateClockwise(const Bitmap& b)
{
    Bitmap out(b.Height(), b.Width());
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            out.SetPixel(b.Height() - 1 - y, x, b.GetPixel(x, y));
    return out;
}

void Text(Canvas& c, int x, int y, const std::string& text, TColor color, bool bold = false)
{
    c.font.name = "Tahoma";
    c.font.height = -11;
    c.font.bold = bold;
    c.font.color = color;
    c.brush.style = BrushStyle::Clear;
    c.TextOutUtf8(x, y, text);
}

int TextWidth(Canvas& c, const std::string& text) { return c.TextExtentUtf8(text).cx; }

void FillRect(Canvas& c, const Rect& r, TColor color)
{
    c.brush.style = BrushStyle::Solid;
    c.brush.color = color;
    c.FillRect(r);
}

void FrameRect(Canvas& c, const Rect& r, TColor color)
{
    c.brush.style = BrushStyle::Solid;
    c.brush.color = color;
    c.FrameRect(r);
}

// Returns the bottom of the title bar.
int TitleBar(Canvas& c, const ArtStyle& s, const std::string& prefix)
{
    Piece left = Get(prefix + "_TITLE_LEFT"), client = Get(prefix + "_TITLE_CLIENT"),
          right = Get(prefix + "_TITLE_RIGHT");
    int lw = left.bitmap.Width(), rw = right.bitmap.Width(), th = left.bitmap.Height();
    c.Draw(0, 0, left.bitmap);
    c.Draw(kWidth - rw, 0, right.bitmap);
    if (kWidth - rw > lw)
        c.StretchDraw({ lw, 0, kWidth - rw, client.bitmap.Height() }, client.bitmap);

    Piece buttons = Get(prefix + "_TITLEBTN");
    bool keyed = Keyed(buttons);
    int bw = buttons.picture->FrameWidth(), bh = buttons.bitmap.Height();
    int bar = kWidth - 6, k = -1, y = s.title_button_top;
    auto put = [&](int frame, int x, int top) {
        Bitmap b = Frame(buttons, frame);
        if (keyed)
            c.DrawTransparent(x, top, b, clFuchsia);
        else
            c.Draw(x, top, b);
    };
    // Close, maximise and minimise from the right, the window menu box at
    // the left, as the title bar places them (bar coordinates + 3).
    int x = bar + 1 + s.title_right_offset + k;
    for (int frame : { 15, 6, 12 }) {
        x -= bw + 1;
        put(frame, x + 3, y);
    }
    int lx = std::max(0, s.title_left_offset - k);
    put(0, lx + 3, y - 1);
    lx += bw + 5;
    int text_height = c.TextExtentUtf8("Ag").cy;
    Text(c, lx + 3, y + (bh - text_height) / 2, "Pellamo - " + std::string(s.name), s.title_font, true);
    return th;
}

int MenuBar(Canvas& c, const ArtStyle& s, int top)
{
    constexpr int kBar = 22;
    Rect bar { 0, top, kWidth, top + kBar };
    if (s.look == Look::MacOS) {
        c.StretchDraw(bar, Get("MACOS_MENU_BAR").bitmap);
    } else {
        FillRect(c, bar, s.form_background);
    }
    int x = 8;
    const char* items[] = { "File", "Channels", "Help" };
    for (int i = 0; i < 3; ++i) {
        int w = TextWidth(c, items[i]) + 14;
        Rect item { x, top, x + w, top + kBar };
        TColor ink = clBlack;
        if (i == 1) {
            if (s.look == Look::MacOS) {
                Bitmap select = Get("MACOS_MENU_SELECT").bitmap;
                c.StretchDraw(item, select.Crop({ 0, 0, 1, 20 }));
            } else {
                FillRect(c, item, s.menu_selected);
                FrameRect(c, item, s.menu_selected_border);
            }
            ink = s.menu_selected_font;
        }
        Text(c, x + 7, top + 5, items[i], ink);
        x += w;
    }
    return top + kBar;
}

void CaptionPanel(Canvas& c, const ArtStyle& s, const std::string& prefix, const Rect& r)
{
    FillRect(c, r, clWhite);
    FrameRect(c, r, s.control_border);
    Bitmap bar = Get(prefix + "_SIDECHENNEL_BAR").bitmap;
    int bh = bar.Height();
    c.StretchDraw({ r.left + 1, r.top, r.right - 1, r.top + bh }, bar);
    TColor ink = s.look == Look::MacOS ? clBlack : s.menu_selected_font;
    Text(c, r.left + 10, r.top + (bh - 13) / 2, "Television -> CCTV-1", ink);
    Piece button = Get("PANEL_BUTTON");
    int top = (bh - 12) / 2;
    c.Draw(r.right - r.left - 13 - 4 + r.left, r.top + top / 2 + 2, Frame(button, 0));
    // The player area below the bar.
    FillRect(c, { r.left + 4, r.top + bh + 3, r.right - 4, r.bottom - 4 }, 0x202020);
}

void PushButtons(Canvas& c, const std::string& prefix, int left, int top)
{
    Piece strip = Get(prefix + "_BUTTON");
    const char* captions[] = { "Play", "Hover", "Pressed" };
    for (int k = 0; k < 3; ++k) {
        Rect r { left + k * 82, top, left + k * 82 + 76, top + 26 };
        NinePiece(c, Frame(strip, k), r, Keyed(strip));
        int w = TextWidth(c, captions[k]);
        int dx = k == 2 ? 1 : 0;
        Text(c, r.left + (r.Width() - w) / 2 + dx, r.top + 7 + dx, captions[k], clBlack);
    }
}

void Choices(Canvas& c, const ArtStyle&, const std::string& prefix, int left, int top)
{
    Piece check = Get(prefix + "_CHECKBOX"), radio = Get(prefix + "_RADIOBUTTON");
    struct Choice {
        const Piece* piece;
        int frame;
        const char* text;
    } choices[] = { { &check, 0, "Subtitles" }, { &check, 1, "Full screen" }, { &radio, 0, "Television" },
        { &radio, 1, "Radio" }, { &radio, 3, "Disabled" } };
    int y = top;
    for (const Choice& ch : choices) {
        Bitmap b = Frame(*ch.piece, ch.frame);
        if (Keyed(*ch.piece))
            c.DrawTransparent(left, y + (17 - b.Height()) / 2, b, clFuchsia);
        else
            c.Draw(left, y + (17 - b.Height()) / 2, b);
        Text(c, left + b.Width() + 4, y + 2, ch.text, ch.frame == 3 ? 0x808080 : clBlack);
        y += 19;
    }
}

void ScrollBar(Canvas& c, const ArtStyle& s, const std::string& prefix, int right, int top, int bottom)
{
    Piece arrows = Get(prefix + "_SCROLLBAR_BUTTON"), thumb = Get(prefix + "_SCROLLBAR_TRACK");
    Bitmap up = Frame(arrows, 0), down = Frame(arrows, 3);
    int w = up.Width(), left = right - w;
    FillRect(c, { left, top, right, bottom }, s.scroll_background);
    c.Draw(left, top, up);
    c.Draw(left, bottom - down.Height(), down);
    Bitmap start = RotateClockwise(Frame(thumb, 0)), middle = RotateClockwise(Frame(thumb, 1)),
           end = RotateClockwise(Frame(thumb, 2));
    int y0 = top + up.Height() + 14, length = 46;
    c.Draw(left, y0, start);
    c.StretchDraw({ left, y0 + start.Height(), left + middle.Width(), y0 + length - end.Height() }, middle);
    c.Draw(left, y0 + length - end.Height(), end);
}

void Progress(Canvas& c, const ArtStyle& s, const std::string& prefix, const Rect& r)
{
    Bitmap fill = Get(prefix + "_PROGRESSBAR").bitmap;
    int f = (r.Width() - 1) * 60 / 100;
    c.StretchDraw({ r.left + 1, r.top + 1, r.left + f, r.bottom - 1 }, fill);
    FillRect(c, { r.left + f, r.top + 1, r.right - 1, r.bottom - 1 }, s.form_background);
    FrameRect(c, r, s.control_border);
    Text(c, r.left + r.Width() / 2 - 10, r.top + (r.Height() - 13) / 2, "60%", clBlack);
}

void TrackBar(Canvas& c, const ArtStyle&, const std::string& prefix, int left, int top, int width)
{
    Piece bar = Get(prefix + "_TRACKBAR_BAR"), slider = Get(prefix + "_TRACKBAR_SLIDER");
    int h = std::max(bar.bitmap.Height(), slider.bitmap.Height());
    ThreePiece(c, bar, { left, top + (h - bar.bitmap.Height()) / 2, left + width, top + h });
    int x = left + (width - slider.bitmap.Width()) * 40 / 100;
    c.DrawTransparent(x, top + (h - slider.bitmap.Height()) / 2, slider.bitmap, clFuchsia);
}

// Cuts the top corners round the way the window's shape does.
void RoundTopCorners(Bitmap& b, int round)
{
    if (round <= 0)
        return;
    double r = round / 2.0;
    for (int y = 0; y < round; ++y)
        for (int x = 0; x < round; ++x) {
            double dx = r - (x + 0.5), dy = r - (y + 0.5);
            if (x < r && y < r && dx * dx + dy * dy > r * r) {
                b.SetPixel(x, y, kPaper);
                b.SetPixel(b.Width() - 1 - x, y, kPaper);
            }
        }
}

}

Bitmap MakeStylePreview(const ArtStyle& s)
{
    std::string prefix = Prefix(s);
    Bitmap window(kWidth, kHeight, s.form_background);
    Canvas c(window);
    if (s.look == Look::MacOS || s.look == Look::Protein) {
        c.brush.pattern = std::make_shared<Bitmap>(Get(prefix + "_FORM_BACKGROUND").bitmap);
        c.FillRect({ 0, 0, kWidth, kHeight });
        c.brush.pattern.reset();
    }
    int title_bottom = TitleBar(c, s, prefix);
    int top = MenuBar(c, s, title_bottom);
    CaptionPanel(c, s, prefix, { 8, top + 6, 200, top + 96 });
    Choices(c, s, prefix, 212, top + 6);
    PushButtons(c, prefix, 8, top + 104);
    Progress(c, s, prefix, { 8, top + 140, 150, top + 154 });
    TrackBar(c, s, prefix, 160, top + 136, 120);
    ScrollBar(c, s, prefix, kWidth - s.form_border_width - 3, top + 4, kHeight - s.form_border_width - 3);
    // The window border.
    for (int i = 0; i < s.form_border_width; ++i) {
        FillRect(c, { i, title_bottom, i + 1, kHeight }, s.form_border);
        FillRect(c, { kWidth - 1 - i, title_bottom, kWidth - i, kHeight }, s.form_border);
        FillRect(c, { 0, kHeight - 1 - i, kWidth, kHeight - i }, s.form_border);
    }
    RoundTopCorners(window, s.round_corner);
    return window;
}

}
