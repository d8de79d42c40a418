// Time to the first picture a viewer sees, next to mpv's whole command-line
// process showing one frame of the same loopback stream (start-up, opening,
// decoding and exit: `mpv --no-config --frames=1 --vo=null`), runs
// interleaved:
//   - after a switch: the player control plays one stream and is given the
//     address of another; until the first picture of the new one is painted;
//   - the first channel after start: a fresh process whose viewer opens a
//     category (which starts loading the engine) and picks a channel a
//     moment later; from picking to the first picture. The same without the
//     category step (the engine loaded when the channel is picked) is shown
//     for comparison.
// Goals: a switch at most 0.3 of mpv's process, at the median and at the
// 90th percentile; the first channel at most 0.5.
//
// Usage: bench_player_first_frame [RUNS]
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "player/windows_media_player.h"
#include "tests/player_mpv/stream_server.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
constexpr int kDefaultRuns = 15;
constexpr int kSeconds = 20;
// How long after opening a category a quick viewer picks a channel.
constexpr auto kPickDelay = 600ms;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct Figures {
    std::vector<double> values;
    void Add(double v) { values.push_back(v); }
    double At(double fraction) const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        // Nearest rank.
        size_t rank = static_cast<size_t>(fraction * static_cast<double>(sorted.size()) + 0.999999);
        return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
    }
    double Median() const { return At(0.5); }
    double P90() const { return At(0.9); }
    std::string Text() const
    {
        if (values.empty())
            return "no result";
        char text[128];
        std::snprintf(text, sizeof text, "median %7.1f ms  p90 %7.1f ms  min %7.1f  max %7.1f  (%zu runs)", Median(),
            P90(), *std::min_element(values.begin(), values.end()), *std::max_element(values.begin(), values.end()),
            values.size());
        return text;
    }
};

std::u16string U16(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }

// A form holding the media player control, shown on a headless screen.
struct Stage {
    pellamo::EventLoop loop;
    pellamo::HeadlessBackend screen;
    pellamo::TApplication app { screen, loop };
    pellamo::ComponentPtr<pellamo::TForm> form { new pellamo::TForm(nullptr) };
    pellamo::TWindowsMediaPlayer* player = nullptr;

    Stage()
    {
        form->SetBounds(0, 0, 480, 420);
        player = new pellamo::TWindowsMediaPlayer(form.get());
        player->SetParent(form.get());
        player->SetBounds(3, 65, 463, 343);
        form->Show();
        while (loop.ProcessMessages()) { }
    }

    // From the address to the first picture of it painted in the control.
    std::optional<double> Play(const std::string& url)
    {
        uint64_t before = player->View().PicturesPainted();
        auto start = Clock::now();
        player->SetURL(U16(url));
        if (!loop.WaitUntil([&] { return player->View().PicturesPainted() > before; }, 15s))
            return std::nullopt;
        return Ms(Clock::now() - start);
    }
};

// mpv's whole process for one frame, start-up and exit included.
std::optional<double> MpvProcess(const std::string& url)
{
    std::string command = "mpv --no-config --frames=1 --vo=null --ao=null --really-quiet '" + url + "' >/dev/null 2>&1";
    auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    return Ms(Clock::now() - start);
}

// The child process of the first-channel figure: prints the milliseconds.
int FirstChannel(const std::string& url, bool category_first)
{
    Stage stage;
    if (category_first) {
        stage.player->View().WarmEngine();
        stage.loop.WaitUntil([] { return false; }, kPickDelay);
    }
    auto ms = stage.Play(url);
    if (!ms)
        return 1;
    std::printf("%.3f\n", *ms);
    return 0;
}

std::optional<double> FirstChannelProcess(const std::string& self, const std::string& url, bool category_first)
{
    std::string command = "'" + self + "' --first-channel '" + url + "' " + (category_first ? "category" : "cold");
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return std::nullopt;
    double ms = 0;
    bool read = std::fscanf(pipe, "%lf", &ms) == 1;
    if (pclose(pipe) != 0 || !read)
        return std::nullopt;
    return ms;
}

