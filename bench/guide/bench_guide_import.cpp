// A large guide: 2,000 channels and 500,000 programmes in about 100 MB of
// XMLTV, made here. Prints, side by side in one run:
//  - the import's time (worker thread, into a fresh database) against the
//    time `xmllint --stream --noout` takes to read the same file (goal: a
//    ratio of at most 1.5);
//  - the import's peak resident memory above the idle process (goal: under
//    64 MiB);
//  - the longest gap between passes of the loop on the calling thread while
//    the import runs, with a 4 ms timer keeping it busy (goal: under 16 ms);
//  - the processor time of both, which other programs' load barely moves
//    (the import's two threads overlap only when a core is free);
//  - the time of a now/next look-up with the whole guide loaded (goal:
//    under 1 ms), and of matching a channel by name.
// `--runs N` repeats the import and xmllint, interleaved, and prints medians.

#include "guide/guide_decompressor.h"
#include "guide/guide_view.h"
#include "guide/guide_worker.h"
#include "guide/xmltv_reader.h"
#include "platform/loop/event_loop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace pellamo {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kChannels = 2000;
constexpr int kProgrammesPerChannel = 250;

int64_t UnixNow()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string TimeText(int64_t t)
{
    // UTC, written as Beijing time to exercise the offset.
    t += 8 * 3600;
    int64_t days = t / 86400 + 719468;
    const int64_t era = days / 146097;
    const unsigned doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned day = doy - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    const long long year = static_cast<long long>(yoe + era * 400 + (month <= 2));
    const int64_t rest = t % 86400;
    char text[96];
    std::snprintf(text, sizeof text, "%04lld%02u%02u%02d%02d00 +0800", year, month, day, static_cast<int>(rest / 3600),
        static_cast<int>(rest / 60 % 60));
    return text;
}

// Programmes of 30 minutes from six hours ago on, channels one after another,
// titles and descriptions in Chinese as real guides have them.
void WriteGuide(const std::filesystem::path& file)
{
    std::ofstream out(file, std::ios::binary);
    std::string buffer;
    buffer.reserve(1 << 20);
    buffer += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
              "<tv generator-info-name=\"bench\">\n";
    for (int c = 0; c < kChannels; ++c) {
        std::string id = "ch" + std::to_string(c);
        buffer += "  <channel id=\"" + id + "\">\n    <display-name lang=\"zh\">频道 " + std::to_string(c)
            + "</display-name>\n    <display-name lang=\"en\">Channel " + std::to_string(c)
            + "</display-name>\n    <icon src=\"http://logo.example/" + id + ".png\"/>\n  </channel>\n";
    }
    const int64_t first = UnixNow() / 1800 * 1800 - 6 * 3600;
    for (int c = 0; c < kChannels; ++c) {
        std::string id = "ch" + std::to_string(c);
        for (int p = 0; p < kProgrammesPerChannel; ++p) {
            int64_t start = first + p * 1800;
            buffer += "  <programme start=\"" + TimeText(start) + "\" stop=\"" + TimeText(start + 1800)
                + "\" channel=\"" + id + "\">\n    <title lang=\"zh\">节目 " + std::to_string(p) + " 新闻联播</title>\n"
                + "    <desc lang=\"zh\">今天的主要新闻与天气预报，第" + std::to_string(p)
                + "集。</desc>\n  </programme>\n";
            if (buffer.size() > (1 << 20) - 4096) {
                out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                buffer.clear();
            }
        }
    }
    buffer += "</tv>\n";
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Processor time (user and system) of this process or of its waited-for
// children: unlike the clock, barely moved by other programs' load.
double CpuSeconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    auto seconds
        = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct LintRun {
    double seconds = 0;
    double cpu_seconds = 0;
};

LintRun Xmllint(const std::filesystem::path& file)
{
    const double cpu_before = CpuSeconds(RUSAGE_CHILDREN);
    std::string path = file.string();
    char* argv[] = { const_cast<char*>("xmllint"), const_cast<char*>("--stream"), const_cast<char*>("--noout"),
        path.data(), nullptr };
    Clock::time_point start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "xmllint", nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "xmllint cannot be started (Debian package libxml2-utils)\n");
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    LintRun run { Seconds(Clock::now() - start), CpuSeconds(RUSAGE_CHILDREN) - cpu_before };
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "xmllint failed on the generated guide\n");
        std::exit(1);
    }
    return run;
}

// A line of /proc/self/status, in KiB.
long StatusKiB(const char* field)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field) + 1);
    return 0;
}

struct ImportRun {
    double seconds = 0;
    double cpu_seconds = 0; // all threads: reading, storing and the loop
    double peak_mib = 0;
    double longest_gap_ms = 0;
    uint64_t programmes = 0;
};

