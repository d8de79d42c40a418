#include "skin/art/art_sheet.h"

#include "skin/art/art_catalogue.h"
#include "skin/art/art_preview.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace pellamo::skin_art {

namespace {

constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kFrameGap = 2; // between frames, in sheet pixels
constexpr int kSheetWidth = 1500;
constexpr TColor kPaper = 0xFFFFFF;
constexpr TColor kChequerLight = 0xF0F0F0;
constexpr TColor kChequerDark = 0xD8D8D8;

bool IsKey(const ArtPicture& p, TColor c)
{
    switch (p.key) {
    case ArtKey::None:
        return false;
    case ArtKey::Fuchsia:
    case ArtKey::FuchsiaThreePiece:
        return c == clFuchsia;
    case ArtKey::White:
        return c == clWhite;
    }
    return false;
}

// Pictures of a few pixels' width (stretched where they are used) are
// shown widened so that they can be seen at all.
constexpr int kNarrowShown = 24;

int Repeat(const ArtPicture& p, int scale)
{
    return p.frames == 1 && p.width * scale < kNarrowShown ? (kNarrowShown + p.width - 1) / p.width : scale;
}

Size ShownSize(const ArtPicture& p, int scale)
{
    return { p.width * Repeat(p, scale) + (p.frames - 1) * kFrameGap, p.height * scale };
}

// The picture at (x, y) of `sheet`, enlarged, frames apart, keys chequered.
void PutPicture(Bitmap& sheet, const ArtPicture& p, const Bitmap& bmp, int x, int y, int scale)
{
    int fw = p.FrameWidth(), across = Repeat(p, scale);
    for (int py = 0; py < p.height; ++py)
        for (int px = 0; px < p.width; ++px) {
            TColor c = bmp.GetPixel(px, py);
            int sx = x + px * across + (px / fw) * kFrameGap;
            for (int j = 0; j < scale; ++j)
                for (int i = 0; i < across; ++i) {
                    TColor shown = c;
                    if (IsKey(p, c))
                        shown = ((sx + i) / 4 + (y + py * scale + j) / 4) % 2 ? kChequerDark : kChequerLight;
                    sheet.SetPixel(sx + i, y + py * scale + j, shown);
                }
        }
}

struct Item {
    const ArtPicture* picture;
    std::string label;
};

struct Section {
    std::string title;
    const ArtStyle* style = nullptr; // shown put together first, when set
    std::vector<Item> items;
};

std::vector<Section> Sections()
{
    std::vector<Section> sections;
    auto section_of = [&sections](const std::string& title, const ArtStyle* style) -> Section& {
        for (Section& s : sections)
            if (s.title == title)
                return s;
        sections.push_back({ title, style, {} });
        return sections.back();
    };
    for (const ArtPicture& p : ArtCatalogue()) {
        std::string name(p.name);
        std::string title = p.style->name;
        const ArtStyle* style = p.style;
        if (name.starts_with("PELLAMO_")) {
            title = "Main window title bar";
            style = nullptr;
        } else if (name.starts_with("MORE_") || name.starts_with("MENU_") || name.starts_with("PANEL_")
            || name.starts_with("MDI_") || name.starts_with("MSN")) {
            title = "Shared";
            style = nullptr;
        }
        std::string label = name + "  " + std::to_string(p.width) + "x" + std::to_string(p.height);
        if (p.frames > 1)
            label += " / " + std::to_string(p.frames);
        section_of(title, style).items.push_back({ &p, label });
    }
    return sections;
}

// Lays the sections out; draws them when `sheet` is given, and returns the
// height used either way.
int Layout(Bitmap* sheet, int scale)
{
    Bitmap probe(1, 1);
    Canvas measure(probe);
    measure.font.name = "Tahoma";
    measure.font.height = -12;
    int text_height = measure.TextExtentUtf8("Ag").cy;
    int y = kMargin;
    for (const Section& section : Sections()) {
        if (sheet) {
            Canvas c(*sheet);
            c.font.name = "Tahoma";
            c.font.height = -16;
            c.font.bold = true;
            c.brush.style = BrushStyle::Clear;
            c.TextOutUtf8(kMargin, y, section.title);
        }
        y += 26;
        if (section.style) {
            // The style put together, as it is seen and twice as large.
            Bitmap preview = MakeStylePreview(*section.style);
            if (sheet) {
                Canvas c(*sheet);
                c.Draw(kMargin, y, preview);
                c.StretchDraw(
                    { kMargin * 2 + preview.Width(), y, kMargin * 2 + preview.Width() * 3, y + preview.Height() * 2 },
                    preview);
            }
            y += preview.Height() * 2 + kGap * 2;
        }
        int x = kMargin, row_height = 0;
        for (const Item& item : section.items) {
            Size shown = ShownSize(*item.picture, scale);
            int label_width = measure.TextExtentUtf8(item.label).cx;
            int cell_width = std::max(shown.cx, label_width);
            if (x > kMargin && x + cell_width > kSheetWidth - kMargin) {
                x = kMargin;
                y += row_height + kGap;
                row_height = 0;
            }
            if (sheet) {
                Canvas c(*sheet);
                c.font = measure.font;
                c.font.color = 0x404040;
                c.brush.style = BrushStyle::Clear;
                c.TextOutUtf8(x, y, item.label);
                PutPicture(*sheet, *item.picture, RenderArtPicture(*item.picture), x, y + text_height + 3, scale);
            }
            row_height = std::max(row_height, text_height + 3 + shown.cy);
            x += cell_width + kGap * 2;
        }
        y += row_height + kGap * 2;
    }
    return y;
}

}

Bitmap MakeArtSheet(int scale)
{
    int height = Layout(nullptr, scale);
    Bitmap sheet(kSheetWidth, height, kPaper);
    Layout(&sheet, scale);
    return sheet;
}

Bitmap MakeStylePreviews(int scale)
{
    const ArtStyle* styles[] = { &kMacOSArt, &kWinXPArt, &kDeepBlueArt, &kProteinArt, &kBlueGlassArt };
    std::vector<Bitmap> previews;
    int width = kMargin, height = 0;
    for (const ArtStyle* style : styles) {
        previews.push_back(MakeStylePreview(*style));
        width += previews.back().Width() * scale + kMargin;
        height = std::max(height, previews.back().Height() * scale);
    }
    Bitmap out(width, height + 2 * kMargin, kPaper);
    Canvas c(out);
    int x = kMargin;
    for (const Bitmap& p : previews) {
        c.StretchDraw({ x, kMargin, x + p.Width() * scale, kMargin + p.Height() * scale }, p);
        x += p.Width() * scale + kMargin;
    }
    return out;
}

Bitmap MakeEnlargement(std::span<const ArtPicture* const> pictures, int scale)
{
    int width = kMargin, height = 0;
    for (const ArtPicture* p : pictures) {
        Size s = ShownSize(*p, scale);
        width += s.cx + kMargin;
        height = std::max(height, s.cy);
    }
    Bitmap out(width, height + 2 * kMargin, kPaper);
    int x = kMargin;
    for (const ArtPicture* p : pictures) {
        PutPicture(out, *p, RenderArtPicture(*p), x, kMargin, scale);
        x += ShownSize(*p, scale).cx + kMargin;
    }
    return out;
}

}
