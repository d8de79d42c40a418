#include "guide/guide_error.h"
#include "guide/guide_import.h"
#include "guide/guide_store.h"
#include "guide/guide_view.h"
#include "tests/guide/guide_samples.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>

using namespace pellamo;
using namespace pellamo::test;

namespace {

const int64_t kNow = Utc(2026, 3, 15, 11, 10); // 19:10 in Beijing

class GuideStoreTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path file = std::filesystem::path(dir.Path()) / "cache" / "guide.sqlite";

    // Imports `text` (written to a file) as `source`; the error's sentence, or "".
    std::string Import(
        GuideStore& store, const std::string& source, const std::string& text, GuideSourceCounts* counts = nullptr)
    {
        std::string path = dir.Write("download.xml", text);
        try {
            GuideSourceCounts c = ImportGuideFile(store, source, path, { kNow, {}, {} });
            if (counts)
                *counts = c;
        } catch (const GuideError& e) {
            return e.what();
        }
        return "";
    }

    // The titles running at `at` on the channel named `name`, as "now|next".
    std::string NowNextOf(const std::string& name, int64_t at = kNow)
    {
        GuideView view(file);
        NowNext nn = view.At(view.FindChannel({ {}, { name } }), at);
        return (nn.now ? nn.now->title : "-") + "|" + (nn.next ? nn.next->title : "-");
    }
};

std::string Evening(const std::string& channel, const std::string& name, const std::string& first)
{
    return Xmltv(ChannelXml(channel, name)
        + ProgrammeXml(channel, "20260315190000 +0800", "20260315193000 +0800", first, "今天的新闻")
        + ProgrammeXml(channel, "20260315193000 +0800", "20260315200000 +0800", "焦点访谈")
        + ProgrammeXml(channel, "20260315200000 +0800", "20260315210000 +0800", "电视剧"));
}

}

TEST_F(GuideStoreTest, ARefreshReplacesItsSourceOnly)
{
    GuideStore store(file);
    GuideSourceCounts counts;
    ASSERT_EQ(Import(store, "http://a/guide.xml", Evening("cctv1", "CCTV-1", "新闻联播"), &counts), "");
    EXPECT_EQ(counts.channels, 1u);
    EXPECT_EQ(counts.programmes, 3u);
    ASSERT_EQ(Import(store, "http://b/guide.xml", Evening("hunan", "湖南卫视", "快乐大本营")), "");
    EXPECT_EQ(NowNextOf("CCTV-1"), "新闻联播|焦点访谈");
    EXPECT_EQ(NowNextOf("湖南卫视"), "快乐大本营|焦点访谈");

    // The next refresh of a names the channel otherwise and shows other news.
    ASSERT_EQ(Import(store, "http://a/guide.xml", Evening("cctv1", "CCTV 1 综合", "午夜新闻")), "");
    EXPECT_EQ(NowNextOf("CCTV 1 综合"), "午夜新闻|焦点访谈");
    EXPECT_EQ(NowNextOf("CCTV-1"), "-|-"); // the old name went with the old guide
    EXPECT_EQ(NowNextOf("湖南卫视"), "快乐大本营|焦点访谈");
    std::vector<GuideSourceInfo> sources = store.Sources();
    ASSERT_EQ(sources.size(), 2u);
    EXPECT_EQ(sources[0].programmes, 3u);
    EXPECT_EQ(sources[0].refreshed, kNow);
    GuideView view(file);
    EXPECT_EQ(view.Refreshed("http://b/guide.xml"), kNow);
    EXPECT_EQ(view.Refreshed("http://never/guide.xml"), 0);

    store.Remove("http://b/guide.xml");
    EXPECT_EQ(NowNextOf("湖南卫视"), "-|-");
    EXPECT_EQ(store.Sources().size(), 1u);
}

