#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/loop/event_loop.h"
#include "player/mpv/mini_bar.h"
#include "player/mpv/mpv_library.h"
#include "player/mpv/player_status.h"
#include "stream/stream_options.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace pellamo {

class FrameRenderer;

// One playback engine (a libmpv handle) with its picture rendered in software
// into a bitmap we own. Frames are drawn on a thread of the player's own (see
// FrameRenderer); the engine's threads only wake the message loop, and every
// other call into the engine happens on the loop's thread.
//
// Setting a non-empty address plays it by itself; the empty address stops and
// releases the stream. Addresses that are not network streams never reach the
// engine. Errors of the stream end up in Status(), never as exceptions.
// After a switch the picture stays blank until the new stream's first frame.
class MpvPlayer {
public:
    // Loads the library if it is not loaded yet (waiting for it). Throws
    // std::runtime_error when the engine cannot be started. The loop must
    // outlive the player.
    explicit MpvPlayer(EventLoop& loop = EventLoop::Main(), MpvLibrary& library = MpvLibrary::Shared());
    ~MpvPlayer();
    MpvPlayer(const MpvPlayer&) = delete;
    MpvPlayer& operator=(const MpvPlayer&) = delete;

    void SetAddress(const std::u16string& address);
    const std::u16string& Address() const { return m_address; }
    // The address last handed to the engine, after scheme mapping and
    // fall-backs; empty when nothing is loaded.
    const std::string& EngineUrl() const { return m_engine_url; }

    // The face's buttons. Play after Stop or an error starts the address
    // again.
    void Play();
    void Pause();
    void TogglePause();
    void Stop();
    void SetVolume(int volume); // 0..100
    int Volume() const { return m_volume; }
    void SetMute(bool mute);
    bool Muted() const { return m_mute; }
    // Carries out a click on the face's bar. Clicks on the picture are the
    // control's (full screen) and do nothing here.
    void Click(const MiniBar::Hit& hit);

    const PlayerStatus& Status() const { return m_status; }

    // The size pictures are drawn at (the control's video area, or the
    // screen in full screen), black where the video does not reach (aspect
    // is kept). After a change Frame() keeps its old size until the current
    // picture has been drawn again.
    void SetVideoSize(int width, int height);
    const Bitmap& Frame() const { return m_frame; }
    // A picture of the current stream is in Frame() (none for radio, before
    // the first frame and after a stop).
    bool HasPicture() const { return m_has_picture; }
    uint64_t FramesRendered() const { return m_frames_rendered; }

    // The sound tracks of the stream (several for some broadcasts: languages,
    // commentary), in the engine's order; empty before the stream is loaded.
    struct AudioTrack {
        int64_t id = 0;
        std::string language; // as the stream names it ("eng", "chi"), may be empty
        std::string codec;
        std::string title;
        bool selected = false;
    };
    std::vector<AudioTrack> AudioTracks();
    void SelectAudioTrack(int64_t id);

    // Writes the running stream, as it arrives, to `file` (an MPEG transport
    // stream; the file is made here, so a folder that cannot be written
    // fails at once). It goes on across the engine's reconnects and ends with
    // StopRecording, a new address, the stream's end, or the player's end;
    // what was written plays whatever stopped it. False with a sentence in
    // RecordingError() when it cannot start.
    bool StartRecording(const std::filesystem::path& file);
    void StopRecording();
    bool Recording() const { return !m_recording.empty(); }
    const std::filesystem::path& RecordingFile() const { return m_recording; }
    std::chrono::steady_clock::time_point RecordingStarted() const { return m_recording_started; }
    // Why the last recording could not start or ended by itself (a full
    // disk); empty when it did not.
    const std::string& RecordingError() const { return m_recording_error; }

    // Saves the picture of the stream, at its own size, as a PNG file; the
    // engine writes it in the background. False when there is no picture.
    bool SaveScreenshot(const std::filesystem::path& file);

    // Called on the loop's thread after a new picture is in Frame(), and after
    // every change of Status().
    std::function<void()> OnFrame;
    std::function<void()> OnStatus;
    // After a recording started or stopped (by itself too).
    std::function<void()> OnRecording;

private:
    static void WakeupThunk(void* self);
    void PictureReady();

    void Load(const std::string& url);
    // The engine's per-file options for the header fields of the address.
    std::vector<std::pair<std::string, std::string>> FileOptions() const;
    void Halt();
    void Forget();
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    // HandleEvent's cases.
    void StartedFile(const mpv_event_start_file& start);
    void LoadedFile();
    void EndedFile(const mpv_event_end_file& end);
    void PropertyChanged(uint64_t observed, const mpv_event_property& property);
    void Logged(const mpv_event_log_message& message);
    void UpdateFrame();
    bool HasVideoTrack();
    void ClearPicture();
    void SetState(PlayerStatus::State state);
    void Fail(int engine_error);
    void ShowReconnecting();
    bool CountReconnect();
    void ReportGivingUp();
    void EndRecording(std::string error);

    EventLoop& m_loop;
    MpvLibrary& m_library;
    const MpvApi& m_api;
    mpv_handle* m_mpv = nullptr;
    mpv_render_context* m_render = nullptr;
    std::unique_ptr<FrameRenderer> m_renderer;

    // Posted work holds this weakly, so work queued by the engine's threads
    // and run after destruction does nothing.
    std::shared_ptr<MpvPlayer*> m_alive;
    std::atomic<bool> m_events_posted { false };
    std::atomic<bool> m_render_posted { false };

    std::u16string m_address;
    std::string m_engine_url;
    std::string m_fallback_url;
    // The address given up for the fallback: the engine's log about it can
    // arrive after the next attempt has begun.
    std::string m_abandoned_url;
    // The header fields of the address, for this play only: the engine
    // forgets per-file options when the entry ends.
    StreamOptions m_options;
    // The engine's playlist entry of the current load (or of an entry of the
    // playlist it turned out to be); ends of older entries are stale.
    // -1: not known yet (the next start names it).
    int64_t m_entry = -1;
    // The engine has told the end of that entry.
    bool m_entry_ended = false;
    // Given up on a server that keeps closing: the engine was told to stop,
    // and the error is shown once it has ended the stream.
    bool m_giving_up = false;
    // Numbers each load; the renderer shows pictures of the current one only
    // once its start is seen (0: none).
    uint64_t m_stream = 0;
    uint64_t m_last_stream = 0;
    bool m_loaded = false;
    bool m_paused = false;
    bool m_cache_wait = false;
    // The engine's reason for the end of a stream, and the first complaint of
    // its network or format layers that tells why.
    int m_engine_error = 0;
    std::string m_first_engine_error;

    PlayerStatus m_status;
    EventLoop::Id m_reconnect_timer = 0;
    std::vector<EventLoop::Clock::time_point> m_reconnects;
    int m_volume = 100;
    bool m_mute = false;

    std::filesystem::path m_recording;
    std::chrono::steady_clock::time_point m_recording_started;
    std::string m_recording_error;

    Bitmap m_frame;
    bool m_has_picture = false;
    uint64_t m_frames_rendered = 0;
};

}
