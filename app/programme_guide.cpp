#include "app/programme_guide.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace pellamo {

namespace {

int64_t UnixNow()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

bool IsWebAddress(const std::string& source)
{
    auto starts = [&](const char* prefix) {
        size_t n = std::char_traits<char>::length(prefix);
        return source.size() >= n
            && std::equal(prefix, prefix + n, source.begin(), [](char a, char b) { return a == std::tolower(b); });
    };
    return starts("http://") || starts("https://");
}

std::string ClockText(int64_t when)
{
    std::time_t t = static_cast<std::time_t>(when);
    std::tm local {};
    localtime_r(&t, &local);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", local.tm_hour % 100, local.tm_min % 100);
    return text;
}

std::string Megabytes(uint64_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

}

ProgrammeGuide::ProgrammeGuide(EventLoop& loop, Host& host, std::filesystem::path database,
    std::filesystem::path own_guides, WebDownload::Limits limits)
    : loop_(loop)
    , host_(host)
    , database_(std::move(database))
    , own_file_(std::move(own_guides))
    , limits_(std::move(limits))
    , view_(database_)
{
    // Downloads a crash left behind; a day old, so another instance's
    // download under way is left alone.
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(database_.parent_path(), error)) {
        std::error_code ignored;
        if (entry.path().filename().string().rfind("guide-download-", 0) == 0
            && entry.last_write_time(ignored) < std::filesystem::file_time_type::clock::now() - std::chrono::hours(24))
            std::filesystem::remove(entry.path(), ignored);
    }
    std::ifstream in(own_file_);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && std::find(own_.begin(), own_.end(), line) == own_.end())
            own_.push_back(line);
    refresh_timer_ = loop_.StartTimer(
        std::chrono::duration_cast<std::chrono::milliseconds>(kRefreshEvery), [this] { RefreshAll(); });
    if (!own_.empty()) {
        loop_.Post([this, alive = std::weak_ptr<bool>(alive_)] {
            if (alive.expired())
                return;
            for (const std::string& source : own_)
                if (UnixNow() - view_.Refreshed(source) > std::chrono::seconds(kRefreshEvery).count())
                    Refresh(source);
        });
    }
}

ProgrammeGuide::~ProgrammeGuide()
{
    *alive_ = false;
    loop_.StopTimer(refresh_timer_);
    web_.reset();
    worker_.reset();
}

std::filesystem::path ProgrammeGuide::DefaultOwnGuides()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = std::filesystem::path(home && home[0] ? home : "/tmp") / ".config";
    }
    return base / "pellamo" / "guides.txt";
}

std::vector<std::string> ProgrammeGuide::AllSources() const
{
    std::vector<std::string> all = playlist_guides_;
    for (const std::string& own : own_)
        if (std::find(all.begin(), all.end(), own) == all.end())
            all.push_back(own);
    return all;
}

void ProgrammeGuide::SetPlaylistGuides(const std::vector<std::string>& addresses)
{
    std::vector<std::string> fresh;
    for (const std::string& address : addresses)
        if (std::find(fresh.begin(), fresh.end(), address) == fresh.end())
            fresh.push_back(address);
    playlist_guides_ = fresh;
    const int64_t now = UnixNow();
    for (const std::string& address : fresh)
        if (now - view_.Refreshed(address) > std::chrono::seconds(kRefreshEvery).count())
            Refresh(address);
}

void ProgrammeGuide::AddGuide(const std::string& source)
{
    if (std::find(own_.begin(), own_.end(), source) == own_.end()) {
        own_.push_back(source);
        SaveOwnGuides();
    }
    Refresh(source);
}

void ProgrammeGuide::RefreshAll()
{
    if (AllSources().empty())
        host_.ShowStatus("节目指南：还没有节目指南（节目选择 → 节目指南…）");
    for (const std::string& source : AllSources())
        Refresh(source);
}

bool ProgrammeGuide::Busy() const { return !downloads_.empty() || !importing_.empty(); }

