#pragma once

#include "app/logo_loader.h"
#include "app/nm_http_component.h"
#include "app/page_fetch.h"
#include "app/player_options.h"
#include "app/programme_guide.h"
#include "app/viewer_playlists.h"
#include "catalogue/selection_caption.h"
#include "catalogue/tuning.h"
#include "chooser/open_file_dialog.h"
#include "platform/components/controls/form.h"
#include "platform/gfx/image_list.h"
#include "player/media_player_adapter.h"
#include "player/player_host.h"
#include "player/real_player_adapter.h"
#include "viewer/background_writer.h"
#include "viewer/channel_ref.h"
#include "viewer/channel_search.h"
#include "viewer/recent_channels.h"
#include "viewer/settings.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellamo {

class MprisService;
class PictureMenu;
class TAddressForm;
class TGuideForm;
class TCustomEdit;
class TImage;
class TCustomStatusBar;
class TCustomTreeView;
class TMenuItem;
class TPopupMenu;
class TTreeNode;

// The main window: the caption panel with the two player controls, the
// television and radio trees, the menu and the hidden diagnostic controls,
// all read from its description. Controls are reached by name through the
// most general class that does the job, so a window description dressed in
// skinned controls of the same kinds works with this code unchanged.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);
    // Reads `description` (the compiled-in one by default).
    TForm1(TComponent* owner, std::string_view description);
    ~TForm1() override;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The about window "关于我们" shows; start-up creates it after this one.
    void SetAboutWindow(TForm* about) { about_ = about; }
    // The look chosen at start: this window and the dialogs it opens later
    // are dressed in it.
    void SetLook(const PlayerLook& look);
    const PlayerLook& Look() const { return look_; }
    // The viewer's choice in the skin menu: every open window is dressed in
    // it at once and OnLookChosen is told. A theme file that cannot be used
    // is refused with a message, and the look stays.
    void ChooseLook(const PlayerLook& look);
    // Told each look the viewer chooses, to remember it.
    std::function<void(const PlayerLook&)> OnLookChosen;
    // Off: files are chosen in our own dialog, never the desktop portal's.
    void SetTryPortal(bool on) { try_portal_ = on; }

    // Event handlers named in the description.
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& can_close);
    void FormDestroy(TObject* sender);
    void FormResize(TObject* sender);
    void N2Click(TObject* sender);
    void N3Click(TObject* sender);
    void WindowsMediaPlayer91Click(TObject* sender);
    void RealPlayer1051Click(TObject* sender);
    void N10Click(TObject* sender);
    void N13Click(TObject* sender);
    void suitempTreeView1Change(TObject* sender, TTreeNode* node);
    void suitempTreeView2Change(TObject* sender, TTreeNode* node);

    // The viewer's own channels: the third tree, its menu commands and the
    // pop-up menu of a playlist's node.
    void MyChannels1Click(TObject* sender);
    void OpenPlaylist1Click(TObject* sender);
    void OpenAddress1Click(TObject* sender);
    void TreeView3Change(TObject* sender, TTreeNode* node);
    void TreeView3KeyDown(TObject* sender, UINT& key, TShiftState shift);
    void TreeView3MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void RefreshPlaylist1Click(TObject* sender);
    void RemovePlaylist1Click(TObject* sender);
    // Recording and pictures of what plays (the picture's pop-up menu has them too).
    void Record1Click(TObject* sender);
    void Screenshot1Click(TObject* sender);

    // The programme guide's commands: its window (Ctrl+G), adding a guide
    // and refreshing every guide now.
    void GuideWindow1Click(TObject* sender);
    void AddGuide1Click(TObject* sender);
    void RefreshGuides1Click(TObject* sender);
    // The skin menu: a built-in style (the item's Tag), a theme file, or
    // the look as designed.
    void SkinStyle1Click(TObject* sender);
    void SkinThemeFile1Click(TObject* sender);
    void SkinDesigned1Click(TObject* sender);

    // Opens what the command line or a drop names (UTF-8): playlist files
    // and web playlists are added, other addresses played.
    void OpenItems(const std::vector<std::string>& items, bool playlist_wanted = false);
    ViewerPlaylists& Playlists() { return *playlists_; }
    // Raises the window (restored if minimised) and gives it the focus: a
    // later start handed its words over, or the desktop asked.
    void ComeToFront();
    // Selects (and so plays) the next or previous channel of the tree shown.
    void StepChannel(int direction);

    // The programme guide: guides the viewer adds (`--guide`), and the
    // now/next line the caption bar shows after the channel's name.
    void AddGuides(const std::vector<std::string>& sources);
    ProgrammeGuide& Guide() { return *guide_; }

    // What the program remembers for the viewer: favourites, recent
    // channels, the channel watched last, volume and window position.
    void FindChannel1Click(TObject* sender);
    void Favourite1Click(TObject* sender);
    void FavouriteChannel1Click(TObject* sender);
    // Plays the channel watched last (start-up calls it unless the viewer
    // said --no-resume or turned it off in the settings).
    void ResumeLastChannel();
    // Puts the window where the viewer left it, when that is on the screen.
    void RestorePlacement();
    // Writes volume, mute and window position to the settings.
    void SaveState();
    // Keeps the look chosen in the skin menu for the next start.
    void RememberLook(const PlayerLook& look);
    Settings& ViewerSettings() { return settings_; }
    // No logo waiting, downloading or decoding (for tests).
    bool LogosIdle() const { return !logos_ || logos_->Idle(); }
    const TImage* CaptionLogoImage() const { return caption_logo_; }
    // Waits until the settings and recent channels are on the disk (they
    // are written on a thread of their own).
    void FlushWrites() { writer_->Flush(); }
    const RecentChannels& Recent() const { return recent_; }
    // The channel search over the tree area.
    bool Searching() const;
    void OpenSearch();
    void CloseSearch();

    // The diagnostic controls' texts, as tuning left them.
    std::string Edit1Text() const;
    std::string Edit2Text() const;
    std::string Memo1Text() const;

