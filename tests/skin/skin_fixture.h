#pragma once

// A form for skinned controls on the headless screen (shown by Show()), a
// loop clock the test moves by hand, the mouse and keys, and theme files:
// a built-in style exported whole, or a few items written by the test.

#include "platform/components/controls/form.h"
#include "platform/gfx/bitmap.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/theme_export.h"
#include "tests/skin/theme_fixture.h"

#include <chrono>
#include <fstream>
#include <string>

namespace pellamo::test {

class SkinFixture : public ThemeFixture {
protected:
    TForm* form = nullptr;
    EventLoop::Clock::time_point now = EventLoop::Clock::now();

    static constexpr TColor kFormColor = 0x00C000; // green: nothing skinned is drawn in it

    SkinFixture()
    {
        loop.SetTimeSource([this] { return now; });
        form = app.CreateForm<TForm>();
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(kFormColor);
    }

    template <class T> T* Add(Rect bounds, TWinControl* parent = nullptr)
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

    // What the screen shows of a control's client area, in its client
    // coordinates.
    Bitmap Shot(TControl& c)
    {
        Pump();
        Point at = c.ClientToScreen({ 0, 0 });
        return screen.Screenshot().Crop(Rect::FromSize(at.x, at.y, c.ClientWidth(), c.ClientHeight()));
    }

    // A file theme component on the form, loaded from `style` written out
    // as a theme file.
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
};

}
