#include "platform/components/description_reader.h"
#include "skin/buttons/image_button.h"
#include "skin/draw/key_color.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/scroll/scroll_bar_look.h"
#include "skin/scroll/scroll_classes.h"
#include "skin/scroll/scroll_track_bar.h"
#include "skin/theme/theme_source.h"
#include "tests/skin/skin_fixture.h"

#include <vector>

namespace pellamo::test {
namespace {

using O = TsuiProgressBarOrientation;

class ScrollBarTest : public SkinFixture {
protected:
    TsuiScrollBar* bar = nullptr;
    std::vector<TObject*> senders;

    TsuiScrollBar* Make(O orientation, Rect bounds, TsuiUIStyle style = TsuiUIStyle::MacOS)
    {
        auto* b = Add<TsuiScrollBar>(bounds);
        b->SetUIStyle(style);
        b->SetOrientation(orientation);
        b->SetBoundsRect(bounds);
        b->OnChange() = [this](TObject* sender) { senders.push_back(sender); };
        return b;
    }
    TWinControl& Slider() const { return dynamic_cast<TWinControl&>(*bar->Track().Controls(0)); }
    int SliderLength() const { return bar->Vertical() ? Slider().Height() : Slider().Width(); }
};

TEST_F(ScrollBarTest, ArrowsSitAtTheEndsAndTheTrackBetweenThem)
{
    // MacOS arrows are 16 x 22 (turned for a horizontal bar).
    bar = Make(O::suiVertical, Rect::FromSize(100, 10, 30, 367));
    EXPECT_EQ(bar->Width(), 16);
    EXPECT_EQ(bar->DecrementButton().BoundsRect(), Rect::FromSize(0, 0, 16, 22));
    EXPECT_EQ(bar->Track().BoundsRect(), Rect::FromSize(0, 22, 16, 322));
    EXPECT_EQ(bar->IncrementButton().BoundsRect(), Rect::FromSize(0, 345, 16, 22));

    auto* h = Make(O::suiHorizontal, Rect::FromSize(10, 10, 185, 40));
    EXPECT_EQ(h->Height(), 16);
    EXPECT_EQ(h->Track().BoundsRect(), Rect::FromSize(22, 0, 141, 16));
    EXPECT_EQ(h->IncrementButton().BoundsRect(), Rect::FromSize(163, 0, 22, 16));

    // Turning it lays it out again.
    h->SetOrientation(O::suiVertical);
    h->SetHeight(100);
    EXPECT_EQ(h->Width(), 16);
    EXPECT_EQ(h->Track().BoundsRect(), Rect::FromSize(0, 22, 16, 55));

    // No height: the bar hides itself.
    h->SetHeight(0);
    EXPECT_FALSE(h->Visible());
}

TEST_F(ScrollBarTest, TheSliderIsLineButtonLongOrAPercentOfTheTrack)
{
    bar = Make(O::suiVertical, Rect::FromSize(100, 10, 16, 367));
    EXPECT_EQ(SliderLength(), 32); // PageSize 2: 10 % of 322
    bar->SetPageSize(50);
    EXPECT_EQ(SliderLength(), 161);
    EXPECT_EQ(bar->LargeChange(), 50);
    bar->SetLargeChange(30); // the same value, the slider as it was
    EXPECT_EQ(bar->PageSize(), 30);
    EXPECT_EQ(SliderLength(), 161);
    bar->SetMax(200);
    bar->SetPageSize(150);
    EXPECT_EQ(SliderLength(), 32);

    bar->SetLineButton(5);
    EXPECT_EQ(bar->LineButton(), 18);
    EXPECT_EQ(SliderLength(), 18);
    bar->SetLineButton(400); // longer than the track: ignored
    EXPECT_EQ(bar->LineButton(), 18);
    bar->SetLineButton(293);
    EXPECT_EQ(SliderLength(), 293);
    bar->SetLineButton(0);
    EXPECT_EQ(SliderLength(), 32);
}

TEST_F(ScrollBarTest, ValuesAreTheTracksAndHandlersSeeTheTrack)
{
    bar = Make(O::suiVertical, Rect::FromSize(100, 10, 16, 200));
    bar->SetMax(10);
    bar->SetPosition(4);
    bar->SetMin(6);
    EXPECT_EQ(bar->Track().Max(), 10);
    EXPECT_EQ(bar->Position(), 6);
    EXPECT_EQ(bar->LastChange(), 2);
    ASSERT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[0], &bar->Track());
}

TEST_F(ScrollBarTest, ArrowsStepByClickAndRepeatWhileHeld)
{
    bar = Make(O::suiVertical, Rect::FromSize(100, 10, 16, 200));
    bar->SetMax(100);
    bar->SetSmallChange(5);
    bar->SetPosition(50);
    Show();
    // A quick click moves one step.
    Press(bar->IncrementButton(), { 8, 10 });
    Wait(50);
    Release();
    EXPECT_EQ(bar->Position(), 55);
    // Held: a step 100 ms after the press and every 100 ms, nothing more on release.
    Press(bar->DecrementButton(), { 8, 10 });
    Wait(50);
    EXPECT_EQ(bar->Position(), 55);
    Wait(60);
    EXPECT_EQ(bar->Position(), 50);
    Wait(200);
    EXPECT_EQ(bar->Position(), 40);
    Release();
    EXPECT_EQ(bar->Position(), 40);
    // Stops at the ends.
    bar->SetPosition(2);
    Press(bar->DecrementButton(), { 8, 10 });
    Release();
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBarTest, TheTrackPagesAndTheWheelStepsOverAnyPartOfTheBar)
{
    bar = Make(O::suiVertical, Rect::FromSize(100, 10, 16, 200));
    bar->SetMax(100);
    bar->SetPageSize(10);
    bar->SetSmallChange(3);
    Show();
    Press(bar->Track(), { 8, bar->Track().Height() - 2 });
    Release();
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_FALSE(bar->Track().Focused()); // the track never takes the focus

    // The wheel reaches the window with the focus, which hands it on to
    // its parent when it has no use for it: every part of the bar does.
    for (TWinControl* part : { static_cast<TWinControl*>(bar), static_cast<TWinControl*>(&bar->Track()),
             static_cast<TWinControl*>(&Slider()), static_cast<TWinControl*>(&bar->IncrementButton()) })
        ws().SendMessage(part->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<uint16_t>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(bar->Position(), 22);
    ws().SendMessage(bar->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 10), 0);
    EXPECT_EQ(bar->Position(), 0);
}

TEST_F(ScrollBarTest, DraggingTheSliderMovesTheBar)
{
    bar = Make(O::suiHorizontal, Rect::FromSize(10, 100, 300, 16));
    bar->SetMax(10);
    Show();
    int travel = bar->Track().Width() - SliderLength();
    Press(Slider(), { 2, 4 });
    MoveTo(bar->Track(), { travel + SliderLength() / 2, 4 });
    Release();
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(Slider().Left(), travel);
}

TEST_F(ScrollBarTest, ShowingHidingAndColourReachTheParts)
{
    bar = Make(O::suiVertical, Rect::FromSize(100, 10, 16, 200));
    EXPECT_EQ(bar->Color(), 0xC9C9C9);
    bar->SetColor(clRed);
    EXPECT_EQ(bar->Track().Color(), clRed);
    bar->SetVisible(false);
    EXPECT_FALSE(bar->Track().Visible());
    EXPECT_FALSE(bar->IncrementButton().Visible());
    bar->SetVisible(true);
    EXPECT_TRUE(bar->DecrementButton().Visible());
    bar->SetSliderVisible(false);
    EXPECT_FALSE(Slider().Visible());
}

// The arrows and the slider show the style's pictures; the track its colour.
TEST_F(ScrollBarTest, PaintsTheStylesArrowsSliderAndTrack)
{
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        for (O orientation : { O::suiVertical, O::suiHorizontal }) {
            SCOPED_TRACE(testing::Message() << static_cast<int>(style) << " " << static_cast<int>(orientation));
            bool vertical = orientation == O::suiVertical;
            bar = Make(
                orientation, vertical ? Rect::FromSize(100, 10, 16, 250) : Rect::FromSize(10, 100, 250, 16), style);
            bar->SetMax(10);
            bar->SetPosition(10);
            Show();
            ScrollBarLook look = ResolveScrollBarLook(ThemeSource(nullptr, style), vertical);
            Bitmap shot = Shot(*bar);
            Rect dec = bar->DecrementButton().BoundsRect();
            Rect inc = bar->IncrementButton().BoundsRect();
            EXPECT_EQ(shot.Crop(dec), look.arrows[0]);
            EXPECT_EQ(shot.Crop(inc), look.arrows[3]);
            // The slider at the far end: its start cap, then the end cap at the end.
            Rect track = bar->Track().BoundsRect();
            Rect slider = Slider().BoundsRect().Offset(track.left, track.top);
            Bitmap slider_shot = shot.Crop(slider);
            EXPECT_EQ(slider_shot.Crop(Rect::FromSize(0, 0, look.slider_start.Width(), look.slider_start.Height())),
                look.slider_start);
            Size end = { look.slider_end.Width(), look.slider_end.Height() };
            EXPECT_EQ(slider_shot.Crop(
                          Rect::FromSize(slider_shot.Width() - end.cx, slider_shot.Height() - end.cy, end.cx, end.cy)),
                look.slider_end);
            EXPECT_EQ(shot.GetPixel(track.left + 2, track.top + 2), look.track_color);
            delete bar;
        }
    }
}

