#include "app/main_window.h"

#include "app/about_window.h"
#include "app/address_form.h"
#include "app/guide_window.h"
#include "app/look_layout.h"
#include "app/picture_menu.h"
#include "app/web_pages.h"
#include "app/window_description.h"
#include "app/window_look.h"
#include "catalogue/builtin_catalogue.h"
#include "chooser/file_chooser.h"
#include "desktop/mpris_service.h"
#include "platform/backend/display_backend.h"
#include "platform/components/class_info.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/popup_menu.h"
#include "platform/components/controls/status_bar.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/description_reader.h"
#include "platform/gfx/resources.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"
#include "skin/theme_data/theme_file_check.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <string>

namespace pellamo {

namespace {

template <class T> T* Find(TComponent& owner, const char* name) { return FindPart<T>(owner, name, "The main window"); }

std::optional<std::string> SelectedText(const TCustomTreeView* tree)
{
    if (const TTreeNode* node = tree->Selected())
        return node->Text();
    return std::nullopt;
}

std::string CurrentDirectory()
{
    std::error_code ec;
    std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::string("/") : here.string();
}

// ~/.local/share/pellamo/themes, where theme files of one's own go.
std::filesystem::path UserThemeFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    std::filesystem::path base = data && *data ? std::filesystem::path(data)
                                               : std::filesystem::path(home && *home ? home : "/") / ".local/share";
    return base / "pellamo/themes";
}

void OpenPage(const char* url)
{
    // The shell's answer is of no interest: a missing browser is the desktop's business.
    TControl::Windows().Backend().OpenUrl(url);
}

// The channel's name (UTF-8) from the caption tuning sets, "tree->name"
// (the tree's name has no arrow, a channel's may).
std::string ChannelOfCaption(const std::string& gbk)
{
    std::string name = GbkToUtf8(gbk);
    if (size_t arrow = name.find("->"); arrow != std::string::npos)
        name = name.substr(arrow + 2);
    return name;
}

}

// The caption panel as tuning writes it; the guide's line is added after.
class TForm1::PanelCaption : public SelectionCaption {
public:
    explicit PanelCaption(TForm1& form)
        : form_(form)
    {
    }
    void SetCaption(const std::string& gbk) override { form_.CaptionSet(gbk); }

private:
    TForm1& form_;
};

// What the programme guide asks of the window.
class TForm1::GuideHost : public ProgrammeGuide::Host {
public:
    explicit GuideHost(TForm1& form)
        : form_(form)
    {
    }
    void ShowStatus(const std::string& text) override { form_.ShowStatus(text); }
    void GuideChanged() override { form_.UpdateCaption(); }

private:
    TForm1& form_;
};

// What the viewer's playlists ask of the window.
class TForm1::PlaylistsHost : public ViewerPlaylists::Host {
public:
    explicit PlaylistsHost(TForm1& form)
        : form_(form)
    {
    }
    void PlaylistsChanged(const std::string& added) override { form_.FillMyChannels(added); }
    void ShowStatus(const std::string& text) override { form_.ShowStatus(text); }
    void ShowError(const std::string& text) override
    {
        if (Application)
            Application->ShowException(Utf8ToGbk(text));
    }
    void Play(const std::string& name, const std::string& address) override { form_.PlayAddress(name, address); }

private:
    TForm1& form_;
};

TForm1::TForm1(TComponent* owner)
    : TForm1(owner, StoredDescription("TFORM1"))
{
}

TForm1::TForm1(TComponent* owner, std::string_view description)
    : TForm(owner)
{
    RegisterHandlers();
    ReadDescription(description, *this);
    Bind();
    SetIcon(Resources::LoadBitmap("MAINICON"));
}

TForm1::~TForm1()
{
    *alive_ = false;
    if (caption_timer_)
        Windows().Loop().StopTimer(caption_timer_);
    if (mpris_timer_)
        Windows().Loop().StopTimer(mpris_timer_);
}

const ClassInfo& TForm1::StaticClass()
{
    static const ClassInfo info("TForm1", &TForm::StaticClass(), {}, FactoryOf<TForm1>());
    return info;
}

