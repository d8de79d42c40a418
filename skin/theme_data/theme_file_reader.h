#pragma once

// Reads a whole theme file into memory: its embedded files, integers,
// flags and strings, each list in the order of the file. Names are looked
// up without regard to case; the first entry of a name answers. The file
// may go away once it has been read.

#include "skin/theme_data/theme_file_format.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pellamo {

class TsuiThemeFileReader {
public:
    template <class T> using Entries = std::vector<std::pair<std::string, T>>;

    // Throws EFOpenError when the file cannot be read and ThemeFileError
    // when it is not a sound theme file (the message names the file).
    explicit TsuiThemeFileReader(const std::string& file_name);
    // The same over the bytes of a file; `source` names them in messages.
    explicit TsuiThemeFileReader(std::span<const uint8_t> bytes, const std::string& source = "theme data");

    // The bytes of the first embedded file of that name, or none.
    std::optional<std::span<const uint8_t>> GetFile(std::string_view name) const;
    // -1 when missing.
    int32_t GetInteger(std::string_view name) const;
    // False when missing; any non-zero byte is true.
    bool GetBool(std::string_view name) const;
    // Empty when missing.
    std::string GetStr(std::string_view name) const;

    const Entries<std::vector<uint8_t>>& Files() const { return files_; }
    const Entries<int32_t>& Integers() const { return integers_; }
    const Entries<uint8_t>& Bools() const { return bools_; }
    const Entries<std::string>& Strings() const { return strings_; }

private:
    void Parse(std::span<const uint8_t> bytes, const std::string& source);

    Entries<std::vector<uint8_t>> files_;
    Entries<int32_t> integers_;
    Entries<uint8_t> bools_;
    Entries<std::string> strings_;
};

}
