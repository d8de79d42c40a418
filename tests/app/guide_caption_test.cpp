// The programme guide in the main window on a headless screen: a channel of
// the viewer's playlist found in the guide by its tvg-id shows what runs
// and what comes next in the caption bar, the line turns over when the
// programme ends, and a guide added as on the command line is read in the
// background with its progress and outcome in the status bar.
#include "app/guide_window.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "guide/guide_import.h"
#include "guide/guide_store.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/status_bar.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/gfx/png_file.h"
#include "platform/loop/event_loop.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"
#include "tests/net/test_servers.h"
#include "tests/support/files.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace pellamo {
namespace {

int64_t UnixNow()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string XmltvTime(int64_t t)
{
    std::time_t time = static_cast<std::time_t>(t);
    std::tm utc {};
    gmtime_r(&time, &utc);
    char text[64];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S +0000", &utc);
    return text;
}

std::string Clock(int64_t t)
{
    std::time_t time = static_cast<std::time_t>(t);
    std::tm local {};
    localtime_r(&time, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M", &local);
    return text;
}

std::string Programme(const char* channel, int64_t start, int64_t stop, const char* title)
{
    return "<programme start=\"" + XmltvTime(start) + "\" stop=\"" + XmltvTime(stop) + "\" channel=\"" + channel
        + "\"><title>" + title + "</title></programme>\n";
}

class GuideCaptionTest : public ::testing::Test {
protected:
    GuideCaptionTest()
    {
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        setenv("XDG_CACHE_HOME", (config.Path() + "/cache").c_str(), 1);
        std::filesystem::create_directories(config.Path() + "/pellamo/playlists");
        std::ofstream(config.Path() + "/pellamo/playlists/tv.m3u")
            << "#EXTM3U\n#EXTINF:-1 tvg-id=\"cctv1.cn\",中央一台\nhttp://live.example/cctv1\n"
               "#EXTINF:-1,湖南卫视\nhttp://live.example/hunan\n";
    }
    ~GuideCaptionTest() override
    {
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_CACHE_HOME");
    }

    void Open()
    {
        windows = CreatePellamoWindows(app);
        windows.main->Show();
        Pump();
    }
    void Pump() { test::Pump(EventLoop::Main()); }
    TCustomTreeView& Tree() { return *dynamic_cast<TCustomTreeView*>(windows.main->FindComponent("TreeView3")); }
    void Select(const char* utf8)
    {
        for (TTreeNode* n = Tree().Items().GetFirstNode(); n; n = n->GetNext())
            if (n->Text() == Utf8ToGbk(utf8)) {
                Tree().SetSelected(n);
                Pump();
                return;
            }
        ADD_FAILURE() << "no node " << utf8;
    }
    std::string Caption()
    {
        return GbkToUtf8(dynamic_cast<TControl*>(windows.main->FindComponent("suiPanel1"))->Caption());
    }
    std::string Status()
    {
        return GbkToUtf8(dynamic_cast<TCustomStatusBar*>(windows.main->FindComponent("suiStatusBar1"))->SimpleText());
    }
    void WritePlaylist(const std::string& text) { std::ofstream(config.Path() + "/pellamo/playlists/tv.m3u") << text; }
    // Puts a guide into the database the window reads, as a refresh would.
    void StoreGuide(const std::string& body)
    {
        GuideStore store(GuideStore::DefaultFile());
        ImportGuideFile(store, "http://epg.example/guide.xml", files.Write("g.xml", "<tv>" + body + "</tv>"),
            { UnixNow(), {}, {} });
    }

    test::TempDir config;
    test::TempDir files;
    HeadlessBackend screen;
    TApplication app { screen };
    PellamoWindows windows;
};

TEST_F(GuideCaptionTest, TheCaptionShowsNowAndNextAndTurnsOverWhenTheProgrammeEnds)
{
    const int64_t now = UnixNow();
    const int64_t turn = now + 3;
    StoreGuide("<channel id=\"cctv1.cn\"><display-name>CCTV-1</display-name></channel>"
        + Programme("cctv1.cn", now - 600, turn, "新闻联播") + Programme("cctv1.cn", turn, turn + 1800, "焦点访谈")
        + Programme("cctv1.cn", turn + 1800, turn + 3600, "电视剧"));
    Open();
    Select("中央一台");
    EXPECT_NE(Caption().find("中央一台 — 新闻联播 " + Clock(now - 600) + "–" + Clock(turn) + " · 下一个: 焦点访谈"),
        std::string::npos)
        << Caption();

    // No guide names this one: the caption is the channel alone.
    Select("湖南卫视");
    EXPECT_EQ(Caption().find(" — "), std::string::npos) << Caption();

    Select("中央一台");
    // The timer set for the programme's end turns the line over.
    EventLoop::Main().WaitUntil(
        [&] { return Caption().find("— 焦点访谈") != std::string::npos; }, std::chrono::seconds(10));
    EXPECT_NE(
        Caption().find("— 焦点访谈 " + Clock(turn) + "–" + Clock(turn + 1800) + " · 下一个: 电视剧"), std::string::npos)
        << Caption();
}

TEST_F(GuideCaptionTest, AGuideAddedFromAFileIsReadInTheBackgroundAndKept)
{
    Open();
    Select("中央一台");
    EXPECT_EQ(Caption().find(" — "), std::string::npos);
    const int64_t now = UnixNow();
    // Matched by name this time: the guide knows no tvg-id of the list.
    const std::string guide = files.Write("epg.xml",
        "<tv><channel id=\"x\"><display-name>中央 一台</display-name></channel>"
            + Programme("x", now - 60, now + 3600, "早间新闻") + Programme("x", now + 3600, now + 7200, "午间新闻")
            + "</tv>");
    windows.main->AddGuides({ guide });
    EXPECT_NE(Status().find("节目指南"), std::string::npos) << Status();
    EventLoop::Main().WaitUntil([&] { return !windows.main->Guide().Busy(); }, std::chrono::seconds(30));
    EXPECT_EQ(Status(), "节目指南：1 个频道，2 个节目");
    EXPECT_NE(Caption().find("中央一台 — 早间新闻"), std::string::npos) << Caption();
    EXPECT_EQ(test::ReadFile(config.Path() + "/pellamo/guides.txt"), guide + "\n");
    EXPECT_TRUE(std::filesystem::exists(guide)); // the viewer's own file is left alone

    // A broken guide keeps what was there and says why.
    std::ofstream(guide) << "<tv><programme";
    windows.main->Guide().RefreshAll();
    EventLoop::Main().WaitUntil([&] { return !windows.main->Guide().Busy(); }, std::chrono::seconds(30));
    EXPECT_NE(Status().find("节目指南未更新"), std::string::npos) << Status();
    EXPECT_NE(Status().find("cut short"), std::string::npos) << Status();
    EXPECT_NE(Caption().find("早间新闻"), std::string::npos) << Caption();
}

TEST_F(GuideCaptionTest, TheGuideWindowListsTheDayAndMovesBetweenDays)
{
    const int64_t now = UnixNow();
    // Today's evening around now, one programme tomorrow, one yesterday.
    StoreGuide("<channel id=\"cctv1.cn\"><display-name>CCTV-1</display-name></channel>"
        + Programme("cctv1.cn", now - 86400 + 3600, now - 86400 + 5400, "昨天的节目")
        + Programme("cctv1.cn", now - 1800, now + 1800,
            "新闻联播</title><sub-title>第1集</sub-title><desc>今天的主要新闻。</desc><title>x")
        + Programme("cctv1.cn", now + 1800, now + 3600, "焦点访谈")
        + Programme("cctv1.cn", now + 3600, now + 5400, "天气预报")
        + Programme("cctv1.cn", now + 5400, now + 9000, "电视剧")
        + Programme("cctv1.cn", now + 9000, now + 10800, "纪录片")
        + Programme("cctv1.cn", now + 10800, now + 12600, "晚间新闻")
        + Programme("cctv1.cn", now + 86400, now + 86400 + 1800, "明天的节目"));
    Open();

    // Without a channel there is nothing to show: the status bar says so.
    windows.main->GuideWindow1Click(nullptr);
    EXPECT_EQ(Status(), "节目指南：请先选择一个频道");
    Select("湖南卫视");
    windows.main->GuideWindow1Click(nullptr);
    EXPECT_EQ(Status(), "节目指南：没有这个频道的节目信息");

    Select("中央一台");
    bool inspected = false;
    EventLoop::Main().Post([&] {
        auto* form = dynamic_cast<TGuideForm*>(windows.main->FindComponent("GuideForm"));
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->Visible() && form->Modal());
        // Today, the running programme selected and told below.
        EXPECT_EQ(form->Day(), 0);
        EXPECT_NE(form->DayText().find("（今天）"), std::string::npos) << form->DayText();
        ASSERT_GE(form->SelectedIndex(), 0);
        EXPECT_EQ(form->Entries()[static_cast<size_t>(form->SelectedIndex())].title, "新闻联播");
        EXPECT_EQ(form->DescriptionText(),
            "新闻联播 · 第1集  " + Clock(now - 1800) + "–" + Clock(now + 1800) + "\n今天的主要新闻。");
        if (const char* shot = std::getenv("PELLAMO_GUIDE_SCREENSHOT"))
            WritePngFile(screen.Screenshot().Crop(app.Windows().GetWindowRect(form->Handle())), shot);

        // Right and Page Down go forward a day, Left and Page Up back.
        UINT key = VK_RIGHT;
        form->ProgrammeListKeyDown(nullptr, key, {});
        EXPECT_EQ(form->Day(), 1);
        bool tomorrow = false;
        for (const GuideEntry& e : form->Entries())
            tomorrow = tomorrow || e.title == "明天的节目";
        EXPECT_TRUE(tomorrow);
        key = VK_PRIOR;
        form->ProgrammeListKeyDown(nullptr, key, {});
        key = VK_LEFT;
        form->ProgrammeListKeyDown(nullptr, key, {});
        EXPECT_EQ(form->Day(), -1);
        EXPECT_EQ(form->Entries().back().title, "昨天的节目");
        form->ShowDay(30); // a day the guide does not reach
        EXPECT_TRUE(form->Entries().empty());
        EXPECT_EQ(form->DescriptionText(), "这一天没有节目信息。");

        // Enter on a programme that is over does nothing; on the running one
        // it closes the window and plays the channel.
        form->ShowDay(-1);
        key = VK_RETURN;
        form->ProgrammeListKeyDown(nullptr, key, {});
        EXPECT_TRUE(form->Visible());
        form->ShowDay(0);
        key = VK_RETURN;
        form->ProgrammeListKeyDown(nullptr, key, {});
        inspected = true;
    });
    windows.main->GuideWindow1Click(nullptr);
    EXPECT_TRUE(inspected);
    auto* form = dynamic_cast<TGuideForm*>(windows.main->FindComponent("GuideForm"));
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->Visible());
    EXPECT_NE(Caption().find("中央一台 — 新闻联播"), std::string::npos) << Caption();
}
std::string Reply(const std::string& status, const std::string& body)
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: application/gzip\r\nContent-Length: " + std::to_string(body.size())
        + "\r\nConnection: close\r\n\r\n" + body;
}

