// Time from handing a stream address to the player until its first picture,
// at the engine and at the control a viewer sees, next to mpv's own
// command-line player on the same loopback stream, in the same run.
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/form.h"
#include "player/mpv/mpv_player.h"
#include "player/windows_media_player.h"
#include "tests/player_mpv/stream_server.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 7;
constexpr int kSeconds = 20;

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
    std::string Text()
    {
        if (values.empty())
            return "no result";
        std::sort(values.begin(), values.end());
        char text[96];
        std::snprintf(text, sizeof text, "median %7.1f ms  min %7.1f ms  max %7.1f ms",
            values[values.size() / 2], values.front(), values.back());
        return text;
    }
};

std::optional<double> OurFirstFrame(pellamo::EventLoop& loop, const std::string& url)
{
    pellamo::MpvPlayer player(loop);
    player.SetVideoSize(463, 319);
    auto start = Clock::now();
    player.SetAddress(std::u16string(url.begin(), url.end()));
    if (!loop.WaitUntil([&] { return player.FramesRendered() > 0; }, std::chrono::seconds(15)))
        return std::nullopt;
    return Ms(Clock::now() - start);
}

// A fresh control each run, so the engine's start-up (made when the first
// address arrives) is counted, as a viewer's first channel would.
std::optional<double> ControlFirstPicture(pellamo::TApplication& app, const std::string& url)
{
    pellamo::ComponentPtr<pellamo::TForm> form(new pellamo::TForm(nullptr));
    form->SetBounds(0, 0, 480, 420);
    auto* player = new pellamo::TWindowsMediaPlayer(form.get());
    player->SetParent(form.get());
    player->SetBounds(3, 65, 463, 343);
    form->Show();
    while (app.Loop().ProcessMessages()) {
    }
    auto start = Clock::now();
    player->SetURL(std::u16string(url.begin(), url.end()));
    if (!app.Loop().WaitUntil([&] { return player->View().PicturesPainted() > 0; }, std::chrono::seconds(15)))
        return std::nullopt;
    return Ms(Clock::now() - start);
}

// mpv stamps its log lines with the time since it started; the first frame
// counts from the moment it begins opening the stream, so its own start-up is
// left out. The whole process time is shown too.
std::optional<double> CliFirstFrame(const std::string& url, const std::filesystem::path& log, double& process_ms)
{
    std::string command = "mpv --no-config --load-scripts=no --ytdl=no --ao=null --vo=null --frames=1"
                          " --msg-time --msg-level=all=v --really-quiet=no '"
        + url + "' >'" + log.string() + "' 2>&1";
    auto start = Clock::now();
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    process_ms = Ms(Clock::now() - start);
    std::ifstream in(log);
    std::string line;
    std::optional<double> opening, shown;
    while (std::getline(in, line)) {
        double stamp = 0;
        if (std::sscanf(line.c_str(), "[ %lf]", &stamp) != 1)
            continue;
        if (!opening && line.find("] Opening ") != std::string::npos)
            opening = stamp;
        if (!shown && line.find("first video frame after restart shown") != std::string::npos)
            shown = stamp;
    }
    if (!opening || !shown)
        return std::nullopt;
    return (*shown - *opening) * 1000;
}

}

int main()
{
    char pattern[] = "/tmp/pellamo_bench_player_XXXXXX";
    std::filesystem::path dir = mkdtemp(pattern);
    std::filesystem::path media = dir / "av.ts";
    std::string make = "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i testsrc=size=320x240:rate=25"
                       " -f lavfi -i sine=frequency=440:sample_rate=44100 -t "
        + std::to_string(kSeconds) + " -c:v mpeg4 -q:v 6 -c:a mp2 -f mpegts '" + media.string() + "'";
    if (std::system(make.c_str()) != 0) {
        std::fprintf(stderr, "ffmpeg could not make the test stream\n");
        return 1;
    }
    std::string body = ReadFile(media);
    // A live-like stream: a first burst, then one and a half times its rate.
    pellamo::StreamServer::Options options;
    options.burst_bytes = 64 * 1024;
    options.bytes_per_second = body.size() / kSeconds * 3 / 2;
    pellamo::StreamServer server(body, options);
    std::string url = server.Url();

    pellamo::EventLoop loop;
    pellamo::HeadlessBackend screen;
    pellamo::TApplication app(screen, loop);
    Figures ours, control, cli, cli_process;
    for (int run = 0; run < kRuns; ++run) {
        if (auto ms = OurFirstFrame(loop, url))
            ours.Add(*ms);
        if (auto ms = ControlFirstPicture(app, url))
            control.Add(*ms);
        double process_ms = 0;
        if (auto ms = CliFirstFrame(url, dir / "mpv.log", process_ms)) {
            cli.Add(*ms);
            cli_process.Add(process_ms);
        }
    }
    std::filesystem::remove_all(dir);

    std::printf("First picture of a 320x240 MPEG-4/MP2 transport stream served over HTTP on 127.0.0.1\n"
                "(%d runs each, alternating; %zu bytes, paced like a live stream after a 64 KiB burst).\n\n",
        kRuns, body.size());
    std::printf("  MpvPlayer, address set -> first frame drawn into a 463x319 bitmap:\n    %s\n",
        ours.Text().c_str());
    std::printf("  TWindowsMediaPlayer, URL set -> first picture painted in the control (engine start included):\n"
                "    %s\n",
        control.Text().c_str());
    std::printf("  mpv command line, stream opening -> first frame shown (vo=null, ao=null):\n    %s\n",
        cli.Text().c_str());
    std::printf("  mpv command line, whole process for one frame (start-up and exit included):\n    %s\n\n",
        cli_process.Text().c_str());
    std::printf("Both sides open, probe and decode the same stream with the same engine and no user\n"
                "configuration or scripts. The command line's figure is read from its own log\n"
                "timestamps and draws nothing (vo=null, ao=null), so it is the floor for the engine;\n"
                "ours also looks for a sound output, scales and converts the frame in software and\n"
                "hands it to the message loop.\n");
    return 0;
}
