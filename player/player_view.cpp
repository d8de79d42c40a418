#include "player/player_view.h"

#include "player/mpv/media_files.h"
#include "player/mpv/player_face.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include <algorithm>
#include <stdexcept>

namespace pellamo {

namespace {
constexpr unsigned kKeyF = 'F';
}

PlayerView::PlayerView(bool with_bar, std::function<void()> invalidate, EventLoop& loop, MpvLibrary& library)
    : m_with_bar(with_bar)
    , m_invalidate(std::move(invalidate))
    , m_loop(loop)
    , m_library(library)
    , m_layout(0, 0, with_bar)
{
}

PlayerView::~PlayerView()
{
    StopWaiting();
    m_full_screen.reset();
    ReleaseEngine();
}

bool PlayerView::StartEngine()
{
    try {
        m_player = std::make_unique<MpvPlayer>(m_loop, m_library);
    } catch (const std::exception& e) {
        m_no_engine = {};
        m_no_engine.state = PlayerStatus::State::Error;
        m_no_engine.error = e.what();
        return false;
    }
    m_no_engine = {};
    m_player->SetVolume(m_volume);
    m_player->SetMute(m_muted);
    m_player->OnFrame = [this] { PictureChanged(); };
    m_player->OnStatus = [this] { StatusChanged(); };
    m_player->OnRecording = [this] {
        // A recording that ended by itself says why.
        if (!m_player->Recording() && !m_player->RecordingError().empty() && OnMessage)
            OnMessage(m_player->RecordingError());
        Changed();
    };
    ApplyVideoSize();
    return true;
}

void PlayerView::ReleaseEngine()
{
    if (!m_player)
        return;
    m_player->OnFrame = nullptr;
    m_player->OnStatus = nullptr;
    m_player->OnRecording = nullptr;
    m_player.reset();
}

// The library is still loading, or the previous engine still ending: the
// viewer sees the channel connecting, and it plays once the engine is there.
// The loop stays free meanwhile.
void PlayerView::WaitForLibrary()
{
    m_library.Warm();
    m_no_engine = {};
    m_no_engine.state = PlayerStatus::State::Connecting;
    if (m_library_watch)
        return;
    m_library_watch = m_loop.WatchDescriptor(m_library.ReadyDescriptor(), EventLoop::kReadable, [this](unsigned) {
        if (!m_library.Ready())
            return; // an engine began ending since
        StopWaiting();
        if (m_address.empty())
            return;
        if (StartEngine())
            m_player->SetAddress(m_address);
        Changed();
    });
}

void PlayerView::StopWaiting()
{
    if (m_library_watch)
        m_loop.UnwatchDescriptor(m_library_watch);
    m_library_watch = 0;
}

void PlayerView::SetAddress(const std::u16string& address)
{
    m_address = address;
    if (address.empty()) {
        // Stopped and released; an engine not yet born stays so.
        StopWaiting();
        LeaveFullScreen();
        ReleaseEngine();
        m_no_engine = {};
    } else if (m_player) {
        m_player->SetAddress(address);
    } else if (!m_library.Ready()) {
        WaitForLibrary();
    } else if (StartEngine()) {
        m_player->SetAddress(address);
    }
    Changed();
}

void PlayerView::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    m_layout = MiniBar(width, height, m_with_bar);
    ApplyVideoSize();
    Changed();
}

void PlayerView::SetShown(bool shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    if (!shown)
        LeaveFullScreen();
    ApplyVideoSize();
    Changed();
}

void PlayerView::ApplyVideoSize()
{
    if (!m_player)
        return;
    if (m_full_screen) {
        Size screen = m_full_screen->PictureSize();
        m_player->SetVideoSize(screen.cx, screen.cy);
    } else if (m_shown) {
        m_player->SetVideoSize(m_layout.Video().Width(), m_layout.Video().Height());
    } else {
        m_player->SetVideoSize(0, 0);
    }
}

void PlayerView::PictureChanged()
{
    if (!InvalidatePart || m_layout.Video().IsEmpty()) {
        Changed();
        return;
    }
    if (m_full_screen)
        m_full_screen->Refresh();
    InvalidatePart(m_layout.Video());
}

void PlayerView::StatusChanged()
{
    // The engine tells the stream's time at every frame; the bar shows it
    // by the second, and the station display (no picture) by its text.
    PlayerStatus status = Status();
    std::string text = status.Text() + (status.audio_only ? "a" : "v") + RecordingText();
    bool picture = m_player && m_player->HasPicture() && !status.audio_only;
    if (InvalidatePart && picture && text == m_bar_text) {
        if (m_full_screen)
            m_full_screen->Refresh();
        return;
    }
    m_bar_text = std::move(text);
    Changed();
}

