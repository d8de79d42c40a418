// What the skinned push and arrow buttons show in the built-in styles and
// from a theme file, read back from the screen.

#include "platform/gfx/system_colors.h"
#include "skin/buttons/arrow_button.h"
#include "skin/buttons/button_look.h"
#include "skin/buttons/push_button.h"
#include "skin/theme/theme_source.h"
#include "tests/skin/skin_fixture.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace pellamo::test {
namespace {

constexpr TColor kFuchsia = 0xFF00FF;

// A point in the unscaled top-left corner of the face where the normal,
// hover and pressed frames all differ (and none is transparent).
std::optional<Point> TellingPoint(const ButtonLook& look)
{
    for (int y = 1; y < look.normal.Height() / 2; ++y)
        for (int x = 1; x < look.normal.Width() / 2; ++x) {
            TColor n = look.normal.GetPixel(x, y), h = look.hover.GetPixel(x, y), p = look.pressed.GetPixel(x, y);
            if (n != h && h != p && n != p && n != kFuchsia)
                return Point { x, y };
        }
    return std::nullopt;
}

// Whether the dotted focus rectangle at `margin` tells the two shots apart.
bool FocusRectangleBetween(const Bitmap& plain, const Bitmap& focused, int margin)
{
    for (int y = margin; y < plain.Height() - margin; ++y)
        if (plain.GetPixel(margin, y) != focused.GetPixel(margin, y))
            return true;
    return false;
}

int CountPixels(const Bitmap& b, TColor color)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += b.GetPixel(x, y) == color;
    return n;
}

class ButtonLookTest : public SkinFixture {
protected:
    TsuiButton* button = nullptr;
    void SetUp() override
    {
        button = Add<TsuiButton>({ 20, 20, 120, 47 });
        button->SetCaption("Play");
        Show();
    }
    ButtonLook LookOf(TsuiUIStyle style) { return ResolveButtonLook(ThemeSource(nullptr, style)); }
};

TEST_F(ButtonLookTest, EachStateShowsItsFrameOfTheStyleStrip)
{
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        button->SetUIStyle(style);
        ButtonLook look = LookOf(style);
        std::optional<Point> p = TellingPoint(look);
        ASSERT_TRUE(p) << static_cast<int>(style);
        // The same point of the bottom-right corner, counted from that corner.
        Point q { button->Width() - 1 - p->x, button->Height() - 1 - p->y };
        Point fq { look.normal.Width() - 1 - p->x, look.normal.Height() - 1 - p->y };
        struct Case {
            const char* state;
            std::function<void()> act;
            const Bitmap& frame;
        } cases[] = {
            { "normal",
                [&] {
                    MoveTo(*form, { 300, 250 });
                },
                look.normal },
            { "hover",
                [&] {
                    MoveTo(*button, { 50, 12 });
                },
                look.hover },
            { "pressed", [&] { screen.PressButton(), Pump(); }, look.pressed },
            { "released", [&] { Release(); }, look.hover },
            { "disabled",
                [&] {
                    MoveTo(*form, { 300, 250 }), button->SetEnabled(false);
                },
                look.normal },
        };
        for (const Case& c : cases) {
            c.act();
            Bitmap shot = Shot(*button);
            EXPECT_EQ(shot.GetPixel(p->x, p->y), c.frame.GetPixel(p->x, p->y))
                << c.state << " " << static_cast<int>(style);
            EXPECT_EQ(shot.GetPixel(q.x, q.y), c.frame.GetPixel(fq.x, fq.y))
                << c.state << " " << static_cast<int>(style);
        }
        button->SetEnabled(true);
    }
}

TEST_F(ButtonLookTest, TransparentStylesShowTheParentInTheCorners)
{
    struct Case {
        TsuiUIStyle style;
        bool transparent;
    } cases[] = { { TsuiUIStyle::MacOS, true }, { TsuiUIStyle::BlueGlass, true }, { TsuiUIStyle::WinXP, false },
        { TsuiUIStyle::DeepBlue, false } };
    for (const Case& c : cases) {
        button->SetUIStyle(c.style);
        EXPECT_EQ(button->Transparent(), c.transparent);
        EXPECT_EQ(button->PicTransparent(), c.transparent);
        ButtonLook look = LookOf(c.style);
        TColor expected = c.transparent ? kFormColor : look.normal.GetPixel(0, 0);
        EXPECT_EQ(Shot(*button).GetPixel(0, 0), expected) << static_cast<int>(c.style);
    }
    // Not transparent: the button's Color under the face.
    button->SetUIStyle(TsuiUIStyle::MacOS);
    button->SetTransparent(false);
    button->SetColor(clYellow);
    EXPECT_EQ(Shot(*button).GetPixel(0, 0), TColor(kFuchsia)); // corners of the face drawn as they are
}

TEST_F(ButtonLookTest, FocusIsABoldCaptionInMacOSAndADottedRectangleInWinXP)
{
    auto* other = Add<TsuiButton>({ 200, 20, 280, 47 });
    const int m = button->FocusedRectMargin();
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        button->SetUIStyle(style);
        other->SetFocus();
        Bitmap plain = Shot(*button);
        button->SetFocus();
        Bitmap focused = Shot(*button);
        TColor ink = SystemColors::Resolve(button->Font().GetFont().color);
        Rect inside { m + 2, m + 2, button->Width() - m - 2, button->Height() - m - 2 };
        bool rectangle = FocusRectangleBetween(plain, focused, m);
        bool bolder = CountPixels(focused.Crop(inside), ink) > CountPixels(plain.Crop(inside), ink);
        EXPECT_EQ(rectangle, style == TsuiUIStyle::WinXP) << static_cast<int>(style);
        EXPECT_EQ(bolder, style == TsuiUIStyle::MacOS) << static_cast<int>(style);
    }
}

