#pragma once

#include <mpv/client.h>
#include <mpv/render.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pellamo {

// The engine's functions, looked up in libmpv when it is loaded.
struct MpvApi {
    decltype(&::mpv_client_api_version) client_api_version = nullptr;
    decltype(&::mpv_error_string) error_string = nullptr;
    decltype(&::mpv_free) free = nullptr;
    decltype(&::mpv_create) create = nullptr;
    decltype(&::mpv_initialize) initialize = nullptr;
    decltype(&::mpv_terminate_destroy) terminate_destroy = nullptr;
    decltype(&::mpv_set_option_string) set_option_string = nullptr;
    decltype(&::mpv_command) command = nullptr;
    decltype(&::mpv_command_ret) command_ret = nullptr;
    decltype(&::mpv_command_node) command_node = nullptr;
    decltype(&::mpv_command_async) command_async = nullptr;
    decltype(&::mpv_free_node_contents) free_node_contents = nullptr;
    decltype(&::mpv_set_property) set_property = nullptr;
    decltype(&::mpv_get_property) get_property = nullptr;
    decltype(&::mpv_get_property_string) get_property_string = nullptr;
    decltype(&::mpv_observe_property) observe_property = nullptr;
    decltype(&::mpv_request_log_messages) request_log_messages = nullptr;
    decltype(&::mpv_wait_event) wait_event = nullptr;
    decltype(&::mpv_set_wakeup_callback) set_wakeup_callback = nullptr;
    decltype(&::mpv_render_context_create) render_context_create = nullptr;
    decltype(&::mpv_render_context_free) render_context_free = nullptr;
    decltype(&::mpv_render_context_set_update_callback) render_context_set_update_callback = nullptr;
    decltype(&::mpv_render_context_update) render_context_update = nullptr;
    decltype(&::mpv_render_context_render) render_context_render = nullptr;
    decltype(&::mpv_render_context_get_info) render_context_get_info = nullptr;
};

// libmpv, loaded when the engine is first needed rather than at start: it
// pulls in a couple of hundred libraries, and mapping and relocating them
// would double the time to the first window. Warm() starts the load on a
// thread of its own once a channel is likely to be chosen, so that neither
// the start nor the first channel pays for it.
//
// A library that is missing, or of an interface version other than the one
// we were built against, leaves the engine unusable with a sentence for the
// viewer in Error(); the program goes on without playback.
class MpvLibrary {
public:
    // The engine of the program: libmpv by its run-time name.
    static MpvLibrary& Shared();

    // Tries the names in order; the first that loads is used.
    explicit MpvLibrary(std::vector<std::string> names);
    ~MpvLibrary();
    MpvLibrary(const MpvLibrary&) = delete;
    MpvLibrary& operator=(const MpvLibrary&) = delete;

    // Starts loading in the background unless a load has started. Cheap.
    void Warm();
    // Loads now, or waits for a load in progress, and for engines still
    // ending. True when usable.
    bool Load();

    // Loading has ended, usable or not. Thread-safe.
    bool Finished() const;
    // Loading has ended and no engine is still ending: a new engine can start
    // at once. The engine's codec and network libraries tell their log to the
    // first engine alive only, and stop telling anyone when it ends; an engine
    // started meanwhile would never hear why its stream fails or reconnects.
    bool Ready() const;
    // A descriptor readable while Ready(), for an event loop to watch instead
    // of waiting.
    int ReadyDescriptor() const { return m_ready_fd; }
    // Valid once Finished() and usable.
    bool Usable() const;
    const MpvApi& Api() const { return m_api; }
    // Why the engine cannot be used, for the viewer; empty when usable.
    std::string Error() const;

    // Ends an engine (its renderer already freed) on a thread of the
    // library's: ending waits for the engine's threads and connections, and
    // the loop does not wait for that. What the engine held is handed back to
    // the system afterwards. The program waits for these before it ends.
    void EndEngine(mpv_handle* engine);

private:
    void LoadHere();
    bool Resolve(void* handle);
    void EndEngines();
    bool ReadyLocked() const;
    void SignalReady();
    // Waits for the threads of the library; before the program ends.
    void Finish();

    std::vector<std::string> m_names;
    MpvApi m_api;
    int m_ready_fd = -1;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_started = false;
    bool m_finished = false;
    bool m_usable = false;
    std::string m_error;
    std::thread m_warmer;

    std::deque<mpv_handle*> m_ending;
    bool m_destroying = false;
    bool m_ready_signalled = false;
    bool m_closing = false;
    std::thread m_ender;
};

}
