#pragma once

#include "guide/guide_view.h"
#include "guide/guide_worker.h"
#include "net/web_download.h"
#include "platform/loop/event_loop.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pellamo {

// The programme guide as the program runs it: the guides named by the
// viewer's playlists and the ones the viewer added, downloaded in the
// background (to a file in the cache folder, never whole in memory),
// imported by the guide's worker thread, refreshed every 12 hours; and
// the now/next line of a channel for the caption bar.
class ProgrammeGuide {
public:
    class Host {
    public:
        virtual ~Host() = default;
        // Progress and outcomes for the status bar (UTF-8).
        virtual void ShowStatus(const std::string& text) = 0;
        // The guide changed: now/next lines must be asked again.
        virtual void GuideChanged() = 0;
    };

    // `database`: the guide's SQLite file; `own_guides`: the list of guides
    // the viewer added, one per line.
    ProgrammeGuide(EventLoop& loop, Host& host, std::filesystem::path database, std::filesystem::path own_guides,
        WebDownload::Limits limits = {});
    ~ProgrammeGuide();

    // $XDG_CONFIG_HOME/pellamo/guides.txt (normally ~/.config/pellamo/guides.txt).
    static std::filesystem::path DefaultOwnGuides();

    // The guides the playlists name: each is refreshed when it never was or
    // its last refresh is more than 12 hours old.
    void SetPlaylistGuides(const std::vector<std::string>& addresses);
    // A guide the viewer adds (a file path or a web address): kept in the
    // list and read now.
    void AddGuide(const std::string& source);
    const std::vector<std::string>& OwnGuides() const { return own_; }
    // Every guide, now.
    void RefreshAll();
    bool Busy() const;

    // "新闻联播 19:00–19:30 · 下一个: 焦点访谈" for the channel at `now`
    // (seconds since 1970 UTC), in local time; empty when no guide has it.
    std::string NowNextText(const GuideChannelQuery& channel, int64_t now);
    // When that text will change: the end of the running programme or the
    // start of the next; nothing when the guide knows nothing ahead.
    std::optional<int64_t> NextChange(const GuideChannelQuery& channel, int64_t now);
    GuideView& View() { return view_; }

    static constexpr std::chrono::hours kRefreshEvery { 12 };
    static constexpr uint64_t kMaxDownload = uint64_t(512) << 20;

private:
    void Refresh(const std::string& source);
    void Import(const std::string& source, const std::filesystem::path& file, bool remove_file);
    void Imported(GuideWorker::Report report);
    void SaveOwnGuides();
    std::vector<std::string> AllSources() const;

    EventLoop& loop_;
    Host& host_;
    std::filesystem::path database_;
    std::filesystem::path own_file_;
    WebDownload::Limits limits_;
    GuideView view_;
    std::unique_ptr<GuideWorker> worker_;
    std::unique_ptr<WebDownload> web_; // made with the first download
    std::vector<std::string> playlist_guides_;
    std::vector<std::string> own_;
    std::map<std::string, WebDownload::Id> downloads_;
    std::map<std::string, bool> importing_;
    EventLoop::Id refresh_timer_ = 0;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