void PlayerView::Changed()
{
    if (m_full_screen)
        m_full_screen->Refresh();
    if (m_invalidate)
        m_invalidate();
}

PlayerStatus PlayerView::Status() const { return m_player ? m_player->Status() : m_no_engine; }

void PlayerView::Paint(Canvas& canvas)
{
    if (!m_shown)
        return;
    PlayerFace::View view;
    view.status = Status();
    view.volume = m_volume;
    view.muted = m_muted;
    if (m_player) {
        // In full screen the picture lives there; here the station display.
        if (m_player->HasPicture() && !m_full_screen)
            view.picture = &m_player->Frame();
    }
    if (view.picture && !view.status.audio_only)
        ++m_pictures_painted;
    view.recording = Recording();
    if (view.recording)
        view.recording_text = RecordingText();
    PlayerFace::Paint(canvas, m_layout, view);
}

void PlayerView::MouseDown(Point p)
{
    if (!m_player)
        return;
    MiniBar::Hit hit = m_layout.HitTest(p);
    if (hit.action == MiniBar::Action::None || hit.action == MiniBar::Action::Video)
        return;
    if (hit.action == MiniBar::Action::Record) {
        std::string told = ToggleRecording();
        if (OnMessage)
            OnMessage(told);
        Changed();
        return;
    }
    m_player->Click(hit);
    m_volume = m_player->Volume();
    m_muted = m_player->Muted();
    Changed();
}

void PlayerView::SetVolume(int volume, bool muted)
{
    m_volume = std::clamp(volume, 0, 100);
    m_muted = muted;
    if (m_player) {
        m_player->SetVolume(m_volume);
        m_player->SetMute(m_muted);
    }
    Changed();
}

void PlayerView::RightClick(Point p)
{
    if (m_layout.HitTest(p).action == MiniBar::Action::Video && OnPictureMenu)
        OnPictureMenu(p);
}

std::string PlayerView::ToggleRecording()
{
    if (Recording()) {
        std::filesystem::path file = m_player->RecordingFile();
        m_player->StopRecording();
        return "录制已结束：" + file.string();
    }
    if (!m_player || m_address.empty())
        return "没有正在播放的节目可以录制";
    std::filesystem::path folder = RecordingsFolder();
    std::filesystem::path file = FreeFileIn(folder, MediaFileName(m_title, std::chrono::system_clock::now(), ".ts"));
    if (!m_player->StartRecording(file))
        return "无法录制：" + m_player->RecordingError();
    return "正在录制到 " + file.string();
}

std::string PlayerView::SaveScreenshot()
{
    if (!m_player || !m_player->HasPicture())
        return "没有可以保存的画面";
    std::filesystem::path file
        = FreeFileIn(PicturesFolder(), MediaFileName(m_title, std::chrono::system_clock::now(), ".png"));
    if (!m_player->SaveScreenshot(file))
        return "无法保存画面";
    return "画面已保存到 " + file.string();
}

std::string PlayerView::RecordingText() const
{
    if (!Recording())
        return {};
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::steady_clock::now() - m_player->RecordingStarted())
                       .count();
    char clock[32];
    std::snprintf(clock, sizeof clock, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
        static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    std::error_code error;
    uintmax_t bytes = std::filesystem::file_size(m_player->RecordingFile(), error);
    if (error)
        bytes = 0;
    char size[32];
    std::snprintf(size, sizeof size, "%.1f MB", static_cast<double>(bytes) / (1024 * 1024));
    return std::string("录制 ") + clock + " · " + size;
}

void PlayerView::DoubleClick(Point p, WindowSystem& ws)
{
    if (m_layout.HitTest(p).action == MiniBar::Action::Video)
        ToggleFullScreen(ws);
}

bool PlayerView::KeyDown(unsigned vk, WindowSystem& ws)
{
    if (vk == kKeyF) {
        ToggleFullScreen(ws);
        return true;
    }
    if (vk == VK_ESCAPE && m_full_screen) {
        LeaveFullScreen();
        return true;
    }
    return false;
}

void PlayerView::ToggleFullScreen(WindowSystem& ws)
{
    if (m_full_screen) {
        LeaveFullScreen();
        return;
    }
    // Only what is playing goes full screen; an idle or hidden player has
    // nothing to show there.
    if (!m_player || !m_shown || m_address.empty())
        return;
    m_full_screen = std::make_unique<FullScreenWindow>(ws, *m_player, [this] { LeaveFullScreen(); });
    ApplyVideoSize();
    Changed();
}

void PlayerView::LeaveFullScreen()
{
    if (!m_full_screen)
        return;
    m_full_screen.reset();
    ApplyVideoSize();
    Changed();
}

}
