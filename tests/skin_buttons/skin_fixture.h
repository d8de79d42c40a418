#pragma once

// A borderless form at the screen's top left (client point = screen point)
// on the headless screen, a loop clock the test moves by hand, and theme
// files exported from the built-in styles.

#include "platform/components/controls/form.h"
#include "platform/gfx/bitmap.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_export.h"
#include "tests/controls/controls_fixture.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace pellamo::test {

class SkinFixture : public ControlsFixture {
protected:
    TForm* form = nullptr;
    EventLoop::Clock::time_point now = EventLoop::Clock::now();
    std::filesystem::path theme_dir;

    SkinFixture()
    {
        loop.SetTimeSource([this] { return now; });
        form = app.CreateForm<TForm>();
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(clTeal);
    }
    ~SkinFixture() override
    {
        if (!theme_dir.empty())
            std::filesystem::remove_all(theme_dir);
    }

    template <class T>
    T* Add(Rect bounds, TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        c->SetBoundsRect(bounds);
        return c;
    }

    void Show()
    {
        form->Show();
        Pump();
    }

    // Lets `ms` milliseconds pass on the loop's clock, in steps of 10.
    void Wait(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            now += std::chrono::milliseconds(10);
            Pump();
        }
    }

    void MoveTo(TControl& c, Point client)
    {
        screen.MoveMouse(c.ClientToScreen(client));
        Pump();
    }
    void Press(TControl& c, Point client)
    {
        MoveTo(c, client);
        screen.PressButton();
        Pump();
    }
    void Release()
    {
        screen.ReleaseButton();
        Pump();
    }
    void Key(unsigned vk, unsigned modifiers = 0)
    {
        screen.PressKey(vk, modifiers);
        Pump();
    }

    // What the screen shows of a control, as a bitmap of its size.
    Bitmap Shot(TControl& c)
    {
        Pump();
        Point at = c.ClientToScreen({ 0, 0 });
        return screen.Screenshot().Crop(Rect::FromSize(at.x, at.y, c.Width(), c.Height()));
    }

    // A theme component holding the built-in style written out as a file.
    TsuiFileTheme* ExportedTheme(TsuiUIStyle style)
    {
        if (theme_dir.empty()) {
            theme_dir = std::filesystem::temp_directory_path() / ("pellamo-skin-" + std::to_string(getpid()));
            std::filesystem::create_directories(theme_dir);
        }
        auto path = theme_dir / ("style" + std::to_string(static_cast<int>(style)) + ".sui");
        auto bytes = ExportBuiltInTheme(style);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
        auto* theme = new TsuiFileTheme(form);
        theme->SetThemeFile(path.string());
        return theme;
    }
};

}
