#include "desktop/bus_thread.h"

#include <gio/gio.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>

namespace pellamo {

BusThread::BusThread()
{
    // Only a bus the session names: GLib would otherwise start one of its own
    // for the display (autolaunch), which outlives the program.
    const char* named = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!(named && *named)
        && !(runtime && *runtime && g_file_test((std::string(runtime) + "/bus").c_str(), G_FILE_TEST_EXISTS)))
        return;
    GError* error = nullptr;
    // A private connection: the library's shared one would be served by
    // the default context, which nobody runs here.
    gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (!address) {
        g_clear_error(&error);
        return;
    }
    connection_ = g_dbus_connection_new_for_address_sync(address,
        static_cast<GDBusConnectionFlags>(
            G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &error);
    g_free(address);
    if (!connection_) {
        g_clear_error(&error);
        return;
    }
    g_dbus_connection_set_exit_on_close(connection_, FALSE);
    context_ = g_main_context_new();
    loop_ = g_main_loop_new(context_, FALSE);
    thread_ = std::thread([this] {
        g_main_context_push_thread_default(context_);
        g_main_loop_run(loop_);
        g_main_context_pop_thread_default(context_);
    });
}

BusThread::~BusThread()
{
    if (!connection_)
        return;
    RunThere([this] { g_dbus_connection_close_sync(connection_, nullptr, nullptr); });
    g_main_loop_quit(loop_);
    thread_.join();
    g_object_unref(connection_);
    g_main_loop_unref(loop_);
    g_main_context_unref(context_);
}

void BusThread::RunThere(const std::function<void()>& work)
{
    if (!context_)
        return;
    struct Call {
        const std::function<void()>* work;
        std::mutex mutex;
        std::condition_variable done_changed;
        bool done = false;
    } call { &work, {}, {}, false };
    g_main_context_invoke(
        context_,
        [](gpointer data) -> gboolean {
            auto* c = static_cast<Call*>(data);
            (*c->work)();
            std::lock_guard lock(c->mutex);
            c->done = true;
            c->done_changed.notify_all();
            return G_SOURCE_REMOVE;
        },
        &call);
    std::unique_lock lock(call.mutex);
    call.done_changed.wait(lock, [&] { return call.done; });
}

}