void TForm1::RegisterHandlers()
{
    RegisterMethod("Record1Click", this, &TForm1::Record1Click);
    RegisterMethod("Screenshot1Click", this, &TForm1::Screenshot1Click);
    RegisterMethod("FormCreate", this, &TForm1::FormCreate);
    RegisterMethod("FormActivate", this, &TForm1::FormActivate);
    RegisterMethod("FormCloseQuery", this, &TForm1::FormCloseQuery);
    RegisterMethod("FormDestroy", this, &TForm1::FormDestroy);
    RegisterMethod("FormResize", this, &TForm1::FormResize);
    RegisterMethod("N2Click", this, &TForm1::N2Click);
    RegisterMethod("N3Click", this, &TForm1::N3Click);
    RegisterMethod("WindowsMediaPlayer91Click", this, &TForm1::WindowsMediaPlayer91Click);
    RegisterMethod("RealPlayer1051Click", this, &TForm1::RealPlayer1051Click);
    RegisterMethod("N10Click", this, &TForm1::N10Click);
    RegisterMethod("N13Click", this, &TForm1::N13Click);
    RegisterMethod("suitempTreeView1Change", this, &TForm1::suitempTreeView1Change);
    RegisterMethod("suitempTreeView2Change", this, &TForm1::suitempTreeView2Change);
    RegisterMethod("MyChannels1Click", this, &TForm1::MyChannels1Click);
    RegisterMethod("OpenPlaylist1Click", this, &TForm1::OpenPlaylist1Click);
    RegisterMethod("OpenAddress1Click", this, &TForm1::OpenAddress1Click);
    RegisterMethod("TreeView3Change", this, &TForm1::TreeView3Change);
    RegisterMethod("TreeView3KeyDown", this, &TForm1::TreeView3KeyDown);
    RegisterMethod("TreeView3MouseUp", this, &TForm1::TreeView3MouseUp);
    RegisterMethod("RefreshPlaylist1Click", this, &TForm1::RefreshPlaylist1Click);
    RegisterMethod("RemovePlaylist1Click", this, &TForm1::RemovePlaylist1Click);
    RegisterMethod("GuideWindow1Click", this, &TForm1::GuideWindow1Click);
    RegisterMethod("AddGuide1Click", this, &TForm1::AddGuide1Click);
    RegisterMethod("RefreshGuides1Click", this, &TForm1::RefreshGuides1Click);
    RegisterMethod("FindChannel1Click", this, &TForm1::FindChannel1Click);
    RegisterMethod("Favourite1Click", this, &TForm1::Favourite1Click);
    RegisterMethod("FavouriteChannel1Click", this, &TForm1::FavouriteChannel1Click);
    RegisterMethod("SkinStyle1Click", this, &TForm1::SkinStyle1Click);
    RegisterMethod("SkinThemeFile1Click", this, &TForm1::SkinThemeFile1Click);
    RegisterMethod("SkinDesigned1Click", this, &TForm1::SkinDesigned1Click);
}

