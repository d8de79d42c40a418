#include "platform/components/system_dirs.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace pellamo {

namespace {

std::string WithoutTrailingSlash(std::string dir)
{
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    return dir;
}

}

std::string ExecutableDirectory()
{
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    return WithoutTrailingSlash(exe.parent_path().string());
}

std::string TemporaryDirectory()
{
    const char* dir = std::getenv("TMPDIR");
    if (dir && *dir)
        return WithoutTrailingSlash(dir);
    return "/tmp";
}

}