std::string Gzip(const std::string& text)
{
    test::TempDir dir;
    std::string plain = dir.Write("g", text);
    std::system(("gzip -n -q " + plain).c_str());
    return test::ReadFile(plain + ".gz");
}

// A playlist's url-tvg: the guide is downloaded into the cache folder,
// imported, and the downloaded copy removed; a failed download says why
// in the status bar and keeps the guide that was.
TEST_F(GuideCaptionTest, APlaylistsGuideIsDownloadedAndAFailedRefreshKeepsIt)
{
    const int64_t now = UnixNow();
    const std::string guide = Gzip("<tv><channel id=\"cctv1.cn\"><display-name>CCTV-1</display-name></channel>"
        + Programme("cctv1.cn", now - 60, now + 3600, "新闻联播") + "</tv>");
    test::ScriptedServer server({ { test::Send(Reply("200 OK", guide)) }, { test::Send(Reply("404 Not Found", "")) } });
    const std::string address = "http://127.0.0.1:" + std::to_string(server.Port()) + "/guide.xml";
    WritePlaylist(
        "#EXTM3U x-tvg-url=\"" + address + "\"\n#EXTINF:-1 tvg-id=\"cctv1.cn\",中央一台\nhttp://live.example/1\n");
    Open();
    EventLoop::Main().WaitUntil(
        [&] {
            return Status().find("节目指南：") != std::string::npos || Status().find("未更新") != std::string::npos;
        },
        std::chrono::seconds(30));
    EXPECT_EQ(Status(), "节目指南：1 个频道，1 个节目");
    Select("中央一台");
    EXPECT_NE(Caption().find("— 新闻联播"), std::string::npos) << Caption();
    auto downloads = [&] {
        int count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(config.Path() + "/cache/pellamo"))
            count += entry.path().filename().string().rfind("guide-download-", 0) == 0;
        return count;
    };
    EXPECT_EQ(downloads(), 0);

    windows.main->Guide().RefreshAll();
    EventLoop::Main().WaitUntil([&] { return !windows.main->Guide().Busy(); }, std::chrono::seconds(30));
    EXPECT_EQ(Status(), "节目指南未更新（" + address + "）：the server answered HTTP 404");
    EXPECT_NE(Caption().find("— 新闻联播"), std::string::npos) << Caption();
    EXPECT_EQ(downloads(), 0);
}
}
}
