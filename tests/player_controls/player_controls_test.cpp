#include "player/media_player_adapter.h"
#include "player/player_host.h"
#include "player/real_player_adapter.h"
#include "player/register_player_controls.h"

#include "platform/components/controls/form.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/text/gbk.h"
#include "tests/player_controls/player_fixture.h"
#include "tests/support/loopback.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

using namespace std::chrono_literals;
using State = PlayerStatus::State;

// The two players as the main window describes them, on top of each other.
constexpr const char* kDescription = R"(
object Form1: TForm
  Left = 20
  Top = 10
  BorderStyle = bsDialog
  Caption = 'Pellamo'
  ClientWidth = 640
  ClientHeight = 480
  object WindowsMediaPlayer1: TWindowsMediaPlayer
    Left = 4
    Top = 66
    Width = 463
    Height = 343
    TabOrder = 13
  end
  object RealAudio1: TRealAudio
    Left = 3
    Top = 65
    Width = 463
    Height = 343
    TabOrder = 14
    Visible = False
    Controls = 'imagewindow'
    Console = 'one'
    NoLabels = True
  end
end)";

class PlayerControlsTest : public PlayerFixture {
protected:
    void SetUp() override
    {
        RegisterPlayerControls();
        form.reset(new TForm(nullptr));
        ReadDescription(kDescription, *form);
        media = dynamic_cast<TWindowsMediaPlayer*>(form->FindComponent("WindowsMediaPlayer1"));
        real = dynamic_cast<TRealAudio*>(form->FindComponent("RealAudio1"));
        ASSERT_TRUE(media && real);
        // As the main window does when it is created.
        media->SetBounds(3, 65, 463, 343);
        form->Show();
        Pump();
    }

    // The control's video area as the screen shows it.
    Bitmap Shot(TPlayerControl& control)
    {
        Pump();
        Bitmap screen_shot = screen.Screenshot();
        Rect video = control.View().Layout().Video();
        Point origin = control.ClientToScreen({ video.left, video.top });
        Bitmap out(video.Width(), video.Height());
        for (int y = 0; y < video.Height(); ++y)
            for (int x = 0; x < video.Width(); ++x)
                out.SetPixel(x, y, screen_shot.GetPixel(origin.x + x, origin.y + y));
        return out;
    }
    static Rect Whole(const Bitmap& b) { return { 0, 0, b.Width(), b.Height() }; }

    std::string Refused() { return "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/live"; }

    ComponentPtr<TForm> form;
    TWindowsMediaPlayer* media = nullptr;
    TRealAudio* real = nullptr;
};

TEST_F(PlayerControlsTest, DescriptionMakesBothPlayersIdleInOneRectangle)
{
    EXPECT_EQ(media->BoundsRect(), real->BoundsRect());
    EXPECT_TRUE(media->Visible());
    EXPECT_FALSE(real->Visible());
    EXPECT_FALSE(real->View().Shown()) << "a hidden player draws nothing";
    EXPECT_EQ("imagewindow", GetStrProp(*real, "Controls"));
    EXPECT_EQ("one", GetStrProp(*real, "Console"));
    EXPECT_EQ("", GetStrProp(*media, "URL"));
    // No engine is started on the way to the first paint.
    EXPECT_EQ(nullptr, media->View().Engine());
    EXPECT_EQ(nullptr, real->View().Engine());
    // The media player has its bar; the Real player is picture only.
    EXPECT_LT(media->View().Layout().Video().Height(), media->ClientHeight());
    EXPECT_EQ(real->View().Layout().Video().Height(), real->ClientHeight());
}