void ProgrammeGuide::SaveOwnGuides()
{
    // Written whole beside the old list and renamed over it: a crash or a
    // full disk leaves the old list.
    std::error_code ignored;
    std::filesystem::create_directories(own_file_.parent_path(), ignored);
    std::string text;
    for (const std::string& source : own_)
        text += source + "\n";
    std::filesystem::path temp = own_file_;
    temp += ".new";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0;
    for (size_t done = 0; ok && done < text.size();) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        ok = n > 0;
        done += ok ? static_cast<size_t>(n) : 0;
    }
    ok = ok && fsync(fd) == 0;
    if (fd >= 0)
        close(fd);
    if (!ok || std::rename(temp.c_str(), own_file_.c_str()) != 0) {
        std::filesystem::remove(temp, ignored);
        host_.ShowStatus("节目指南列表未能保存：" + own_file_.string());
    }
}

void ProgrammeGuide::Refresh(const std::string& source)
{
    if (downloads_.count(source) || importing_.count(source))
        return; // already under way
    if (!IsWebAddress(source)) {
        Import(source, source, false);
        return;
    }
    if (!web_)
        web_ = std::make_unique<WebDownload>(loop_, limits_);
    std::error_code ignored;
    std::filesystem::create_directories(database_.parent_path(), ignored);
    std::string file = (database_.parent_path() / "guide-download-XXXXXX").string();
    int fd = mkstemp(file.data());
    if (fd < 0) {
        host_.ShowStatus(
            "节目指南未更新：the cache folder " + database_.parent_path().string() + " cannot be written.");
        return;
    }
    close(fd);
    host_.ShowStatus("节目指南 下载中…");
    downloads_[source] = web_->StartToFile(
        source, file, kMaxDownload,
        [this, source](const WebDownload::Progress& p) {
            if (p.total > 0)
                host_.ShowStatus("节目指南 下载中 " + std::to_string(p.received * 100 / p.total) + "%…");
            else
                host_.ShowStatus("节目指南 下载中 " + Megabytes(p.received) + "…");
        },
        [this, source, file](WebDownload::Result result) {
            downloads_.erase(source);
            if (!result.ok) {
                host_.ShowStatus("节目指南未更新（" + source + "）：" + result.error);
                return;
            }
            Import(source, file, true);
        });
}

void ProgrammeGuide::Import(const std::string& source, const std::filesystem::path& file, bool remove_file)
{
    if (!worker_)
        worker_ = std::make_unique<GuideWorker>(loop_, database_);
    importing_[source] = true;
    host_.ShowStatus("节目指南 0%…");
    worker_->Import(
        source, file, remove_file,
        [this](int percent) { host_.ShowStatus("节目指南 " + std::to_string(percent) + "%…"); },
        [this](GuideWorker::Report report) { Imported(std::move(report)); });
}

void ProgrammeGuide::Imported(GuideWorker::Report report)
{
    importing_.erase(report.source);
    std::string text;
    if (report.ok) {
        text = "节目指南：" + std::to_string(report.counts.channels) + " 个频道，"
            + std::to_string(report.counts.programmes) + " 个节目";
        if (report.counts.skipped > 0)
            text += "（" + std::to_string(report.counts.skipped) + " 个无法使用）";
    } else {
        text = "节目指南未更新（" + report.source + "）：" + report.error;
    }
    if (!report.note.empty())
        text += " " + report.note;
    host_.ShowStatus(text);
    // A damaged file may have been set aside: the reader starts afresh.
    view_.Reopen();
    host_.GuideChanged();
}

std::string ProgrammeGuide::NowNextText(const GuideChannelQuery& channel, int64_t now)
{
    NowNext nn = view_.At(view_.FindChannel(channel), now);
    // Appended piece by piece: GCC 12 at -O3 warns wrongly about chains of +.
    std::string text;
    if (nn.now)
        text.append(nn.now->title)
            .append(" ")
            .append(ClockText(nn.now->start))
            .append("–")
            .append(ClockText(nn.now->stop));
    if (nn.next) {
        if (!text.empty())
            text.append(" · ");
        text.append("下一个: ").append(nn.next->title);
        if (!nn.now)
            text.append(" ").append(ClockText(nn.next->start));
    }
    return text;
}

std::optional<int64_t> ProgrammeGuide::NextChange(const GuideChannelQuery& channel, int64_t now)
{
    NowNext nn = view_.At(view_.FindChannel(channel), now);
    std::optional<int64_t> when;
    if (nn.now)
        when = nn.now->stop;
    if (nn.next && (!when || nn.next->start < *when))
        when = nn.next->start;
    return when;
}

}