void TForm1::Bind()
{
    suiPanel1 = Find<TControl>(*this, "suiPanel1");
    TreeView1 = Find<TCustomTreeView>(*this, "TreeView1");
    TreeView2 = Find<TCustomTreeView>(*this, "TreeView2");
    TreeView3 = Find<TCustomTreeView>(*this, "TreeView3");
    suiStatusBar1 = Find<TCustomStatusBar>(*this, "suiStatusBar1");
    PlaylistMenu = Find<TPopupMenu>(*this, "PlaylistMenu");
    RefreshPlaylist1 = Find<TMenuItem>(*this, "RefreshPlaylist1");
    Skin1 = Find<TMenuItem>(*this, "Skin1");
    WindowsMediaPlayer1 = Find<TWindowsMediaPlayer>(*this, "WindowsMediaPlayer1");
    RealAudio1 = Find<TRealAudio>(*this, "RealAudio1");
    Edit1 = Find<TControl>(*this, "Edit1");
    Edit2 = Find<TControl>(*this, "Edit2");
    Memo1 = Find<TControl>(*this, "Memo1");
    NMHTTP1 = Find<TNMHTTPComponent>(*this, "NMHTTP1");

    caption_ = std::make_unique<PanelCaption>(*this);
    picture_menu_ = std::make_unique<PictureMenu>(*Find<TPopupMenu>(*this, "PictureMenu"), WindowsMediaPlayer1->View(),
        [this](const std::string& text) { ShowStatus(text); });
    WindowsMediaPlayer1->View().OnPictureMenu
        = [this](Point p) { picture_menu_->Popup(WindowsMediaPlayer1->ClientToScreen(p)); };
    WindowsMediaPlayer1->View().OnMessage = [this](const std::string& text) { ShowStatus(text); };
    StartMpris();
    media_ = std::make_unique<MediaPlayerAdapter>(*WindowsMediaPlayer1);
    real_ = std::make_unique<RealPlayerAdapter>(*RealAudio1);
    host_ = std::make_unique<PlayerHost>(*media_, *real_);
    pages_ = std::make_unique<PageFetch>(NMHTTP1->Client());
    tuning_ = std::make_unique<Tuning>(TelevisionTable(), RadioTable(), *pages_, *caption_, *host_);

    guide_host_ = std::make_unique<GuideHost>(*this);
    guide_ = std::make_unique<ProgrammeGuide>(
        Windows().Loop(), *guide_host_, GuideStore::DefaultFile(), ProgrammeGuide::DefaultOwnGuides());

    playlists_host_ = std::make_unique<PlaylistsHost>(*this);
    playlists_ = std::make_unique<ViewerPlaylists>(*playlists_host_, PlaylistStore(PlaylistStore::DefaultDirectory()));
    Windows().DragAcceptFiles(Handle(), true);
    // Read once the window is up: a long list must not hold back the first picture.
    Windows().Loop().Post([this, alive = std::weak_ptr<bool>(alive_)] {
        if (!alive.expired())
            playlists_->Reload(true);
    });
    // Opening a category is the first step to a channel.
    for (TCustomTreeView* tree : { TreeView1, TreeView2, TreeView3 })
        tree->OnExpanded = [this, tree](TObject*, TTreeNode*) {
            ChannelLikely();
            if (tree == TreeView3 && logos_)
                ApplyLogos(); // the logos of the channels now in sight
        };
    SetUpViewerState();
}

void TForm1::ChannelLikely()
{
    // Both controls share the engine's library. (A selection made while the
    // description is read comes before the controls are bound.)
    if (WindowsMediaPlayer1)
        WindowsMediaPlayer1->View().WarmEngine();
}

void TForm1::FormCreate(TObject*)
{
    SetWidth(640);
    SetHeight(435);
    // Runs while the description is being finished, before the controls are bound.
    auto* real = Find<TControl>(*this, "RealAudio1");
    real->SetTop(65);
    real->SetLeft(3);
    auto* media = Find<TControl>(*this, "WindowsMediaPlayer1");
    media->SetTop(65);
    media->SetLeft(3);
}

// Closing is always allowed; destruction and resizing need nothing.
void TForm1::FormActivate(TObject*)
{
    if (!placed_at_)
        placed_at_ = Point { Left(), Top() };
}
void TForm1::FormCloseQuery(TObject*, bool& can_close)
{
    can_close = true;
    SaveState();
}
void TForm1::FormDestroy(TObject*) { }

void TForm1::ComeToFront()
{
    if (Windows().IsIconic(Handle()))
        Windows().ShowWindow(Handle(), SW_RESTORE);
    Windows().SetActiveWindow(Handle());
}

void TForm1::StepChannel(int direction)
{
    TCustomTreeView* tree = nullptr;
    for (TCustomTreeView* t : { TreeView1, TreeView2, TreeView3 })
        if (t->Visible())
            tree = t;
    if (!tree)
        return;
    // Channels are the leaves; categories and playlists are passed over.
    // `before`: how many channels come before the selection.
    std::vector<TTreeNode*> channels;
    int before = -1;
    bool on_channel = false;
    for (int i = 0; i < tree->Items().Count(); ++i) {
        TTreeNode* node = tree->Items().Item(i);
        if (node == tree->Selected()) {
            before = static_cast<int>(channels.size());
            on_channel = !node->HasChildren();
        }
        if (!node->HasChildren())
            channels.push_back(node);
    }
    if (channels.empty())
        return;
    int count = static_cast<int>(channels.size());
    int next = 0;
    if (before < 0)
        next = direction > 0 ? 0 : count - 1;
    else if (on_channel)
        next = before + direction;
    else
        next = direction > 0 ? before : before - 1;
    tree->SetSelected(channels[static_cast<size_t>((next % count + count) % count)]);
}

