#pragma once

// A shown form on a headless screen for skinned controls, and theme files
// for them: a built-in style exported whole, or a few items written by the
// test.

#include "platform/components/controls/form.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_export.h"
#include "tests/skin/theme_fixture.h"

#include <fstream>

namespace pellamo::test {

class SkinnedFormFixture : public ThemeFixture {
protected:
    TForm* form = nullptr;

    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(kFormColor);
        form->Show();
        Pump();
    }

    // A file theme component on the form, loaded from `style` exported.
    TsuiFileTheme* ExportedTheme(TsuiUIStyle style = TsuiUIStyle::MacOS)
    {
        std::vector<uint8_t> bytes = ExportBuiltInTheme(style);
        std::string path = File("exported" + std::to_string(static_cast<int>(style)) + ".sui");
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return LoadTheme(path);
    }

    TsuiFileTheme* LoadTheme(const std::string& path)
    {
        auto* theme = new TsuiFileTheme(form);
        theme->SetThemeFile(path);
        return theme;
    }

    // What the screen shows of a control, in its client coordinates.
    Bitmap Shot(TControl& control)
    {
        Pump();
        Bitmap screen_now = screen.Screenshot();
        Point o = control.ClientToScreen({ 0, 0 });
        return screen_now.Crop(Rect::FromSize(o.x, o.y, control.ClientWidth(), control.ClientHeight()));
    }

    static constexpr TColor kFormColor = 0x00C000; // green: nothing skinned is drawn in it
};

}
