#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/resources.h"
#include "skin/draw/frame_strip.h"
#include "skin/panels/caption_panel.h"
#include "skin/panels/caption_panel_face.h"
#include "skin/theme_data/inside_theme.h"
#include "skin/theme_data/named_pictures.h"
#include "skin/theme_data/theme_file_writer.h"
#include "tests/skin/skin_fixture.h"

#include <stdexcept>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class CaptionPanelTest : public SkinFixture {
protected:
    TsuiPanel* panel = nullptr;
    std::vector<int> heights; // the panel's height at each resize
    int pushes = 0;
    int pops = 0;

    void SetUp() override
    {
        Show();
        panel = new TsuiPanel(form);
        panel->SetParent(form);
        panel->SetBounds(20, 20, 200, 100);
        panel->SetUIStyle(S::MacOS);
        panel->OnResize = [this](TObject*) { heights.push_back(panel->TControl::Height()); };
        panel->OnPush = [this](TObject*) { ++pushes; };
        panel->OnPop = [this](TObject*) { ++pops; };
        Pump();
    }

    Point ButtonCentre()
    {
        Rect r = panel->ButtonHotRect();
        return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
    }
    void ClickButton() { ClickAt(*panel, ButtonCentre()); }
    // A pixel of the button picture where frames `a` and `b` differ, in
    // frame coordinates.
    static Point WhereFramesDiffer(int a, int b)
    {
        auto strip = Resources::CachedBitmap(kPanelButton);
        Bitmap fa;
        Bitmap fb;
        SpitBitmap(*strip, fa, kPanelButtonFrames, a);
        SpitBitmap(*strip, fb, kPanelButtonFrames, b);
        for (int y = 0; y < fa.Height(); ++y)
            for (int x = 0; x < fa.Width(); ++x)
                if (fa.GetPixel(x, y) != fb.GetPixel(x, y))
                    return { x, y };
        ADD_FAILURE() << "frames " << a << " and " << b << " look the same";
        return {};
    }
    static TColor FramePixel(int frame, Point p)
    {
        Bitmap f;
        SpitBitmap(*Resources::CachedBitmap(kPanelButton), f, kPanelButtonFrames, frame);
        return f.GetPixel(p.x, p.y);
    }
    // Whether the caption's ink is (nearly: text is smoothed) that colour.
    ::testing::AssertionResult CaptionInkIs(TColor expected)
    {
        TColor ink = CaptionInk();
        int d = std::abs(RedOf(ink) - RedOf(expected)) + std::abs(GreenOf(ink) - GreenOf(expected))
            + std::abs(BlueOf(ink) - BlueOf(expected));
        if (d <= 48)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "ink " << std::hex << ink << ", expected " << expected;
    }
    // The colour the caption adds to the bar where it changes it most.
    TColor CaptionInk()
    {
        panel->SetCaption("");
        Pump();
        Bitmap before = screen.Screenshot();
        panel->SetCaption("WWWW");
        Pump();
        Bitmap after = screen.Screenshot();
        Point o = panel->ClientToScreen({ 0, 0 });
        int best = -1;
        TColor ink = 0x123456;
        for (int y = 0; y < panel->BarHeight(); ++y)
            for (int x = 10; x < 80; ++x) {
                TColor a = before.GetPixel(o.x + x, o.y + y);
                TColor b = after.GetPixel(o.x + x, o.y + y);
                int d = std::abs(RedOf(a) - RedOf(b)) + std::abs(GreenOf(a) - GreenOf(b))
                    + std::abs(BlueOf(a) - BlueOf(b));
                if (d > best) {
                    best = d;
                    ink = b;
                }
            }
        return ink;
    }
    TColor ButtonPixel(Point in_frame)
    {
        Point origin = PanelButtonOrigin(panel->ClientWidth(), panel->BarHeight(), { 13, 12 });
        return PixelAt(*panel, { origin.x + in_frame.x, origin.y + in_frame.y });
    }
};

