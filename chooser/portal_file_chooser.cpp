#include "chooser/portal_file_chooser.h"

#include "platform/loop/event_loop.h"

#include <gio/gio.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace pellamo {

namespace {

constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
// The call itself only opens the dialog; the portal answers it at once.
constexpr int kCallTimeoutMs = 10000;

// What the worker and the waiting loop share.
struct Exchange {
    PortalAnswer answer;
    std::atomic<bool> finished { false }; // set by the worker, read by the loop
    GCancellable* cancellable = g_cancellable_new();
    GMainContext* context = nullptr; // the worker's, while it runs
    std::mutex context_mutex;
    bool responded = false; // worker thread only

    ~Exchange() { g_object_unref(cancellable); }
};

std::string TakeError(GError* error)
{
    std::string text = error ? error->message : "unknown error";
    if (error)
        g_error_free(error);
    return text;
}

GVariant* FilterVariant(const FileFilter& filter)
{
    GVariantBuilder patterns;
    g_variant_builder_init(&patterns, G_VARIANT_TYPE("a(us)"));
    if (filter.patterns.empty())
        g_variant_builder_add(&patterns, "(us)", 0u, "*");
    for (const std::string& pattern : filter.patterns)
        g_variant_builder_add(&patterns, "(us)", 0u, pattern.c_str());
    return g_variant_new("(s@a(us))", filter.name.c_str(), g_variant_builder_end(&patterns));
}

GVariant* Options(const PortalRequest& request, const std::string& token)
{
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
    g_variant_builder_add(&options, "{sv}", "handle_token", g_variant_new_string(token.c_str()));
    g_variant_builder_add(&options, "{sv}", "modal", g_variant_new_boolean(TRUE));
    g_variant_builder_add(&options, "{sv}", "multiple", g_variant_new_boolean(FALSE));
    if (!request.filters.empty()) {
        GVariantBuilder filters;
        g_variant_builder_init(&filters, G_VARIANT_TYPE("a(sa(us))"));
        for (const FileFilter& filter : request.filters)
            g_variant_builder_add_value(&filters, FilterVariant(filter));
        g_variant_builder_add(&options, "{sv}", "filters", g_variant_builder_end(&filters));
        g_variant_builder_add(&options, "{sv}", "current_filter", FilterVariant(request.filters.front()));
    }
    return g_variant_builder_end(&options);
}

void OnResponse(
    GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters, gpointer data)
{
    auto* exchange = static_cast<Exchange*>(data);
    if (exchange->responded || !g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ua{sv})")))
        return;
    exchange->responded = true;
    guint32 code = 0;
    GVariant* results = nullptr;
    g_variant_get(parameters, "(u@a{sv})", &code, &results);
    PortalAnswer& answer = exchange->answer;
    if (code == 1) {
        answer.kind = PortalAnswer::Kind::Cancelled;
    } else if (code != 0) {
        answer.why = "the portal ended the dialog";
    } else {
        const gchar** uris = nullptr;
        if (g_variant_lookup(results, "uris", "^a&s", &uris) && uris && uris[0]) {
            if (gchar* path = g_filename_from_uri(uris[0], nullptr, nullptr)) {
                answer.kind = PortalAnswer::Kind::Chosen;
                answer.path = path;
                g_free(path);
            } else {
                answer.why = std::string("not a local file: ") + uris[0];
            }
        } else {
            answer.kind = PortalAnswer::Kind::Cancelled;
        }
        g_free(uris);
    }
    g_variant_unref(results);
}

// The request's object path the portal will answer on.
std::string HandlePath(GDBusConnection* bus, const std::string& token)
{
    std::string sender = g_dbus_connection_get_unique_name(bus);
    if (!sender.empty() && sender[0] == ':')
        sender.erase(0, 1);
    for (char& c : sender)
        if (c == '.')
            c = '_';
    return std::string(kPortalPath) + "/request/" + sender + "/" + token;
}

void Ask(Exchange& exchange, const PortalRequest& request)
{
    GError* error = nullptr;
    gchar* address = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, exchange.cancellable, &error);
    if (!address) {
        exchange.answer.why = TakeError(error);
        return;
    }
    GDBusConnection* bus = g_dbus_connection_new_for_address_sync(address,
        static_cast<GDBusConnectionFlags>(
            G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, exchange.cancellable, &error);
    g_free(address);
    if (!bus) {
        exchange.answer.why = TakeError(error);
        return;
    }
    static std::atomic<unsigned> counter { 0 };
    const std::string token = "pellamo" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    std::string handle = HandlePath(bus, token);
    // Listening before asking: the answer may come before the call returns.
    guint subscription = g_dbus_connection_signal_subscribe(bus, kPortalName, "org.freedesktop.portal.Request",
        "Response", handle.c_str(), nullptr, G_DBUS_SIGNAL_FLAGS_NONE, OnResponse, &exchange, nullptr);
    GVariant* reply
        = g_dbus_connection_call_sync(bus, kPortalName, kPortalPath, "org.freedesktop.portal.FileChooser", "OpenFile",
            g_variant_new("(ss@a{sv})", request.parent_window.c_str(), request.title.c_str(), Options(request, token)),
            G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE, kCallTimeoutMs, exchange.cancellable, &error);
    if (!reply) {
        exchange.answer.why = TakeError(error);
    } else {
        const gchar* answered = nullptr;
        g_variant_get(reply, "(&o)", &answered);
        // An older portal names its own request object.
        if (answered && handle != answered) {
            g_dbus_connection_signal_unsubscribe(bus, subscription);
            handle = answered;
            subscription = g_dbus_connection_signal_subscribe(bus, kPortalName, "org.freedesktop.portal.Request",
                "Response", handle.c_str(), nullptr, G_DBUS_SIGNAL_FLAGS_NONE, OnResponse, &exchange, nullptr);
        }
        g_variant_unref(reply);
        GMainContext* context = g_main_context_get_thread_default();
        while (!exchange.responded && !g_cancellable_is_cancelled(exchange.cancellable)
            && !g_dbus_connection_is_closed(bus))
            g_main_context_iteration(context, TRUE);
        if (!exchange.responded) {
            exchange.answer.why = "the portal did not answer";
            // Closes the desktop's dialog that nobody waits for any more.
            g_dbus_connection_call_sync(bus, kPortalName, handle.c_str(), "org.freedesktop.portal.Request", "Close",
                nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, 1000, nullptr, nullptr);
        }
    }
    g_dbus_connection_signal_unsubscribe(bus, subscription);
    g_dbus_connection_close_sync(bus, nullptr, nullptr);
    g_object_unref(bus);
}

}

PortalAnswer AskPortalForFile(EventLoop& loop, const PortalRequest& request)
{
    auto exchange = std::make_shared<Exchange>();
    std::thread worker([exchange, request, &loop] {
        GMainContext* context = g_main_context_new();
        g_main_context_push_thread_default(context);
        {
            std::lock_guard lock(exchange->context_mutex);
            exchange->context = context;
        }
        Ask(*exchange, request);
        {
            std::lock_guard lock(exchange->context_mutex);
            exchange->context = nullptr;
        }
        // Pending sources (the connection's last messages) are dropped with the context.
        while (g_main_context_iteration(context, FALSE)) { }
        g_main_context_pop_thread_default(context);
        g_main_context_unref(context);
        exchange->finished = true;
        loop.Wake();
    });
    loop.WaitUntil([&] { return exchange->finished.load() || loop.Quitting(); });
    if (!exchange->finished) {
        // The program is ending: the worker is told to stop waiting.
        g_cancellable_cancel(exchange->cancellable);
        std::lock_guard lock(exchange->context_mutex);
        if (exchange->context)
            g_main_context_wakeup(exchange->context);
    }
    worker.join();
    return exchange->answer;
}

}