protected:
    void WndProc(TMessage& message) override;

private:
    class PanelCaption;
    class PlaylistsHost;
    class GuideHost;

    void RegisterHandlers();
    void Bind();
    // The viewer is about to pick a channel: the player engine starts
    // loading in the background, so that the first channel does not wait
    // for all of it.
    void ChannelLikely();
    void ShowTree(TCustomTreeView* shown);
    template <class F> void Tune(F&& run);

    void FillMyChannels(const std::string& added);
    void PlayAddress(const std::string& name, const std::string& address);
    void ShowStatus(const std::string& utf8);
    void OpenDialog(bool playlist);
    // The playlist a top node of the third tree stands for.
    std::optional<size_t> PlaylistOf(const TTreeNode* node) const;
    std::optional<size_t> PlaylistByFile(const std::filesystem::path& file) const;
    void PopupPlaylistMenu(size_t playlist, Point screen);
    void ConfirmRemoval(size_t playlist);
    // The skin menu's mark follows the look worn.
    void MarkLook();
    // A file to open, from the desktop's chooser or our own dialog dressed
    // in the look worn.
    std::optional<std::filesystem::path> ChooseFile(const OpenFileRequest& request);

    // Viewer state (main_window_viewer.cpp).
    void SetUpViewerState();
    std::optional<ChannelRef> ChannelOf(const TCustomTreeView* tree, const TTreeNode* node) const;
    TCustomTreeView* ShownTree() const;
    void Watched(const ChannelRef& channel);
    void FillRecentMenu();
    void PlayChannel(const ChannelRef& channel);
    bool PopupChannelMenu(TCustomTreeView* tree, TTreeNode* node, Point screen);
    void TreeMouseUp(TCustomTreeView* tree, TMouseButton button, int x, int y);
    void ChannelMenuKey(TCustomTreeView* tree, UINT& key, TShiftState shift);
    void SaveSettings();

    // Logos before the names of my channels (main_window_viewer.cpp).
    void ApplyLogos();
    void LogoReady(const std::string& address, const Bitmap& small, const Bitmap& large);
    // The playing channel's logo beside the caption bar (hidden without one).
    void ShowCaptionLogo();

    // The search (main_window_search.cpp).
    void SetUpSearch();
    std::optional<ChannelRef> SearchSelection() const;
    void BuildSearchIndex();
    void RunSearch();
    void SearchKeyDown(UINT& key);
    void PlaySearchResult();

    TControl* suiPanel1 = nullptr;
    TCustomTreeView* TreeView1 = nullptr;
    TCustomTreeView* TreeView2 = nullptr;
    TCustomTreeView* TreeView3 = nullptr;
    TCustomStatusBar* suiStatusBar1 = nullptr;
    TPopupMenu* PlaylistMenu = nullptr;
    TMenuItem* RefreshPlaylist1 = nullptr;
    TMenuItem* Skin1 = nullptr;
    TWindowsMediaPlayer* WindowsMediaPlayer1 = nullptr;
    TRealAudio* RealAudio1 = nullptr;
    // Hidden; their text is all that matters.
    TControl* Edit1 = nullptr;
    TControl* Edit2 = nullptr;
    TControl* Memo1 = nullptr;
    TNMHTTPComponent* NMHTTP1 = nullptr;
    TForm* about_ = nullptr;
    PlayerLook look_;
    bool try_portal_ = true;

    std::unique_ptr<PanelCaption> caption_;
    std::unique_ptr<MediaPlayerAdapter> media_;
    std::unique_ptr<RealPlayerAdapter> real_;
    std::unique_ptr<PlayerHost> host_;
    std::unique_ptr<PageFetch> pages_;
    std::unique_ptr<Tuning> tuning_;

    // The caption tuning set (GBK), the channel the guide is asked about,
    // and the one-shot timer for the moment the programme changes.
    void CaptionSet(const std::string& gbk);
    void UpdateCaption();
    std::string caption_base_;
    GuideChannelQuery guide_channel_;
    std::function<void()> replay_; // tunes the channel the guide is about again
    EventLoop::Id caption_timer_ = 0;
    std::unique_ptr<GuideHost> guide_host_;
    std::unique_ptr<ProgrammeGuide> guide_;

    std::unique_ptr<PictureMenu> picture_menu_;
    std::unique_ptr<MprisService> mpris_;
    EventLoop::Id mpris_timer_ = 0;
    void StartMpris();
    // The media controls hear of a new channel, programme or logo at once;
    // playback and volume twice a second.
    void PublishMpris();
    std::string programme_now_; // the running programme of the channel tuned (UTF-8)
    std::string PlayingLogoUrl() const;
    std::string playing_logo_url_; // its cached file as a file:// URL, once read; set with the caption's logo
    std::unique_ptr<PlaylistsHost> playlists_host_;
    std::unique_ptr<ViewerPlaylists> playlists_;
    TAddressForm* address_form_ = nullptr; // made when first asked for; owned as a component
    TGuideForm* guide_form_ = nullptr; // likewise
    std::filesystem::path menu_playlist_; // the file of the playlist the pop-up menu is for
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

    Settings settings_;
    std::unique_ptr<BackgroundWriter> writer_;
    RecentChannels recent_;
    TMenuItem* Recent1 = nullptr;
    TMenuItem* FavouriteChannel1 = nullptr;
    TPopupMenu* ChannelMenu = nullptr;
    std::optional<ChannelRef> menu_channel_; // the channel the channel menu is for
    int start_volume_ = 100;
    bool start_mute_ = false;
    std::optional<Point> placed_at_; // where the window first stood on the screen

    TCustomEdit* SearchEdit = nullptr;
    TCustomTreeView* SearchList = nullptr;
    TCustomTreeView* search_return_ = nullptr; // the tree shown before the search
    ChannelSearch search_;
    std::vector<size_t> search_shown_; // the search entries of SearchList's rows

    std::unique_ptr<LogoLoader> logos_;
    ImageList logo_images_ { LogoLoader::kSmall, LogoLoader::kSmall };
    std::unordered_map<std::string, int> logo_index_; // logo address -> picture in logo_images_
    bool logos_posted_ = false; // a refresh of the tree's pictures is on its way
    std::unordered_map<std::string, Bitmap> logo_large_;
    std::string playing_logo_; // the logo address of the channel playing
    TImage* caption_logo_ = nullptr;
};

}
