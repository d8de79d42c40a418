// Resident memory of the player while it plays, after a long session of
// zapping between channels, next to mpv's own while it plays the same local
// stream. Goal: at most mpv's + 10 MiB.
//
// The program's windows run on a private Xvfb as in the real program; the
// viewer's zapping goes through the player host, where tuning ends: three
// SD television channels (H.264 720x576) in the media player and a radio
// channel in the Real player. Afterwards, rounds interleaved: our player plays
// the first channel for a while and its resident memory is read; then mpv
// (--vo=x11, no configuration) plays the same stream for as long.
//
// Usage: bench_player_memory [ZAP_SECONDS] [ROUNDS] [PLAY_SECONDS]
#include "app/main_window.h"
#include "app/startup.h"
#include "platform/backend/x11/x11_backend.h"
#include "platform/components/controls/application.h"
#include "platform/text/gbk.h"
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
constexpr int kMediaSeconds = 60;
const char* const kChannels[] = { "testsrc", "testsrc2", "smptebars", "radio" };

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

double ResidentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

bool MakeMedia(const std::filesystem::path& dir)
{
    std::string common = "ffmpeg -nostdin -hide_banner -loglevel error -y ";
    std::string audio = " -f lavfi -i sine=frequency=440:sample_rate=48000 -t " + std::to_string(kMediaSeconds);
    for (const char* name : kChannels) {
        std::string command = common;
        if (std::string(name) == "radio")
            command += audio.substr(1) + " -c:a mp2 -b:a 128k";
        else
            command += std::string("-f lavfi -i ") + name + "=size=720x576:rate=25" + audio
                + " -c:v libx264 -preset ultrafast -b:v 1500k -g 50 -pix_fmt yuv420p -c:a mp2 -b:a 128k";
        command += " -f mpegts '" + (dir / name).string() + ".ts'";
        if (std::system(command.c_str()) != 0)
            return false;
    }
    return true;
}

// The streams are served by a process of their own, so that the media held
// by the servers is not counted as the player's.
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
        for (const char* name : kChannels) {
            std::string body = ReadFile(dir / (std::string(name) + ".ts"));
            // Live-like: a first burst, then one and a half times the rate.
            pellamo::StreamServer::Options options;
            options.burst_bytes = 256 * 1024;
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
    // The child closes its end once it has written every address.
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
    int zap_seconds = argc > 1 ? std::atoi(argv[1]) : 600;
    int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    int play_seconds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;

    char pattern[] = "/tmp/pellamo_bench_memory_XXXXXX";
    std::filesystem::path dir = mkdtemp(pattern);
    if (!MakeMedia(dir)) {
        std::fprintf(stderr, "ffmpeg could not make the test streams\n");
        return 1;
    }
    std::vector<std::string> urls;
    pid_t servers = StartServers(dir, urls);
    std::filesystem::remove_all(dir);
    if (!servers || urls.size() != std::size(kChannels)) {
        std::fprintf(stderr, "the stream servers did not start\n");
        return 1;
    }
    pellamo::XvfbServer xvfb;
    if (!xvfb.Running()) {
        std::fprintf(stderr, "Xvfb could not be started; nothing measured\n");
        kill(servers, SIGTERM);
        return 0;
    }

    std::vector<double> ours, theirs;
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
        auto play = [&](size_t channel) {
            if (std::string(kChannels[channel]) == "radio")
                host.PlayReal(pellamo::Utf8ToUtf16(urls[channel]));
            else
                host.PlayStream(urls[channel]);
        };

        // A viewer zapping: short and longer stays, the radio now and then.
        const std::chrono::milliseconds stays[] = { std::chrono::milliseconds(1500), std::chrono::milliseconds(600),
            std::chrono::milliseconds(4000), std::chrono::milliseconds(2500), std::chrono::milliseconds(300) };
        auto end = Clock::now() + std::chrono::seconds(zap_seconds);
        int switches = 0;
        for (size_t i = 0; Clock::now() < end; ++i, ++switches) {
            play(i % std::size(kChannels));
            idle(stays[i % std::size(stays)]);
        }
        std::printf("Zapped %d times in %d s between %zu channels.\n", switches, zap_seconds, std::size(kChannels));

        for (int round = 0; round < rounds; ++round) {
            play(0);
            idle(std::chrono::seconds(play_seconds));
            ours.push_back(ResidentMiB(getpid()));
            host.PlayStream("");
            idle(std::chrono::milliseconds(200));

            // Sound as our engine has it: the desktop's sound servers or
            // ALSA, silently on without a sound device.
            pid_t mpv = Spawn({ "mpv", "--no-config", "--vo=x11", "--ao=pipewire,pulse,alsa,jack",
                                  "--audio-fallback-to-null=yes", "--title=mpvmemory", urls[0] },
                xvfb.Display());
            if (mpv) {
                auto until = Clock::now() + std::chrono::seconds(play_seconds);
                while (Clock::now() < until && waitpid(mpv, nullptr, WNOHANG) == 0)
                    idle(std::chrono::milliseconds(100));
                double rss = ResidentMiB(mpv);
                if (rss > 0)
                    theirs.push_back(rss);
                kill(mpv, SIGTERM);
                waitpid(mpv, nullptr, 0);
            }
        }
    }
    kill(servers, SIGTERM);
    waitpid(servers, nullptr, 0);

    std::printf("Resident memory while playing an SD H.264 stream for %d s (median of %zu / %zu rounds,\n"
                "interleaved):\n",
        play_seconds, ours.size(), theirs.size());
    double our_median = Median(ours), their_median = Median(theirs);
    std::printf("  the player after zapping:   %7.1f MiB\n", our_median);
    std::printf("  mpv --vo=x11 --no-config:   %7.1f MiB\n", their_median);
    std::printf("  difference:                 %+7.1f MiB (goal: at most +10.0 MiB)%s\n", our_median - their_median,
        our_median - their_median <= 10.0 ? "" : "  NOT MET");
    return 0;
}
