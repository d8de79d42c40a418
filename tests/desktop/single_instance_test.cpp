#include "desktop/single_instance.h"

#include "tests/support/command_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace pellamo {
namespace {

using namespace std::chrono_literals;

constexpr const char* kName = "io.github.pellamo.PellamoTest";

TEST(SingleInstanceTest, LaterStartsHandTheirWordsToTheFirst)
{
    EventLoop loop;
    SingleInstance first(loop, { "ignored" }, kName);
    ASSERT_EQ(SingleInstance::Role::First, first.GetRole());
    std::vector<std::vector<std::string>> heard;
    first.OnOpen = [&](const std::vector<std::string>& words) { heard.push_back(words); };

    // A file named relative to the later start's folder arrives absolute.
    char pattern[] = "/tmp/pellamo_instance_XXXXXX";
    std::filesystem::path dir = mkdtemp(pattern);
    std::ofstream(dir / "tv.m3u") << "#EXTM3U\n";
    std::filesystem::path old = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    {
        SingleInstance second(loop, { "tv.m3u", "http://h/live.m3u8|User-Agent=x" }, kName);
        EXPECT_EQ(SingleInstance::Role::HandedOver, second.GetRole());
    }
    std::filesystem::current_path(old);
    ASSERT_TRUE(loop.WaitUntil([&] { return heard.size() == 1; }, 5s));
    EXPECT_EQ((std::vector<std::string> { (dir / "tv.m3u").string(), "http://h/live.m3u8|User-Agent=x" }), heard[0]);

    // No words: the first one is only asked to come to the front.
    SingleInstance third(loop, {}, kName);
    EXPECT_EQ(SingleInstance::Role::HandedOver, third.GetRole());
    ASSERT_TRUE(loop.WaitUntil([&] { return heard.size() == 2; }, 5s));
    EXPECT_TRUE(heard[1].empty());

    // Wrong types from another caller get an error; the first one goes on.
    std::string call = std::string("gdbus call --session --dest ") + kName + " --object-path "
        + SingleInstance::kObjectPath + " --method " + SingleInstance::kInterface + ".Open ";
    EXPECT_NE(std::string::npos, test::CommandOutput(call + "42 2>&1").find("Error"));
    EXPECT_NE(std::string::npos, test::CommandOutput(call + "\"['a']\" \"['b']\" 2>&1").find("Error"));
    EXPECT_EQ("()\n", test::CommandOutput(call + "\"['x']\" 2>&1"));
    ASSERT_TRUE(loop.WaitUntil([&] { return heard.size() == 3; }, 5s));
    EXPECT_EQ(std::vector<std::string> { "x" }, heard[2]);
    std::filesystem::remove_all(dir);
}

TEST(SingleInstanceTest, TheNameIsFreeAgainOnceTheFirstHasEnded)
{
    EventLoop loop;
    {
        SingleInstance first(loop, {}, kName);
        ASSERT_EQ(SingleInstance::Role::First, first.GetRole());
    }
    SingleInstance next(loop, {}, kName);
    EXPECT_EQ(SingleInstance::Role::First, next.GetRole());
}

TEST(SingleInstanceTest, WithoutASessionBusTheProgramRunsAlone)
{
    std::string saved = std::getenv("DBUS_SESSION_BUS_ADDRESS") ? std::getenv("DBUS_SESSION_BUS_ADDRESS") : "";
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
    EventLoop loop;
    SingleInstance alone(loop, { "x" }, kName);
    EXPECT_EQ(SingleInstance::Role::Alone, alone.GetRole());
    setenv("DBUS_SESSION_BUS_ADDRESS", saved.c_str(), 1);
}

}
}
