#pragma once

#include "platform/gfx/canvas.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"
#include "player/full_screen_window.h"
#include "player/mpv/mini_bar.h"
#include "player/mpv/mpv_player.h"
#include "player/mpv/player_status.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace pellamo {

// What the two player controls share, apart from being controls: one
// engine, started only when the first address arrives (so it costs nothing
// on the way to the main window's first paint), the face and its clicks,
// and the full-screen view. The control forwards its size, visibility,
// paint and input here.
//
// The engine's library is loaded on a thread of its own; an address that
// arrives before it is ready shows as connecting and plays once it is. A
// library that cannot be loaded shows why in the face.
class PlayerView {
public:
    // `with_bar` false: the picture alone on black.
    PlayerView(bool with_bar, std::function<void()> invalidate, EventLoop& loop = EventLoop::Main(),
        MpvLibrary& library = MpvLibrary::Shared());
    ~PlayerView();
    PlayerView(const PlayerView&) = delete;
    PlayerView& operator=(const PlayerView&) = delete;

    // Non-empty plays; empty stops and releases the engine, whose memory
    // then goes back to the system (the hidden one of the two controls holds
    // nothing). Never throws: a failure shows in the face.
    void SetAddress(const std::u16string& address);
    const std::u16string& Address() const { return m_address; }
    // A channel is likely to be chosen soon: load the engine's library in
    // the background now.
    void WarmEngine() { m_library.Warm(); }

    void SetSize(int width, int height);
    // A hidden control draws nothing, so the engine renders nothing either.
    void SetShown(bool shown);
    bool Shown() const { return m_shown; }

    void Paint(Canvas& canvas);
    void MouseDown(Point p);
    void DoubleClick(Point p, WindowSystem& ws);
    // True when the key was the player's.
    bool KeyDown(unsigned vk, WindowSystem& ws);

    void ToggleFullScreen(WindowSystem& ws);
    void LeaveFullScreen();
    bool FullScreen() const { return m_full_screen != nullptr; }
    const FullScreenWindow* FullScreenView() const { return m_full_screen.get(); }

    // The viewer's volume (0..100) and mute, kept across engines and runs.
    int Volume() const { return m_volume; }
    bool Muted() const { return m_muted; }
    void SetVolume(int volume, bool muted);

    // The name of what plays (UTF-8), for the names of recordings and pictures.
    void SetTitle(std::string title) { m_title = std::move(title); }

    // Starts a recording of the running stream into the recordings folder,
    // or stops the one running. Returns what to tell the viewer (UTF-8).
    std::string ToggleRecording();
    bool Recording() const { return m_player && m_player->Recording(); }
    // Saves the current picture into the pictures folder; returns what to
    // tell the viewer.
    std::string SaveScreenshot();
    // Told when a recording ends by itself (a full disk), with why.
    std::function<void(const std::string&)> OnMessage;
    // Told on a right-click on the picture, with the control's point.
    std::function<void(Point)> OnPictureMenu;
    void RightClick(Point p);

    // "录制 00:01:23 · 12.3 MB" while a recording runs.
    std::string RecordingText() const;

    // Repaints part of the control; without it every change repaints all.
    // A new picture then repaints the picture alone, and the bar only when
    // what it shows changes (the clock by the second, not by the frame).
    std::function<void(const Rect&)> InvalidatePart;

    const MiniBar& Layout() const { return m_layout; }
    // Paints that showed a picture of the stream (for measuring).
    uint64_t PicturesPainted() const { return m_pictures_painted; }
    PlayerStatus Status() const;
    // Null while there is no address, and until the library has loaded.
    MpvPlayer* Engine() { return m_player.get(); }
    const MpvPlayer* Engine() const { return m_player.get(); }

private:
    bool StartEngine();
    void ReleaseEngine();
    void WaitForLibrary();
    void StopWaiting();
    void ApplyVideoSize();
    void Changed();
    void PictureChanged();
    void StatusChanged();

    bool m_with_bar;
    std::function<void()> m_invalidate;
    EventLoop& m_loop;
    MpvLibrary& m_library;
    EventLoop::Id m_library_watch = 0;
    MiniBar m_layout;
    uint64_t m_pictures_painted = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_shown = true;
    std::u16string m_address;
    std::string m_title;
    // What the bar showed when it was last asked to repaint.
    std::string m_bar_text;
    // The viewer's, kept across engines.
    int m_volume = 100;
    bool m_muted = false;
    // What the face shows while there is no engine: connecting while the
    // library loads, why when it cannot be started.
    PlayerStatus m_no_engine;
    std::unique_ptr<MpvPlayer> m_player;
    // Declared after the engine: it draws from it, so it goes first.
    std::unique_ptr<FullScreenWindow> m_full_screen;
};

}
