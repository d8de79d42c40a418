#pragma once

// TsuiBuiltInFileTheme: a file theme that travels inside the window
// description. Its ThemeFile only names the file to embed; the stored
// "SkinData" property holds that file's bytes, and reading it back loads
// the theme from them.

#include "platform/components/prop_info.h"
#include "skin/theme/file_theme.h"

#include <string>

namespace pellamo {

class TsuiBuiltInFileTheme : public TsuiFileTheme {
public:
    explicit TsuiBuiltInFileTheme(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Only stores the path of the file to embed.
    std::string ThemeFile() const override { return embed_file_; }
    void SetThemeFile(const std::string& name) override { embed_file_ = name; }

    // The bytes to store: the file ThemeFile names when it exists, else
    // the bytes this component was read with (so writing a window again
    // keeps its theme on a machine without the file); empty when neither.
    Bytes SkinData() const;
    // Loads the theme from the bytes through a private temporary file
    // (PELSKNT.sui, or PELSKNT1.sui, PELSKNT2.sui ..., the first name free
    // in the temporary folder), deleted again whatever happens. Throws as
    // TsuiFileTheme::SetThemeFile does for bad data.
    void SetSkinData(const Bytes& bytes);
    bool HasSkinData() const;

private:
    std::string embed_file_;
    Bytes read_data_;
};

}