TEST_F(CaptionPanelTest, PushAndPopStepBy15AndRaiseTheirEventsWhenDone)
{
    ASSERT_EQ(panel->BarHeight(), 21);
    panel->Push();
    EXPECT_EQ(heights, (std::vector<int> { 85, 70, 55, 40, 25, 21 }));
    EXPECT_TRUE(panel->GetPushed());
    EXPECT_EQ(pushes, 1);
    EXPECT_EQ(panel->Height(), 100); // where a pop returns to

    heights.clear();
    panel->Pop();
    EXPECT_EQ(heights, (std::vector<int> { 36, 51, 66, 81, 96, 100 }));
    EXPECT_FALSE(panel->GetPushed());
    EXPECT_EQ(pops, 1);

    // DeepBlue's bar has 20 rows.
    panel->SetUIStyle(S::DeepBlue);
    heights.clear();
    panel->Push();
    EXPECT_EQ(heights.back(), 20);
}

TEST_F(CaptionPanelTest, TheButtonTogglesAndAClickElsewhereDoesNot)
{
    ClickButton();
    EXPECT_TRUE(panel->GetPushed());
    ClickButton();
    EXPECT_FALSE(panel->GetPushed());

    // Hover the button, leave the panel, come back to its body and click:
    // only a release over the button counts.
    screen.MoveMouse(panel->ClientToScreen(ButtonCentre()));
    Pump();
    screen.MoveMouse({ 390, 290 });
    Pump();
    ClickAt(*panel, { 100, 70 });
    EXPECT_FALSE(panel->GetPushed());
    EXPECT_EQ(pushes, 1);
}

TEST_F(CaptionPanelTest, SidewaysAlignedPanelsHaveNoButtonAndDoNotPush)
{
    Point in_frame = WhereFramesDiffer(1, 2);
    panel->SetAlign(TAlign::alLeft);
    Pump();
    ASSERT_TRUE(panel->ShowButton());
    EXPECT_FALSE(panel->ButtonShown());
    // The bar shows where the button would be.
    Bitmap bar;
    GetInsideThemeBitmap(S::MacOS, ThemeItem::SideChannelBarImage, &bar);
    Point origin = PanelButtonOrigin(panel->ClientWidth(), panel->BarHeight(), { 13, 12 });
    EXPECT_EQ(
        PixelAt(*panel, { origin.x + in_frame.x, origin.y + in_frame.y }), bar.GetPixel(0, origin.y + in_frame.y));
    ClickButton();
    EXPECT_FALSE(panel->GetPushed());
    EXPECT_TRUE(boxes.empty());

    for (TAlign a : { TAlign::alClient, TAlign::alLeft, TAlign::alRight }) {
        panel->SetAlign(a);
        heights.clear();
        try {
            panel->Push();
            ADD_FAILURE() << "no error";
        } catch (const std::logic_error& e) {
            EXPECT_STREQ(e.what(), "Can't push when Align is alClient, alLeft or alRight.");
        }
        EXPECT_TRUE(heights.empty());
        EXPECT_FALSE(panel->GetPushed());
        EXPECT_FALSE(panel->Animating());
    }
    EXPECT_EQ(pushes, 0);
    panel->Pop(); // no such check
    EXPECT_EQ(pops, 1);
}

TEST_F(CaptionPanelTest, ResizingChangesThePopHeightOnlyWhileExpanded)
{
    panel->TControl::SetHeight(150);
    EXPECT_EQ(panel->Height(), 150);
    panel->Push();
    panel->TControl::SetHeight(60); // a pushed panel resized
    EXPECT_EQ(panel->Height(), 150);
    panel->SetHeight(180); // written while pushed: only the pop height
    EXPECT_EQ(panel->TControl::Height(), 60);
    panel->Pop();
    EXPECT_EQ(panel->TControl::Height(), 180);
    panel->SetHeight(120); // written while expanded: both
    EXPECT_EQ(panel->TControl::Height(), 120);
}