void Ratio(const char* what, double ours, double theirs, double goal)
{
    std::printf(
        "  %-40s %5.2f (goal: at most %.2f)%s\n", what, ours / theirs, goal, ours / theirs <= goal ? "" : "  NOT MET");
}

}

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--first-channel")
        return FirstChannel(argv[2], std::string(argv[3]) == "category");
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    std::string self = std::filesystem::canonical("/proc/self/exe").string();

    char pattern[] = "/tmp/pellamo_bench_player_XXXXXX";
    std::filesystem::path dir = mkdtemp(pattern);
    // Two channels told apart by their pictures.
    for (const char* source : { "testsrc", "testsrc2" }) {
        std::string make = std::string("ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i ") + source
            + "=size=320x240:rate=25 -f lavfi -i sine=frequency=440:sample_rate=44100 -t " + std::to_string(kSeconds)
            + " -c:v mpeg4 -q:v 6 -c:a mp2 -f mpegts '" + (dir / source).string() + ".ts'";
        if (std::system(make.c_str()) != 0) {
            std::fprintf(stderr, "ffmpeg could not make the test streams\n");
            return 1;
        }
    }
    std::string first = ReadFile(dir / "testsrc.ts");
    std::string second = ReadFile(dir / "testsrc2.ts");
    std::filesystem::remove_all(dir);
    // Live-like: a first burst, then one and a half times the stream's rate.
    auto live = [](const std::string& body) {
        pellamo::StreamServer::Options options;
        options.burst_bytes = 64 * 1024;
        options.bytes_per_second = body.size() / kSeconds * 3 / 2;
        return options;
    };
    pellamo::StreamServer one(first, live(first));
    pellamo::StreamServer two(second, live(second));
    const std::string channels[] = { one.Url(), two.Url() };

    Figures mpv, switches, first_channel, cold_first_channel;
    {
        Stage stage;
        if (!stage.Play(channels[0])) {
            std::fprintf(stderr, "the player shows no picture of %s\n", channels[0].c_str());
            return 1;
        }
        for (int run = 0; run < runs; ++run) {
            // Let the channel play a little, as a viewer would, then switch.
            stage.loop.WaitUntil([] { return false; }, 500ms);
            if (auto ms = stage.Play(channels[(run + 1) % 2]))
                switches.Add(*ms);
            if (auto ms = MpvProcess(channels[run % 2]))
                mpv.Add(*ms);
            if (auto ms = FirstChannelProcess(self, channels[run % 2], true))
                first_channel.Add(*ms);
            if (auto ms = FirstChannelProcess(self, channels[run % 2], false))
                cold_first_channel.Add(*ms);
        }
    }

    std::printf("First picture of a 320x240 MPEG-4/MP2 transport stream served over HTTP on 127.0.0.1\n"
                "(%zu bytes per channel, paced like a live stream after a 64 KiB burst; runs interleaved).\n\n",
        first.size());
    std::printf("  mpv --frames=1 --vo=null, whole process:  %s\n", mpv.Text().c_str());
    std::printf("  switch, address set -> first picture:     %s\n", switches.Text().c_str());
    std::printf("  first channel after start, picked %lld ms\n    after a category was opened:            %s\n",
        static_cast<long long>(kPickDelay.count()), first_channel.Text().c_str());
    std::printf("  first channel, engine loaded on the pick: %s\n\n", cold_first_channel.Text().c_str());
    if (mpv.values.empty() || switches.values.empty() || first_channel.values.empty())
        return 1;
    Ratio("switch / mpv, median", switches.Median(), mpv.Median(), 0.3);
    Ratio("switch / mpv, 90th percentile", switches.P90(), mpv.P90(), 0.3);
    Ratio("first channel / mpv, median", first_channel.Median(), mpv.Median(), 0.5);
    if (!cold_first_channel.values.empty())
        std::printf("  %-40s %5.2f (for comparison)\n", "first channel, no category / mpv",
            cold_first_channel.Median() / mpv.Median());
    return 0;
}