// The player on the desktop's media controls: commands go to the player
// shown, its state is published twice a second (only changes reach the bus).
void TForm1::StartMpris()
{
    auto view
        = [this]() -> PlayerView& { return RealAudio1->Visible() ? RealAudio1->View() : WindowsMediaPlayer1->View(); };
    auto engine = [view]() { return view().Engine(); };
    MprisService::Commands c;
    c.play = [engine] {
        if (MpvPlayer* e = engine())
            e->Play();
    };
    c.pause = [engine] {
        if (MpvPlayer* e = engine())
            e->Pause();
    };
    c.play_pause = [engine] {
        if (MpvPlayer* e = engine())
            e->TogglePause();
    };
    c.stop = [engine] {
        if (MpvPlayer* e = engine())
            e->Stop();
    };
    c.next = [this] { StepChannel(1); };
    c.previous = [this] { StepChannel(-1); };
    c.raise = [this] { ComeToFront(); };
    c.quit = [this] { Close(); };
    c.set_volume = [engine](double v) {
        if (MpvPlayer* e = engine())
            e->SetVolume(static_cast<int>(v * 100 + 0.5));
    };
    mpris_ = std::make_unique<MprisService>(Windows().Loop(), std::move(c));
    if (!mpris_->Active())
        return;
    mpris_timer_ = Windows().Loop().StartTimer(std::chrono::milliseconds(500), [this] { PublishMpris(); });
}

void TForm1::PublishMpris()
{
    if (!mpris_ || !mpris_->Active())
        return;
    PlayerView& v = RealAudio1->Visible() ? RealAudio1->View() : WindowsMediaPlayer1->View();
    MprisService::State state;
    using S = PlayerStatus::State;
    S s = v.Status().state;
    state.playback = s == S::Paused                          ? MprisService::State::Playback::Paused
        : (s == S::Idle || s == S::Stopped || s == S::Error) ? MprisService::State::Playback::Stopped
                                                             : MprisService::State::Playback::Playing;
    if (const MpvPlayer* e = v.Engine())
        state.volume = e->Volume() / 100.0;
    state.title = ChannelOfCaption(caption_base_);
    if (!state.title.empty()) {
        state.programme = programme_now_;
        state.art_url = playing_logo_url_;
    }
    mpris_->Update(state);
}

void TForm1::Record1Click(TObject*) { picture_menu_->ToggleRecording(); }
void TForm1::Screenshot1Click(TObject*) { picture_menu_->SaveScreenshot(); }
void TForm1::FormResize(TObject*) { }

void TForm1::ShowTree(TCustomTreeView* shown)
{
    ChannelLikely();
    // The selections stay as they are, so switching tunes nothing.
    for (TCustomTreeView* tree : { TreeView1, TreeView2, TreeView3 })
        if (tree != shown)
            tree->SetVisible(false);
    shown->SetLeft(470);
    // Below a taller title bar the contents stand lower than designed.
    shown->SetTop(42 + LookLayout::ShiftOf(*this));
    shown->SetVisible(true);
}

void TForm1::N2Click(TObject*) { ShowTree(TreeView1); }
void TForm1::N3Click(TObject*) { ShowTree(TreeView2); }
void TForm1::MyChannels1Click(TObject*) { ShowTree(TreeView3); }

void TForm1::WindowsMediaPlayer91Click(TObject*) { OpenPage(kMediaPlayerDownloadPage); }
void TForm1::RealPlayer1051Click(TObject*) { OpenPage(kRealPlayerDownloadPage); }
void TForm1::N10Click(TObject*) { OpenPage(kHomePage); }

void TForm1::N13Click(TObject*)
{
    if (!about_)
        return;
    Point at = TForm2::CentredOn(BoundsRect(), { about_->Width(), about_->Height() });
    about_->SetLeft(at.x);
    about_->SetTop(at.y);
    about_->ShowModal();
}

template <class F> void TForm1::Tune(F&& run)
{
    // The diagnostic controls show what tuning got to, also when a fetch failed.
    auto copy = [this] {
        Edit1->SetText(tuning_->Edit1());
        Edit2->SetText(tuning_->Edit2());
        Memo1->SetText(tuning_->Memo1());
    };
    try {
        run();
    } catch (...) {
        copy();
        throw;
    }
    copy();
}

