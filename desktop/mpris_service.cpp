#include "desktop/mpris_service.h"

#include <gio/gio.h>

#include <algorithm>
#include <cmath>

#include <unistd.h>

namespace pellamo {

namespace {

constexpr const char* kIntrospection = R"(<node>
  <interface name="org.mpris.MediaPlayer2">
    <method name="Raise"/>
    <method name="Quit"/>
    <property name="CanQuit" type="b" access="read"/>
    <property name="CanRaise" type="b" access="read"/>
    <property name="HasTrackList" type="b" access="read"/>
    <property name="Identity" type="s" access="read"/>
    <property name="DesktopEntry" type="s" access="read"/>
    <property name="SupportedUriSchemes" type="as" access="read"/>
    <property name="SupportedMimeTypes" type="as" access="read"/>
  </interface>
  <interface name="org.mpris.MediaPlayer2.Player">
    <method name="Next"/>
    <method name="Previous"/>
    <method name="Pause"/>
    <method name="PlayPause"/>
    <method name="Stop"/>
    <method name="Play"/>
    <method name="Seek"><arg direction="in" type="x" name="Offset"/></method>
    <method name="SetPosition"><arg direction="in" type="o" name="TrackId"/><arg direction="in" type="x" name="Position"/></method>
    <method name="OpenUri"><arg direction="in" type="s" name="Uri"/></method>
    <signal name="Seeked"><arg type="x" name="Position"/></signal>
    <property name="PlaybackStatus" type="s" access="read"/>
    <property name="LoopStatus" type="s" access="read"/>
    <property name="Rate" type="d" access="read"/>
    <property name="Shuffle" type="b" access="read"/>
    <property name="Metadata" type="a{sv}" access="read"/>
    <property name="Volume" type="d" access="readwrite"/>
    <property name="Position" type="x" access="read"/>
    <property name="MinimumRate" type="d" access="read"/>
    <property name="MaximumRate" type="d" access="read"/>
    <property name="CanGoNext" type="b" access="read"/>
    <property name="CanGoPrevious" type="b" access="read"/>
    <property name="CanPlay" type="b" access="read"/>
    <property name="CanPause" type="b" access="read"/>
    <property name="CanSeek" type="b" access="read"/>
    <property name="CanControl" type="b" access="read"/>
  </interface>
</node>)";

const char* PlaybackText(MprisService::State::Playback p)
{
    switch (p) {
    case MprisService::State::Playback::Playing:
        return "Playing";
    case MprisService::State::Playback::Paused:
        return "Paused";
    case MprisService::State::Playback::Stopped:
        break;
    }
    return "Stopped";
}

// Bus texts must be valid UTF-8; a broken name must not make the whole
// reply invalid.
GVariant* Text(const std::string& s)
{
    gchar* valid = g_utf8_make_valid(s.c_str(), static_cast<gssize>(s.size()));
    GVariant* v = g_variant_new_string(valid);
    g_free(valid);
    return v;
}

GVariant* Metadata(const MprisService::State& state)
{
    GVariantBuilder b;
    g_variant_builder_init(&b, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(
        &b, "{sv}", "mpris:trackid", g_variant_new_object_path(MprisService::TrackId(state.title).c_str()));
    if (!state.title.empty())
        g_variant_builder_add(&b, "{sv}", "xesam:title", Text(state.title));
    // The desktops' controls show the artist under the title: the channel,
    // then what runs on it.
    if (!state.title.empty() && !state.programme.empty()) {
        GVariantBuilder artists;
        g_variant_builder_init(&artists, G_VARIANT_TYPE("as"));
        g_variant_builder_add_value(&artists, Text(state.programme));
        g_variant_builder_add(&b, "{sv}", "xesam:artist", g_variant_builder_end(&artists));
    }
    if (!state.art_url.empty())
        g_variant_builder_add(&b, "{sv}", "mpris:artUrl", Text(state.art_url));
    return g_variant_builder_end(&b);
}

GVariant* Strings(std::initializer_list<const char*> items)
{
    GVariantBuilder b;
    g_variant_builder_init(&b, G_VARIANT_TYPE("as"));
    for (const char* item : items)
        g_variant_builder_add(&b, "s", item);
    return g_variant_builder_end(&b);
}

}

std::string MprisService::TrackId(const std::string& title)
{
    if (title.empty())
        return "/org/mpris/MediaPlayer2/TrackList/NoTrack";
    // Path elements allow [A-Za-z0-9_] only: the name's bytes in hex, so
    // every channel has its own and the same one each time.
    static constexpr char kHex[] = "0123456789abcdef";
    std::string path = "/io/github/pellamo/Pellamo/channel/_";
    for (unsigned char c : title) {
        path += kHex[c >> 4];
        path += kHex[c & 15];
    }
    return path;
}

// The C callbacks of GDBus, on the bus thread.
struct MprisService::Glue {
    static void Call(GDBusConnection*, const gchar*, const gchar*, const gchar* interface, const gchar* method,
        GVariant*, GDBusMethodInvocation* invocation, gpointer data)
    {
        auto* self = static_cast<MprisService*>(data);
        const Commands& c = self->commands_;
        std::string_view name = method;
        const std::function<void()>* command = nullptr;
        if (std::string_view(interface) == "org.mpris.MediaPlayer2") {
            command = name == "Raise" ? &c.raise : name == "Quit" ? &c.quit : nullptr;
        } else {
            command = name == "Next"  ? &c.next
                : name == "Previous"  ? &c.previous
                : name == "Pause"     ? &c.pause
                : name == "PlayPause" ? &c.play_pause
                : name == "Stop"      ? &c.stop
                : name == "Play"      ? &c.play
                                      : nullptr;
        }
        if (!command) {
            // Live television: no seeking, and addresses come through the window.
            g_dbus_method_invocation_return_dbus_error(
                invocation, "org.mpris.MediaPlayer2.Error.NotSupported", "Not supported by a live player");
            return;
        }
        self->Command(*command);
        g_dbus_method_invocation_return_value(invocation, nullptr);
    }

