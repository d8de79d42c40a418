#include "player/mpv/player_face.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using State = PlayerStatus::State;

constexpr int kWidth = 463;
constexpr int kHeight = 343;

int CountOther(const Bitmap& bitmap, const Rect& rect, TColor color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += bitmap.GetPixel(x, y) != color;
    return count;
}

bool HasWarmPixel(const Bitmap& bitmap, const Rect& rect)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x) {
            TColor c = bitmap.GetPixel(x, y);
            if (RedOf(c) > 180 && BlueOf(c) < 120)
                return true;
        }
    return false;
}

class PlayerFaceTest : public testing::Test {
protected:
    Bitmap Paint(const PlayerFace::View& view, bool with_bar = true)
    {
        Bitmap bitmap(kWidth, kHeight, Rgb(1, 2, 3));
        Canvas canvas(bitmap);
        PlayerFace::Paint(canvas, MiniBar(kWidth, kHeight, with_bar), view);
        return bitmap;
    }

    static PlayerFace::View ViewOf(State state, std::string error = "")
    {
        PlayerFace::View view;
        view.status.state = state;
        view.status.error = std::move(error);
        return view;
    }

    MiniBar layout { kWidth, kHeight };
};

TEST_F(PlayerFaceTest, PlayButtonShowsPauseWhileAStreamRuns)
{
    struct Case {
        State state;
        bool pause_glyph;
    };
    const Case cases[] = {
        { State::Idle, false },
        { State::Connecting, true },
        { State::Buffering, true },
        { State::Playing, true },
        { State::Paused, false },
        { State::Stopped, false },
        { State::Reconnecting, true },
        { State::Error, false },
    };
    Rect play = layout.PlayPause();
    int mid_x = play.left + play.Width() / 2;
    int mid_y = play.top + play.Height() / 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.state));
        Bitmap face = Paint(ViewOf(c.state));
        // The triangle covers the middle; the pause bars leave a gap there.
        EXPECT_EQ(c.pause_glyph ? PlayerFace::kBarColor : PlayerFace::kGlyphColor, face.GetPixel(mid_x, mid_y));
        EXPECT_EQ(PlayerFace::kGlyphColor, face.GetPixel(mid_x - 3, mid_y));
        // Stop is a square in the middle of its button.
        Rect stop = layout.Stop();
        EXPECT_EQ(PlayerFace::kGlyphColor, face.GetPixel(stop.left + stop.Width() / 2, stop.top + stop.Height() / 2));
        EXPECT_EQ(PlayerFace::kBarColor, face.GetPixel(stop.left + 1, stop.top + 1));
    }
}

TEST_F(PlayerFaceTest, VolumeSliderAndMute)
{
    struct Case {
        int volume;
        bool muted;
        double probe; // fraction along the slider
        TColor expected;
    };
    const Case cases[] = {
        { 50, false, 0.25, PlayerFace::kLevelColor },
        { 50, false, 0.75, PlayerFace::kSliderColor },
        { 100, false, 0.99, PlayerFace::kLevelColor },
        { 0, false, 0.01, PlayerFace::kSliderColor },
        // Muted: the level is kept but greyed.
        { 80, true, 0.25, PlayerFace::kGlyphColor },
    };
    Rect volume = layout.Volume();
    int y = volume.top + volume.Height() / 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.volume << " " << c.muted << " " << c.probe);
        PlayerFace::View view = ViewOf(State::Playing);
        view.volume = c.volume;
        view.muted = c.muted;
        Bitmap face = Paint(view);
        EXPECT_EQ(c.expected, face.GetPixel(volume.left + static_cast<int>(c.probe * volume.Width()), y));
    }

    PlayerFace::View loud = ViewOf(State::Playing);
    PlayerFace::View muted = loud;
    muted.muted = true;
    EXPECT_FALSE(HasWarmPixel(Paint(loud), layout.Mute()));
    EXPECT_TRUE(HasWarmPixel(Paint(muted), layout.Mute()));
}

