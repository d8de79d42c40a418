#include "skin/theme_data/file_theme_mgr.h"

#include "platform/gfx/bmp_codec.h"
#include "skin/draw/replace_pixels.h"
#include "skin/theme_data/theme_tables.h"

#include <filesystem>

namespace pellamo {

bool TsuiFileThemeMgr::LoadFromFile(const std::string& file_name)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_name, error))
        return false;
    auto reader = std::make_unique<TsuiThemeFileReader>(file_name);
    std::map<ThemeItem, std::shared_ptr<const Bitmap>> pictures;
    for (const ThemeItemRow& row : ThemeItemRows()) {
        if (row.kind != TsuiType::Str)
            continue;
        auto bytes = reader->GetFile(row.name);
        if (!bytes)
            continue;
        try {
            pictures[row.item] = std::make_shared<const Bitmap>(BmpCodec::Read(*bytes));
        } catch (const ImageError& e) {
            throw ThemeFileError(
                "Theme file \"" + file_name + "\": the picture \"" + row.name + "\" cannot be read: " + e.what());
        }
    }
    reader_ = std::move(reader);
    pictures_ = std::move(pictures);
    return true;
}

void TsuiFileThemeMgr::GetBitmap(ThemeItem item, Bitmap& target) const
{
    auto it = pictures_.find(item);
    if (it != pictures_.end())
        ReplacePixels(target, *it->second);
}

bool TsuiFileThemeMgr::GetBool(ThemeItem item) const
{
    const ThemeItemRow* row = FindThemeItem(item);
    return reader_ && row && reader_->GetBool(row->name);
}

TColor TsuiFileThemeMgr::GetColor(ThemeItem item) const { return GetInt(item); }

int32_t TsuiFileThemeMgr::GetInt(ThemeItem item) const
{
    if (!reader_)
        return 0;
    const ThemeItemRow* row = FindThemeItem(item);
    return row ? reader_->GetInteger(row->name) : -1;
}

}
