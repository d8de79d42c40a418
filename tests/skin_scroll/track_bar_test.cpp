#include "skin/draw/key_color.h"
#include "skin/scroll/scroll_bar_look.h"
#include "skin/scroll/scroll_track_bar.h"
#include "skin/scroll/track_bar.h"
#include "skin/theme/theme_source.h"
#include "tests/skin/skin_fixture.h"

#include <utility>
#include <vector>

namespace pellamo::test {
namespace {

using O = TsuiProgressBarOrientation;

class TrackBarTest : public SkinFixture {
protected:
    TsuiTrackBar* track = nullptr;
    std::vector<std::pair<int32_t, int32_t>> changes; // (Position, LastChange) at each notice

    TsuiTrackBar* Make(O orientation, Rect bounds)
    {
        auto* t = Add<TsuiTrackBar>(bounds);
        t->SetUIStyle(TsuiUIStyle::MacOS);
        t->SetOrientation(orientation);
        t->SetBoundsRect(bounds);
        t->OnChange = [this, t](TObject* sender) {
            EXPECT_EQ(sender, t);
            changes.emplace_back(t->Position(), t->LastChange());
        };
        return t;
    }
    // The track's place of the slider's leading edge, from the slider itself.
    int SliderAt() const { return track->Vertical() ? SliderControl().Top() : SliderControl().Left(); }
    TControl& SliderControl() const { return *track->Controls(0); }
};

TEST_F(TrackBarTest, WritesKeepMinPositionMaxInOrderAndNotifyOnlyRealChanges)
{
    track = Make(O::suiHorizontal, Rect::FromSize(10, 10, 200, 30));
    Show();
    track->SetPosition(7);
    track->SetPosition(7); // the same value: no notice
    track->SetPosition(50); // clamped to Max 10
    track->SetMax(5); // pulls Position down with it
    track->SetMin(8); // above Max: lowered to Max
    track->SetMax(20);
    track->SetPosition(-4);
    EXPECT_EQ(changes, (std::vector<std::pair<int32_t, int32_t>> { { 7, 7 }, { 10, 3 }, { 5, -5 } }));
    EXPECT_EQ(track->Min(), 5);
    EXPECT_EQ(track->Position(), 5);

    // PageSize and LineSize outside [0, Max] are ignored.
    track->SetPageSize(21);
    track->SetLineSize(-1);
    EXPECT_EQ(track->PageSize(), 2);
    EXPECT_EQ(track->LineSize(), 1);
    track->SetPageSize(20);
    EXPECT_EQ(track->PageSize(), 20);
}

TEST_F(TrackBarTest, KeysMoveTheValueTheSameWayWhateverTheOrientation)
{
    for (O orientation : { O::suiHorizontal, O::suiVertical }) {
        SCOPED_TRACE(static_cast<int>(orientation));
        track = Make(orientation, Rect::FromSize(10, 10, 150, 150));
        track->SetMax(100);
        track->SetPosition(50);
        track->SetLineSize(3);
        track->SetPageSize(10);
        Show();
        track->SetFocus();
        Pump();
        struct Step {
            unsigned key;
            int32_t position;
        } steps[] = {
            { VK_UP, 47 },
            { VK_DOWN, 50 },
            { VK_LEFT, 47 },
            { VK_RIGHT, 50 },
            { VK_PRIOR, 40 },
            { VK_NEXT, 50 },
            { VK_END, 100 },
            { VK_NEXT, 100 },
            { VK_HOME, 0 },
            { VK_UP, 0 },
            { 'A', 0 },
        };
        for (const Step& s : steps) {
            Key(s.key);
            EXPECT_EQ(track->Position(), s.position) << "key " << s.key;
        }
        delete track;
    }
}

TEST_F(TrackBarTest, HoldingTheButtonOnTheBarPagesTowardThePointerAndStopsUnderIt)
{
    // Horizontal: one step at once, then three pages a tick. Vertical: one page a tick.
    struct Case {
        O orientation;
        std::vector<int32_t> positions; // after the press, then after each 100 ms
    } cases[] = {
        { O::suiHorizontal, { 48, 42, 36, 30, 24, 18, 12, 6, 4, 4 } },
        { O::suiVertical, { 48, 46, 44, 42, 40 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.orientation));
        bool vertical = c.orientation == O::suiVertical;
        track = Make(c.orientation, vertical ? Rect::FromSize(10, 10, 40, 200) : Rect::FromSize(10, 10, 200, 40));
        track->SetMax(100);
        track->SetPosition(50);
        Show();
        int slider = vertical ? SliderControl().Height() : SliderControl().Width();
        int travel = 200 - slider;
        // The pointer 4 values from Min: where the slider centre stands for 4.
        int along = 4 * travel / 100 + slider / 2;
        Press(*track, vertical ? Point { 2, along } : Point { along, 2 });
        std::vector<int32_t> seen { track->Position() };
        for (size_t i = 1; i < c.positions.size(); ++i) {
            Wait(100);
            seen.push_back(track->Position());
        }
        EXPECT_EQ(seen, c.positions);
        EXPECT_TRUE(track->Paging());
        Release();
        EXPECT_FALSE(track->Paging());
        int32_t after = track->Position();
        Wait(300);
        EXPECT_EQ(track->Position(), after);
        delete track;
    }
}

TEST_F(TrackBarTest, PagingStopsWhenThePointerLeavesTheBar)
{
    track = Make(O::suiVertical, Rect::FromSize(10, 10, 40, 200));
    track->SetMax(100);
    track->SetPosition(50);
    Show();
    Press(*track, { 2, 190 });
    EXPECT_EQ(track->Position(), 52);
    MoveTo(*track, { 60, 190 });
    Wait(300);
    EXPECT_EQ(track->Position(), 52);
    Release();
}

TEST_F(TrackBarTest, DraggingTheSliderFollowsThePointerWithANoticeForEachChange)
{
    track = Make(O::suiHorizontal, Rect::FromSize(10, 10, 200, 40));
    track->SetMax(100);
    Show();
    TControl& slider = SliderControl();
    int half = slider.Width() / 2;
    int travel = 200 - slider.Width();
    Press(slider, { half, 2 });
    EXPECT_TRUE(track->Dragging());
    EXPECT_TRUE(changes.empty());
    MoveTo(*track, { travel / 2 + half, 5 });
    EXPECT_EQ(track->Position(), 50);
    EXPECT_EQ(SliderAt(), travel / 2);
    MoveTo(*track, { 500, 300 }); // far beyond the bar: the track keeps the pointer
    EXPECT_EQ(track->Position(), 100);
    EXPECT_EQ(SliderAt(), travel);
    MoveTo(*track, { -50, 5 });
    EXPECT_EQ(track->Position(), 0);
    Release();
    EXPECT_FALSE(track->Dragging());
    MoveTo(*track, { travel / 2 + half, 5 });
    EXPECT_EQ(track->Position(), 0);
    EXPECT_EQ(changes, (std::vector<std::pair<int32_t, int32_t>> { { 50, 50 }, { 100, 50 }, { 0, -100 } }));
}

TEST_F(TrackBarTest, TheWheelMovesALineANotch)
{
    track = Make(O::suiVertical, Rect::FromSize(10, 10, 40, 200));
    track->SetPosition(5);
    track->SetLineSize(2);
    Show();
    MoveTo(*track, { 2, 100 });
    screen.Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(track->Position(), 7);
    screen.Wheel(WHEEL_DELTA * 3);
    Pump();
    EXPECT_EQ(track->Position(), 1);
}

// What the track shows: the bar picture across the middle, the slider
// where Position puts it, 3-pixel ticks at the bottom, and, in MacOS, the
// parent behind the rest.
TEST_F(TrackBarTest, PaintsTheStylesBarSliderAndTicks)
{
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        SCOPED_TRACE(static_cast<int>(style));
        track = Make(O::suiHorizontal, Rect::FromSize(10, 10, 200, 40));
        track->SetUIStyle(style);
        track->SetPosition(10);
        Show();
        ThemeSource theme(nullptr, style);
        Bitmap bar = theme.Picture(ThemeItem::TrackBarBarImage);
        Bitmap slider = theme.Picture(ThemeItem::TrackBarSliderImage);
        ASSERT_EQ(track->Height(), std::max(bar.Height(), slider.Height()));
        Bitmap shot = Shot(*track);
        int bar_top = (track->Height() - bar.Height()) / 2;
        // The left cap as it is (inside the focus rectangle round the edge).
        for (int y = 0; y < bar.Height(); ++y) {
            for (int x = 1; x < bar.Width() / 3; ++x) {
                if (bar.GetPixel(x, y) != kSkinKeyColor) {
                    EXPECT_EQ(shot.GetPixel(x, bar_top + y), bar.GetPixel(x, y)) << x << "," << y;
                }
            }
        }
        int travel = 200 - slider.Width();
        EXPECT_EQ(shot.GetPixel(travel + slider.Width() / 2, slider.Height() / 2),
            slider.GetPixel(slider.Width() / 2, slider.Height() / 2));
        // Ticks at each value, 3 pixels high.
        int tick5 = 5 * travel / 10 + slider.Width() / 2;
        int h = track->Height();
        for (int y = h - 3; y < h; ++y)
            EXPECT_EQ(shot.GetPixel(tick5, y), clBlack) << y;
        EXPECT_NE(shot.GetPixel(tick5 + 1, h - 1), clBlack);
        // Outside the bar: the parent (MacOS made the track transparent;
        // other styles leave that as it is), else the track's colour.
        EXPECT_TRUE(track->Transparent());
        track->SetColor(clRed);
        EXPECT_EQ(Shot(*track).GetPixel(100, 2), kFormColor);
        track->SetTransparent(false);
        EXPECT_EQ(Shot(*track).GetPixel(100, 2), clRed);
        delete track;
    }
}

TEST_F(TrackBarTest, AFileThemeExportedFromAStyleLooksTheSame)
{
    track = Make(O::suiVertical, Rect::FromSize(10, 10, 40, 200));
    track->SetPosition(3);
    Show();
    Bitmap built_in = Shot(*track);
    track->SetFileTheme(ExportedTheme(TsuiUIStyle::MacOS));
    track->SetUIStyle(TsuiUIStyle::FromThemeFile);
    EXPECT_EQ(Shot(*track), built_in);
    delete track->FileTheme();
    EXPECT_EQ(track->FileTheme(), nullptr);
    EXPECT_EQ(track->UIStyle(), TsuiUIStyle::DeepBlue);
}

// The track of a scroll bar has no pictures of its own: made alone, it
// keeps none of those its base class takes from the style at birth.
TEST_F(TrackBarTest, AScrollTrackTakesNoPictureFromTheStyle)
{
    for (TsuiUIStyle style : { TsuiUIStyle::MacOS, TsuiUIStyle::WinXP }) {
        auto* bare = Add<TsuiScrollTrackBar>(Rect::FromSize(0, 0, 200, 17));
        bare->SetUIStyle(style);
        EXPECT_TRUE(bare->SliderImage().Empty());
        EXPECT_TRUE(bare->BarImage().Empty());
        EXPECT_EQ(bare->Controls(0)->Width(), 0) << "no slider without a picture";
    }
}

}
}
