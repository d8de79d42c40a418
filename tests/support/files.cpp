#include "tests/support/files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace pellamo::test {

std::string SourcePath(const std::string& relative)
{
    const char* dir = std::getenv("PELLAMO_SOURCE_DIR");
    return std::string(dir ? dir : ".") + "/" + relative;
}

std::string GfxFixture(const std::string& name) { return SourcePath("tests/gfx/fixtures/" + name); }

namespace {

std::ifstream Open(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return in;
}

}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in = Open(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream in = Open(path);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pellamo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& content) const
{
    std::string path = m_path + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

}