    static GVariant* Get(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property,
        GError** error, gpointer data)
    {
        auto* self = static_cast<MprisService*>(data);
        State state;
        {
            std::lock_guard lock(self->mutex_);
            state = self->state_;
        }
        std::string_view p = property;
        if (p == "CanQuit" || p == "CanRaise" || p == "CanGoNext" || p == "CanGoPrevious" || p == "CanPlay"
            || p == "CanPause" || p == "CanControl")
            return g_variant_new_boolean(TRUE);
        if (p == "HasTrackList" || p == "CanSeek" || p == "Shuffle")
            return g_variant_new_boolean(FALSE);
        if (p == "Identity")
            return g_variant_new_string("Pellamo");
        if (p == "DesktopEntry")
            return g_variant_new_string("pellamo");
        if (p == "SupportedUriSchemes")
            return Strings({ "http", "https", "mms", "rtsp", "rtmp" });
        if (p == "SupportedMimeTypes")
            return Strings({ "audio/x-mpegurl", "application/vnd.apple.mpegurl" });
        if (p == "PlaybackStatus")
            return g_variant_new_string(PlaybackText(state.playback));
        if (p == "LoopStatus")
            return g_variant_new_string("None");
        if (p == "Rate" || p == "MinimumRate" || p == "MaximumRate")
            return g_variant_new_double(1.0);
        if (p == "Metadata")
            return Metadata(state);
        if (p == "Volume")
            return g_variant_new_double(state.volume);
        if (p == "Position")
            return g_variant_new_int64(0);
        g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_PROPERTY, "No property %s", property);
        return nullptr;
    }

    // GDBus has checked the type against the interface already.
    static gboolean Set(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* property,
        GVariant* value, GError** error, gpointer data)
    {
        auto* self = static_cast<MprisService*>(data);
        if (std::string_view(property) != "Volume" || !g_variant_is_of_type(value, G_VARIANT_TYPE_DOUBLE)) {
            g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_PROPERTY_READ_ONLY, "%s cannot be set", property);
            return FALSE;
        }
        double volume = g_variant_get_double(value);
        if (!std::isfinite(volume)) {
            g_set_error(error, G_DBUS_ERROR, G_DBUS_ERROR_INVALID_ARGS, "Volume must be a number");
            return FALSE;
        }
        volume = std::clamp(volume, 0.0, 1.0);
        if (self->commands_.set_volume)
            self->Command([set = self->commands_.set_volume, volume] { set(volume); });
        return TRUE;
    }
};