TEST_F(PlayerControlsTest, PlaysVideoIntoTheControlAndStopsOnTheEmptyURL)
{
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));
    Bitmap idle = Shot(*media);

    SetStrProp(*media, "URL", server.Url());
    EXPECT_EQ(U16(server.Url()), media->URL());
    ASSERT_TRUE(WaitFor([&] { return media->View().Engine() && media->View().Engine()->FramesRendered() > 0; }))
        << media->View().Status().Text();
    EXPECT_TRUE(WaitFor([&] { return Colours(Shot(*media), Whole(idle)) > 50; })) << "the test picture on screen";
    ASSERT_TRUE(WaitFor([&] { return media->View().Status().elapsed_seconds > 1.0; }));
    EXPECT_EQ(State::Playing, media->View().Status().state);

    media->SetURL(u"");
    EXPECT_EQ("", GetStrProp(*media, "URL"));
    EXPECT_TRUE(WaitFor([&] { return server.ClosedByClient() == 1 && server.Open() == 0; }, 5s));
    EXPECT_LT(Colours(Shot(*media), Whole(idle)), 20u) << "the picture is gone";
}

TEST_F(PlayerControlsTest, RadioShowsTheStationDisplay)
{
    std::string body = Media("audio.ts");
    StreamServer server(body, Live(body));
    MediaPlayerAdapter media_host(*media);
    RealPlayerAdapter real_host(*real);
    PlayerHost player_host(media_host, real_host);
    player_host.PlayReal(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return real->View().Status().elapsed_seconds > 0.5; })) << real->View().Status().Text();
    EXPECT_TRUE(real->View().Status().audio_only);
    // Black with the status text on it, not a black hole.
    Bitmap shot = Shot(*real);
    EXPECT_FALSE(AllBlack(shot, Whole(shot)));
}

// What a scraped page or a bad catalogue row can hand over: the control
// shows why it plays nothing, and the program goes on.
TEST_F(PlayerControlsTest, FailuresShowInTheControlOnly)
{
    struct Case {
        const char* name;
        std::string address;
        std::string error_part;
    };
    const Case cases[] = {
        { "unreachable", Refused(), "the server refused the connection" },
        { "local file", "file:///etc/passwd", "not a network stream" },
        { "bare text", "mms", "not a network stream" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap idle = Shot(*media);
        ASSERT_NO_THROW(media->SetURL(Utf8ToUtf16(c.address)));
        ASSERT_TRUE(WaitFor([&] { return media->View().Status().state == State::Error; }));
        EXPECT_NE(std::string::npos, media->View().Status().Text().find(c.error_part)) << media->View().Status().Text();
        Bitmap shot = Shot(*media);
        bool changed = false;
        for (int y = 0; y < shot.Height() && !changed; ++y)
            for (int x = 0; x < shot.Width() && !changed; ++x)
                changed = shot.GetPixel(x, y) != idle.GetPixel(x, y);
        EXPECT_TRUE(changed) << "the error is drawn";
        EXPECT_EQ(0u, media->View().Engine()->FramesRendered());
    }
    EXPECT_TRUE(boxes.empty());
    // And the control still plays.
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));
    media->SetURL(U16(server.Url()));
    EXPECT_TRUE(WaitFor([&] { return media->View().Status().state == State::Playing; }))
        << media->View().Status().Text();
}

// Tuning hands every command to the host; whichever played before, exactly
// one control is shown and the other has let go of its stream.
TEST_F(PlayerControlsTest, PlayerHostLeavesOneControlShownAndTheOtherSilent)
{
    std::string video = Media("av.ts");
    std::string audio = Media("audio.ts");
    StreamServer stream(video, Live(video));
    StreamServer radio(audio, Live(audio));
    MediaPlayerAdapter media_host(*media);
    RealPlayerAdapter real_host(*real);
    PlayerHost host(media_host, real_host);

    auto shown = [&](TPlayerControl& control) { return control.Visible() && ws.IsWindowVisible(control.Handle()); };
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        host.PlayStream(stream.Url());
        EXPECT_TRUE(shown(*media));
        EXPECT_FALSE(shown(*real));
        ASSERT_TRUE(WaitFor([&] { return media->View().Status().state == State::Playing && radio.Open() == 0; }))
            << media->View().Status().Text();
        EXPECT_TRUE(real->Source().empty());
        if (round == 0) {
            EXPECT_EQ(nullptr, real->View().Engine()) << "silencing a player that never played starts nothing";
        }

        host.PlayReal(U16(radio.Url()));
        EXPECT_FALSE(shown(*media));
        EXPECT_TRUE(shown(*real));
        ASSERT_TRUE(WaitFor([&] { return real->View().Status().state == State::Playing && stream.Open() == 0; }))
            << real->View().Status().Text();
        EXPECT_TRUE(media->URL().empty());
        EXPECT_EQ(State::Idle, media->View().Status().state);
        EXPECT_EQ(nullptr, media->View().Engine()) << "the silent player holds no engine";
    }
}

