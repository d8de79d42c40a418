#include "viewer/background_writer.h"

#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <mutex>

namespace pellamo {
namespace {

TEST(BackgroundWriter, WritesTheNewestContentAndReportsFailures)
{
    test::TempDir dir;
    std::vector<std::string> failures;
    std::mutex mutex;
    std::string blocker = dir.Write("file", "x");
    {
        BackgroundWriter writer([&](const std::string& why) {
            std::lock_guard lock(mutex);
            failures.push_back(why);
        });
        for (int i = 0; i <= 100; ++i)
            writer.Write(dir.Path() + "/a.ini", "a=" + std::to_string(i) + "\n");
        writer.Write(dir.Path() + "/b.m3u", "#EXTM3U\n");
        writer.Write(blocker + "/c.ini", "never");
        writer.Flush();
        EXPECT_EQ(test::ReadFile(dir.Path() + "/a.ini"), "a=100\n");
        EXPECT_EQ(test::ReadFile(dir.Path() + "/b.m3u"), "#EXTM3U\n");
        writer.Write(dir.Path() + "/d.ini", "last\n"); // written by the destructor
    }
    EXPECT_EQ(test::ReadFile(dir.Path() + "/d.ini"), "last\n");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(blocker), std::string::npos) << failures[0];
}

}
}
