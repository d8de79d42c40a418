#pragma once

#include "app/nm_http_component.h"
#include "app/page_fetch.h"
#include "app/player_options.h"
#include "app/viewer_playlists.h"
#include "catalogue/caption_panel.h"
#include "catalogue/tuning.h"
#include "chooser/open_file_dialog.h"
#include "platform/components/controls/form.h"
#include "player/media_player_adapter.h"
#include "player/player_host.h"
#include "player/real_player_adapter.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace pellamo {

class TAddressForm;
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

    // The skin menu: a built-in style (the item's Tag), a theme file, or
    // the look as designed.
    void SkinStyle1Click(TObject* sender);
    void SkinThemeFile1Click(TObject* sender);
    void SkinDesigned1Click(TObject* sender);

    // Opens what the command line or a drop names (UTF-8): playlist files
    // and web playlists are added, other addresses played.
    void OpenItems(const std::vector<std::string>& items, bool playlist_wanted = false);
    ViewerPlaylists& Playlists() { return *playlists_; }

    // The diagnostic controls' texts, as tuning left them.
    std::string Edit1Text() const;
    std::string Edit2Text() const;
    std::string Memo1Text() const;

protected:
    void WndProc(TMessage& message) override;

private:
    class PanelCaption;
    class PlaylistsHost;

    void RegisterHandlers();
    void Bind();
    // The viewer is about to pick a channel: the player engine starts
    // loading in the background, so that the first channel does not wait
    // for all of it.
    void ChannelLikely();
    void ShowTree(TCustomTreeView* shown);
    template <class F>
    void Tune(F&& run);

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

    std::unique_ptr<PlaylistsHost> playlists_host_;
    std::unique_ptr<ViewerPlaylists> playlists_;
    TAddressForm* address_form_ = nullptr; // made when first asked for; owned as a component
    std::filesystem::path menu_playlist_; // the file of the playlist the pop-up menu is for
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