// Catalogue addresses are GBK; the engine gets them as UTF-8.
TEST_F(PlayerControlsTest, CatalogueAddressReachesTheEngineAsUtf8)
{
    std::string host_port = "127.0.0.1:" + std::to_string(UnusedPort());
    std::string gbk = "rtspt://" + host_port + "/" + Utf8ToGbk("\xe7\x94\xb5\xe8\xa7\x86");
    MediaPlayerAdapter media_host(*media);
    RealPlayerAdapter real_host(*real);
    PlayerHost(media_host, real_host).PlayStream(gbk);
    EXPECT_EQ(GbkToUtf16(gbk), media->URL());
    ASSERT_TRUE(WaitFor([&] { return media->View().Engine() != nullptr; }));
    EXPECT_EQ("rtsp://" + host_port + "/\xe7\x94\xb5\xe8\xa7\x86", media->View().Engine()->EngineUrl());
    EXPECT_EQ("rtspt://" + host_port + "/\xe7\x94\xb5\xe8\xa7\x86", GetStrProp(*media, "URL"));
}

TEST_F(PlayerControlsTest, DoubleClickOrFGoesFullScreenAndLeavesTheFormAlone)
{
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));
    media->SetURL(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return media->View().Engine() && media->View().Engine()->HasPicture(); }))
        << media->View().Status().Text();
    Rect form_rect = ws.GetWindowRect(form->Handle());
    Rect control_rect = ws.GetWindowRect(media->Handle());
    Point picture = media->ClientToScreen({ 200, 150 });

    screen.Click(picture);
    screen.Click(picture);
    ASSERT_TRUE(WaitFor([&] { return media->View().FullScreen(); }, 2s));
    Pump();
    Bitmap shot = screen.Screenshot();
    EXPECT_GT(Colours(shot, { 100, 100, 900, 700 }), 50u);
    screen.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !media->View().FullScreen(); }, 2s));

    // The click gave the control the focus, so F works too.
    screen.PressKey('F');
    ASSERT_TRUE(WaitFor([&] { return media->View().FullScreen(); }, 2s));
    screen.PressKey('F');
    ASSERT_TRUE(WaitFor([&] { return !media->View().FullScreen(); }, 2s));

    EXPECT_EQ(form_rect, ws.GetWindowRect(form->Handle()));
    EXPECT_EQ(control_rect, ws.GetWindowRect(media->Handle()));
    EXPECT_EQ(State::Playing, media->View().Status().state);
}

// The main window goes while a stream plays, even in full screen.
TEST_F(PlayerControlsTest, ClosingTheFormReleasesTheStream)
{
    std::string body = Media("av.ts");
    StreamServer server(body, Live(body));
    media->SetURL(U16(server.Url()));
    ASSERT_TRUE(WaitFor([&] { return media->View().Engine() && media->View().Engine()->HasPicture(); }))
        << media->View().Status().Text();
    media->View().ToggleFullScreen(ws);
    ASSERT_TRUE(media->View().FullScreen());
    form.reset();
    Pump();
    EXPECT_TRUE(ws.TopLevelWindows().empty());
    EXPECT_TRUE(WaitFor([&] { return server.Open() == 0; }, 5s));
}

}
}
