// CPU time of the player while it plays HD streams, next to mpv's own player
// (--vo=x11, no configuration) in a window the size of our picture area,
// in the same run on the same private Xvfb. Goal: at most 1.0x mpv's at
// 720p and 1080p, and every picture of a 1080p50 stream shown.
//
// Rounds interleave: our player plays a stream (through the player host,
// where tuning ends) and the CPU time of the whole process over the
// measured span is read, then mpv plays the same stream as long. The
// streams come from a process of its own over loopback.
//
// Usage: bench_player_cpu [SECONDS] [ROUNDS]
#include "app/main_window.h"
#include "app/startup.h"
#include "platform/backend/x11/x11_backend.h"
#include "platform/components/controls/application.h"
#include "player/media_player_adapter.h"
#include "player/player_host.h"
#include "player/real_audio.h"
#include "player/real_player_adapter.h"
#include "player/windows_media_player.h"
#include "tests/e2e/xvfb_server.h"
#include "tests/player_mpv/stream_server.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kMediaSeconds = 30;

struct Stream {
    const char* name;
    const char* size;
    int rate;
    const char* bitrate;
};
const Stream kStreams[] = {
    { "720p25", "1280x720", 25, "3000k" },
    { "1080p50", "1920x1080", 50, "6000k" },
};

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// User and system time of a process so far, in seconds.
double CpuSeconds(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i == 14 || i == 15)
            ticks += std::atof(field.c_str());
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

bool MakeMedia(const std::filesystem::path& dir)
{
    for (const Stream& s : kStreams) {
        std::string command = std::string("ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i testsrc2=size=")
            + s.size + ":rate=" + std::to_string(s.rate) + " -f lavfi -i sine=frequency=440:sample_rate=48000 -t "
            + std::to_string(kMediaSeconds) + " -c:v libx264 -preset ultrafast -b:v " + s.bitrate + " -g "
            + std::to_string(s.rate * 2) + " -pix_fmt yuv420p -c:a mp2 -b:a 128k -f mpegts '" + (dir / s.name).string()
            + ".ts'";
        if (std::system(command.c_str()) != 0)
            return false;
    }
    return true;
}

pid_t StartServers(const std::filesystem::path& dir, std::vector<std::string>& urls)
{
    int fds[2];
    if (pipe(fds) != 0)
        return 0;
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        std::vector<std::unique_ptr<pellamo::StreamServer>> servers;
        std::string ports;
        for (const Stream& s : kStreams) {
            std::string body = ReadFile(dir / (std::string(s.name) + ".ts"));
            pellamo::StreamServer::Options options;
            options.burst_bytes = 1024 * 1024;
            options.bytes_per_second = body.size() / kMediaSeconds * 3 / 2;
            servers.push_back(std::make_unique<pellamo::StreamServer>(body, options));
            ports += servers.back()->Url() + "\n";
        }
        if (write(fds[1], ports.data(), ports.size()) < 0)
            _exit(1);
        close(fds[1]);
        for (;;)
            pause();
    }
    close(fds[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<size_t>(n));
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        urls.push_back(line);
    close(fds[0]);
    return pid;
}

pid_t Spawn(const std::vector<std::string>& args, const std::string& display)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("DISPLAY=", 0) != 0)
            env_strings.push_back(*e);
    env_strings.push_back("DISPLAY=" + display);
    std::vector<char*> env;
    for (std::string& e : env_strings)
        env.push_back(e.data());
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0 ? pid : 0;
}

}

