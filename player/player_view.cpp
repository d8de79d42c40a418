#include "player/player_view.h"

#include "player/mpv/player_face.h"

#include <algorithm>
#include <stdexcept>

namespace pellamo {

namespace {
constexpr unsigned kKeyF = 'F';
}

PlayerView::PlayerView(bool with_bar, std::function<void()> invalidate, EventLoop& loop)
    : m_with_bar(with_bar)
    , m_invalidate(std::move(invalidate))
    , m_loop(loop)
    , m_layout(0, 0, with_bar)
{
}

PlayerView::~PlayerView()
{
    m_full_screen.reset();
    if (m_player) {
        m_player->OnFrame = nullptr;
        m_player->OnStatus = nullptr;
    }
    m_player.reset();
}

bool PlayerView::EnsureEngine()
{
    if (m_player)
        return true;
    try {
        m_player = std::make_unique<MpvPlayer>(m_loop);
    } catch (const std::exception& e) {
        m_start_failure = {};
        m_start_failure.state = PlayerStatus::State::Error;
        m_start_failure.error = e.what();
        return false;
    }
    m_start_failure = {};
    m_player->OnFrame = [this] { Changed(); };
    m_player->OnStatus = [this] { Changed(); };
    ApplyVideoSize();
    return true;
}

void PlayerView::SetAddress(const std::u16string& address)
{
    m_address = address;
    // Nothing to stop before the first address: the engine stays unborn.
    if (address.empty() && !m_player) {
        m_start_failure = {};
        Changed();
        return;
    }
    if (!EnsureEngine()) {
        Changed();
        return;
    }
    m_player->SetAddress(address);
    if (address.empty())
        LeaveFullScreen();
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
    if (m_shown)
        m_player->SetVideoSize(m_layout.Video().Width(), m_layout.Video().Height());
    else
        m_player->SetVideoSize(0, 0);
}

void PlayerView::Changed()
{
    if (m_full_screen)
        m_full_screen->Refresh();
    if (m_invalidate)
        m_invalidate();
}

PlayerStatus PlayerView::Status() const
{
    return m_player ? m_player->Status() : m_start_failure;
}

void PlayerView::Paint(Canvas& canvas)
{
    if (!m_shown)
        return;
    PlayerFace::View view;
    view.status = Status();
    if (m_player) {
        view.volume = m_player->Volume();
        view.muted = m_player->Muted();
        // In full screen the picture lives there; here the station display.
        if (m_player->HasPicture() && !m_full_screen)
            view.picture = &m_player->Frame();
    }
    if (view.picture && !view.status.audio_only)
        ++m_pictures_painted;
    PlayerFace::Paint(canvas, m_layout, view);
}

void PlayerView::MouseDown(Point p)
{
    if (!m_player)
        return;
    MiniBar::Hit hit = m_layout.HitTest(p);
    if (hit.action == MiniBar::Action::None || hit.action == MiniBar::Action::Video)
        return;
    m_player->Click(hit);
    Changed();
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
    Changed();
}

void PlayerView::LeaveFullScreen()
{
    if (!m_full_screen)
        return;
    m_full_screen.reset();
    Changed();
}

}
