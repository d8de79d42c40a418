#pragma once

// What a loaded theme file answers for the 48 theme items: values by the
// item's name, pictures decoded from the embedded BMP files (once, when
// the file is loaded).

#include "platform/gfx/bitmap.h"
#include "platform/gfx/color.h"
#include "skin/theme_data/theme_file_reader.h"
#include "skin/theme_data/theme_item.h"

#include <map>
#include <memory>
#include <string>

namespace pellamo {

class TsuiFileThemeMgr {
public:
    // False, keeping what was loaded before, when there is no such file.
    // Otherwise the file replaces what was loaded, or, when it cannot be
    // read, is damaged, or holds a picture that cannot be decoded, throws
    // (EFOpenError, ThemeFileError) and the old one stays.
    bool LoadFromFile(const std::string& file_name);
    bool Loaded() const { return reader_ != nullptr; }
    const TsuiThemeFileReader* Reader() const { return reader_.get(); }

    // The item's picture into `target`; it stays as it was when the file
    // has none (or no file is loaded, or the value is outside 1..48).
    void GetBitmap(ThemeItem item, Bitmap& target) const;
    // False when missing.
    bool GetBool(ThemeItem item) const;
    // -1 when missing; 0 while no file is loaded.
    TColor GetColor(ThemeItem item) const;
    int32_t GetInt(ThemeItem item) const;

private:
    std::unique_ptr<TsuiThemeFileReader> reader_;
    std::map<ThemeItem, std::shared_ptr<const Bitmap>> pictures_;
};

}