int main(int argc, char** argv)
{
    int seconds = argc > 1 ? std::max(4, std::atoi(argv[1])) : 20;
    int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    constexpr int kWarmUp = 3; // connecting and the first pictures are not counted

    char pattern[] = "/tmp/pellamo_bench_cpu_XXXXXX";
    std::filesystem::path dir = mkdtemp(pattern);
    std::printf("Making the streams with ffmpeg...\n");
    std::fflush(stdout);
    if (!MakeMedia(dir)) {
        std::fprintf(stderr, "ffmpeg could not make the test streams\n");
        return 1;
    }
    std::vector<std::string> urls;
    pid_t servers = StartServers(dir, urls);
    std::filesystem::remove_all(dir);
    if (!servers || urls.size() != std::size(kStreams)) {
        std::fprintf(stderr, "the stream servers did not start\n");
        return 1;
    }
    pellamo::XvfbServer xvfb;
    if (!xvfb.Running()) {
        std::fprintf(stderr, "Xvfb could not be started; nothing measured\n");
        kill(servers, SIGTERM);
        return 0;
    }

    struct Figures {
        std::vector<double> ours, theirs, pictures_per_second;
    };
    std::vector<Figures> figures(std::size(kStreams));
    {
        pellamo::EventLoop& loop = pellamo::EventLoop::Main();
        pellamo::X11Backend backend(loop, xvfb.Display().c_str());
        pellamo::TApplication app(backend, loop);
        pellamo::PellamoWindows windows = pellamo::CreatePellamoWindows(app);
        windows.main->Show();
        auto* media = dynamic_cast<pellamo::TWindowsMediaPlayer*>(windows.main->FindComponent("WindowsMediaPlayer1"));
        auto* real = dynamic_cast<pellamo::TRealAudio*>(windows.main->FindComponent("RealAudio1"));
        if (!media || !real)
            return 1;
        pellamo::MediaPlayerAdapter media_host(*media);
        pellamo::RealPlayerAdapter real_host(*real);
        pellamo::PlayerHost host(media_host, real_host);
        auto idle = [&](std::chrono::milliseconds time) { loop.WaitUntil([] { return false; }, time); };
        pellamo::Rect video = media->View().Layout().Video();
        std::string geometry = std::to_string(video.Width()) + "x" + std::to_string(video.Height());

        for (int round = 0; round < rounds; ++round) {
            for (size_t s = 0; s < std::size(kStreams); ++s) {
                host.PlayStream(urls[s]);
                idle(std::chrono::seconds(kWarmUp));
                double cpu_before = CpuSeconds(getpid());
                uint64_t pictures_before = media->View().PicturesPainted();
                idle(std::chrono::seconds(seconds));
                figures[s].ours.push_back(CpuSeconds(getpid()) - cpu_before);
                figures[s].pictures_per_second.push_back(
                    static_cast<double>(media->View().PicturesPainted() - pictures_before) / seconds);
                host.PlayStream("");
                idle(std::chrono::milliseconds(500));

                pid_t mpv = Spawn(
                    { "mpv", "--no-config", "--vo=x11", "--ao=pipewire,pulse,alsa,jack", "--audio-fallback-to-null=yes",
                        "--hwdec=no", "--geometry=" + geometry, "--title=mpvcpu", urls[s] },
                    xvfb.Display());
                if (mpv) {
                    idle(std::chrono::seconds(kWarmUp));
                    double before = CpuSeconds(mpv);
                    idle(std::chrono::seconds(seconds));
                    if (waitpid(mpv, nullptr, WNOHANG) == 0)
                        figures[s].theirs.push_back(CpuSeconds(mpv) - before);
                    kill(mpv, SIGTERM);
                    waitpid(mpv, nullptr, 0);
                }
            }
        }
    }
    kill(servers, SIGTERM);
    waitpid(servers, nullptr, 0);

    std::printf("CPU time per %d s of playing over loopback, picture area %s (median of %d rounds, interleaved):\n",
        seconds, "of the main window", rounds);
    for (size_t s = 0; s < std::size(kStreams); ++s) {
        double ours = Median(figures[s].ours), theirs = Median(figures[s].theirs);
        double ratio = theirs > 0 ? ours / theirs : 0;
        std::printf("  %-8s H.264  the player: %6.2f s   mpv --vo=x11: %6.2f s   ratio %.2fx (goal: at most 1.00x)%s\n",
            kStreams[s].name, ours, theirs, ratio, ratio <= 1.0 ? "" : "  NOT MET");
        std::printf("           pictures shown: %.1f per second of %d in the stream\n",
            Median(figures[s].pictures_per_second), kStreams[s].rate);
    }
    return 0;
}
