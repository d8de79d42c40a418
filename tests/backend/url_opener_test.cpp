#include "platform/backend/url_opener.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace pellamo {
namespace {

namespace fs = std::filesystem;

// A stand-in xdg-open on PATH that writes its arguments to a file.
class UrlOpener : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("pellamo-xdg-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        out = dir / "args";
        std::ofstream script(dir / "xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" << out.string() << ".tmp'\nmv '" << out.string()
               << ".tmp' '" << out.string() << "'\n";
        script.close();
        fs::permissions(dir / "xdg-open", fs::perms::owner_all);
        old_path = std::getenv("PATH") ? std::getenv("PATH") : "";
        setenv("PATH", (dir.string() + ":/usr/bin:/bin").c_str(), 1);
    }
    void TearDown() override
    {
        setenv("PATH", old_path.c_str(), 1);
        fs::remove_all(dir);
    }
    std::string WaitForArgs()
    {
        for (int i = 0; i < 500 && !fs::exists(out); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(out);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir, out;
    std::string old_path;
};

TEST_F(UrlOpener, PassesTheAddressAsOneArgumentWithoutAShell)
{
    const std::string url = "http://example.invalid/a b?x=1&y=$(touch " + (dir / "pwned").string() + ");echo `id`";
    ASSERT_TRUE(OpenUrl(url));
    EXPECT_EQ(WaitForArgs(), "1\n" + url + "\n");
    EXPECT_FALSE(fs::exists(dir / "pwned"));
}

TEST_F(UrlOpener, RefusesWhatCannotBeAnAddress)
{
    EXPECT_FALSE(OpenUrl(""));
    EXPECT_FALSE(OpenUrl("--help")); // would be read as an option
    EXPECT_FALSE(OpenUrl(std::string("http://a\0b", 10)));
    fs::remove(dir / "xdg-open");
    setenv("PATH", dir.string().c_str(), 1);
    EXPECT_FALSE(OpenUrl("http://example.invalid/"));
}

}
}
