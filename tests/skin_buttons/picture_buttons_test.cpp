// The buttons that show pictures of their own choosing: a frame of any
// theme picture, four pictures of their own, a flat glyph.

#include "skin/buttons/control_button.h"
#include "skin/buttons/image_button.h"
#include "skin/buttons/tool_bar_speed_button.h"
#include "skin/theme/theme_source.h"
#include "tests/skin/skin_fixture.h"

#include <functional>

namespace pellamo::test {
namespace {

Bitmap Solid(int w, int h, TColor color, TColor corner)
{
    Bitmap b(w, h, color);
    b.SetPixel(0, 0, corner);
    return b;
}

class PictureButtonsTest : public SkinFixture { };

TEST_F(PictureButtonsTest, ControlButtonShowsItsFrameAndTheNextOneUnderThePointer)
{
    auto* button = Add<TsuiControlButton>({ 20, 20, 60, 60 });
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::DeepBlue);
    EXPECT_FALSE(button->TabStop());
    button->SetUIStyle(TsuiUIStyle::MacOS);
    button->SetThemeID(ThemeItem::TitleBarButtonImage);
    button->SetPicCount(18);
    button->SetPicIndex(3);
    Show();
    ThemeSource theme(nullptr, TsuiUIStyle::MacOS);
    Bitmap third = theme.Picture(ThemeItem::TitleBarButtonImage, 18, 3),
           fourth = theme.Picture(ThemeItem::TitleBarButtonImage, 18, 4);
    EXPECT_EQ(button->Width(), 17); // takes its frame's size
    EXPECT_EQ(button->Height(), 17);
    Point mid { 8, 8 };
    EXPECT_EQ(Shot(*button).GetPixel(mid.x, mid.y), third.GetPixel(mid.x, mid.y));
    MoveTo(*button, mid);
    EXPECT_EQ(Shot(*button).GetPixel(mid.x, mid.y), fourth.GetPixel(mid.x, mid.y));
    screen.PressButton();
    EXPECT_EQ(Shot(*button).GetPixel(mid.x, mid.y), third.GetPixel(mid.x, mid.y));
    Release();

    // Count 0: the whole picture.
    button->SetPicCount(0);
    Pump();
    EXPECT_EQ(button->Width(), theme.Picture(ThemeItem::TitleBarButtonImage).Width());
}

TEST_F(PictureButtonsTest, ControlButtonFromAThemeFileLooksLikeItsStyle)
{
    TsuiFileTheme* theme = ExportedTheme(TsuiUIStyle::MacOS);
    auto* built_in = Add<TsuiControlButton>({ 20, 20, 40, 40 });
    auto* from_file = Add<TsuiControlButton>({ 60, 20, 80, 40 });
    built_in->SetUIStyle(TsuiUIStyle::MacOS);
    from_file->SetUIStyle(TsuiUIStyle::FromThemeFile);
    from_file->SetFileTheme(theme);
    for (TsuiControlButton* b : { built_in, from_file }) {
        b->SetThemeID(ThemeItem::TitleBarButtonImage);
        b->SetPicCount(18);
        b->SetPicIndex(7);
    }
    Show();
    EXPECT_EQ(Shot(*from_file), Shot(*built_in));
    EXPECT_EQ(from_file->Width(), 17);
}

TEST_F(PictureButtonsTest, ControlButtonFramesOutOfRangeDrawNothing)
{
    auto* button = Add<TsuiControlButton>({ 20, 20, 37, 37 });
    button->SetColor(clYellow);
    button->SetUIStyle(TsuiUIStyle::MacOS);
    button->SetThemeID(ThemeItem::TitleBarButtonImage);
    button->SetPicCount(18);
    Show();
    struct Case {
        int index;
        bool hover;
        bool drawn;
    } cases[] = {
        { 0, false, false },
        { 19, false, false },
        { -1, false, false },
        { 18, false, true },
        { 18, true, false }, // the hover frame 19 does not exist
        { 17, true, true },
    };
    for (const Case& c : cases) {
        button->SetPicIndex(c.index);
        MoveTo(c.hover ? static_cast<TControl&>(*button) : *form, c.hover ? Point { 8, 8 } : Point { 300, 250 });
        Bitmap shot = Shot(*button);
        EXPECT_EQ(shot.GetPixel(8, 8) != clYellow, c.drawn) << c.index << " " << c.hover;
        EXPECT_EQ(button->Width(), 17) << "never sized to an empty picture";
    }
    // No theme item at all (the default ThemeID 0): nothing, and no shrinking.
    button->SetThemeID(ThemeItem {});
    Pump();
    EXPECT_EQ(Shot(*button).GetPixel(8, 8), clYellow);
    EXPECT_EQ(button->Width(), 17);
}

TEST_F(PictureButtonsTest, ControlButtonSizingSettlesAfterOnePaint)
{
    auto* button = Add<TsuiControlButton>({ 20, 20, 120, 120 });
    int paints = 0;
    auto own = button->WindowProc;
    button->WindowProc = [&, own](TMessage& m) {
        paints += m.Msg == WM_PAINT;
        own ? own(m) : button->WndProc(m);
    };
    button->SetUIStyle(TsuiUIStyle::WinXP);
    button->SetThemeID(ThemeItem::TitleBarButtonImage);
    button->SetPicCount(18);
    button->SetPicIndex(1);
    Show();
    Pump();
    int settled = paints;
    EXPECT_LE(settled, 3);
    for (int i = 0; i < 5; ++i)
        Pump();
    EXPECT_EQ(paints, settled);
    EXPECT_EQ(button->Width(), 21); // a WinXP title button frame
}

TEST_F(PictureButtonsTest, ImageButtonFallsBackToItsNormalPicture)
{
    auto* button = Add<TsuiImageButton>({ 20, 20, 60, 50 });
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::FromThemeFile);
    button->SetUIStyle(TsuiUIStyle::MacOS);
    EXPECT_EQ(button->UIStyle(), TsuiUIStyle::FromThemeFile); // written, never read
    button->SetColor(clYellow);
    button->SetPicTransparent(true);
    button->PicNormal().SetBitmap(Solid(40, 30, clRed, clBlue));
    Show();
    struct Case {
        const char* what;
        std::function<void()> act;
        TColor middle;
    } cases[] = {
        { "normal", [] {}, clRed },
        { "hover without its own picture",
            [&] {
                MoveTo(*button, { 10, 10 });
            },
            clRed },
        { "hover with one", [&] { button->PicMouseOn().SetBitmap(Solid(40, 30, clLime, clBlue)); }, clLime },
        { "pressed without", [&] { screen.PressButton(); }, clRed },
        { "pressed with", [&] { button->PicMouseDown().SetBitmap(Solid(40, 30, clNavy, clBlue)); }, clNavy },
        { "disabled without", [&] { Release(), button->SetEnabled(false); }, clRed },
        { "disabled with", [&] { button->PicDisabled().SetBitmap(Solid(40, 30, clGray, clBlue)); }, clGray },
    };
    for (const Case& c : cases) {
        c.act();
        Bitmap shot = Shot(*button);
        EXPECT_EQ(shot.GetPixel(20, 15), c.middle) << c.what;
        EXPECT_EQ(shot.GetPixel(0, 0), clYellow) << c.what << ": the top-left colour is transparent";
    }
}