TEST_F(PlayerFaceTest, StatusTextIsWrittenInTheBar)
{
    PlayerFace::View playing = ViewOf(State::Playing);
    playing.status.elapsed_seconds = 5;
    Bitmap a = Paint(playing);
    playing.status.elapsed_seconds = 3600 + 7;
    Bitmap b = Paint(playing);
    Rect status = layout.Status();
    EXPECT_GT(CountOther(a, status, PlayerFace::kBarColor), 20);
    EXPECT_GT(CountOther(b, status, PlayerFace::kBarColor), 20);
    EXPECT_FALSE(a == b) << "the clock must show in the bar";
    // Text stays inside its rectangle: the margin before the record button is untouched.
    Rect margin { status.right, status.top, layout.Record().left, kHeight };
    EXPECT_EQ(0, CountOther(a, margin, PlayerFace::kBarColor));

    Bitmap error = Paint(ViewOf(State::Error, std::string(300, 'W') + " Connection refused"));
    EXPECT_TRUE(HasWarmPixel(error, status));
    EXPECT_EQ(0, CountOther(error, margin, PlayerFace::kBarColor));
}

TEST_F(PlayerFaceTest, RecordButtonLightsWhileRecording)
{
    auto red_pixels = [](const Bitmap& b, Rect r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += (b.GetPixel(x, y) & 0xFFFFFF) == (PlayerFace::kRecordColor & 0xFFFFFF);
        return n;
    };
    PlayerFace::View idle = ViewOf(State::Playing);
    PlayerFace::View recording = idle;
    recording.recording = true;
    recording.recording_text = "REC 00:00:05";
    Bitmap a = Paint(idle);
    Bitmap b = Paint(recording);
    EXPECT_GT(CountOther(a, layout.Record(), PlayerFace::kBarColor), 20) << "the button is drawn either way";
    EXPECT_EQ(0, red_pixels(a, layout.Record()));
    EXPECT_GT(red_pixels(b, layout.Record()), 20);
    EXPECT_FALSE(a == b);
}

TEST_F(PlayerFaceTest, PictureOrStationDisplay)
{
    Bitmap picture(layout.Video().Width(), layout.Video().Height(), Rgb(10, 200, 30));
    Bitmap empty;
    struct Case {
        const char* name;
        State state;
        bool audio_only;
        const Bitmap* picture;
        bool expect_picture;
        bool expect_text;
    };
    const Case cases[] = {
        { "video", State::Playing, false, &picture, true, false },
        { "radio", State::Playing, true, &picture, false, true },
        { "radio without frame", State::Playing, true, nullptr, false, true },
        { "connecting", State::Connecting, false, nullptr, false, true },
        { "failed", State::Error, false, nullptr, false, true },
        { "empty picture", State::Buffering, false, &empty, false, true },
        { "nothing loaded", State::Idle, false, nullptr, false, false },
    };
    Rect video = layout.Video();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerFace::View view = ViewOf(c.state, "Loading failed");
        view.status.audio_only = c.audio_only;
        view.picture = c.picture;
        Bitmap face = Paint(view);
        if (c.expect_picture) {
            EXPECT_EQ(0, CountOther(face, video, Rgb(10, 200, 30)));
            continue;
        }
        int lit = CountOther(face, video, PlayerFace::kBackground);
        if (c.expect_text)
            EXPECT_GT(lit, 20);
        else
            EXPECT_EQ(0, lit);
        // The station display is centred, away from the edges.
        EXPECT_EQ(0, CountOther(face, { 0, 0, kWidth, 10 }, PlayerFace::kBackground));
    }
}

TEST_F(PlayerFaceTest, ImageWindowIsPictureOnBlack)
{
    PlayerFace::View view = ViewOf(State::Playing);
    Bitmap picture(kWidth, kHeight, Rgb(200, 20, 20));
    view.picture = &picture;
    Bitmap face = Paint(view, false);
    EXPECT_EQ(0, CountOther(face, { 0, 0, kWidth, kHeight }, Rgb(200, 20, 20)));

    view.picture = nullptr;
    Bitmap stopped = Paint(ViewOf(State::Stopped), false);
    EXPECT_EQ(0, CountOther(stopped, { 0, kHeight - 24, kWidth, kHeight }, PlayerFace::kBackground));
}

}
}