TEST_F(GuideStoreTest, AFailedRefreshLeavesThePreviousGuide)
{
    GuideStore store(file);
    ASSERT_EQ(Import(store, "src", Evening("cctv1", "CCTV-1", "新闻联播")), "");
    const std::string fresh = Evening("cctv1", "CCTV-1", "新的节目");
    const std::string zipped = Gzip(fresh);
    struct Case {
        const char* name;
        std::string bytes;
        const char* error;
    } const cases[] = {
        { "a cut download", fresh.substr(0, fresh.size() - 40), "cut short" },
        { "a cut gzip stream", zipped.substr(0, zipped.size() - 10), "cut short" },
        { "malformed XML at the end", fresh + "<tv>", "not well-formed" },
        { "an HTML error page", "<html><body>404</body></html>", "not an XMLTV guide" },
        { "an empty file", "", "empty" },
    };
    for (const Case& c : cases) {
        std::string error = Import(store, "src", c.bytes);
        EXPECT_NE(error.find(c.error), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(NowNextOf("CCTV-1"), "新闻联播|焦点访谈") << c.name;
    }
    EXPECT_NE(Import(store, "src", "", nullptr).size(), 0u);
    std::string missing;
    try {
        ImportGuideFile(store, "src", file.parent_path() / "nowhere.xml", { kNow, {}, {} });
    } catch (const GuideError& e) {
        missing = e.what();
    }
    EXPECT_NE(missing.find("could not be opened"), std::string::npos) << missing;
    EXPECT_EQ(NowNextOf("CCTV-1"), "新闻联播|焦点访谈");
}

TEST_F(GuideStoreTest, OldProgrammesArePrunedAndMissingStopsFilled)
{
    GuideStore store(file);
    GuideSourceCounts counts;
    ASSERT_EQ(Import(store, "src",
                  Xmltv(ProgrammeXml("c", XmltvTimeOf(kNow - 3 * 86400), XmltvTimeOf(kNow - 3 * 86400 + 1800), "old")
                      + ProgrammeXml("c", XmltvTimeOf(kNow - 30 * 3600), XmltvTimeOf(kNow - 20 * 3600), "yesterday")
                      + ProgrammeXml("c", XmltvTimeOf(kNow - 600), "", "running")
                      + ProgrammeXml("c", XmltvTimeOf(kNow + 1200), "", "last")
                      // Two with the same start: the later in the file is kept.
                      + ProgrammeXml("c", XmltvTimeOf(kNow + 7200), XmltvTimeOf(kNow + 9000), "first copy")
                      + ProgrammeXml("c", XmltvTimeOf(kNow + 7200), XmltvTimeOf(kNow + 9000), "second copy")
                      + ChannelXml("c", "C")),
                  &counts),
        "");
    EXPECT_EQ(counts.programmes, 4u);
    EXPECT_EQ(counts.skipped, 1u); // "old"
    GuideView view(file);
    const int64_t channel = view.FindChannel({ "c", {} });
    std::vector<GuideEntry> all = view.Between(channel, kNow - 7 * 86400, kNow + 86400);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].title, "yesterday");
    EXPECT_EQ(all[1].title, "running");
    EXPECT_EQ(all[1].stop, kNow + 1200); // until the next one
    EXPECT_EQ(all[2].title, "last");
    EXPECT_EQ(all[2].stop, kNow + 7200);
    EXPECT_EQ(all[3].title, "second copy");

    store.Prune(kNow + 6 * 3600); // "yesterday" ended 26 hours before
    all = view.Between(channel, kNow - 7 * 86400, kNow + 86400);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].title, "running");
}

