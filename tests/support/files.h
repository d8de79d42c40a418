#pragma once

// Files of the source tree and of scratch folders.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pellamo::test {

// A path in the source tree (PELLAMO_SOURCE_DIR, set for every test
// program by the build; the current folder without it).
std::string SourcePath(const std::string& relative);
// A picture in tests/gfx/fixtures.
std::string GfxFixture(const std::string& name);

// The whole file; throws std::runtime_error when it cannot be opened.
std::string ReadFile(const std::filesystem::path& path);
std::vector<uint8_t> ReadBytes(const std::filesystem::path& path);

// A fresh temporary folder, removed with its files by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    // Writes `content` to `name` in the folder (making subfolders); returns its path.
    std::string Write(const std::string& name, const std::string& content) const;

private:
    std::string m_path;
};

}