TEST_F(CaptionPanelTest, ChildrenSitBelowTheBar)
{
    auto* child = new TPanel(form);
    child->SetParent(panel);
    child->SetAlign(TAlign::alClient);
    EXPECT_EQ(child->BoundsRect(), (Rect { 3, 24, 197, 97 }));
    panel->SetUIStyle(S::DeepBlue);
    EXPECT_EQ(child->BoundsRect(), (Rect { 3, 23, 197, 97 }));
}

TEST_F(CaptionPanelTest, ASecondClickDuringTheAnimationIsIgnored)
{
    panel->OnResize = [this](TObject*) {
        heights.push_back(panel->TControl::Height());
        if (heights.size() == 2)
            screen.Click(panel->ClientToScreen(ButtonCentre()));
    };
    ClickButton();
    Pump();
    EXPECT_TRUE(panel->GetPushed());
    EXPECT_EQ(pushes, 1);
    EXPECT_EQ(pops, 0);
    EXPECT_EQ(panel->TControl::Height(), 21);
    EXPECT_FALSE(panel->Animating());
}

TEST_F(CaptionPanelTest, ThePanelOrItsFormMayGoAwayDuringTheAnimation)
{
    // Freed by the loop between two steps (a form closing and freeing itself).
    panel->OnResize = [this](TObject*) {
        heights.push_back(panel->TControl::Height());
        if (heights.size() == 2)
            form->Release();
    };
    ClickButton();
    EXPECT_EQ(heights.size(), 2u);
    EXPECT_EQ(pushes, 0);
}

TEST_F(CaptionPanelTest, PaintsBorderBarCaptionAndButtonFromTheStyle)
{
    Bitmap bar;
    GetInsideThemeBitmap(S::MacOS, ThemeItem::SideChannelBarImage, &bar);
    EXPECT_EQ(PixelAt(*panel, { 0, 60 }), 0x7F7F7F); // border, ControlBorderColor
    EXPECT_EQ(PixelAt(*panel, { 199, 60 }), 0x7F7F7F);
    EXPECT_EQ(PixelAt(*panel, { 100, 99 }), 0x7F7F7F);
    EXPECT_EQ(PixelAt(*panel, { 100, 60 }), clWhite);
    EXPECT_EQ(PixelAt(*panel, { 100, 10 }), bar.GetPixel(0, 10)); // the bar, stretched
    EXPECT_EQ(PixelAt(*panel, { 1, 20 }), bar.GetPixel(0, 20));

    // The button: frame 1, frame 2 under the mouse, 4 pushed under it, 3 pushed.
    Point differ = WhereFramesDiffer(1, 2);
    EXPECT_EQ(ButtonPixel(differ), FramePixel(1, differ));
    screen.MoveMouse(panel->ClientToScreen(ButtonCentre()));
    Pump();
    EXPECT_EQ(ButtonPixel(differ), FramePixel(2, differ));
    ClickButton();
    Point pushed = WhereFramesDiffer(3, 4);
    EXPECT_EQ(ButtonPixel(pushed), FramePixel(4, pushed));
    screen.MoveMouse({ 390, 290 });
    Pump();
    EXPECT_EQ(ButtonPixel(pushed), FramePixel(3, pushed));
}

TEST_F(CaptionPanelTest, CaptionColourByStyleAndByTheThemeFileRule)
{
    struct Case {
        const char* what;
        S style;
        TColor caption;
        TColor border;
    } cases[] = {
        { "MacOS: black", S::MacOS, clBlack, 0x7F7F7F },
        { "WinXP: MenuSelectedFontColor", S::WinXP, 0x000000, 0x686868 },
        { "DeepBlue: MenuSelectedFontColor", S::DeepBlue, clWhite, 0x000000 },
        { "BlueGlass: MenuSelectedFontColor", S::BlueGlass, clWhite, 0x000000 },
    };
    for (const auto& c : cases) {
        panel->SetUIStyle(c.style);
        EXPECT_EQ(panel->CaptionFontColor(), c.caption) << c.what;
        EXPECT_EQ(panel->BorderColor(), c.border) << c.what;
        EXPECT_EQ(panel->Color(), clWhite) << c.what;
    }
    panel->SetUIStyle(S::MacOS);
    EXPECT_TRUE(CaptionInkIs(clBlack));
    panel->SetUIStyle(S::DeepBlue);
    EXPECT_TRUE(CaptionInkIs(clWhite));
}

