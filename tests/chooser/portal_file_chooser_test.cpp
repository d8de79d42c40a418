// The desktop portal's file chooser, against a small fake portal on a
// private session bus (a dbus-daemon of the test's own): the file it
// answers, a cancel, a failure; no portal on the bus and no bus at all
// give way to our own dialog. The windows stay live while the portal's
// dialog is open.
#include "chooser/file_chooser.h"
#include "chooser/portal_file_chooser.h"
#include "tests/support/files.h"
#include "tests/support/headless_app.h"

#include <gio/gio.h>

#include <atomic>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace pellamo::test {
namespace {

// A session bus of the test's own; gone with the test.
class PrivateBus {
public:
    PrivateBus()
    {
        FILE* pipe = popen("dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null", "r");
        if (!pipe)
            return;
        char line[512];
        if (fgets(line, sizeof line, pipe))
            address_ = line;
        if (fgets(line, sizeof line, pipe))
            pid_ = std::atoi(line);
        pclose(pipe);
        while (!address_.empty() && (address_.back() == '\n' || address_.back() == ' '))
            address_.pop_back();
    }
    ~PrivateBus()
    {
        if (pid_ > 0)
            kill(pid_, SIGTERM);
    }
    bool Running() const { return pid_ > 0 && !address_.empty(); }
    const std::string& Address() const { return address_; }

private:
    std::string address_;
    int pid_ = 0;
};

// What the fake portal answers to OpenFile: the response code and the file.
struct Script {
    guint32 code = 0;
    std::string uri;
    int delay_ms = 0;
};

// org.freedesktop.portal.Desktop with FileChooser.OpenFile, on its own
// thread and connection; it answers on the request object the caller's
// handle_token names, as the real portal does.
class FakePortal {
public:
    FakePortal(const std::string& address, Script script)
        : script_(std::move(script))
    {
        thread_ = std::thread([this, address] { Run(address); });
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return state_ != State::Starting; });
    }
    ~FakePortal()
    {
        stop_ = true;
        if (context_)
            g_main_context_wakeup(context_);
        thread_.join();
    }
    bool Up() const { return state_ == State::Up; }
    std::string Title()
    {
        std::lock_guard lock(mutex_);
        return title_;
    }
    std::string Filters()
    {
        std::lock_guard lock(mutex_);
        return filters_;
    }

