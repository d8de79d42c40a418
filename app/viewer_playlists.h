#pragma once

#include "app/open_target.h"
#include "catalogue/my_channels.h"
#include "catalogue/playlist_store.h"
#include "net/web_download.h"
#include "viewer/channel_ref.h"
#include "viewer/favourites.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace pellamo {

// The viewer's own channels as the main window works with them: the store
// on disk, the tree built from it, and the ways in (files, web addresses,
// streams to play, addresses to keep). The store is read again after every
// change, so the tree always shows what the files hold. Web playlists are
// downloaded in the background; the status tells how far they are.
class ViewerPlaylists {
public:
    // What the window does for it.
    class Host {
    public:
        virtual ~Host() = default;
        // The tree must be filled again; `added` names a playlist just added (else empty).
        virtual void PlaylistsChanged(const std::string& added) = 0;
        // Progress and outcomes for the status bar (UTF-8).
        virtual void ShowStatus(const std::string& text) = 0;
        // A failure for the viewer to read (UTF-8, English like every error text).
        virtual void ShowError(const std::string& text) = 0;
        // Plays a stream address (UTF-8) under a name (UTF-8).
        virtual void Play(const std::string& name, const std::string& address) = 0;
    };

    // The favourites, shown as the first playlist; "save" adds addresses to them.
    static constexpr const char* kSavedAddresses = "收藏";

    ViewerPlaylists(Host& host, PlaylistStore store, WebDownload::Limits limits = {});

    // Reads the store again; `announce` puts a summary in the status bar.
    void Reload(bool announce = false);
    const MyChannels& Channels() const { return channels_; }
    const PlaylistStore& Store() const { return store_; }

    // Adds a playlist file, downloads a playlist, or plays a stream.
    void Open(const OpenTarget& target);
    // Keeps a stream address (UTF-8) among the favourites and plays it.
    void SaveAndPlay(const std::string& address, const std::string& name);

    // The favourites: any channel of any tree, shown first (while there are
    // any) as the playlist kSavedAddresses, kept in the playlists folder.
    bool IsFavourite(const ChannelRef& channel) const { return favourites_.Contains(channel); }
    // Adds or removes a favourite; the status says which.
    void ToggleFavourite(const ChannelRef& channel);
    // Whether playlist `index` of Channels().Playlists() is the favourites
    // (which cannot be refreshed or removed as a whole).
    bool IsFavourites(size_t index) const { return favourites_shown_ && index == 0; }
    // The channel a row of Channels().Rows() stands for; none for playlists and groups.
    std::optional<ChannelRef> ChannelAt(size_t row) const;
    // Removes playlist `index` of Channels().Playlists().
    void Remove(size_t index);
    // Downloads playlist `index` again from where it came from.
    bool CanRefresh(size_t index) const;
    void Refresh(size_t index);

    bool Downloading(const std::string& address) const { return downloads_.count(address) != 0; }

private:
    void AddFile(const std::string& path);
    void Download(const std::string& address);
    void Downloaded(const std::string& address, WebDownload::Result result);
    // Stores bytes from `source`; an HLS stream is played instead.
    void Keep(const std::string& source, const std::string& bytes);

    // The store's playlists with the favourites in front; the old
    // saved-address playlist becomes favourites the first time it is seen.
    std::vector<StoredPlaylist> Gather();
    void Show(const std::string& added);

    Host& host_;
    PlaylistStore store_;
    pellamo::Favourites favourites_;
    bool favourites_shown_ = false;
    MyChannels channels_;
    WebDownload::Limits limits_;
    std::unique_ptr<WebDownload> web_; // started with the first download
    std::map<std::string, WebDownload::Id> downloads_;
};

}