MprisService::MprisService(EventLoop& loop, Commands commands, std::string name)
    : loop_(loop)
    , commands_(std::move(commands))
{
    if (!bus_.Connected())
        return;
    bus_.RunThere([&] {
        GDBusNodeInfo* info = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
        static const GDBusInterfaceVTable kVTable = { &Glue::Call, &Glue::Get, &Glue::Set, { nullptr } };
        root_id_ = g_dbus_connection_register_object(bus_.Connection(), kObjectPath,
            g_dbus_node_info_lookup_interface(info, "org.mpris.MediaPlayer2"), &kVTable, this, nullptr, nullptr);
        player_id_ = g_dbus_connection_register_object(bus_.Connection(), kObjectPath,
            g_dbus_node_info_lookup_interface(info, "org.mpris.MediaPlayer2.Player"), &kVTable, this, nullptr, nullptr);
        g_dbus_node_info_unref(info);
        // A second player of ours takes a name of its own, as MPRIS asks.
        std::string bus_name = "org.mpris.MediaPlayer2." + name;
        GVariant* reply = g_dbus_connection_call_sync(bus_.Connection(), "org.freedesktop.DBus",
            "/org/freedesktop/DBus", "org.freedesktop.DBus", "RequestName", g_variant_new("(su)", bus_name.c_str(), 4u),
            G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
        guint32 result = 0;
        if (reply) {
            g_variant_get(reply, "(u)", &result);
            g_variant_unref(reply);
        }
        if (result != 1) {
            bus_name += ".instance" + std::to_string(getpid());
            reply = g_dbus_connection_call_sync(bus_.Connection(), "org.freedesktop.DBus", "/org/freedesktop/DBus",
                "org.freedesktop.DBus", "RequestName", g_variant_new("(su)", bus_name.c_str(), 4u),
                G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 2000, nullptr, nullptr);
            result = 0;
            if (reply) {
                g_variant_get(reply, "(u)", &result);
                g_variant_unref(reply);
            }
        }
        registered_ = root_id_ && player_id_ && result == 1;
    });
}

MprisService::~MprisService()
{
    alive_.reset();
    if (!bus_.Connected())
        return;
    bus_.RunThere([&] {
        if (root_id_)
            g_dbus_connection_unregister_object(bus_.Connection(), root_id_);
        if (player_id_)
            g_dbus_connection_unregister_object(bus_.Connection(), player_id_);
    });
}

// On the bus thread: the command runs on the program's loop.
void MprisService::Command(const std::function<void()>& command)
{
    if (!command)
        return;
    loop_.Post([command, alive = std::weak_ptr<bool>(alive_)] {
        if (!alive.expired())
            command();
    });
}

void MprisService::Update(const State& state)
{
    State before;
    {
        std::lock_guard lock(mutex_);
        if (state_ == state)
            return;
        before = state_;
        state_ = state;
    }
    if (!registered_)
        return;
    GVariantBuilder changed;
    g_variant_builder_init(&changed, G_VARIANT_TYPE("a{sv}"));
    if (before.playback != state.playback)
        g_variant_builder_add(&changed, "{sv}", "PlaybackStatus", g_variant_new_string(PlaybackText(state.playback)));
    if (before.volume != state.volume)
        g_variant_builder_add(&changed, "{sv}", "Volume", g_variant_new_double(state.volume));
    if (before.title != state.title || before.programme != state.programme || before.art_url != state.art_url)
        g_variant_builder_add(&changed, "{sv}", "Metadata", Metadata(state));
    // Sending is thread-safe in GDBus.
    g_dbus_connection_emit_signal(bus_.Connection(), nullptr, kObjectPath, "org.freedesktop.DBus.Properties",
        "PropertiesChanged", g_variant_new("(sa{sv}as)", "org.mpris.MediaPlayer2.Player", &changed, nullptr), nullptr);
}

}