void TForm1::suitempTreeView1Change(TObject*, TTreeNode*)
{
    ChannelLikely();
    std::optional<std::string> name = SelectedText(TreeView1);
    guide_channel_ = { {}, { name ? GbkToUtf8(*name) : std::string() } };
    replay_ = [this] { Tune([this] { tuning_->TelevisionChanged(SelectedText(TreeView1)); }); };
    Tune([this] { tuning_->TelevisionChanged(SelectedText(TreeView1)); });
    if (std::optional<ChannelRef> channel = ChannelOf(TreeView1, TreeView1->Selected()))
        Watched(*channel);
}

void TForm1::suitempTreeView2Change(TObject*, TTreeNode*)
{
    ChannelLikely();
    std::optional<std::string> name = SelectedText(TreeView2);
    guide_channel_ = { {}, { name ? GbkToUtf8(*name) : std::string() } };
    replay_ = [this] { Tune([this] { tuning_->RadioChanged(SelectedText(TreeView2)); }); };
    Tune([this] { tuning_->RadioChanged(SelectedText(TreeView2)); });
    if (std::optional<ChannelRef> channel = ChannelOf(TreeView2, TreeView2->Selected()))
        Watched(*channel);
}

// ---- the viewer's own channels ----

void TForm1::TreeView3Change(TObject*, TTreeNode*)
{
    ChannelLikely();
    TTreeNode* node = TreeView3->Selected();
    if (!node)
        return;
    const size_t row = static_cast<size_t>(node->Data - 1);
    guide_channel_ = {};
    const MyChannels& channels = playlists_->Channels();
    if (row < channels.Rows().size() && channels.Rows()[row].channel >= 0) {
        const MyChannelsRow& r = channels.Rows()[row];
        const PlaylistChannel& entry
            = channels.Playlists()[static_cast<size_t>(r.playlist)].playlist.channels[static_cast<size_t>(r.channel)];
        guide_channel_ = { entry.tvg_id, { entry.tvg_name, entry.title } };
    }
    std::optional<ChannelRef> channel = ChannelOf(TreeView3, node);
    if (channel && channel->BuiltIn()) {
        // A favourite of the built-in trees tunes as its own tree would.
        std::optional<std::string> name = Utf8ToGbk(channel->name);
        if (channel->tree == ChannelTree::Television)
            replay_ = [this, name] { Tune([&] { tuning_->TelevisionChanged(name); }); };
        else
            replay_ = [this, name] { Tune([&] { tuning_->RadioChanged(name); }); };
    } else {
        std::string address = channels.Address(row);
        std::string name = node->Text();
        replay_ = [this, name, address] { Tune([&] { tuning_->MyChannelChanged(name, address); }); };
    }
    replay_();
    if (channel)
        Watched(*channel);
}

void TForm1::PlayAddress(const std::string& name, const std::string& address)
{
    guide_channel_ = { {}, { name } };
    replay_
        = [this, name, address] { Tune([&] { tuning_->MyChannelChanged(Utf8ToGbk(name), PlayerAddress(address)); }); };
    Tune([&] { tuning_->MyChannelChanged(Utf8ToGbk(name), PlayerAddress(address)); });
}

void TForm1::ShowStatus(const std::string& utf8)
{
    suiStatusBar1->SetSimplePanel(true);
    suiStatusBar1->SetSimpleText(Utf8ToGbk(utf8));
}

void TForm1::CaptionSet(const std::string& gbk)
{
    caption_base_ = gbk;
    // Recordings and pictures are named after the channel.
    WindowsMediaPlayer1->View().SetTitle(GbkToUtf8(gbk));
    UpdateCaption();
}