TEST_F(PictureButtonsTest, ImageButtonSizesStretchesAndMarksFocusOnRequest)
{
    auto* button = Add<TsuiImageButton>({ 20, 20, 100, 80 });
    button->PicNormal().SetBitmap(Solid(10, 6, clRed, clBlue));
    Show();
    Bitmap shot = Shot(*button);
    EXPECT_EQ(shot.GetPixel(5, 3), clRed);
    EXPECT_NE(shot.GetPixel(50, 30), clRed); // drawn at its size, at the top left
    button->SetStretch(true);
    EXPECT_EQ(Shot(*button).GetPixel(50, 30), clRed);

    button->SetFocus();
    Bitmap unmarked = Shot(*button);
    button->SetDrawFocused(true);
    EXPECT_NE(Shot(*button), unmarked);

    button->SetAutoSize(true);
    EXPECT_EQ(button->Width(), 10);
    EXPECT_EQ(button->Height(), 6);
    button->PicNormal().SetBitmap(Solid(12, 9, clRed, clBlue));
    EXPECT_EQ(button->Width(), 12);
}

TEST_F(PictureButtonsTest, SpeedButtonFramesItsGlyphWhileThePointerIsOver)
{
    auto* button = Add<TsuiToolBarSpeedButton>({ 20, 20, 38, 38 });
    button->SetColor(clYellow);
    Bitmap glyph(16, 16, clRed);
    glyph.SetPixel(0, 15, clBlue); // bottom left: the transparent colour
    for (int x = 0; x < 16; ++x)
        glyph.SetPixel(x, 15, clBlue);
    button->Glyph().SetBitmap(glyph);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Show();
    Bitmap plain = Shot(*button);
    EXPECT_EQ(plain.GetPixel(0, 0), clYellow);
    EXPECT_EQ(plain.GetPixel(1, 1), clRed);
    EXPECT_EQ(plain.GetPixel(5, 16), clYellow); // the glyph's blue row left out
    MoveTo(*button, { 9, 9 });
    Bitmap hover = Shot(*button);
    EXPECT_TRUE(button->Hover());
    EXPECT_EQ(hover.GetPixel(0, 0), clBlack);
    EXPECT_EQ(hover.GetPixel(17, 9), clBlack);
    screen.PressButton();
    Release();
    EXPECT_EQ(clicks, 1);
    MoveTo(*form, { 300, 250 });
    EXPECT_FALSE(button->Hover());
    EXPECT_EQ(Shot(*button).GetPixel(0, 0), clYellow);
}

}
}
