#include "catalogue/builtin_catalogue.h"
#include "catalogue/tuning.h"
#include "platform/base/scope_exit.h"
#include "platform/text/gbk.h"
#include "player/player_host.h"
#include "tests/player/recording_players.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace pellamo;

namespace {

std::string G(const std::string& utf8) { return Utf8ToGbk(utf8); }

using Log = PlayerLog;

class CaptionRecorder : public SelectionCaption {
public:
    void SetCaption(const std::string& gbkText) override { captions.push_back(GbkToUtf8(gbkText)); }
    std::vector<std::string> captions;
};

// A page source standing in for the HTTP client. Like the real one it runs
// the message loop while it waits: events queued for the n-th Get are
// delivered inside it, so they re-enter the tuning handlers.
class FakePages : public PageSource {
public:
    struct Reply {
        std::string body;
        bool ignoresCancel = false; // finishes the transfer although cancelled
    };

    std::string Get(const std::string& url) override
    {
        requests.push_back(GbkToUtf8(url));
        ++active_;
        maxActive = std::max(maxActive, active_);
        cancelled_ = false;
        ScopeExit leave([this] { --active_; });

        size_t index = requests.size() - 1;
        if (index < duringGet.size()) {
            for (const std::function<void()>& event : duringGet[index])
                event();
        }
        auto reply = replies.find(url);
        if (cancelled_ && (reply == replies.end() || !reply->second.ignoresCancel))
            throw std::runtime_error("Socket readln aborted");
        if (reply == replies.end())
            throw std::runtime_error("Null Remote Address");
        return reply->second.body;
    }

    void Cancel() override
    {
        EXPECT_GT(active_, 0) << "cancel without a running fetch";
        ++cancels;
        cancelled_ = true;
    }

    std::map<std::string, Reply> replies; // by GBK address
    std::vector<std::vector<std::function<void()>>> duringGet;
    std::vector<std::string> requests; // UTF-8 addresses
    int maxActive = 0;
    int cancels = 0;

private:
    int active_ = 0;
    bool cancelled_ = false;
};

const std::string kGz8 = "http://www.gztv.example/live_video.jsp?id=8";
const std::string kSctv1 = "http://www.sctv.example/live/index.asp?tvnum=sctv1&channelID=1&ChannelNum=4";
const std::string kFm955 = "http://www.sctv.example/live/index.asp?tvnum=fm955&channelID=0&ChannelNum=6";
const std::string kDfMovie = "http://www.dfmovie.example/ds/player.asp?id=104";
const std::string kCctv1 = "http://live.cctv.example:8080/cctv1";

// An address of exactly `length` bytes.
std::string Address(const std::string& head, size_t length) { return head + std::string(length - head.size(), 'z'); }

// A page of `size` bytes with `address` placed at the 1-based byte `start`.
std::string PageWith(const std::string& address, size_t start, size_t size)
{
    std::string page(size, '.');
    page.replace(start - 1, std::min(address.size(), size - (start - 1)), address.substr(0, size - (start - 1)));
    return page;
}

const std::string kGzAddress = Address("mms://live.gztv.example/" + G("新闻") + "/", 77);
const std::string kScAddress = Address("mms://live.sctv.example/sctv1/", 56);
const std::string kFmAddress = Address("mms://live.sctv.example/fm955/", 55);

Log PlayedStream(const std::string& utf8)
{
    return { "real hidden", "media shown", "real source ", "media url " + utf8 };
}

Log PlayedReal(const std::string& utf8)
{
    return { "media hidden", "real shown", "media url ", "real source " + utf8 };
}

enum class Half { Television, Radio, MyChannels };

struct TuningTest : ::testing::Test {
    TuningTest()
    {
        pages.replies[kGz8] = { PageWith(kGzAddress, 1043, 2000) };
        pages.replies[kSctv1] = { PageWith(kScAddress, 4446, 6000) };
    }

    void Select(Half half, const std::optional<std::string>& utf8Name)
    {
        std::optional<std::string> name;
        if (utf8Name)
            name = G(*utf8Name);
        if (half == Half::Television)
            tuning.TelevisionChanged(name);
        else
            tuning.RadioChanged(name);
    }

