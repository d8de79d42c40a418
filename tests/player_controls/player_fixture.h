#pragma once

#include "platform/gfx/bitmap.h"
#include "tests/player_mpv/stream_server.h"
#include "tests/support/headless_app.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace pellamo::test {

// The headless application, and short media made with ffmpeg once per
// suite: video with sound, and sound alone (a radio station).
class PlayerFixture : public HeadlessAppFixture {
protected:
    static constexpr int kSeconds = 20;

    static void SetUpTestSuite();
    static void TearDownTestSuite();

    static std::string Media(const std::string& name);
    // Paced a little faster than it plays, like a live stream.
    static StreamServer::Options Live(const std::string& body);

    bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void Idle(std::chrono::milliseconds time);

    static bool AllBlack(const Bitmap& bitmap, const Rect& area);
    // Distinct colours in an area: a test picture has many, a face has few.
    static size_t Colours(const Bitmap& bitmap, const Rect& area);

    static inline std::filesystem::path s_dir;
    WindowSystem& ws = app.Windows();
};

std::u16string U16(const std::string& ascii);

}
