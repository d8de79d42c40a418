#pragma once

// The gallery window on a headless screen, its error messages recorded,
// and the theme files the build exports from the built-in styles.

#include "gallery/gallery_program.h"
#include "gallery/gallery_window.h"
#include "tests/support/headless_app.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace pellamo::test {

// A built-in style as the build exports it ("MacOS" -> .../themes/MacOS.sui).
inline std::string ExportedTheme(const std::string& style)
{
    const char* build = std::getenv("PELLAMO_BINARY_DIR");
    return std::string(build ? build : ".") + "/themes/" + style + ".sui";
}

class GalleryFixture : public HeadlessAppFixture {
protected:
    TfrmGallery* gallery = nullptr;
    std::vector<std::string> errors;

    void SetUp() override
    {
        RegisterGalleryClasses();
        gallery = app.CreateForm<TfrmGallery>();
        gallery->ShowError = [this](const std::string& message) { errors.push_back(message); };
        gallery->Show();
        Pump();
    }

    // The first control of class T on a page, in its group boxes too.
    template <class T> T* OnPage(const char* page) const
    {
        TWinControl* panel = gallery->PagePanel(page);
        return panel ? Within<T>(*panel) : nullptr;
    }
    template <class T> static T* Within(TWinControl& parent)
    {
        for (int i = 0; i < parent.ControlCount(); ++i)
            if (auto* control = dynamic_cast<T*>(parent.Controls(i)))
                return control;
        for (int i = 0; i < parent.ControlCount(); ++i)
            if (auto* inner = dynamic_cast<TWinControl*>(parent.Controls(i)))
                if (T* control = Within<T>(*inner))
                    return control;
        return nullptr;
    }

    // What the screen shows at a point of a control's window (frame included).
    TColor WindowPixel(TWinControl& control, Point at)
    {
        Pump();
        Rect r = ws().GetWindowRect(control.Handle());
        return screen.Screenshot().GetPixel(r.left + at.x, r.top + at.y);
    }
};

}
