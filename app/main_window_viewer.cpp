// The main window's memory of the viewer: favourites, recent channels, the
// channel watched last, volume, mute and the window's place.
#include "app/main_window.h"

#include "app/look_choice.h"
#include "app/window_description.h"
#include "desktop/file_url.h"

#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/edit.h"
#include "platform/components/controls/image.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/description_reader.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"
#include "player/windows_media_player.h"

#include <filesystem>
#include <stdexcept>

namespace pellamo {

namespace {

constexpr std::string_view kResume = "resume";
constexpr std::string_view kPlayer = "player";
constexpr std::string_view kWindow = "window";

// A recent channel's menu caption: the name, and where it stands.
std::string RecentCaption(const ChannelRef& channel)
{
    std::string where = channel.tree == ChannelTree::Television ? "网络电视"
        : channel.tree == ChannelTree::Radio                    ? "网络电台"
                                                                : "我的频道";
    // '&' would mark an access key.
    std::string name;
    for (char c : channel.name)
        name += c == '&' ? std::string("&&") : std::string(1, c);
    return name + "\t" + where;
}

}

void TForm1::SetUpViewerState()
{
    Recent1 = FindPart<TMenuItem>(*this, "Recent1", "The main window");
    ChannelMenu = FindPart<TPopupMenu>(*this, "ChannelMenu", "The main window");
    FavouriteChannel1 = FindPart<TMenuItem>(*this, "FavouriteChannel1", "The main window");
    SearchEdit = FindPart<TCustomEdit>(*this, "SearchEdit", "The main window");
    SearchList = FindPart<TCustomTreeView>(*this, "SearchList", "The main window");

    writer_ = std::make_unique<BackgroundWriter>([this, alive = std::weak_ptr<bool>(alive_)](const std::string& why) {
        Windows().Loop().Post([this, alive, why] {
            if (!alive.expired())
                ShowStatus(why);
        });
    });
    settings_ = Settings();
    recent_ = RecentChannels();
    std::string problems;
    if (!settings_.Load())
        problems = settings_.Problem();
    if (std::string why = recent_.Load(); !why.empty())
        problems += (problems.empty() ? "" : "; ") + why;
    if (!problems.empty()) // after the playlists' summary, which is posted first
        Windows().Loop().Post([this, problems, alive = std::weak_ptr<bool>(alive_)] {
            if (!alive.expired())
                ShowStatus(problems);
        });

    int volume = settings_.GetInt(kPlayer, "volume", 100, 0, 100);
    bool mute = settings_.GetBool(kPlayer, "mute", false);
    start_volume_ = volume;
    start_mute_ = mute;
    WindowsMediaPlayer1->View().SetVolume(volume, mute);
    RealAudio1->View().SetVolume(volume, mute);

    for (TCustomTreeView* tree : { TreeView1, TreeView2 })
        tree->OnMouseUp = [this, tree](TObject*, TMouseButton button, TShiftState, int x, int y) {
            TreeMouseUp(tree, button, x, y);
        };
    for (TCustomTreeView* tree : { TreeView1, TreeView2 })
        tree->OnKeyDown = [this, tree](TObject*, UINT& key, TShiftState shift) { ChannelMenuKey(tree, key, shift); };
    FillRecentMenu();
    SetUpSearch();
    logos_ = std::make_unique<LogoLoader>(
        LogoCache(), [this](const std::string& address, const Bitmap& small, const Bitmap& large) {
            LogoReady(address, small, large);
        });
    // At the right end of the caption bar, over the panel's caption.
    caption_logo_ = new TImage(this);
    caption_logo_->SetVisible(false);
    if (auto* panel = dynamic_cast<TWinControl*>(suiPanel1)) {
        caption_logo_->SetBounds(panel->Width() - LogoLoader::kLarge - 3, 2, LogoLoader::kLarge, LogoLoader::kLarge);
        caption_logo_->SetParent(panel);
    } else {
        caption_logo_->SetBounds(suiPanel1->Left() + suiPanel1->Width() - LogoLoader::kLarge - 3, suiPanel1->Top() + 2,
            LogoLoader::kLarge, LogoLoader::kLarge);
        caption_logo_->SetParent(suiPanel1->Parent());
    }
}

std::optional<ChannelRef> TForm1::ChannelOf(const TCustomTreeView* tree, const TTreeNode* node) const
{
    if (!node)
        return std::nullopt;
    if (tree == TreeView3) {
        if (node->Data <= 0)
            return std::nullopt;
        return playlists_->ChannelAt(static_cast<size_t>(node->Data - 1));
    }
    // The built-in trees: categories, and their channels one level down.
    if (node->Level() != 1 || (tree != TreeView1 && tree != TreeView2))
        return std::nullopt;
    ChannelRef channel;
    channel.tree = tree == TreeView1 ? ChannelTree::Television : ChannelTree::Radio;
    channel.name = GbkToUtf8(node->Text());
    if (const TTreeNode* parent = node->Parent())
        channel.group = GbkToUtf8(parent->Text());
    return channel;
}

TCustomTreeView* TForm1::ShownTree() const
{
    for (TCustomTreeView* tree : { TreeView1, TreeView2, TreeView3 })
        if (tree->Visible())
            return tree;
    return search_return_;
}

void TForm1::Watched(const ChannelRef& channel)
{
    recent_.Note(channel);
    writer_->Write(recent_.File(), recent_.FileText());
    playing_logo_ = LogoLoader::Fetchable(channel.logo) ? channel.logo : std::string();
    if (!playing_logo_.empty())
        logos_->Want(playing_logo_);
    ShowCaptionLogo();
    settings_.Set(kResume, "tree", std::string(TreeKey(channel.tree)));
    settings_.Set(kResume, "channel", channel.name);
    settings_.Set(kResume, "group", channel.group);
    settings_.Set(kResume, "address", channel.address);
    SaveSettings();
    FillRecentMenu();
}

void TForm1::RememberLook(const PlayerLook& look)
{
    settings_.Set(Settings::kLookGroup, Settings::kLookChoice, LookChoiceText(look));
    SaveSettings();
}

void TForm1::SaveSettings()
{
    if (std::optional<std::string> text = settings_.TakeTextToSave())
        writer_->Write(settings_.File(), std::move(*text));
}

void TForm1::FillRecentMenu()
{
    Recent1->Clear();
    const std::vector<ChannelRef>& channels = recent_.Channels();
    for (size_t i = 0; i < channels.size(); ++i) {
        auto* item = new TMenuItem(this);
        item->SetCaption(Utf8ToGbk(RecentCaption(channels[i])));
        ChannelRef channel = channels[i];
        item->OnClick = [this, channel](TObject*) { PlayChannel(channel); };
        Recent1->Add(item);
    }
    Recent1->SetEnabled(!channels.empty());
}

void TForm1::PlayChannel(const ChannelRef& channel)
{
    // Shown and selected in its own tree, so the viewer sees where it is;
    // the tree's change event plays it.
    TCustomTreeView* tree = channel.tree == ChannelTree::Television ? TreeView1
        : channel.tree == ChannelTree::Radio                        ? TreeView2
                                                                    : TreeView3;
    TTreeNode* found = nullptr;
    for (TTreeNode* node = tree->Items().GetFirstNode(); node && !found; node = node->GetNext()) {
        std::optional<ChannelRef> here = ChannelOf(tree, node);
        if (here && here->Same(channel) && (channel.group.empty() || here->group == channel.group || tree == TreeView3))
            found = node;
    }
    if (!found && channel.BuiltIn() && !channel.group.empty()) {
        ChannelRef anywhere = channel;
        anywhere.group.clear();
        PlayChannel(anywhere);
        return;
    }
    if (found) {
        ShowTree(tree);
        if (tree->Selected() == found)
            tree->OnChange(tree, found); // chosen again: played again
        else
            tree->SetSelected(found);
        if (tree == TreeView3)
            ApplyLogos(); // its group was opened to show it
        return;
    }
    if (!channel.BuiltIn() && !channel.address.empty()) {
        // No longer in a playlist: the address still plays.
        PlayAddress(channel.name, channel.address);
        Watched(channel);
        return;
    }
    ShowStatus("找不到频道“" + channel.name + "”");
}

void TForm1::ResumeLastChannel()
{
    if (!settings_.GetBool(kResume, "enabled", true))
        return;
    std::optional<std::string> tree = settings_.Get(kResume, "tree");
    std::optional<std::string> name = settings_.Get(kResume, "channel");
    if (!tree || !name || name->empty() || !TreeFromKey(*tree))
        return;
    ChannelRef channel;
    channel.tree = *TreeFromKey(*tree);
    channel.name = *name;
    channel.group = settings_.Get(kResume, "group").value_or("");
    channel.address = settings_.Get(kResume, "address").value_or("");
    if (!channel.BuiltIn() && channel.address.empty())
        return;
    PlayChannel(channel);
}

bool TForm1::PopupChannelMenu(TCustomTreeView* tree, TTreeNode* node, Point screen)
{
    std::optional<ChannelRef> channel = ChannelOf(tree, node);
    if (!channel)
        return false;
    menu_channel_ = channel;
    FavouriteChannel1->SetCaption(Utf8ToGbk(playlists_->IsFavourite(*channel) ? "移出收藏" : "加入收藏"));
    ChannelMenu->Popup(screen.x, screen.y);
    return true;
}

void TForm1::ChannelMenuKey(TCustomTreeView* tree, UINT& key, TShiftState shift)
{
    if (key != VK_APPS && !(key == VK_F10 && shift.Contains(TShiftStateFlag::ssShift)))
        return;
    TTreeNode* node = tree->Selected();
    Rect label = tree->DisplayRect(node, true);
    if (node && PopupChannelMenu(tree, node, tree->ClientToScreen({ label.left, label.bottom })))
        key = 0;
}

void TForm1::TreeMouseUp(TCustomTreeView* tree, TMouseButton button, int x, int y)
{
    if (button == TMouseButton::mbRight)
        PopupChannelMenu(tree, tree->GetNodeAt(x, y), tree->ClientToScreen({ x, y }));
}

void TForm1::FavouriteChannel1Click(TObject*)
{
    if (menu_channel_)
        playlists_->ToggleFavourite(*menu_channel_);
    menu_channel_.reset();
}

void TForm1::Favourite1Click(TObject*)
{
    TCustomTreeView* tree = ShownTree();
    std::optional<ChannelRef> channel;
    if (Searching())
        channel = SearchSelection();
    else if (tree)
        channel = ChannelOf(tree, tree->Selected());
    if (channel)
        playlists_->ToggleFavourite(*channel);
    else
        ShowStatus("请先选择一个频道");
}

void TForm1::ApplyLogos()
{
    const MyChannels& channels = playlists_->Channels();
    const auto& rows = channels.Rows();
    for (TTreeNode* node = TreeView3->Items().GetFirstNode(); node; node = node->GetNext()) {
        node->ImageIndex = node->SelectedIndex = -1;
        size_t row = static_cast<size_t>(node->Data - 1);
        if (node->Data <= 0 || row >= rows.size() || rows[row].channel < 0)
            continue;
        const StoredPlaylist& playlist = channels.Playlists()[static_cast<size_t>(rows[row].playlist)];
        const std::string& logo = playlist.playlist.channels[static_cast<size_t>(rows[row].channel)].logo;
        if (logo.empty())
            continue;
        if (auto it = logo_index_.find(logo); it != logo_index_.end())
            node->ImageIndex = node->SelectedIndex = it->second;
        else if (node->IsVisible()) // the others when their group is opened
            logos_->Want(logo);
    }
    // The room for pictures only once there is a picture to show.
    if (!logo_index_.empty() && TreeView3->Images() != &logo_images_)
        TreeView3->SetImages(&logo_images_);
    TreeView3->Invalidate();
}

void TForm1::ShowCaptionLogo()
{
    // Looked up on the disk only when the logo or the channel changes, not
    // at each of the media controls' updates.
    playing_logo_url_ = PlayingLogoUrl();
    PublishMpris();
    auto it = logo_large_.find(playing_logo_);
    if (it == logo_large_.end()) {
        caption_logo_->SetVisible(false);
        return;
    }
    caption_logo_->Picture().SetBitmap(it->second);
    caption_logo_->SetVisible(true);
    caption_logo_->Invalidate();
}

// The cached file of the playing channel's logo, once it has been read.
std::string TForm1::PlayingLogoUrl() const
{
    if (playing_logo_.empty() || !logo_large_.count(playing_logo_))
        return {};
    std::filesystem::path file = std::filesystem::absolute(LogoCache().FileFor(playing_logo_));
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec) ? FileUrl(file) : std::string();
}

