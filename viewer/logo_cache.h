#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pellamo {

// Downloaded logo files, one per address, in $XDG_CACHE_HOME/pellamo/logos
// under a name made from a hash of the address. Reading a logo marks it
// used (its time), and storing one puts out the least recently used files
// until the cache is within its bound again. Safe to use from one thread
// at a time; a file that vanishes under it is a file not cached.
class LogoCache {
public:
    static constexpr uint64_t kDefaultLimit = 50 * 1024 * 1024;

    // $XDG_CACHE_HOME/pellamo/logos, or ~/.cache/pellamo/logos.
    static std::filesystem::path DefaultDirectory();

    explicit LogoCache(std::filesystem::path directory = DefaultDirectory(), uint64_t limit = kDefaultLimit);

    const std::filesystem::path& Directory() const { return directory_; }
    // The file an address is kept in (whether it exists or not).
    std::filesystem::path FileFor(std::string_view address) const;

    // The bytes kept for the address, marked as just used; none when absent.
    std::optional<std::string> Read(std::string_view address) const;
    // Keeps the bytes (atomically), then makes room. Throws
    // std::runtime_error when the file cannot be written.
    void Store(std::string_view address, std::string_view bytes) const;
    // Puts out the least recently used files until the whole is within the limit.
    void Evict() const;
    // The bytes every cached file holds together.
    uint64_t Size() const;

private:
    std::filesystem::path directory_;
    uint64_t limit_;
};

}
