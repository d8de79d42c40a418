#include "viewer/logo_cache.h"

#include "viewer/atomic_file.h"
#include "viewer/logo_picture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace pellamo {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSuffix = ".logo";

// FNV-1a over the address, twice with different offsets: 128 bits, so two
// addresses never share a file in practice.
std::string Hash(std::string_view text)
{
    uint64_t a = 0xcbf29ce484222325ULL, b = 0x84222325cbf29ce4ULL;
    for (unsigned char c : text) {
        a = (a ^ c) * 0x100000001b3ULL;
        b = (b ^ c) * 0x100000001b3ULL;
        b ^= b >> 29;
    }
    char out[33];
    std::snprintf(
        out, sizeof out, "%016llx%016llx", static_cast<unsigned long long>(a), static_cast<unsigned long long>(b));
    return out;
}

}

fs::path LogoCache::DefaultDirectory()
{
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/')
        return fs::path(xdg) / "pellamo" / "logos";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/") / ".cache" / "pellamo" / "logos";
}

LogoCache::LogoCache(fs::path directory, uint64_t limit)
    : directory_(std::move(directory))
    , limit_(limit)
{
}

fs::path LogoCache::FileFor(std::string_view address) const
{
    return directory_ / (Hash(address) + std::string(kSuffix));
}

std::optional<std::string> LogoCache::Read(std::string_view address) const
{
    fs::path file = FileFor(address);
    try {
        std::optional<std::string> bytes = ReadSmallFile(file, kMaxLogoBytes);
        if (bytes) {
            std::error_code ec;
            fs::last_write_time(file, fs::file_time_type::clock::now(), ec); // used now
        }
        return bytes;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void LogoCache::Store(std::string_view address, std::string_view bytes) const
{
    WriteFileAtomically(FileFor(address), bytes);
    Evict();
}

void LogoCache::Evict() const
{
    struct Entry {
        fs::path file;
        fs::file_time_type used;
        uint64_t size;
    };
    std::vector<Entry> entries;
    uint64_t total = 0;
    std::error_code ec;
    for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& file = it->path();
        if (file.extension() != kSuffix)
            continue;
        std::error_code e1, e2;
        uint64_t size = fs::file_size(file, e1);
        fs::file_time_type used = fs::last_write_time(file, e2);
        if (e1 || e2)
            continue;
        entries.push_back({ file, used, size });
        total += size;
    }
    if (total <= limit_)
        return;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    for (const Entry& entry : entries) {
        if (total <= limit_)
            break;
        if (fs::remove(entry.file, ec))
            total -= entry.size;
    }
}

uint64_t LogoCache::Size() const
{
    uint64_t total = 0;
    std::error_code ec;
    for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == kSuffix) {
            std::error_code e;
            uint64_t size = fs::file_size(it->path(), e);
            if (!e)
                total += size;
        }
    return total;
}

}