void TForm1::UpdateCaption()
{
    EventLoop& loop = Windows().Loop();
    if (caption_timer_) {
        loop.StopTimer(caption_timer_);
        caption_timer_ = 0;
    }
    std::string caption = caption_base_;
    programme_now_.clear();
    if (guide_ && !caption_base_.empty()) {
        const int64_t now
            = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
                  .count();
        GuideView& view = guide_->View();
        if (std::optional<GuideEntry> running = view.At(view.FindChannel(guide_channel_), now).now)
            programme_now_ = running->title;
        std::string line = guide_->NowNextText(guide_channel_, now);
        if (!line.empty())
            caption += Utf8ToGbk(" — " + line);
        // Woken once, when the programme changes, rather than by the minute.
        if (std::optional<int64_t> change = guide_->NextChange(guide_channel_, now)) {
            auto wait = std::chrono::seconds(std::max<int64_t>(1, *change - now));
            caption_timer_ = loop.StartTimer(
                std::chrono::duration_cast<std::chrono::milliseconds>(wait),
                [this] {
                    caption_timer_ = 0;
                    UpdateCaption();
                },
                false);
        }
    }
    suiPanel1->SetCaption(caption);
    PublishMpris();
}

void TForm1::AddGuides(const std::vector<std::string>& sources)
{
    std::string directory = CurrentDirectory();
    for (const std::string& source : sources) {
        std::string lower = source.substr(0, 8);
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        bool web = lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0;
        if (web || source.empty() || source[0] == '/')
            guide_->AddGuide(source);
        else
            guide_->AddGuide((std::filesystem::path(directory) / source).lexically_normal().string());
    }
}

void TForm1::FillMyChannels(const std::string& added)
{
    const MyChannels& channels = playlists_->Channels();
    std::vector<std::string> guides;
    for (const StoredPlaylist& stored : channels.Playlists())
        guides.insert(guides.end(), stored.playlist.guides.begin(), stored.playlist.guides.end());
    guide_->SetPlaylistGuides(guides);
    // Open playlists and groups stay open across the rebuild.
    std::set<std::string> open;
    for (TTreeNode* top = TreeView3->Items().GetFirstNode(); top; top = top->GetNextSibling()) {
        if (top->Expanded())
            open.insert(top->Text());
        for (TTreeNode* group = top->GetFirstChild(); group; group = group->GetNextSibling())
            if (group->Expanded())
                open.insert(top->Text() + '\n' + group->Text());
    }

    TTreeNodes& items = TreeView3->Items();
    items.BeginUpdate();
    items.Clear();
    TTreeNode* parents[3] = {};
    TTreeNode* shown = nullptr;
    for (size_t i = 0; i < channels.Rows().size(); ++i) {
        const MyChannelsRow& row = channels.Rows()[i];
        TTreeNode* node = items.AddChild(row.level > 0 ? parents[row.level - 1] : nullptr, row.text);
        node->Data = static_cast<intptr_t>(i + 1);
        parents[row.level] = node;
        if (row.level == 0 && !added.empty() && channels.Playlists()[static_cast<size_t>(row.playlist)].name == added)
            shown = node;
    }
    for (TTreeNode* top = items.GetFirstNode(); top; top = top->GetNextSibling()) {
        for (TTreeNode* group = top->GetFirstChild(); group; group = group->GetNextSibling())
            if (group->HasChildren() && open.count(top->Text() + '\n' + group->Text()))
                group->Expand();
        if (open.count(top->Text()) || top == shown)
            top->Expand();
    }
    items.EndUpdate();
    if (logos_)
        ApplyLogos();
    if (shown) {
        // A playlist just added is shown open, without tuning anything.
        ShowTree(TreeView3);
        TreeView3->SetTopItem(shown);
    }
}

std::optional<size_t> TForm1::PlaylistOf(const TTreeNode* node) const
{
    if (!node || node->Level() != 0 || node->Data <= 0)
        return std::nullopt;
    const auto& rows = playlists_->Channels().Rows();
    size_t row = static_cast<size_t>(node->Data - 1);
    if (row >= rows.size())
        return std::nullopt;
    return static_cast<size_t>(rows[row].playlist);
}

std::optional<size_t> TForm1::PlaylistByFile(const std::filesystem::path& file) const
{
    const auto& playlists = playlists_->Channels().Playlists();
    for (size_t i = 0; i < playlists.size(); ++i)
        if (playlists[i].file == file)
            return i;
    return std::nullopt;
}

void TForm1::PopupPlaylistMenu(size_t playlist, Point screen)
{
    menu_playlist_ = playlists_->Channels().Playlists()[playlist].file;
    RefreshPlaylist1->SetEnabled(playlists_->CanRefresh(playlist));
    PlaylistMenu->Popup(screen.x, screen.y);
}

