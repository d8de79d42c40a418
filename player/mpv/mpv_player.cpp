#include "player/mpv/mpv_player.h"

#include "platform/text/gbk.h"
#include "player/mpv/frame_renderer.h"
#include "player/mpv/stream_error.h"
#include "stream/stream_address.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace pellamo {

namespace {

constexpr std::chrono::milliseconds kReconnectShown { 3000 };
constexpr std::chrono::seconds kReconnectWindow { 10 };
constexpr size_t kMaxReconnects = 5;

enum Observed : uint64_t { kTimePos = 1, kPause, kPausedForCache, kCacheBuffering };

// The engine is a guest: it reads no configuration, scripts or watch-later
// files of the user, writes nothing, takes no keys, and plays silently when
// the machine has no sound device. Reconnecting dropped HTTP streams is left
// to its network layer.
constexpr const char* kOptions[][2] = {
    { "config", "no" },
    { "load-scripts", "no" },
    { "ytdl", "no" },
    { "osc", "no" },
    { "terminal", "no" },
    { "input-default-bindings", "no" },
    { "input-vo-keyboard", "no" },
    { "resume-playback", "no" },
    { "save-position-on-quit", "no" },
    { "load-unsafe-playlists", "no" },
    { "sub-auto", "no" },
    { "audio-file-auto", "no" },
    { "audio-display", "no" },
    { "osd-level", "0" },
    { "idle", "yes" },
    { "vo", "libmpv" },
    { "hwdec", "no" },
    // The desktop sound servers and ALSA; the engine's SDL output only adds a
    // tenth of a second of probing before the first picture where there is
    // no sound device, and then the null output plays silently.
    { "ao", "pipewire,pulse,alsa,jack" },
    { "audio-fallback-to-null", "yes" },
    { "network-timeout", "15" },
    { "stream-lavf-o", "reconnect=1,reconnect_streamed=1,reconnect_delay_max=5" },
    // Live television: nothing is kept for seeking back, and reading far
    // ahead of the picture only holds memory.
    { "demuxer-max-back-bytes", "0" },
    { "demuxer-seekable-cache", "no" },
    { "demuxer-max-bytes", "16MiB" },
    { "cache-secs", "10" },
};

// Options a build of the engine may lack; their absence is harmless.
constexpr const char* kOptionalOptions[][2] = {
    { "load-stats-overlay", "no" },
    { "load-osd-console", "no" },
    { "load-auto-profiles", "no" },
    { "cover-art-auto", "no" },
};

bool ContainsNoCase(std::string_view text, std::string_view word)
{
    auto it = std::search(text.begin(), text.end(), word.begin(), word.end(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    return it != text.end();
}

std::string TrimLine(const char* text)
{
    std::string line = text ? text : "";
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

}

namespace {

// The library's reason, for an engine asked for when it cannot be had.
const MpvApi& UsableApi(MpvLibrary& library)
{
    if (!library.Load())
        throw std::runtime_error(library.Error());
    return library.Api();
}

}

MpvPlayer::MpvPlayer(EventLoop& loop, MpvLibrary& library)
    : m_loop(loop)
    , m_library(library)
    , m_api(UsableApi(library))
    , m_alive(std::make_shared<MpvPlayer*>(this))
{
    constexpr const char* kCannotStart = "The media engine cannot be started; channels cannot be played.";
    m_mpv = m_api.create();
    if (!m_mpv)
        throw std::runtime_error(kCannotStart);
    auto fail = [&](const std::string& why) {
        std::fprintf(stderr, "pellamo: media engine: %s\n", why.c_str());
        m_api.terminate_destroy(m_mpv);
        throw std::runtime_error(kCannotStart);
    };
    for (const auto& option : kOptions) {
        int error = m_api.set_option_string(m_mpv, option[0], option[1]);
        if (error < 0)
            fail(std::string("option ") + option[0] + ": " + m_api.error_string(error));
    }
    for (const auto& option : kOptionalOptions)
        m_api.set_option_string(m_mpv, option[0], option[1]);
    int error = m_api.initialize(m_mpv);
    if (error < 0)
        fail(std::string("start: ") + m_api.error_string(error));

    mpv_render_param params[] = {
        { MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW) },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    error = m_api.render_context_create(&m_render, m_mpv, params);
    if (error < 0)
        fail(std::string("renderer: ") + m_api.error_string(error));

    m_api.observe_property(m_mpv, kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
    m_api.observe_property(m_mpv, kPause, "pause", MPV_FORMAT_FLAG);
    m_api.observe_property(m_mpv, kPausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
    m_api.observe_property(m_mpv, kCacheBuffering, "cache-buffering-state", MPV_FORMAT_INT64);
    // Reconnects and the cause of a failure are only told in the log.
    m_api.request_log_messages(m_mpv, "warn");

    m_api.set_wakeup_callback(m_mpv, &MpvPlayer::WakeupThunk, this);
    m_renderer = std::make_unique<FrameRenderer>(m_api, m_render, [this] { PictureReady(); });
}

MpvPlayer::~MpvPlayer()
{
    m_alive.reset();
    // The recorder closes its file before the engine goes.
    if (Recording()) {
        const char* none = "";
        m_api.set_property(m_mpv, "stream-record", MPV_FORMAT_STRING, &none);
    }
    if (m_reconnect_timer)
        m_loop.StopTimer(m_reconnect_timer);
    // Waits for a callback in progress, so none runs after it.
    m_api.set_wakeup_callback(m_mpv, nullptr, nullptr);
    // The drawing thread, then the renderer, then the core it draws from.
    m_renderer.reset();
    m_api.render_context_free(m_render);
    m_library.EndEngine(m_mpv);
}

// On an engine thread: no engine calls here, only a wake-up of the loop.
void MpvPlayer::WakeupThunk(void* self)
{
    auto* player = static_cast<MpvPlayer*>(self);
    if (player->m_events_posted.exchange(true))
        return;
    player->m_loop.Post([alive = std::weak_ptr<MpvPlayer*>(player->m_alive)] {
        if (auto p = alive.lock())
            (*p)->DrainEvents();
    });
}

// On the drawing thread.
void MpvPlayer::PictureReady()
{
    if (m_render_posted.exchange(true))
        return;
    m_loop.Post([alive = std::weak_ptr<MpvPlayer*>(m_alive)] {
        if (auto p = alive.lock())
            (*p)->UpdateFrame();
    });
}

void MpvPlayer::SetAddress(const std::u16string& address)
{
    m_address = address;
    m_fallback_url.clear();
    m_abandoned_url.clear();
    m_options = {};
    m_first_engine_error.clear();
    if (address.empty()) {
        Halt();
        SetState(PlayerStatus::State::Idle);
        return;
    }
    StreamAddress checked = StreamAddress::Parse(Utf16ToUtf8(address));
    if (!checked.Allowed()) {
        // Whatever played before stops: the viewer asked for something else.
        Halt();
        m_status.error = checked.Error();
        SetState(PlayerStatus::State::Error);
        return;
    }
    m_fallback_url = checked.FallbackUrl();
    m_options = checked.Options();
    Load(checked.EngineUrl());
}

void MpvPlayer::Load(const std::string& url)
{
    // A recording is of one channel.
    if (Recording())
        EndRecording({});
    m_engine_url = url;
    m_loaded = false;
    m_cache_wait = false;
    m_first_engine_error.clear();
    m_engine_error = 0;
    m_reconnects.clear();
    m_entry_ended = false;
    m_giving_up = false;
    m_status = {};
    // Blank until this stream's start is seen: frames and redraws of the
    // previous one may still be on their way.
    m_stream = ++m_last_stream;
    m_renderer->Accept(0);
    ClearPicture();
    // A new stream starts playing even if the previous one was paused.
    int no = 0;
    m_api.set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &no);
    m_paused = false;

    // Named arguments: the place of the options argument differs between
    // versions of the engine.
    std::vector<std::pair<std::string, std::string>> file_options = FileOptions();
    std::vector<mpv_node> option_values(file_options.size());
    std::vector<char*> option_keys(file_options.size());
    for (size_t i = 0; i < file_options.size(); ++i) {
        option_keys[i] = file_options[i].first.data();
        option_values[i].format = MPV_FORMAT_STRING;
        option_values[i].u.string = file_options[i].second.data();
    }
    mpv_node_list option_map { static_cast<int>(file_options.size()), option_values.data(), option_keys.data() };
    mpv_node args[4] {};
    char* arg_keys[4] = { const_cast<char*>("name"), const_cast<char*>("url"), const_cast<char*>("flags"),
        const_cast<char*>("options") };
    args[0].format = MPV_FORMAT_STRING;
    args[0].u.string = const_cast<char*>("loadfile");
    args[1].format = MPV_FORMAT_STRING;
    args[1].u.string = const_cast<char*>(url.c_str());
    args[2].format = MPV_FORMAT_STRING;
    args[2].u.string = const_cast<char*>("replace");
    args[3].format = MPV_FORMAT_NODE_MAP;
    args[3].u.list = &option_map;
    mpv_node_list arg_map { file_options.empty() ? 3 : 4, args, arg_keys };
    mpv_node command { .u = { .list = &arg_map }, .format = MPV_FORMAT_NODE_MAP };
    mpv_node result {};
    int error = m_api.command_node(m_mpv, &command, &result);
    m_entry = -1;
    if (error >= 0 && result.format == MPV_FORMAT_NODE_MAP) {
        for (int i = 0; i < result.u.list->num; ++i) {
            if (std::strcmp(result.u.list->keys[i], "playlist_entry_id") == 0
                && result.u.list->values[i].format == MPV_FORMAT_INT64)
                m_entry = result.u.list->values[i].u.int64;
        }
    }
    m_api.free_node_contents(&result);
    if (error < 0) {
        Fail(error);
        if (OnStatus)
            OnStatus();
        return;
    }
    SetState(PlayerStatus::State::Connecting);
}

std::vector<std::pair<std::string, std::string>> MpvPlayer::FileOptions() const
{
    std::vector<std::pair<std::string, std::string>> options;
    if (!m_options.user_agent.empty())
        options.emplace_back("user-agent", m_options.user_agent);
    if (!m_options.referrer.empty())
        options.emplace_back("referrer", m_options.referrer);
    if (!m_options.fields.empty()) {
        // A list option: a comma inside a value is escaped.
        std::string fields;
        for (const auto& [name, value] : m_options.fields) {
            if (!fields.empty())
                fields += ',';
            fields += name + ": ";
            for (char c : value) {
                if (c == ',')
                    fields += '\\';
                fields += c;
            }
        }
        options.emplace_back("http-header-fields", fields);
    }
    return options;
}

void MpvPlayer::Play()
{
    using State = PlayerStatus::State;
    if (m_loaded && m_paused) {
        int no = 0;
        m_api.set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &no);
        return;
    }
    if (!m_loaded
        && (m_status.state == State::Stopped || m_status.state == State::Error || m_status.state == State::Idle)
        && !m_address.empty())
        SetAddress(std::u16string(m_address));
}

void MpvPlayer::Pause()
{
    if (!m_loaded)
        return;
    int yes = 1;
    m_api.set_property(m_mpv, "pause", MPV_FORMAT_FLAG, &yes);
}

void MpvPlayer::TogglePause()
{
    if (m_loaded && !m_paused)
        Pause();
    else
        Play();
}

void MpvPlayer::Stop()
{
    if (m_status.state == PlayerStatus::State::Idle && m_engine_url.empty())
        return;
    Halt();
    SetState(PlayerStatus::State::Stopped);
}

// Ends what the engine plays and forgets it; the state is the caller's.
void MpvPlayer::Halt()
{
    if (Recording())
        EndRecording({});
    const char* stop[] = { "stop", nullptr };
    m_api.command(m_mpv, stop);
    Forget();
}

// Forgets the stream the engine has ended or been told to end.
void MpvPlayer::Forget()
{
    m_entry = -1;
    m_entry_ended = false;
    m_giving_up = false;
    m_stream = 0;
    m_renderer->Accept(0);
    m_loaded = false;
    m_engine_url.clear();
    m_fallback_url.clear();
    m_reconnects.clear();
    ClearPicture();
    m_status = {};
}

void MpvPlayer::SetVolume(int volume)
{
    m_volume = std::clamp(volume, 0, 100);
    double value = m_volume;
    m_api.set_property(m_mpv, "volume", MPV_FORMAT_DOUBLE, &value);
}

void MpvPlayer::SetMute(bool mute)
{
    m_mute = mute;
    int value = mute ? 1 : 0;
    m_api.set_property(m_mpv, "mute", MPV_FORMAT_FLAG, &value);
}

void MpvPlayer::Click(const MiniBar::Hit& hit)
{
    switch (hit.action) {
    case MiniBar::Action::PlayPause:
        TogglePause();
        break;
    case MiniBar::Action::Stop:
        Stop();
        break;
    case MiniBar::Action::Mute:
        SetMute(!m_mute);
        break;
    case MiniBar::Action::Volume:
        SetVolume(hit.volume);
        break;
    case MiniBar::Action::None:
    case MiniBar::Action::Video:
    case MiniBar::Action::Record: // needs a file name: the view's
        break;
    }
}

void MpvPlayer::DrainEvents()
{
    m_events_posted = false;
    PlayerStatus before = m_status;
    for (;;) {
        mpv_event* event = m_api.wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        HandleEvent(*event);
    }
    if (!(m_status == before) && OnStatus)
        OnStatus();
}

void MpvPlayer::HandleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        return StartedFile(*static_cast<const mpv_event_start_file*>(event.data));
    case MPV_EVENT_FILE_LOADED:
        return LoadedFile();
    case MPV_EVENT_PLAYBACK_RESTART:
        if (m_loaded && !m_paused && !m_cache_wait)
            m_status.state = PlayerStatus::State::Playing;
        return;
    case MPV_EVENT_END_FILE:
        return EndedFile(*static_cast<const mpv_event_end_file*>(event.data));
    case MPV_EVENT_PROPERTY_CHANGE:
        return PropertyChanged(event.reply_userdata, *static_cast<const mpv_event_property*>(event.data));
    case MPV_EVENT_LOG_MESSAGE:
        return Logged(*static_cast<const mpv_event_log_message*>(event.data));
    default:
        return;
    }
}

void MpvPlayer::StartedFile(const mpv_event_start_file& start)
{
    if (m_engine_url.empty())
        return; // a start we already stopped
    // Entries of a playlist the stream turned out to be come after it;
    // their ends are ours to report. Older starts are stale.
    if (start.playlist_entry_id > m_entry) {
        m_entry = start.playlist_entry_id;
        m_entry_ended = false;
    }
    // The previous stream has ended: new frames are this one's.
    if (start.playlist_entry_id == m_entry)
        m_renderer->Accept(m_stream);
}

void MpvPlayer::LoadedFile()
{
    using State = PlayerStatus::State;
    if (m_engine_url.empty())
        return;
    m_loaded = true;
    m_status.audio_only = !HasVideoTrack();
    // Playing starts with the first restart; until then it is filling up.
    m_status.state = m_paused ? State::Paused : State::Buffering;
}

void MpvPlayer::EndedFile(const mpv_event_end_file& end)
{
    if (m_engine_url.empty() || end.playlist_entry_id != m_entry)
        return; // an older stream's end, or one we stopped ourselves
    m_entry_ended = true;
    if (m_giving_up) {
        // Only now has the engine made its last attempt.
        ReportGivingUp();
        return;
    }
    if (end.reason == MPV_END_FILE_REASON_ERROR) {
        if (!m_fallback_url.empty()) {
            std::string next = std::move(m_fallback_url);
            m_fallback_url.clear();
            m_abandoned_url = m_engine_url;
            Load(next);
            return;
        }
        m_loaded = false;
        if (Recording())
            EndRecording({});
        Fail(end.error);
        ClearPicture();
    } else if (end.reason == MPV_END_FILE_REASON_EOF) {
        if (Recording())
            EndRecording({});
        m_loaded = false;
        m_status.state = PlayerStatus::State::Stopped;
    }
}

void MpvPlayer::PropertyChanged(uint64_t observed, const mpv_event_property& property)
{
    using State = PlayerStatus::State;
    switch (observed) {
    case kTimePos:
        if (property.format == MPV_FORMAT_DOUBLE)
            m_status.elapsed_seconds = *static_cast<double*>(property.data);
        break;
    case kPause:
        if (property.format == MPV_FORMAT_FLAG) {
            m_paused = *static_cast<int*>(property.data) != 0;
            if (m_loaded)
                m_status.state = m_paused ? State::Paused : (m_cache_wait ? State::Buffering : State::Playing);
        }
        break;
    case kPausedForCache:
        if (property.format == MPV_FORMAT_FLAG) {
            m_cache_wait = *static_cast<int*>(property.data) != 0;
            if (m_loaded && !m_paused && m_status.state != State::Reconnecting)
                m_status.state = m_cache_wait ? State::Buffering : State::Playing;
        }
        break;
    case kCacheBuffering:
        if (property.format == MPV_FORMAT_INT64)
            m_status.buffering_percent
                = static_cast<int>(std::clamp<int64_t>(*static_cast<int64_t*>(property.data), 0, 100));
        break;
    }
}

void MpvPlayer::Logged(const mpv_event_log_message& message)
{
    std::string text = TrimLine(message.text);
    // Lines that come after the stream's end (the log lags behind the
    // events) no longer count against it.
    std::string_view source = message.prefix ? message.prefix : "";
    if (Recording() && source.starts_with("recorder") && message.log_level <= MPV_LOG_LEVEL_ERROR) {
        // A full disk or a vanished folder: what is written stays playable.
        EndRecording("The recording stopped: " + text);
        return;
    }
    if (m_engine_url.empty() || m_giving_up || text.empty())
        return;
    // A late complaint about the attempt before the fallback is not this
    // attempt's cause.
    if (!m_abandoned_url.empty() && text.find(m_abandoned_url) != std::string::npos)
        return;
    if (ContainsNoCase(text, "will reconnect") && !m_entry_ended && !CountReconnect())
        return;
    if (m_loaded && ContainsNoCase(text, "reconnect"))
        ShowReconnecting();
    // The first network or format complaint names the cause; later ones
    // repeat it, and sound-device messages are not about the stream.
    std::string_view prefix = message.prefix ? message.prefix : "";
    bool about_stream = prefix.starts_with("ffmpeg") || prefix.starts_with("stream") || prefix.starts_with("demux");
    if (message.log_level <= MPV_LOG_LEVEL_ERROR && about_stream && m_first_engine_error.empty()) {
        m_first_engine_error = text;
        // The log can lag behind the end of the stream it explains.
        if (m_status.state == PlayerStatus::State::Error && m_engine_error < 0)
            Fail(m_engine_error);
    }
}

bool MpvPlayer::HasVideoTrack()
{
    int64_t count = 0;
    if (m_api.get_property(m_mpv, "track-list/count", MPV_FORMAT_INT64, &count) < 0)
        return false;
    for (int64_t i = 0; i < count; ++i) {
        std::string prefix = "track-list/" + std::to_string(i) + "/";
        char* type = m_api.get_property_string(m_mpv, (prefix + "type").c_str());
        bool video = type && std::strcmp(type, "video") == 0;
        m_api.free(type);
        int albumart = 0;
        m_api.get_property(m_mpv, (prefix + "albumart").c_str(), MPV_FORMAT_FLAG, &albumart);
        if (video && !albumart)
            return true;
    }
    return false;
}

std::vector<MpvPlayer::AudioTrack> MpvPlayer::AudioTracks()
{
    std::vector<AudioTrack> tracks;
    int64_t count = 0;
    if (!m_loaded || m_api.get_property(m_mpv, "track-list/count", MPV_FORMAT_INT64, &count) < 0)
        return tracks;
    auto text = [&](const std::string& name) {
        char* value = m_api.get_property_string(m_mpv, name.c_str());
        std::string out = value ? value : "";
        m_api.free(value);
        return out;
    };
    for (int64_t i = 0; i < count; ++i) {
        std::string prefix = "track-list/" + std::to_string(i) + "/";
        if (text(prefix + "type") != "audio")
            continue;
        AudioTrack track;
        m_api.get_property(m_mpv, (prefix + "id").c_str(), MPV_FORMAT_INT64, &track.id);
        track.language = text(prefix + "lang");
        track.codec = text(prefix + "codec");
        track.title = text(prefix + "title");
        int selected = 0;
        m_api.get_property(m_mpv, (prefix + "selected").c_str(), MPV_FORMAT_FLAG, &selected);
        track.selected = selected != 0;
        tracks.push_back(std::move(track));
    }
    return tracks;
}

void MpvPlayer::SelectAudioTrack(int64_t id)
{
    if (m_loaded)
        m_api.set_property(m_mpv, "aid", MPV_FORMAT_INT64, &id);
}

bool MpvPlayer::StartRecording(const std::filesystem::path& file)
{
    if (Recording())
        EndRecording({});
    m_recording_error.clear();
    if (m_engine_url.empty()) {
        m_recording_error = "Nothing is playing that could be recorded.";
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    // Made here, so that a folder we cannot write is told at once and in
    // our words.
    std::FILE* made = std::fopen(file.c_str(), "wbx");
    if (!made) {
        m_recording_error = "Cannot record to " + file.parent_path().string() + ": " + std::strerror(errno);
        return false;
    }
    std::fclose(made);
    std::string path = file.string();
    const char* value = path.c_str();
    int result = m_api.set_property(m_mpv, "stream-record", MPV_FORMAT_STRING, &value);
    if (result < 0) {
        std::filesystem::remove(file, error);
        m_recording_error = std::string("The stream cannot be recorded: ") + m_api.error_string(result);
        return false;
    }
    m_recording = file;
    m_recording_started = std::chrono::steady_clock::now();
    if (OnRecording)
        OnRecording();
    return true;
}

void MpvPlayer::StopRecording()
{
    if (Recording())
        EndRecording({});
}

void MpvPlayer::EndRecording(std::string error)
{
    const char* none = "";
    m_api.set_property(m_mpv, "stream-record", MPV_FORMAT_STRING, &none);
    m_recording.clear();
    m_recording_error = std::move(error);
    if (!m_recording_error.empty())
        std::fprintf(stderr, "pellamo: player: %s\n", m_recording_error.c_str());
    if (OnRecording)
        OnRecording();
}

bool MpvPlayer::SaveScreenshot(const std::filesystem::path& file)
{
    if (!m_has_picture)
        return false;
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::string path = file.string();
    // "video": the picture as the stream has it, without our black bars.
    const char* command[] = { "screenshot-to-file", path.c_str(), "video", nullptr };
    return m_api.command_async(m_mpv, 0, command) >= 0;
}

void MpvPlayer::UpdateFrame()
{
    m_render_posted = false;
    if (m_engine_url.empty() || !m_renderer->Take(m_frame))
        return;
    m_has_picture = true;
    ++m_frames_rendered;
    if (OnFrame)
        OnFrame();
}

void MpvPlayer::SetVideoSize(int width, int height) { m_renderer->SetSize(std::max(width, 0), std::max(height, 0)); }

void MpvPlayer::ClearPicture()
{
    bool had = m_has_picture;
    m_has_picture = false;
    m_frame.Fill(0);
    if (had && OnFrame)
        OnFrame();
}

// A server that answers and closes at once (a short reply without a length)
// looks to the engine like a stream that keeps dropping, and it would
// reconnect forever at full speed. A live stream drops now and then; many
// drops in a short time end the stream with an error. False when given up.
bool MpvPlayer::CountReconnect()
{
    auto now = EventLoop::Clock::now();
    std::erase_if(m_reconnects, [&](EventLoop::Clock::time_point t) { return now - t > kReconnectWindow; });
    m_reconnects.push_back(now);
    if (m_reconnects.size() <= kMaxReconnects)
        return true;
    // The engine may be connecting again as we read this; the error is told
    // once it has ended the stream, so no attempt follows the message.
    const char* stop[] = { "stop", nullptr };
    m_api.command(m_mpv, stop);
    m_giving_up = true;
    m_renderer->Accept(0);
    ClearPicture();
    return false;
}

void MpvPlayer::ReportGivingUp()
{
    std::string address = Utf16ToUtf8(m_address);
    Forget();
    m_status.state = PlayerStatus::State::Error;
    m_status.error = "Cannot play " + StreamAddress::Shown(address) + ": the server keeps closing the connection.";
    m_status.engine_text = "reconnected more than " + std::to_string(kMaxReconnects) + " times in "
        + std::to_string(kReconnectWindow.count()) + " s";
    std::fprintf(stderr, "pellamo: player: %s: %s\n", address.c_str(), m_status.engine_text.c_str());
}

// The engine does not tell when a reconnect succeeds, and the cache keeps the
// picture going meanwhile; the face says so for a while, then goes back.
void MpvPlayer::ShowReconnecting()
{
    m_status.state = PlayerStatus::State::Reconnecting;
    if (m_reconnect_timer)
        m_loop.StopTimer(m_reconnect_timer);
    m_reconnect_timer = m_loop.StartTimer(
        kReconnectShown,
        [this] {
            m_reconnect_timer = 0;
            if (m_status.state != PlayerStatus::State::Reconnecting)
                return;
            SetState(m_paused ? PlayerStatus::State::Paused
                              : (m_cache_wait ? PlayerStatus::State::Buffering : PlayerStatus::State::Playing));
        },
        false);
}

// The stream failed: a sentence of ours for the viewer, the engine's words
// for the log.
void MpvPlayer::Fail(int engine_error)
{
    m_engine_error = engine_error;
    std::string engine_text = m_api.error_string(engine_error);
    if (!m_first_engine_error.empty())
        engine_text += ": " + m_first_engine_error;
    std::string address = Utf16ToUtf8(m_address);
    m_status.state = PlayerStatus::State::Error;
    m_status.error = DescribeStreamError(address, engine_error, m_first_engine_error);
    if (engine_text != m_status.engine_text) {
        m_status.engine_text = engine_text;
        std::fprintf(stderr, "pellamo: player: %s: %s\n", address.c_str(), engine_text.c_str());
    }
}

void MpvPlayer::SetState(PlayerStatus::State state)
{
    m_status.state = state;
    if (OnStatus)
        OnStatus();
}

}