TEST_F(ScrollBarTest, AFileThemeExportedFromMacOSLooksLikeMacOS)
{
    bar = Make(O::suiVertical, Rect::FromSize(100, 10, 16, 250));
    bar->SetMax(10);
    bar->SetPosition(3);
    Show();
    Bitmap built_in = Shot(*bar);
    bar->SetFileTheme(ExportedTheme(TsuiUIStyle::MacOS));
    bar->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(Shot(*bar), built_in);
    delete bar->FileTheme();
    EXPECT_EQ(bar->UIStyle(), TsuiUIStyle::DeepBlue);
}

TEST_F(ScrollBarTest, DescriptionsNameTheBarsWithTheirStoredValues)
{
    RegisterSkinScrollClasses();
    ReadDescription(R"(
object Form1: TForm
  object suiScrollBar1: TsuiScrollBar
    Left = 615
    Top = 43
    Width = 16
    Height = 367
    LineButton = 293
    Orientation = suiVertical
    UIStyle = MacOS
    Max = 3
    Min = 0
    Position = 0
    SmallChange = 5
    LargeChange = 2
    PageSize = 2
    Color = 13224393
  end
  object Volume: TsuiTrackBar
    Left = 8
    Top = 8
    Width = 120
    Orientation = suiHorizontal
    UIStyle = WinXP
    Max = 40
    Position = 12
    Frequency = 10
    ShowTick = False
  end
end)",
        *form);
    auto* scroll = dynamic_cast<TsuiScrollBar*>(form->FindComponent("suiScrollBar1"));
    auto* volume = dynamic_cast<TsuiTrackBar*>(form->FindComponent("Volume"));
    ASSERT_TRUE(scroll && volume);
    EXPECT_EQ(scroll->BoundsRect(), Rect::FromSize(615, 43, 16, 367));
    EXPECT_TRUE(scroll->Vertical());
    EXPECT_EQ(scroll->LineButton(), 293);
    EXPECT_EQ(scroll->Max(), 3);
    EXPECT_EQ(scroll->SmallChange(), 5);
    EXPECT_EQ(scroll->Color(), 13224393);
    EXPECT_EQ(volume->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(volume->Position(), 12);
    EXPECT_EQ(volume->Frequency(), 10);
    EXPECT_FALSE(volume->ShowTick());
}

}
}