    FakePages pages;
    CaptionRecorder caption;
    Log log;
    MediaRecorder media { log };
    RealRecorder real { log };
    PlayerHost host { media, real };
    Tuning tuning { TelevisionTable(), RadioTable(), pages, caption, host };
};

TEST_F(TuningTest, StartsWithTheHiddenControlsInitialTexts)
{
    EXPECT_EQ(tuning.Edit1(), "Edit1");
    EXPECT_EQ(tuning.Edit2(), "Edit2");
    EXPECT_EQ(tuning.Memo1(), "Memo1");
}

TEST_F(TuningTest, TurnsASelectionIntoAPlayCommand)
{
    struct Case {
        const char* what;
        Half half;
        std::string name;
        std::optional<std::string> page; // reply to the row's page address, if it has one
        std::string edit1;
        std::string edit2; // UTF-8
        std::string memo1; // GBK
        Log played;
    };
    std::string gbkFill;
    for (int i = 0; i < 2222; ++i)
        gbkFill += G("频");
    std::string nulPage = PageWith(kScAddress, 4446, 6000);
    nulPage[99] = '\0';
    const Case cases[] = {
        { "category", Half::Television, "港澳地区", {}, "", "", "Memo1", {} },
        { "node without a row", Half::Television, "有线新知", {}, "", "", "Memo1", {} },
        { "row without an address", Half::Television, "江苏卫视", {}, "", "", "Memo1", {} },
        { "direct stream", Half::Television, "CCTV-1", {}, "", kCctv1, "Memo1", PlayedStream(kCctv1) },
        { "Real stream", Half::Radio, "中央一套", {}, "", "", "Memo1", PlayedReal("rtsp://real.cnr.example/cnr1.rm") },
        { "bare scheme", Half::Radio, "广东金曲台", {}, "", "mms", "Memo1", PlayedStream("mms") },
        { "radio category", Half::Radio, "港澳", {}, "", "", "Memo1", {} },
        { "page with GBK in the address", Half::Television, "广州新闻", PageWith(kGzAddress, 1043, 2000), kGz8,
            GbkToUtf8(kGzAddress), PageWith(kGzAddress, 1043, 2000), PlayedStream(GbkToUtf8(kGzAddress)) },
        { "page shorter than the start", Half::Television, "四川卫视", std::string(4000, '.'), kSctv1, "",
            std::string(4000, '.'), {} },
        { "page ending inside the cut", Half::Television, "四川卫视", PageWith(kScAddress, 4446, 4470), kSctv1,
            kScAddress.substr(0, 25), PageWith(kScAddress, 4446, 4470), PlayedStream(kScAddress.substr(0, 25)) },
        { "page ending exactly at the cut's end", Half::Television, "四川卫视", PageWith(kScAddress, 4446, 4501),
            kSctv1, kScAddress, PageWith(kScAddress, 4446, 4501), PlayedStream(kScAddress) },
        { "NUL before the cut", Half::Television, "四川卫视", nulPage, kSctv1, "", nulPage.substr(0, 99), {} },
        { "GBK text before the cut", Half::Television, "四川卫视", gbkFill + "." + kScAddress + "tail", kSctv1,
            kScAddress, gbkFill + "." + kScAddress + "tail", PlayedStream(kScAddress) },
        { "FM row's own cut", Half::Television, "四川FM95.5", PageWith(kFmAddress, 4445, 5000), kFm955, kFmAddress,
            PageWith(kFmAddress, 4445, 5000), PlayedStream(kFmAddress) },
        { "page without a cut", Half::Television, "东方电影", std::string("<html>movie</html>"), kDfMovie, "",
            "<html>movie</html>", {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePages source;
        if (c.page)
            source.replies[G(c.edit1)] = { *c.page };
        CaptionRecorder captions;
        Log played;
        MediaRecorder mediaControl(played);
        RealRecorder realControl(played);
        PlayerHost player(mediaControl, realControl);
        Tuning run(TelevisionTable(), RadioTable(), source, captions, player);
        if (c.half == Half::Television)
            run.TelevisionChanged(G(c.name));
        else
            run.RadioChanged(G(c.name));

        std::string prefix = c.half == Half::Television ? "网络电视->" : "网络电台->";
        EXPECT_EQ(captions.captions, std::vector<std::string> { prefix + c.name });
        EXPECT_EQ(GbkToUtf8(run.Edit1()), c.edit1);
        EXPECT_EQ(GbkToUtf8(run.Edit2()), c.edit2);
        EXPECT_EQ(run.Memo1(), c.memo1);
        EXPECT_EQ(played, c.played);
        EXPECT_EQ(source.requests, c.page ? std::vector<std::string> { c.edit1 } : std::vector<std::string> {});
    }
}

TEST_F(TuningTest, FetchFailureLeavesThePreviousPlaybackAndDiagnostics)
{
    Select(Half::Television, "CCTV-1");
    Select(Half::Television, "四川卫视");
    Log before = log;
    std::string memo = tuning.Memo1();
    pages.replies.erase(kSctv1); // the host no longer resolves

    try {
        Select(Half::Television, "四川卫视");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Null Remote Address");
    }
    EXPECT_EQ(caption.captions.back(), "网络电视->四川卫视");
    EXPECT_EQ(tuning.Edit1(), kSctv1);
    EXPECT_EQ(tuning.Edit2(), kScAddress);
    EXPECT_EQ(tuning.Memo1(), memo);
    EXPECT_EQ(log, before);
    EXPECT_EQ(pages.cancels, 0);

    // The failure leaves nothing behind: the next selection tunes normally.
    Select(Half::Television, "CCTV-1");
    EXPECT_EQ(log.back(), "media url " + kCctv1);
}

// When a row sets both a stream and a Real source, the Real player is told last
// and ends up shown.
TEST(TuningBothSteps, RealStepRunsLast)
{
    ChannelTable both({ ChannelEntry::Stream("x", "mms://s"), ChannelEntry::Real("x", u"rtsp://r") });
    FakePages pages;
    CaptionRecorder caption;
    Log log;
    MediaRecorder media(log);
    RealRecorder real(log);
    PlayerHost host(media, real);
    Tuning tuning(both, both, pages, caption, host);
    tuning.RadioChanged("x");
    Log expected = PlayedStream("mms://s");
    for (const std::string& step : PlayedReal("rtsp://r"))
        expected.push_back(step);
    EXPECT_EQ(log, expected);
}

// My channels carry their address: a channel plays like a direct row, a
// playlist or group node is a category, and a fetch never happens.
TEST_F(TuningTest, MyChannelsPlayTheirOwnAddress)
{
    struct Case {
        const char* name;
        std::string address; // UTF-8
        Log played;
    } cases[] = {
        { "凤凰中文", "rtsp://live.example/" + std::string("频道"), PlayedStream("rtsp://live.example/频道") },
        { "新闻", "", {} }, { "CCTV-1", "", {} }, // a group named like a catalogue channel is still a group
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.clear();
        tuning.MyChannelChanged(G(c.name), G(c.address));
        EXPECT_EQ(caption.captions.back(), std::string("我的频道->") + c.name);
        EXPECT_EQ(tuning.Edit1(), "");
        EXPECT_EQ(GbkToUtf8(tuning.Edit2()), c.address);
        EXPECT_EQ(log, c.played);
    }
    tuning.MyChannelChanged(std::nullopt, "http://x.example/");
    EXPECT_EQ(caption.captions.size(), 3u);
    EXPECT_TRUE(pages.requests.empty());
}

TEST_F(TuningTest, NoSelectedNodeDoesNothing)
{
    Select(Half::Television, std::nullopt);
    Select(Half::Radio, std::nullopt);
    EXPECT_TRUE(caption.captions.empty());
    EXPECT_EQ(tuning.Edit1(), "Edit1");
    EXPECT_TRUE(log.empty());
}

// Selections made while a page is being fetched: the newest one wins, the
// superseded fetch is cancelled without an error, and the client never
// carries two transactions.
TEST_F(TuningTest, NewestSelectionWinsDuringAFetch)
{
    struct Choice {
        Half half;
        std::optional<std::string> name;
        std::string address = {}; // of my channels
    };
    struct Case {
        const char* what;
        std::vector<std::vector<Choice>> duringGet; // selections made inside the n-th fetch
        bool firstFetchIgnoresCancel;
        std::vector<std::string> requests;
        std::vector<std::string> captions;
        Log played;
        std::string memo; // "Memo1" (untouched), or the page of "gz" or "sc"
        std::string error; // thrown out of the first selection, if any
        int cancels; // fetches asked to end
    };
    const Case cases[] = {
        { "direct row", { { { Half::Television, "CCTV-1" } } }, false, { kGz8 },
            { "网络电视->广州新闻", "网络电视->CCTV-1" }, PlayedStream(kCctv1), "Memo1", "", 1 },
        { "page row", { { { Half::Television, "四川卫视" } } }, false, { kGz8, kSctv1 },
            { "网络电视->广州新闻", "网络电视->四川卫视" }, PlayedStream(kScAddress), "sc", "", 1 },
        { "the same page again", { { { Half::Television, "广州新闻" } } }, false, { kGz8, kGz8 },
            { "网络电视->广州新闻", "网络电视->广州新闻" }, PlayedStream(GbkToUtf8(kGzAddress)), "gz", "", 1 },
        { "several in one fetch: only the last",
            { { { Half::Television, "CCTV-1" }, { Half::Radio, "中央一套" }, { Half::Television, "四川卫视" } } },
            false, { kGz8, kSctv1 }, { "网络电视->广州新闻", "网络电视->四川卫视" }, PlayedStream(kScAddress), "sc", "",
            1 },
        { "radio during a television fetch", { { { Half::Radio, "中央一套" } } }, false, { kGz8 },
            { "网络电视->广州新闻", "网络电台->中央一套" }, PlayedReal("rtsp://real.cnr.example/cnr1.rm"), "Memo1", "",
            1 },
        { "a cancelled fetch that still delivers its page", { { { Half::Television, "CCTV-1" } } }, true, { kGz8 },
            { "网络电视->广州新闻", "网络电视->CCTV-1" }, PlayedStream(kCctv1), "Memo1", "", 1 },
        { "a selection inside the newer run's fetch",
            { { { Half::Television, "四川卫视" } }, { { Half::Television, "CCTV-1" } } }, false, { kGz8, kSctv1 },
            { "网络电视->广州新闻", "网络电视->四川卫视", "网络电视->CCTV-1" }, PlayedStream(kCctv1), "Memo1", "", 2 },
        { "no selected node", { { { Half::Television, std::nullopt } } }, false, { kGz8 }, { "网络电视->广州新闻" },
            PlayedStream(GbkToUtf8(kGzAddress)), "gz", "", 0 },
        { "the newest fetch fails", { { { Half::Television, "东方电影" } } }, false, { kGz8, kDfMovie },
            { "网络电视->广州新闻", "网络电视->东方电影" }, {}, "Memo1", "Null Remote Address", 1 },
        { "one of my channels during a television fetch",
            { { { Half::MyChannels, "Mine", "http://mine.example/live" } } }, false, { kGz8 },
            { "网络电视->广州新闻", "我的频道->Mine" }, PlayedStream("http://mine.example/live"), "Memo1", "", 1 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePages source;
        source.replies[kGz8] = { PageWith(kGzAddress, 1043, 2000), c.firstFetchIgnoresCancel };
        source.replies[kSctv1] = { PageWith(kScAddress, 4446, 6000) };
        CaptionRecorder captions;
        Log played;
        MediaRecorder mediaControl(played);
        RealRecorder realControl(played);
        PlayerHost player(mediaControl, realControl);
        Tuning run(TelevisionTable(), RadioTable(), source, captions, player);
        for (const std::vector<Choice>& events : c.duringGet) {
            std::vector<std::function<void()>>& queued = source.duringGet.emplace_back();
            for (const Choice& choice : events) {
                queued.push_back([&run, choice] {
                    std::optional<std::string> name;
                    if (choice.name)
                        name = G(*choice.name);
                    if (choice.half == Half::Television)
                        run.TelevisionChanged(name);
                    else if (choice.half == Half::Radio)
                        run.RadioChanged(name);
                    else
                        run.MyChannelChanged(name, choice.address);
                });
            }
        }

        std::string error;
        try {
            run.TelevisionChanged(G("广州新闻"));
        } catch (const std::exception& e) {
            error = e.what();
        }
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(source.requests, c.requests);
        EXPECT_EQ(source.maxActive, 1);
        EXPECT_EQ(source.cancels, c.cancels);
        EXPECT_EQ(captions.captions, c.captions);
        EXPECT_EQ(played, c.played);
        // A superseded run writes nothing after its fetch.
        std::string memo = c.memo == "gz" ? PageWith(kGzAddress, 1043, 2000)
            : c.memo == "sc"              ? PageWith(kScAddress, 4446, 6000)
                                          : c.memo;
        EXPECT_EQ(run.Memo1(), memo);

        // Whatever happened, the next selection tunes normally.
        run.TelevisionChanged("CCTV-1");
        EXPECT_EQ(played.back(), "media url " + kCctv1);
        EXPECT_EQ(captions.captions.back(), "网络电视->CCTV-1");
    }
}

}
