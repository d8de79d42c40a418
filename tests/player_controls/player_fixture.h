#pragma once

#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/gfx/bitmap.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"
#include "tests/player_mpv/stream_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pellamo::test {

// A headless screen with an application on it (message boxes recorded,
// never shown), and short media made with ffmpeg
// once per suite: video with sound, and sound alone (a radio station).
class PlayerFixture : public ::testing::Test {
protected:
    static constexpr int kSeconds = 20;

    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static std::string Media(const std::string& name);
    // Paced a little faster than it plays, like a live stream.
    static StreamServer::Options Live(const std::string& body);
    // A loopback port nothing listens on.
    static int RefusedPort();

    bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void Idle(std::chrono::milliseconds time);
    // Runs passes until nothing is left to do (painting included).
    void Pump();

    static bool AllBlack(const Bitmap& bitmap, const Rect& area);
    // Distinct colours in an area: a test picture has many, a face has few.
    static size_t Colours(const Bitmap& bitmap, const Rect& area);

    static inline std::filesystem::path s_dir;
    EventLoop loop;
    HeadlessBackend screen;
    TApplication app { screen, loop };
    WindowSystem& ws = app.Windows();
    // Message boxes the program tried to show.
    std::vector<std::string> boxes;

    PlayerFixture();
};

std::u16string U16(const std::string& ascii);

}
