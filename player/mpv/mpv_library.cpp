#include "player/mpv/mpv_library.h"

#include "platform/base/shared_library.h"

#include <dlfcn.h>
#include <malloc.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace pellamo {

namespace {

// The interface's major version changes its structures; only a library of
// the major version these headers describe may be used.
constexpr unsigned long kApiMajor = MPV_CLIENT_API_VERSION >> 16;

// Allocations of this size and more are mapped by themselves: pictures of
// standard television and up (a 720x576 picture is about 600 KiB), not the
// engine's many small allocations.
constexpr int kLargeAllocation = 256 * 1024;

const char* LastDlError()
{
    const char* error = dlerror();
    return error ? error : "";
}

}

MpvLibrary& MpvLibrary::Shared()
{
    // Never destroyed: engines may still use the functions during static
    // destruction, and a library once loaded stays loaded anyway. But the
    // program does not end in the middle of a load: libraries half
    // initialised while the others are being finalised is asking for trouble.
    static MpvLibrary* library = [] {
        auto* shared = new MpvLibrary({ "libmpv.so.2", "libmpv.so" });
        std::atexit([] { Shared().Finish(); });
        return shared;
    }();
    return *library;
}

MpvLibrary::MpvLibrary(std::vector<std::string> names)
    : m_names(std::move(names))
{
    m_ready_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_ready_fd < 0)
        throw std::runtime_error("Cannot create the media engine's load descriptor");
}

MpvLibrary::~MpvLibrary()
{
    Finish();
    close(m_ready_fd);
}

// Only the loop's thread starts these threads, and it is here.
void MpvLibrary::Finish()
{
    if (m_warmer.joinable())
        m_warmer.join();
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    if (m_ender.joinable())
        m_ender.join();
}

void MpvLibrary::EndEngine(mpv_handle* engine)
{
    {
        std::unique_lock lock(m_mutex);
        if (m_closing) {
            // The program is ending: nothing left to keep responsive.
            lock.unlock();
            m_api.terminate_destroy(engine);
            return;
        }
        m_ending.push_back(engine);
        SignalReady();
        if (!m_ender.joinable())
            m_ender = std::thread([this] { EndEngines(); });
    }
    m_changed.notify_all();
}

void MpvLibrary::EndEngines()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_closing || !m_ending.empty(); });
        if (m_ending.empty())
            return; // closing, and nothing left
        mpv_handle* engine = m_ending.front();
        m_ending.pop_front();
        m_destroying = true;
        lock.unlock();
        m_api.terminate_destroy(engine);
        // A playing engine leaves much freed memory in the heap's arenas.
        malloc_trim(0);
        lock.lock();
        m_destroying = false;
        SignalReady();
        m_changed.notify_all();
    }
}

bool MpvLibrary::ReadyLocked() const { return m_finished && m_ending.empty() && !m_destroying; }

// With m_mutex held: the descriptor follows Ready().
void MpvLibrary::SignalReady()
{
    bool ready = ReadyLocked();
    if (ready == m_ready_signalled)
        return;
    m_ready_signalled = ready;
    uint64_t value = 1;
    ssize_t done = ready ? write(m_ready_fd, &value, sizeof value) : read(m_ready_fd, &value, sizeof value);
    (void)done; // only whether the descriptor is readable matters
}

void MpvLibrary::Warm()
{
    std::lock_guard lock(m_mutex);
    if (m_started)
        return;
    m_started = true;
    m_warmer = std::thread([this] { LoadHere(); });
}

bool MpvLibrary::Load()
{
    std::unique_lock lock(m_mutex);
    if (!m_started) {
        m_started = true;
        lock.unlock();
        LoadHere();
        lock.lock();
    }
    m_changed.wait(lock, [this] { return ReadyLocked(); });
    return m_usable;
}

bool MpvLibrary::Finished() const
{
    std::lock_guard lock(m_mutex);
    return m_finished;
}

bool MpvLibrary::Ready() const
{
    std::lock_guard lock(m_mutex);
    return ReadyLocked();
}

bool MpvLibrary::Usable() const
{
    std::lock_guard lock(m_mutex);
    return m_usable;
}

std::string MpvLibrary::Error() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

void MpvLibrary::LoadHere()
{
    // The engine allocates and frees picture-sized buffers all the time, on
    // many threads. With the C library's sliding threshold these soon come
    // from its heaps, where freed pictures fragment and stay resident: after
    // some zapping the program held twice what mpv holds. A fixed threshold
    // maps each large buffer by itself and hands it back when it is freed.
    mallopt(M_MMAP_THRESHOLD, kLargeAllocation);

    std::string detail;
    void* handle = OpenFirstLibrary(m_names, detail);
    std::string error;
    if (!handle) {
        error = "The media engine (libmpv) is not installed; channels cannot be played.";
        std::fprintf(stderr, "pellamo: cannot load libmpv: %s\n", detail.c_str());
    } else if (!Resolve(handle)) {
        error = "The media engine (libmpv) is damaged or too old; channels cannot be played.";
        std::fprintf(stderr, "pellamo: libmpv lacks functions we need: %s\n", LastDlError());
    } else if ((m_api.client_api_version() >> 16) != kApiMajor) {
        unsigned long version = m_api.client_api_version();
        error = "The media engine (libmpv) is of another version; channels cannot be played.";
        std::fprintf(stderr, "pellamo: libmpv has interface version %lu.%lu, we need %lu.x\n", version >> 16,
            version & 0xFFFF, kApiMajor);
    }
    // A library we cannot use stays loaded: unloading code that may have
    // started threads of its own is not safe.
    {
        std::lock_guard lock(m_mutex);
        m_usable = error.empty();
        if (!m_usable)
            m_api = {};
        m_error = std::move(error);
        m_finished = true;
        SignalReady();
    }
    m_changed.notify_all();
}

bool MpvLibrary::Resolve(void* handle)
{
    bool complete = true;
    auto find = [&](auto& function, const char* name) { complete &= FindSymbol(handle, name, function); };
    find(m_api.client_api_version, "mpv_client_api_version");
    find(m_api.error_string, "mpv_error_string");
    find(m_api.free, "mpv_free");
    find(m_api.create, "mpv_create");
    find(m_api.initialize, "mpv_initialize");
    find(m_api.terminate_destroy, "mpv_terminate_destroy");
    find(m_api.set_option_string, "mpv_set_option_string");
    find(m_api.command, "mpv_command");
    find(m_api.command_ret, "mpv_command_ret");
    find(m_api.command_node, "mpv_command_node");
    find(m_api.command_async, "mpv_command_async");
    find(m_api.free_node_contents, "mpv_free_node_contents");
    find(m_api.set_property, "mpv_set_property");
    find(m_api.get_property, "mpv_get_property");
    find(m_api.get_property_string, "mpv_get_property_string");
    find(m_api.observe_property, "mpv_observe_property");
    find(m_api.request_log_messages, "mpv_request_log_messages");
    find(m_api.wait_event, "mpv_wait_event");
    find(m_api.set_wakeup_callback, "mpv_set_wakeup_callback");
    find(m_api.render_context_create, "mpv_render_context_create");
    find(m_api.render_context_free, "mpv_render_context_free");
    find(m_api.render_context_set_update_callback, "mpv_render_context_set_update_callback");
    find(m_api.render_context_update, "mpv_render_context_update");
    find(m_api.render_context_render, "mpv_render_context_render");
    find(m_api.render_context_get_info, "mpv_render_context_get_info");
    return complete;
}

}