ImportRun Import(const std::filesystem::path& guide, const std::filesystem::path& database)
{
    for (const char* suffix : { "", "-wal", "-shm" })
        std::filesystem::remove(database.string() + suffix);
    EventLoop loop;
    GuideWorker worker(loop, database);
    // The high-water mark starts again from what the process holds now.
    std::ofstream("/proc/self/clear_refs") << "5";
    const long idle_kib = StatusKiB("VmRSS:");
    std::optional<GuideWorker::Report> report;
    Clock::time_point last_pass = Clock::now();
    Clock::duration longest_gap {};
    EventLoop::Id hook = loop.AddPrepareHook([&] {
        Clock::time_point now = Clock::now();
        longest_gap = std::max(longest_gap, now - last_pass);
        last_pass = now;
        return false;
    });
    EventLoop::Id ticker = loop.StartTimer(std::chrono::milliseconds(4), [] {});
    const double cpu_before = CpuSeconds(RUSAGE_SELF);
    Clock::time_point start = Clock::now();
    worker.Import(
        "bench", guide, false, [](int) {}, [&](GuideWorker::Report r) { report = std::move(r); });
    loop.WaitUntil([&] { return report.has_value(); });
    ImportRun run;
    run.seconds = Seconds(Clock::now() - start);
    run.cpu_seconds = CpuSeconds(RUSAGE_SELF) - cpu_before;
    loop.StopTimer(ticker);
    loop.RemovePrepareHook(hook);
    if (!report->ok) {
        std::fprintf(stderr, "import failed: %s\n", report->error.c_str());
        std::exit(1);
    }
    run.programmes = report->counts.programmes;
    run.peak_mib = static_cast<double>(StatusKiB("VmHWM:") - idle_kib) / 1024.0;
    run.longest_gap_ms = Seconds(longest_gap) * 1000;
    return run;
}

// Reading alone, into a sink that keeps nothing: what the database adds
// is the import's time less this.
double ReadSeconds(const std::filesystem::path& guide)
{
    struct Nothing : XmltvSink {
        void Channel(GuideChannel) override { }
        void Programme(GuideProgramme) override { }
    } nothing;
    Clock::time_point start = Clock::now();
    XmltvReader reader(nothing);
    GuideDecompressor decompressor([&](std::string_view text) { reader.Feed(text); });
    std::ifstream in(guide, std::ios::binary);
    std::vector<char> buffer(256 * 1024);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
        decompressor.Feed(std::string_view(buffer.data(), static_cast<size_t>(in.gcount())));
    decompressor.Finish();
    reader.Finish();
    return Seconds(Clock::now() - start);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}
}

int main(int argc, char** argv)
{
    using namespace pellamo;
    int runs = 1;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--runs")
            runs = std::max(1, std::atoi(argv[i + 1]));
    char pattern[] = "/tmp/pellamo-guide-bench-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const std::filesystem::path dir = pattern;
    const std::filesystem::path guide = dir / "guide.xml";
    const std::filesystem::path database = dir / "guide.sqlite";
    WriteGuide(guide);
    std::printf("guide: %d channels, %d programmes, %.0f MB\n", kChannels, kChannels * kProgrammesPerChannel,
        static_cast<double>(std::filesystem::file_size(guide)) / 1e6);

    std::printf("reading alone (no database): %.2f s\n", ReadSeconds(guide));
    std::vector<double> ratios, cpu_ratios, peaks, gaps;
    for (int r = 0; r < runs; ++r) {
        LintRun lint = Xmllint(guide);
        ImportRun run = Import(guide, database);
        ratios.push_back(run.seconds / lint.seconds);
        cpu_ratios.push_back(run.cpu_seconds / lint.cpu_seconds);
        peaks.push_back(run.peak_mib);
        gaps.push_back(run.longest_gap_ms);
        std::printf("run %d: import %.2f s (%.2f s processor, %llu programmes), xmllint --stream %.2f s (%.2f s "
                    "processor)\n",
            r + 1, run.seconds, run.cpu_seconds, static_cast<unsigned long long>(run.programmes), lint.seconds,
            lint.cpu_seconds);
    }
    std::printf("import / xmllint: %.2f (goal: at most 1.5)\n", Median(ratios));
    std::printf("processor time, import (two threads) / xmllint: %.2f\n", Median(cpu_ratios));
    std::printf("import peak memory above idle: %.1f MiB (goal: under 64)\n", Median(peaks));
    std::printf("longest gap between loop passes: %.1f ms (goal: under 16)\n", Median(gaps));

    GuideView view(database);
    std::mt19937 random(1);
    std::vector<int64_t> channels;
    Clock::time_point start = Clock::now();
    constexpr int kFinds = 2000;
    for (int i = 0; i < kFinds; ++i)
        channels.push_back(view.FindChannel({ "", { "Channel " + std::to_string(random() % kChannels) } }));
    double find_us = Seconds(Clock::now() - start) * 1e6 / kFinds;
    const int64_t now = UnixNow();
    constexpr int kLookups = 20000;
    size_t found = 0;
    start = Clock::now();
    for (int i = 0; i < kLookups; ++i)
        found += view.At(channels[static_cast<size_t>(i) % channels.size()], now).now.has_value();
    double now_next_us = Seconds(Clock::now() - start) * 1e6 / kLookups;
    std::printf("now/next look-up: %.1f us (goal: under 1000), %zu of %d found\n", now_next_us, found, kLookups);
    std::printf("channel matched by name: %.1f us\n", find_us);
    std::filesystem::remove_all(dir);
    return 0;
}
