#include "player/mpv/mini_bar.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using Action = MiniBar::Action;

TEST(MiniBarTest, PlayerRectangleSplitsIntoPictureAndBar)
{
    MiniBar bar(463, 343);
    EXPECT_EQ((Rect { 0, 0, 463, 319 }), bar.Video());
    EXPECT_EQ((Rect { 0, 319, 463, 343 }), bar.Bar());

    // Items sit left to right in the bar without overlapping.
    const Rect items[] = { bar.PlayPause(), bar.Stop(), bar.Mute(), bar.Volume(), bar.Status(), bar.Record() };
    for (size_t i = 0; i < std::size(items); ++i) {
        EXPECT_FALSE(items[i].IsEmpty()) << i;
        EXPECT_EQ(bar.Bar(), bar.Bar().Union(items[i])) << i;
        if (i > 0) {
            EXPECT_LE(items[i - 1].right, items[i].left) << i;
        }
    }
    EXPECT_EQ(435, bar.Status().right);
    EXPECT_EQ((Rect { 439, 319, 463, 343 }), bar.Record());
}

TEST(MiniBarTest, ClicksMapToActions)
{
    MiniBar bar(463, 343);
    Rect volume = bar.Volume();
    struct Case {
        Point at;
        MiniBar::Hit hit;
    };
    const Case cases[] = {
        { { 0, 0 }, { Action::Video, 0 } },
        { { 462, 318 }, { Action::Video, 0 } },
        { { 0, 319 }, { Action::PlayPause, 0 } },
        { { 23, 342 }, { Action::PlayPause, 0 } },
        { { 24, 330 }, { Action::Stop, 0 } },
        { { 48, 330 }, { Action::Mute, 0 } },
        { { 73, 330 }, { Action::None, 0 } }, // the gap before the slider
        { { volume.left, 330 }, { Action::Volume, 0 } },
        { { volume.right - 1, 330 }, { Action::Volume, 100 } },
        { { (volume.left + volume.right - 1) / 2, 330 }, { Action::Volume, 49 } },
        { { 300, 330 }, { Action::None, 0 } }, // status text
        { { 439, 330 }, { Action::Record, 0 } },
        { { 462, 342 }, { Action::Record, 0 } },
        // Outside the control.
        { { -1, 330 }, { Action::None, 0 } },
        { { 463, 330 }, { Action::None, 0 } },
        { { 10, 343 }, { Action::None, 0 } },
        { { 10, -1 }, { Action::None, 0 } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x << "," << c.at.y);
        EXPECT_EQ(c.hit, bar.HitTest(c.at));
    }
}

TEST(MiniBarTest, VolumeLevelFillsTheSliderProportionally)
{
    MiniBar bar(463, 343);
    Rect volume = bar.Volume();
    EXPECT_TRUE(bar.VolumeLevel(0).IsEmpty());
    EXPECT_TRUE(bar.VolumeLevel(-20).IsEmpty());
    EXPECT_EQ(volume, bar.VolumeLevel(100));
    EXPECT_EQ(volume, bar.VolumeLevel(300));
    EXPECT_EQ(volume.left + volume.Width() / 2, bar.VolumeLevel(50).right);
}

TEST(MiniBarTest, SmallAndDegenerateSizesStayInside)
{
    const Size sizes[] = { { 0, 0 }, { 10, 10 }, { 50, 30 }, { 100, 24 }, { 463, 20 }, { -5, -5 } };
    for (Size s : sizes) {
        SCOPED_TRACE(testing::Message() << s.cx << "x" << s.cy);
        MiniBar bar(s.cx, s.cy);
        Rect whole { 0, 0, std::max(s.cx, 0), std::max(s.cy, 0) };
        for (Rect r : { bar.Video(), bar.Bar(), bar.PlayPause(), bar.Stop(), bar.Mute(), bar.Volume(), bar.Status(),
                 bar.Record() }) {
            EXPECT_GE(r.Width(), 0);
            EXPECT_GE(r.Height(), 0);
            if (!r.IsEmpty()) {
                EXPECT_EQ(r, r.Intersect(whole));
            }
        }
        for (int x = -1; x <= s.cx; ++x)
            EXPECT_GE(bar.HitTest({ x, s.cy - 1 }).volume, 0);
    }
}

TEST(MiniBarTest, ImageWindowIsPictureOnly)
{
    MiniBar bar(463, 343, false);
    EXPECT_EQ((Rect { 0, 0, 463, 343 }), bar.Video());
    EXPECT_TRUE(bar.Bar().IsEmpty());
    EXPECT_EQ(Action::Video, bar.HitTest({ 10, 340 }).action);
}

}
}