private:
    enum class State { Starting, Up, Failed };

    static void OnCall(GDBusConnection* bus, const gchar* sender, const gchar*, const gchar*, const gchar* method,
        GVariant* parameters, GDBusMethodInvocation* invocation, gpointer data)
    {
        auto* self = static_cast<FakePortal*>(data);
        if (g_strcmp0(method, "OpenFile") != 0) {
            g_dbus_method_invocation_return_dbus_error(invocation, "org.freedesktop.DBus.Error.UnknownMethod", "no");
            return;
        }
        const gchar* parent = nullptr;
        const gchar* title = nullptr;
        GVariant* options = nullptr;
        g_variant_get(parameters, "(&s&s@a{sv})", &parent, &title, &options);
        const gchar* token = "t";
        g_variant_lookup(options, "handle_token", "&s", &token);
        std::string name = sender + 1;
        for (char& c : name)
            if (c == '.')
                c = '_';
        std::string handle = std::string("/org/freedesktop/portal/desktop/request/") + name + "/" + token;
        {
            std::lock_guard lock(self->mutex_);
            self->title_ = title;
            if (GVariant* filters = g_variant_lookup_value(options, "filters", nullptr)) {
                gchar* text = g_variant_print(filters, FALSE);
                self->filters_ = text;
                g_free(text);
                g_variant_unref(filters);
            }
        }
        g_variant_unref(options);
        g_dbus_method_invocation_return_value(invocation, g_variant_new("(o)", handle.c_str()));
        if (self->script_.delay_ms)
            g_usleep(static_cast<gulong>(self->script_.delay_ms) * 1000);
        GVariantBuilder results;
        g_variant_builder_init(&results, G_VARIANT_TYPE_VARDICT);
        if (!self->script_.uri.empty()) {
            const gchar* uris[] = { self->script_.uri.c_str(), nullptr };
            g_variant_builder_add(&results, "{sv}", "uris", g_variant_new_strv(uris, -1));
        }
        g_dbus_connection_emit_signal(bus, sender, handle.c_str(), "org.freedesktop.portal.Request", "Response",
            g_variant_new("(u@a{sv})", self->script_.code, g_variant_builder_end(&results)), nullptr);
    }

    void Run(const std::string& address)
    {
        context_ = g_main_context_new();
        g_main_context_push_thread_default(context_);
        GDBusConnection* bus = g_dbus_connection_new_for_address_sync(address.c_str(),
            static_cast<GDBusConnectionFlags>(
                G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT | G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, nullptr);
        GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(
            "<node><interface name='org.freedesktop.portal.FileChooser'><method name='OpenFile'>"
            "<arg type='s' direction='in'/><arg type='s' direction='in'/><arg type='a{sv}' direction='in'/>"
            "<arg type='o' direction='out'/></method></interface></node>",
            nullptr);
        static const GDBusInterfaceVTable vtable = { OnCall, nullptr, nullptr, {} };
        guint object = bus ? g_dbus_connection_register_object(
                           bus, "/org/freedesktop/portal/desktop", node->interfaces[0], &vtable, this, nullptr, nullptr)
                           : 0;
        GVariant* owned = bus
            ? g_dbus_connection_call_sync(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                "RequestName", g_variant_new("(su)", "org.freedesktop.portal.Desktop", 4u), nullptr,
                G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr)
            : nullptr;
        {
            std::lock_guard lock(mutex_);
            state_ = owned && object ? State::Up : State::Failed;
        }
        ready_.notify_all();
        if (owned)
            g_variant_unref(owned);
        while (!stop_)
            g_main_context_iteration(context_, TRUE);
        if (object)
            g_dbus_connection_unregister_object(bus, object);
        g_dbus_node_info_unref(node);
        if (bus) {
            g_dbus_connection_close_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
        g_main_context_pop_thread_default(context_);
    }

    Script script_;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ready_;
    State state_ = State::Starting;
    std::atomic<bool> stop_ { false };
    GMainContext* context_ = nullptr;
    std::string title_;
    std::string filters_;
};

class PortalTest : public HeadlessAppFixture {
protected:
    void SetUp() override
    {
        if (!bus.Running())
            GTEST_SKIP() << "dbus-daemon could not be started";
        const char* old = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        old_address = old ? old : "";
        setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str(), 1);
        ResetPortalGivenUp();
    }
    void TearDown() override
    {
        if (old_address.empty())
            unsetenv("DBUS_SESSION_BUS_ADDRESS");
        else
            setenv("DBUS_SESSION_BUS_ADDRESS", old_address.c_str(), 1);
        ResetPortalGivenUp();
    }

    // Presses `vk` once our dialog is up over `owner` (the portal is asked
    // first, and the loop runs while it answers).
    void PressInDialog(TForm& owner, unsigned vk)
    {
        loop.Post([this, &owner, vk] {
            auto* dialog = dynamic_cast<TForm*>(owner.FindComponent("OpenFileDialog"));
            if (dialog && dialog->Visible())
                screen.PressKey(vk);
            else
                PressInDialog(owner, vk);
        });
    }

    PortalRequest Request() const { return { "选择播放列表", { FileFilter::Parse("播放列表", "*.m3u;*.m3u8") }, "" }; }

    PrivateBus bus;
    std::string old_address;
};

