#include "desktop/file_url.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

TEST(FileUrl, EncodesWhatAUrlCannotCarry)
{
    const char* cases[][2] = {
        { "/home/viewer/.cache/pellamo/logos/ab12.logo", "file:///home/viewer/.cache/pellamo/logos/ab12.logo" },
        { "/tmp/my logos/a#b?c%d.png", "file:///tmp/my%20logos/a%23b%3Fc%25d.png" },
        { "/tmp/台标/x.png", "file:///tmp/%E5%8F%B0%E6%A0%87/x.png" },
        { "/a+b;c=d&e'f\"g", "file:///a%2Bb%3Bc%3Dd%26e%27f%22g" },
        { "relative/logo.png", "" },
    };
    for (auto [path, url] : cases)
        EXPECT_EQ(url, FileUrl(path)) << path;
}

}
}