TEST_F(ButtonLookTest, DisabledCaptionIsGreyOnAWhiteShadow)
{
    button->SetUIStyle(TsuiUIStyle::WinXP);
    // The caption's darkest pixel: black ink, or grey when disabled.
    Rect caption { 30, 8, 70, 20 };
    auto darkest = [&](const Bitmap& shot) {
        int dark = 255;
        Bitmap part = shot.Crop(caption);
        for (int y = 0; y < part.Height(); ++y)
            for (int x = 0; x < part.Width(); ++x) {
                TColor c = part.GetPixel(x, y);
                dark = std::min(dark, std::max({ c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF }));
            }
        return dark;
    };
    Bitmap enabled = Shot(*button);
    button->SetEnabled(false);
    Bitmap disabled = Shot(*button);
    EXPECT_LT(darkest(enabled), 0x40);
    EXPECT_GE(darkest(disabled), 0x70);
    EXPECT_LE(darkest(disabled), 0x90);
    // Blanks only: no caption at all.
    button->SetEnabled(true);
    button->SetCaption("   ");
    Bitmap blank = Shot(*button);
    button->SetCaption("");
    EXPECT_EQ(blank, Shot(*button));
}

TEST_F(ButtonLookTest, ThemeFileExportedFromMacOSLooksLikeMacOS)
{
    TsuiFileTheme* theme = ExportedTheme(TsuiUIStyle::MacOS);
    auto* elsewhere = Add<TsuiButton>({ 200, 200, 280, 227 });
    elsewhere->SetFocus(); // neither twin shows the focus
    auto* twin = Add<TsuiButton>({ 200, 20, 300, 47 });
    twin->SetCaption("Play");
    twin->SetUIStyle(TsuiUIStyle::FromThemeFile);
    twin->SetFileTheme(theme);
    button->SetUIStyle(TsuiUIStyle::MacOS);
    auto* arrow = Add<TsuiArrowButton>({ 20, 100, 36, 116 });
    auto* arrow_twin = Add<TsuiArrowButton>({ 200, 100, 216, 116 });
    arrow->SetUIStyle(TsuiUIStyle::MacOS);
    arrow_twin->SetUIStyle(TsuiUIStyle::FromThemeFile);
    arrow_twin->SetFileTheme(theme);
    EXPECT_TRUE(twin->Transparent()); // the flag comes from the file too
    EXPECT_EQ(Shot(*twin), Shot(*button));
    MoveTo(*twin, { 10, 10 });
    Bitmap hover_twin = Shot(*twin);
    MoveTo(*button, { 10, 10 });
    EXPECT_EQ(hover_twin, Shot(*button));
    EXPECT_EQ(Shot(*arrow_twin), Shot(*arrow));

    // Where the file differs by rule: its focus is the dotted rectangle.
    MoveTo(*form, { 300, 250 });
    Bitmap plain_twin = Shot(*twin);
    twin->SetFocus();
    EXPECT_TRUE(FocusRectangleBetween(plain_twin, Shot(*twin), twin->FocusedRectMargin()));

    // The theme goes away: the buttons fall back to DeepBlue.
    theme->Free();
    EXPECT_EQ(twin->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_EQ(twin->FileTheme(), nullptr);
    EXPECT_EQ(arrow_twin->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST_F(ButtonLookTest, AutoSizeTakesOneFrameOfTheBuiltInStrip)
{
    struct Case {
        TsuiUIStyle style;
        Size size;
    } cases[] = {
        { TsuiUIStyle::MacOS, { 84, 23 } }, { TsuiUIStyle::WinXP, { 18, 21 } }, { TsuiUIStyle::BlueGlass, { 77, 27 } },
        { TsuiUIStyle::FromThemeFile, { 24, 21 } }, // no built-in strip: 74 / 3 by 21
    };
    button->SetAutoSize(true);
    for (const Case& c : cases) {
        button->SetUIStyle(c.style);
        EXPECT_EQ(button->Width(), c.size.cx) << static_cast<int>(c.style);
        EXPECT_EQ(button->Height(), c.size.cy) << static_cast<int>(c.style);
    }
}

TEST_F(ButtonLookTest, ArrowButtonShowsATriangleAndNeverItsCaption)
{
    auto* up = Add<TsuiArrowButton>({ 20, 100, 36, 116 });
    auto* down = Add<TsuiArrowButton>({ 40, 100, 56, 116 });
    down->SetArrow(TsuiArrowButtonType::suiDown);
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        up->SetUIStyle(style);
        down->SetUIStyle(style);
        // 16 x 16: the triangle spans (5, 6) to (11, 9).
        Bitmap u = Shot(*up), d = Shot(*down);
        EXPECT_EQ(u.GetPixel(8, 6), clBlack) << "apex up";
        EXPECT_EQ(u.GetPixel(5, 9), clBlack) << "base up";
        EXPECT_NE(u.GetPixel(5, 6), clBlack);
        EXPECT_EQ(d.GetPixel(5, 6), clBlack) << "base down";
        EXPECT_EQ(d.GetPixel(8, 9), clBlack) << "apex down";
        EXPECT_NE(d.GetPixel(5, 9), clBlack);
    }
    up->SetCaption("Up");
    Bitmap without = Shot(*up);
    up->SetCaption("");
    EXPECT_EQ(without, Shot(*up));
}

}
}