TEST_F(CaptionPanelTest, AThemeFileExportedFromMacOSLooksLikeMacOSButForItsWhiteCaption)
{
    panel->SetCaption("WWWW");
    Pump();
    Bitmap built_in = screen.Screenshot();
    TsuiFileTheme* theme = ExportedTheme(S::MacOS);
    panel->SetUIStyle(S::FromThemeFile);
    panel->SetFileTheme(theme);
    // MacOS's ControlFontColor (black) is not among the dark-caption colours.
    EXPECT_EQ(panel->CaptionFontColor(), clWhite);
    EXPECT_EQ(panel->BorderColor(), 0x7F7F7F);
    EXPECT_EQ(panel->BarHeight(), 21);
    Pump();
    Bitmap from_file = screen.Screenshot();
    Point o = panel->ClientToScreen({ 0, 0 });
    for (Point p : { Point { 0, 60 }, Point { 100, 60 }, Point { 100, 10 }, Point { 150, 3 }, Point { 190, 10 } })
        EXPECT_EQ(from_file.GetPixel(o.x + p.x, o.y + p.y), built_in.GetPixel(o.x + p.x, o.y + p.y))
            << p.x << "," << p.y;
    EXPECT_TRUE(CaptionInkIs(clWhite));

    // Its removal falls back to DeepBlue.
    theme->Free();
    EXPECT_EQ(panel->FileTheme(), nullptr);
    EXPECT_EQ(panel->UIStyle(), S::DeepBlue);
    EXPECT_EQ(panel->BarHeight(), 20);
}

TEST_F(CaptionPanelTest, ThemeFilesRestyleOnlyPanelsThatReadThemAndPickTheCaptionColour)
{
    auto write_theme = [this](const std::string& name, TColor font, bool with_bar) {
        TsuiThemeFileWriter writer(File(name));
        if (with_bar)
            writer.AddFileData("SideChannelBarImage", BmpCodec::Write(Bitmap(1, 30, 0x445566)));
        writer.AddInteger("ControlBorderColor", 0x010203);
        writer.AddInteger("ControlFontColor", font);
        writer.Save();
        return LoadTheme(File(name));
    };
    // A built-in style ignores the file theme it is given.
    panel->SetBorderColor(0x123456);
    panel->SetFileTheme(write_theme("a.sui", 0x7A5316, true));
    EXPECT_EQ(panel->BorderColor(), 0x123456);
    EXPECT_EQ(panel->BarHeight(), 21);
    panel->SetUIStyle(S::FromThemeFile);
    EXPECT_EQ(panel->BorderColor(), 0x010203);
    EXPECT_EQ(panel->BarHeight(), 30);

    for (TColor font : { 0x020000, 0x030000, 0x040000, 0x050000, 0x7A5316, 0x22630F }) {
        panel->SetFileTheme(write_theme("dark.sui", font, true));
        EXPECT_EQ(panel->CaptionFontColor(), clBlack) << std::hex << font;
    }
    for (TColor font : { 0x000000, 0x010000, 0x7A5317, 0xFFFFFF }) {
        panel->SetFileTheme(write_theme("light.sui", font, true));
        EXPECT_EQ(panel->CaptionFontColor(), clWhite) << std::hex << font;
    }
    // A theme without a bar picture keeps the bar the panel has.
    panel->SetFileTheme(write_theme("barless.sui", 0, false));
    EXPECT_EQ(panel->BarHeight(), 30);
}

}
}