void TForm1::LogoReady(const std::string& address, const Bitmap& small, const Bitmap& large)
{
    if (logo_index_.count(address))
        return;
    logo_index_[address] = logo_images_.Add(small);
    logo_large_[address] = large;
    if (address == playing_logo_)
        ShowCaptionLogo();
    // Many arrive together: the tree takes them in one pass.
    if (logos_posted_)
        return;
    logos_posted_ = true;
    Windows().Loop().Post([this, alive = std::weak_ptr<bool>(alive_)] {
        if (alive.expired())
            return;
        logos_posted_ = false;
        ApplyLogos();
    });
}

void TForm1::RestorePlacement()
{
    std::optional<std::string> left = settings_.Get(kWindow, "left");
    std::optional<std::string> top = settings_.Get(kWindow, "top");
    if (!left || !top)
        return;
    int x = settings_.GetInt(kWindow, "left", 0, -100000, 100000);
    int y = settings_.GetInt(kWindow, "top", 0, -100000, 100000);
    // Only where the caption can still be reached: screens change.
    Rect area = Windows().GetWorkArea();
    if (x + Width() < area.left + 64 || x > area.right - 64 || y < area.top || y > area.bottom - 32)
        return;
    SetPosition(TPosition::poDesigned);
    SetLeft(x);
    SetTop(y);
}

void TForm1::SaveState()
{
    // Only what the viewer changed: a settings file that could not be read
    // is left alone until then.
    auto keep
        = [this](std::string_view group, std::string_view key, const std::string& value, const std::string& before) {
              if (settings_.Get(group, key).value_or(before) != value)
                  settings_.Set(group, key, value);
          };
    const PlayerView& view = WindowsMediaPlayer1->View();
    keep(kPlayer, "volume", std::to_string(view.Volume()), std::to_string(start_volume_));
    keep(kPlayer, "mute", view.Muted() ? "true" : "false", start_mute_ ? "true" : "false");
    if (placed_at_) {
        keep(kWindow, "left", std::to_string(Left()), std::to_string(placed_at_->x));
        keep(kWindow, "top", std::to_string(Top()), std::to_string(placed_at_->y));
    }
    if (settings_.Changed() && !settings_.Get(kWindow, "fullscreen"))
        settings_.SetBool(kWindow, "fullscreen", false);
    if (settings_.Changed())
        SaveSettings();
}

}