TEST_F(GuideStoreTest, NowNextAndTheDayFollowTheClock)
{
    GuideStore store(file);
    ASSERT_EQ(Import(store, "src", Evening("cctv1", "CCTV-1", "新闻联播")), "");
    struct Case {
        int64_t at;
        const char* expected;
    } const cases[] = {
        { Utc(2026, 3, 15, 10, 59), "-|新闻联播" },
        { Utc(2026, 3, 15, 11), "新闻联播|焦点访谈" },
        { Utc(2026, 3, 15, 11, 29) + 59, "新闻联播|焦点访谈" },
        { Utc(2026, 3, 15, 11, 30), "焦点访谈|电视剧" },
        { Utc(2026, 3, 15, 12, 59), "电视剧|-" },
        { Utc(2026, 3, 15, 13), "-|-" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(NowNextOf("CCTV-1", c.at), c.expected) << c.at;
    GuideView view(file);
    const int64_t channel = view.FindChannel({ "cctv1", {} });
    // A window that starts inside a programme includes it.
    std::vector<GuideEntry> evening = view.Between(channel, Utc(2026, 3, 15, 11, 45), Utc(2026, 3, 15, 12, 30));
    ASSERT_EQ(evening.size(), 2u);
    EXPECT_EQ(evening[0].title, "焦点访谈");
    EXPECT_EQ(evening[1].title, "电视剧");
    EXPECT_EQ(view.Between(channel, Utc(2026, 3, 16), Utc(2026, 3, 17)).size(), 0u);
    EXPECT_EQ(view.ChannelName(channel), "CCTV-1");
}

TEST_F(GuideStoreTest, ADamagedFileIsSetAsideAndANewGuideStarted)
{
    std::filesystem::create_directories(file.parent_path());
    dir.Write("cache/guide.sqlite", std::string(8192, 'x'));
    GuideView early(file);
    EXPECT_EQ(early.FindChannel({ "cctv1", {} }), 0); // no answer, no crash
    GuideStore store(file);
    EXPECT_NE(store.Note().find("damaged"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(file.string() + ".damaged"));
    ASSERT_EQ(Import(store, "src", Evening("cctv1", "CCTV-1", "新闻联播")), "");
    early.Reopen();
    EXPECT_NE(early.FindChannel({ "cctv1", {} }), 0);
}

TEST_F(GuideStoreTest, ALockedDatabaseIsReportedAndLosesNothing)
{
    GuideStore store(file);
    ASSERT_EQ(Import(store, "src", Evening("cctv1", "CCTV-1", "新闻联播")), "");
    // Another program holds the write lock for longer than the store waits.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::string error = Import(store, "src", Evening("cctv1", "CCTV-1", "新的节目"));
    EXPECT_NE(error.find("in use by another program"), std::string::npos) << error;
    EXPECT_EQ(NowNextOf("CCTV-1"), "新闻联播|焦点访谈"); // readers are not blocked either
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Import(store, "src", Evening("cctv1", "CCTV-1", "新的节目")), "");
    EXPECT_EQ(NowNextOf("CCTV-1"), "新的节目|焦点访谈");
}

TEST_F(GuideStoreTest, AFullDiskIsReportedAndLosesNothing)
{
    GuideStore store(file);
    ASSERT_EQ(Import(store, "src", Evening("cctv1", "CCTV-1", "新闻联播")), "");
    std::string big;
    for (int i = 0; i < 4000; ++i)
        big += ProgrammeXml(
            "cctv1", XmltvTimeOf(kNow + i * 600), XmltvTimeOf(kNow + i * 600 + 600), "节目", std::string(1000, 'd'));
    // Files may grow no further than they are: writes fail as on a full disk
    // (SQLite tells that one apart as SQLITE_FULL; this is its I/O error).
    rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    const uint64_t size = std::filesystem::file_size(file) + std::filesystem::file_size(file.string() + "-wal");
    rlimit small { static_cast<rlim_t>(size + 64 * 1024), saved.rlim_max };
    std::string path = dir.Write("big.xml", Xmltv(ChannelXml("cctv1", "CCTV-1") + big));
    setrlimit(RLIMIT_FSIZE, &small);
    std::string error;
    try {
        ImportGuideFile(store, "src", path, { kNow, {}, {} });
    } catch (const GuideError& e) {
        error = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_NE(error.find("could not be stored"), std::string::npos) << error;
    EXPECT_EQ(NowNextOf("CCTV-1"), "新闻联播|焦点访谈");
}

TEST_F(GuideStoreTest, AChannelListedTwiceIsOneWithAllItsNames)
{
    GuideStore store(file);
    GuideSourceCounts counts;
    ASSERT_EQ(
        Import(store, "src",
            Xmltv(ChannelXml("c", "CCTV-1") + ProgrammeXml("c", XmltvTimeOf(kNow - 60), XmltvTimeOf(kNow + 60), "A")
                + ChannelXml("c", "中央一台") + ChannelXml("c", "CCTV-1")),
            &counts),
        "");
    EXPECT_EQ(counts.channels, 1u);
    EXPECT_EQ(NowNextOf("cctv1"), "A|-");
    EXPECT_EQ(NowNextOf("中央一台"), "A|-");
}

TEST_F(GuideStoreTest, AProgrammeListedTwiceKeepsTheLaterCopyAndCountsOnce)
{
    // More programmes than the writer stores at once, so the copies fall
    // both within a held-back group and after it has been stored.
    constexpr int kProgrammes = 200;
    const int64_t first = kNow - 100 * 600;
    std::string body = ChannelXml("c", "CCTV-1");
    for (int i = 0; i < kProgrammes; ++i) {
        const int64_t start = first + i * 600;
        std::string title = "P"; // appended, not "P" + ...: GCC 12 -O3 sees a false overlap there
        title += std::to_string(i);
        body += ProgrammeXml("c", XmltvTimeOf(start), XmltvTimeOf(start + 600), title);
        if (i == 100) // the same start again, straight after
            body += ProgrammeXml("c", XmltvTimeOf(start), XmltvTimeOf(start + 600), "twice");
    }
    // Out of order, long after the first copy was stored.
    body += ProgrammeXml("c", XmltvTimeOf(first + 150 * 600), XmltvTimeOf(first + 151 * 600), "again");
    GuideStore store(file);
    GuideSourceCounts counts;
    ASSERT_EQ(Import(store, "src", Xmltv(body), &counts), "");
    EXPECT_EQ(counts.programmes, static_cast<uint64_t>(kProgrammes));
    ASSERT_EQ(store.Sources().size(), 1u);
    EXPECT_EQ(store.Sources()[0].programmes, static_cast<uint64_t>(kProgrammes));
    EXPECT_EQ(NowNextOf("CCTV-1"), "twice|P101");
    EXPECT_EQ(NowNextOf("CCTV-1", first + 150 * 600), "again|P151");
    EXPECT_EQ(NowNextOf("CCTV-1", first + 199 * 600), "P199|-");
}
