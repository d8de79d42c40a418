#pragma once

#include "platform/window/window_system.h"

#include <string>

namespace pellamo {

// A modal message box drawn by us (text and caption in UTF-8): caption, icon (MB_ICONERROR,
// MB_ICONWARNING, MB_ICONINFORMATION, MB_ICONQUESTION), the text and an OK
// button (MB_OK) or OK and Cancel (MB_OKCANCEL). Enter takes the focused
// button, Esc and the close box cancel (an OK-only box answers IDOK).
// Centred on the owner's top-level window, or on the work area.
class MessageBox {
public:
    static constexpr const char* kClassName = "PellamoMessageBox";
    static constexpr const char* kButtonClassName = "PellamoMessageBoxButton";

    static int Show(WindowSystem& ws, HWND owner, const std::string& text, const std::string& caption, UINT type);

    // The layout, exposed for tests: client size and where the parts go.
    struct Layout {
        Size client;
        Rect icon; // empty without an icon
        Rect text;
        Rect buttons[2]; // OK, Cancel (empty when absent)
    };
    static Layout Measure(const std::string& text, UINT type);
};

}
