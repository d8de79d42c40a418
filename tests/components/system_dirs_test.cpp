#include "platform/components/system_dirs.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace pellamo {
namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SystemDirs, TemporaryDirectoryFollowsTmpdirElseTmp)
{
    struct Case {
        const char* tmpdir;
        const char* expected;
    } cases[] = {
        { nullptr, "/tmp" },
        { "", "/tmp" },
        { "/var/scratch", "/var/scratch" },
        { "/var/scratch//", "/var/scratch" },
        { "/", "/" },
    };
    for (const Case& c : cases) {
        ScopedEnv env("TMPDIR", c.tmpdir);
        EXPECT_EQ(TemporaryDirectory(), c.expected) << (c.tmpdir ? c.tmpdir : "(unset)");
    }
}

TEST(SystemDirs, ExecutableDirectoryHoldsThisProgram)
{
    std::string dir = ExecutableDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_NE(dir.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "components_tests"));
}

}
}