TEST_F(PortalTest, ThePortalsAnswerIsTaken)
{
    // Plain texts in the table: GCC 12 at -O3 takes the strings of a table
    // of Scripts for uninitialised when it is destroyed.
    struct Case {
        guint32 code;
        const char* uri;
        PortalAnswer::Kind kind;
        const char* path;
    } const cases[] = {
        { 0, "file:///tmp/lists/tv%20one.m3u", PortalAnswer::Kind::Chosen, "/tmp/lists/tv one.m3u" },
        { 1, "", PortalAnswer::Kind::Cancelled, "" },
        { 2, "", PortalAnswer::Kind::Unavailable, "" },
        { 0, "https://example.com/tv.m3u", PortalAnswer::Kind::Unavailable, "" },
    };
    for (const Case& c : cases) {
        Script script;
        script.code = c.code;
        script.uri = c.uri;
        SCOPED_TRACE(script.uri + " " + std::to_string(script.code));
        FakePortal portal(bus.Address(), script);
        ASSERT_TRUE(portal.Up());
        PortalAnswer answer = AskPortalForFile(loop, Request());
        EXPECT_EQ(answer.kind, c.kind) << answer.why;
        EXPECT_EQ(answer.path, c.path);
        EXPECT_EQ(portal.Title(), "选择播放列表");
        EXPECT_EQ(portal.Filters(), "[('播放列表', [(0, '*.m3u'), (0, '*.m3u8')])]");
    }
}

TEST_F(PortalTest, TheLoopRunsWhileThePortalsDialogIsOpen)
{
    FakePortal portal(bus.Address(), { 0, "file:///tmp/a.m3u", 300 });
    ASSERT_TRUE(portal.Up());
    bool ran = false;
    loop.Post([&] { ran = true; });
    PortalAnswer answer = AskPortalForFile(loop, Request());
    EXPECT_EQ(answer.kind, PortalAnswer::Kind::Chosen);
    EXPECT_TRUE(ran);
}

TEST_F(PortalTest, WithoutAPortalOrABusOurOwnDialogAnswers)
{
    // A bus without the portal, then no bus at all.
    EXPECT_EQ(AskPortalForFile(loop, Request()).kind, PortalAnswer::Kind::Unavailable);
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
    EXPECT_EQ(AskPortalForFile(loop, Request()).kind, PortalAnswer::Kind::Unavailable);

    TempDir dir;
    dir.Write("a.m3u", "");
    auto* owner = app.CreateForm<TForm>();
    owner->SetBounds(0, 0, 800, 600);
    owner->Show();
    bool dressed = false;
    FileChooserOptions options;
    options.dress = [&](TForm&) { dressed = true; };
    PressInDialog(*owner, VK_RETURN);
    std::optional<std::filesystem::path> chosen = ChooseFileToOpen(*owner, { "t", {}, dir.Path() }, options);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, std::filesystem::path(dir.Path()) / "a.m3u");
    EXPECT_TRUE(dressed);
    // Given up for the rest of the run: a portal that comes later is not asked.
    EXPECT_TRUE(PortalGivenUp());
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().c_str(), 1);
    FakePortal portal(bus.Address(), { 0, "file:///tmp/portal.m3u" });
    PressInDialog(*owner, VK_ESCAPE);
    EXPECT_FALSE(ChooseFileToOpen(*owner, { "t", {}, dir.Path() }, options));
    EXPECT_EQ(portal.Title(), "");
}

TEST_F(PortalTest, WithAPortalOurDialogIsNotShown)
{
    FakePortal portal(bus.Address(), { 0, "file:///tmp/from%20portal.sui" });
    ASSERT_TRUE(portal.Up());
    auto* owner = app.CreateForm<TForm>();
    owner->Show();
    std::optional<std::filesystem::path> chosen = ChooseFileToOpen(*owner, { "t", {}, "" });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, "/tmp/from portal.sui");
    EXPECT_EQ(owner->FindComponent("OpenFileDialog"), nullptr);
    EXPECT_TRUE(ws().IsWindowEnabled(owner->Handle()));
}

}
}
