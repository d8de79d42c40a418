#include "guide/guide_view.h"
#include "guide/guide_worker.h"
#include "tests/guide/guide_samples.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

using namespace pellamo;
using namespace pellamo::test;
using namespace std::chrono_literals;

namespace {

int64_t Now()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// A guide of `programmes` half-hour programmes on one channel from now on.
std::string LongGuide(int programmes)
{
    std::string body = ChannelXml("c", "Channel C");
    const int64_t now = Now() - 600;
    for (int i = 0; i < programmes; ++i)
        body += ProgrammeXml("c", XmltvTimeOf(now + i * 1800), XmltvTimeOf(now + (i + 1) * 1800),
            "Programme " + std::to_string(i), std::string(200, 'd'));
    return Xmltv(body);
}

}

TEST(GuideWorker, ImportsOffTheLoopAndReportsOnIt)
{
    TempDir dir;
    const std::filesystem::path database = std::filesystem::path(dir.Path()) / "guide.sqlite";
    EventLoop loop;
    GuideWorker worker(loop, database);
    const std::string file = dir.Write("download.xml.gz", Gzip(LongGuide(2000)));
    const std::thread::id loop_thread = std::this_thread::get_id();

    std::vector<int> percents;
    std::optional<GuideWorker::Report> report;
    worker.Import(
        "http://example/guide.xml.gz", file, true,
        [&](int percent) {
            EXPECT_EQ(std::this_thread::get_id(), loop_thread);
            percents.push_back(percent);
        },
        [&](GuideWorker::Report r) {
            EXPECT_EQ(std::this_thread::get_id(), loop_thread);
            report = std::move(r);
        });
    EXPECT_TRUE(worker.Busy());
    ASSERT_TRUE(loop.WaitUntil([&] { return report.has_value(); }, 60s));
    EXPECT_FALSE(worker.Busy());
    EXPECT_TRUE(report->ok) << report->error;
    EXPECT_EQ(report->source, "http://example/guide.xml.gz");
    EXPECT_EQ(report->counts.channels, 1u);
    EXPECT_EQ(report->counts.programmes, 2000u);
    EXPECT_FALSE(std::filesystem::exists(file)); // the downloaded copy is gone
    ASSERT_FALSE(percents.empty());
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
    EXPECT_EQ(percents.back(), 100);

    GuideView view(database);
    NowNext nn = view.At(view.FindChannel({ "", { "channel c" } }), Now());
    ASSERT_TRUE(nn.now.has_value());
    EXPECT_EQ(nn.now->title, "Programme 0");

    // A failure is a report too, and the guide stays.
    report.reset();
    worker.Import("http://example/guide.xml.gz", dir.Write("cut.xml", LongGuide(10).substr(0, 900)), false, {},
        [&](GuideWorker::Report r) { report = std::move(r); });
    ASSERT_TRUE(loop.WaitUntil([&] { return report.has_value(); }, 60s));
    EXPECT_FALSE(report->ok);
    EXPECT_NE(report->error.find("cut short"), std::string::npos) << report->error;
    EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/cut.xml")); // kept: not the worker's to remove
    EXPECT_TRUE(view.At(view.FindChannel({ "c", {} }), Now()).now.has_value());
}

TEST(GuideWorker, AnUnusableDatabaseFolderIsReported)
{
    TempDir dir;
    dir.Write("blocker", "a file where the folder should be");
    EventLoop loop;
    GuideWorker worker(loop, std::filesystem::path(dir.Path()) / "blocker" / "guide.sqlite");
    std::optional<GuideWorker::Report> report;
    worker.Import("src", dir.Write("g.xml", LongGuide(3)), true, {}, [&](GuideWorker::Report r) { report = r; });
    ASSERT_TRUE(loop.WaitUntil([&] { return report.has_value(); }, 30s));
    EXPECT_FALSE(report->ok);
    EXPECT_NE(report->error.find("cannot be written"), std::string::npos) << report->error;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/g.xml"));
}

TEST(GuideWorker, EndingDuringAnImportRollsItBackAndCallsNoHandler)
{
    TempDir dir;
    const std::filesystem::path database = std::filesystem::path(dir.Path()) / "guide.sqlite";
    EventLoop loop;
    const std::string file = dir.Write("big.xml", LongGuide(40000));
    bool called = false;
    {
        GuideWorker worker(loop, database);
        worker.Import(
            "src", file, false, [&](int) { called = true; }, [&](GuideWorker::Report) { called = true; });
        std::this_thread::sleep_for(50ms);
    }
    loop.ProcessMessages();
    EXPECT_FALSE(called);
    GuideView view(database);
    EXPECT_EQ(view.FindChannel({ "c", {} }), 0);
}