void TForm1::TreeView3MouseUp(TObject*, TMouseButton button, TShiftState, int x, int y)
{
    if (button != TMouseButton::mbRight)
        return;
    // A playlist's own node has the playlist menu, a channel the channel
    // menu; nothing is selected, so nothing is tuned by opening them.
    std::optional<size_t> playlist = PlaylistOf(TreeView3->GetNodeAt(x, y));
    if (playlist && !playlists_->IsFavourites(*playlist))
        PopupPlaylistMenu(*playlist, TreeView3->ClientToScreen({ x, y }));
    else
        TreeMouseUp(TreeView3, button, x, y);
}

void TForm1::TreeView3KeyDown(TObject*, UINT& key, TShiftState shift)
{
    std::optional<size_t> playlist = PlaylistOf(TreeView3->Selected());
    if (playlist && playlists_->IsFavourites(*playlist))
        playlist.reset();
    if (!playlist) {
        ChannelMenuKey(TreeView3, key, shift);
        return;
    }
    if (key == VK_DELETE) {
        key = 0;
        ConfirmRemoval(*playlist);
    } else if (key == VK_APPS || (key == VK_F10 && shift.Contains(TShiftStateFlag::ssShift))) {
        key = 0;
        Rect label = TreeView3->DisplayRect(TreeView3->Selected(), true);
        PopupPlaylistMenu(*playlist, TreeView3->ClientToScreen({ label.left, label.bottom }));
    }
}

void TForm1::RefreshPlaylist1Click(TObject*)
{
    if (std::optional<size_t> playlist = PlaylistByFile(menu_playlist_))
        playlists_->Refresh(*playlist);
}

void TForm1::RemovePlaylist1Click(TObject*)
{
    if (std::optional<size_t> playlist = PlaylistByFile(menu_playlist_))
        ConfirmRemoval(*playlist);
}

void TForm1::ConfirmRemoval(size_t playlist)
{
    const std::string& name = playlists_->Channels().Playlists()[playlist].name;
    std::string question = "删除播放列表“" + name + "”？\n它的频道将从“我的频道”中移去。";
    std::filesystem::path file = playlists_->Channels().Playlists()[playlist].file;
    if (!Application
        || Application->MessageBox(Utf8ToGbk(question), Application->Title(), MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    // The box ran the loop: find the playlist again, a download may have changed the list.
    if (std::optional<size_t> still = PlaylistByFile(file))
        playlists_->Remove(*still);
}

void TForm1::GuideWindow1Click(TObject*)
{
    const int64_t channel = guide_->View().FindChannel(guide_channel_);
    if (channel == 0) {
        ShowStatus(caption_base_.empty() ? "节目指南：请先选择一个频道" : "节目指南：没有这个频道的节目信息");
        return;
    }
    if (!guide_form_) {
        guide_form_ = new TGuideForm(this);
        DressForm(*guide_form_, look_);
    }
    std::string name = ChannelOfCaption(caption_base_);
    const int64_t now
        = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
    bool play = guide_form_->Ask(guide_->View(), channel, name, now, BoundsRect());
    if (play && replay_)
        replay_();
}

void TForm1::AddGuide1Click(TObject*)
{
    if (!address_form_) {
        address_form_ = new TAddressForm(this);
        DressForm(*address_form_, look_);
    }
    if (address_form_->Ask(TAddressForm::Mode::Guide, BoundsRect()) == TAddressForm::Choice::Cancel)
        return;
    guide_->AddGuide(address_form_->Target().value);
}

void TForm1::RefreshGuides1Click(TObject*) { guide_->RefreshAll(); }

void TForm1::OpenPlaylist1Click(TObject*) { OpenDialog(true); }
void TForm1::OpenAddress1Click(TObject*) { OpenDialog(false); }

void TForm1::SetLook(const PlayerLook& look)
{
    look_ = look;
    DressForm(*this, look);
    MarkLook();
}

void TForm1::ChooseLook(const PlayerLook& look)
{
    if (!look.theme_file.empty()) {
        if (std::string problem = ThemeFileProblem(look.theme_file); !problem.empty()) {
            if (Application)
                Application->MessageBox(
                    Utf8ToGbk("这个主题文件不能使用：\n" + problem), Application->Title(), MB_OK | MB_ICONERROR);
            return;
        }
    }
    look_ = look;
    DressForm(*this, look);
    for (TForm* other : { about_, static_cast<TForm*>(address_form_) })
        if (other)
            DressForm(*other, look);
    MarkLook();
    if (OnLookChosen)
        OnLookChosen(look);
}

void TForm1::MarkLook()
{
    for (int i = 0; i < Skin1->Count(); ++i) {
        TMenuItem* item = Skin1->Items(i);
        if (item->OnClick.HandlerName() == "SkinStyle1Click")
            item->SetChecked(look_.style && static_cast<int>(*look_.style) == item->Tag());
    }
    Find<TMenuItem>(*this, "SkinThemeFile1")->SetChecked(!look_.theme_file.empty());
    Find<TMenuItem>(*this, "SkinDesigned1")->SetChecked(!look_.Chosen());
}

void TForm1::SkinStyle1Click(TObject* sender)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || item->Tag() < static_cast<int>(TsuiUIStyle::MacOS)
        || item->Tag() > static_cast<int>(TsuiUIStyle::BlueGlass))
        return;
    PlayerLook look;
    look.style = static_cast<TsuiUIStyle>(item->Tag());
    ChooseLook(look);
}

