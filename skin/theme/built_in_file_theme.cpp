#include "skin/theme/built_in_file_theme.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"
#include "platform/components/file_stream.h"
#include "platform/components/props.h"
#include "platform/components/system_dirs.h"

#include <filesystem>
#include <memory>

namespace pellamo {

namespace {

// Enough for any number of programs starting at once; past it something
// is plainly wrong with the folder.
constexpr int kMaxTemporaryNames = 1000;

struct TemporaryFile {
    std::string path;
    std::unique_ptr<TFileStream> stream;
};

TemporaryFile CreateTemporaryThemeFile()
{
    std::filesystem::path dir = TemporaryDirectory();
    for (int n = 0; n < kMaxTemporaryNames; ++n) {
        std::string name = n == 0 ? "PELSKNT.sui" : "PELSKNT" + std::to_string(n) + ".sui";
        std::string path = (dir / name).string();
        if (auto stream = TFileStream::CreateNew(path))
            return { path, std::move(stream) };
    }
    throw EFOpenError("Cannot create a temporary theme file in \"" + dir.string() + "\": every name is taken");
}

bool IsFile(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

}

TsuiBuiltInFileTheme::TsuiBuiltInFileTheme(TComponent* owner)
    : TsuiFileTheme(owner)
{
}

const ClassInfo& TsuiBuiltInFileTheme::StaticClass()
{
    static const ClassInfo info("TsuiBuiltInFileTheme", &TsuiFileTheme::StaticClass(),
        {
            props::Stored<TsuiBuiltInFileTheme>(
                props::Binary<TsuiBuiltInFileTheme>(
                    "SkinData", &TsuiBuiltInFileTheme::SkinData, &TsuiBuiltInFileTheme::SetSkinData),
                &TsuiBuiltInFileTheme::HasSkinData),
        },
        FactoryOf<TsuiBuiltInFileTheme>());
    return info;
}

bool TsuiBuiltInFileTheme::HasSkinData() const { return IsFile(embed_file_) || !read_data_.empty(); }

Bytes TsuiBuiltInFileTheme::SkinData() const
{
    if (!IsFile(embed_file_))
        return read_data_;
    TFileStream file(embed_file_, TFileStream::fmOpenRead);
    Bytes bytes(static_cast<size_t>(file.Size()));
    file.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void TsuiBuiltInFileTheme::SetSkinData(const Bytes& bytes)
{
    TemporaryFile temp = CreateTemporaryThemeFile();
    auto remove = [&] {
        temp.stream.reset();
        std::error_code ignored;
        std::filesystem::remove(temp.path, ignored);
    };
    try {
        temp.stream->WriteBuffer(bytes.data(), bytes.size());
        temp.stream.reset();
        // The temporary name may repeat an earlier one: load it all the same.
        LoadThemeFile(temp.path, true);
    } catch (...) {
        remove();
        throw;
    }
    remove();
    read_data_ = bytes;
}

}
