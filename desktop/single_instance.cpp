#include "desktop/single_instance.h"

#include <gio/gio.h>

#include <filesystem>

namespace pellamo {

namespace {

constexpr const char* kIntrospection = R"(<node>
  <interface name="io.github.pellamo.Pellamo">
    <method name="Open"><arg direction="in" type="as" name="Words"/></method>
  </interface>
</node>)";

// 1: the name is ours; 3: another holds it; 0: the bus said no.
guint32 RequestName(GDBusConnection* connection, const std::string& name)
{
    GVariant* reply = g_dbus_connection_call_sync(connection, "org.freedesktop.DBus", "/org/freedesktop/DBus",
        "org.freedesktop.DBus", "RequestName", g_variant_new("(su)", name.c_str(), 4u /* DO_NOT_QUEUE */),
        G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    guint32 result = 0;
    if (reply) {
        g_variant_get(reply, "(u)", &result);
        g_variant_unref(reply);
    }
    return result;
}

}

struct SingleInstance::Glue {
    static void Call(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*, GVariant* parameters,
        GDBusMethodInvocation* invocation, gpointer data)
    {
        auto* self = static_cast<SingleInstance*>(data);
        // GDBus has checked the signature: one array of texts.
        std::vector<std::string> words;
        GVariantIter* iter = nullptr;
        g_variant_get(parameters, "(as)", &iter);
        const gchar* word = nullptr;
        while (g_variant_iter_next(iter, "&s", &word))
            words.emplace_back(word);
        g_variant_iter_free(iter);
        self->loop_.Post([self, words = std::move(words), alive = std::weak_ptr<bool>(self->alive_)] {
            if (!alive.expired() && self->OnOpen)
                self->OnOpen(words);
        });
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }
};

SingleInstance::SingleInstance(EventLoop& loop, const std::vector<std::string>& words, std::string name)
    : loop_(loop)
    , bus_(std::make_unique<BusThread>())
{
    if (!bus_->Connected()) {
        bus_.reset();
        return;
    }
    bus_->RunThere([&] {
        GDBusConnection* connection = bus_->Connection();
        // The object first, so that a start that sees the name finds it.
        GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
        static const GDBusInterfaceVTable kVTable = { &Glue::Call, nullptr, nullptr, { nullptr } };
        object_id_ = g_dbus_connection_register_object(
            connection, kObjectPath, info->interfaces[0], &kVTable, this, nullptr, nullptr);
        g_dbus_node_info_unref(info);
        guint32 owned = RequestName(connection, name);
        if (owned == 1) {
            role_ = Role::First;
            return;
        }
        if (owned != 3)
            return; // Alone
        std::vector<std::string> portable = Portable(words);
        GVariantBuilder b;
        g_variant_builder_init(&b, G_VARIANT_TYPE("as"));
        for (const std::string& w : portable)
            if (g_utf8_validate(w.c_str(), static_cast<gssize>(w.size()), nullptr))
                g_variant_builder_add(&b, "s", w.c_str());
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(connection, name.c_str(), kObjectPath, kInterface, "Open",
            g_variant_new("(as)", &b), nullptr, G_DBUS_CALL_FLAGS_NONE, 10000, nullptr, &error);
        if (reply) {
            g_variant_unref(reply);
            role_ = Role::HandedOver;
        } else {
            // The other one does not answer: better a second window than none.
            g_clear_error(&error);
        }
    });
    if (role_ != Role::First) {
        bus_->RunThere([&] {
            if (object_id_)
                g_dbus_connection_unregister_object(bus_->Connection(), object_id_);
            object_id_ = 0;
        });
        bus_.reset();
    }
}

SingleInstance::~SingleInstance()
{
    alive_.reset();
    if (bus_)
        bus_->RunThere([&] {
            if (object_id_)
                g_dbus_connection_unregister_object(bus_->Connection(), object_id_);
        });
}

std::vector<std::string> SingleInstance::Portable(const std::vector<std::string>& words)
{
    std::vector<std::string> out;
    for (const std::string& w : words) {
        std::error_code error;
        if (w.find("://") == std::string::npos && std::filesystem::exists(w, error))
            out.push_back(std::filesystem::absolute(w, error).lexically_normal().string());
        else
            out.push_back(w);
    }
    return out;
}

}