void TForm1::SkinDesigned1Click(TObject*) { ChooseLook({}); }

void TForm1::SkinThemeFile1Click(TObject*)
{
    OpenFileRequest request;
    request.title = "选择主题文件";
    request.filters = { FileFilter::Parse("主题文件", "*.sui") };
    // Where the theme worn now lies, else the viewer's own theme folder.
    request.folder
        = !look_.theme_file.empty() ? std::filesystem::path(look_.theme_file).parent_path() : UserThemeFolder();
    if (std::optional<std::filesystem::path> file = ChooseFile(request)) {
        PlayerLook look;
        look.theme_file = file->string();
        ChooseLook(look);
    }
}

std::optional<std::filesystem::path> TForm1::ChooseFile(const OpenFileRequest& request)
{
    FileChooserOptions options;
    options.dress = [this](TForm& dialog) { DressForm(dialog, look_); };
    options.try_portal = try_portal_;
    return ChooseFileToOpen(*this, request, options);
}

void TForm1::OpenDialog(bool playlist)
{
    if (!address_form_) {
        address_form_ = new TAddressForm(this);
        DressForm(*address_form_, look_);
        address_form_->OnBrowse = [this]() -> std::optional<std::string> {
            OpenFileRequest request;
            request.title = "选择播放列表";
            request.filters = { FileFilter::Parse("播放列表", "*.m3u;*.m3u8") };
            request.folder = CurrentDirectory();
            if (std::optional<std::filesystem::path> file = ChooseFile(request))
                return file->string();
            return std::nullopt;
        };
    }
    TAddressForm::Choice choice
        = address_form_->Ask(playlist ? TAddressForm::Mode::Playlist : TAddressForm::Mode::Address, BoundsRect());
    const OpenTarget& target = address_form_->Target();
    if (choice == TAddressForm::Choice::SaveAndPlay && target.kind == OpenTarget::Kind::Stream)
        playlists_->SaveAndPlay(target.value, address_form_->ChannelName());
    else if (choice != TAddressForm::Choice::Cancel)
        playlists_->Open(target);
}

void TForm1::OpenItems(const std::vector<std::string>& items, bool playlist_wanted)
{
    std::string directory = CurrentDirectory();
    for (const std::string& item : items)
        playlists_->Open(ClassifyOpenTarget(item, playlist_wanted, directory));
}

void TForm1::WndProc(TMessage& message)
{
    if (message.Msg == WM_DROPFILES) {
        // Copied: opening may run the loop (a message box) past this message.
        std::vector<std::string> items = reinterpret_cast<const DROPFILES*>(message.WParam)->items;
        message.Result = 0;
        OpenItems(items);
        return;
    }
    TForm::WndProc(message);
}

std::string TForm1::Edit1Text() const { return Edit1->Text(); }
std::string TForm1::Edit2Text() const { return Edit2->Text(); }
std::string TForm1::Memo1Text() const { return Memo1->Text(); }

}
