#pragma once

// Services that older systems of the platform lacked, reached through one
// seam: each wrapper answers false where the service is missing. Ours
// reports the system as NT 5.1 and offers the scroll-bar read and window
// animation (rolls and slides played by the loop's timers); combo box
// reads are missing. Where animation is missing, a notification window
// shows and hides at once. Tests install other answers.

#include "platform/window/messages.h"

#include <functional>

namespace pellamo {

struct SystemVersion {
    int major = 5;
    int minor = 1;
    bool nt = true;
};

struct UserLibrary {
    SystemVersion version;
    std::function<bool(HWND, int32_t object, SCROLLBARINFO*)> get_scroll_bar_info;
    std::function<bool(HWND, COMBOBOXINFO*)> get_combo_box_info;
    // Starts the animation and returns at once; `done` runs when the
    // window has reached its end (only when the call answered true).
    std::function<bool(HWND, DWORD milliseconds, DWORD flags, std::function<void()> done)> animate_window;
};

// What the program runs with.
UserLibrary DefaultUserLibrary();
const UserLibrary& CurrentUserLibrary();
void SetUserLibrary(UserLibrary library);

bool SUIGetScrollBarInfo(HWND window, int32_t object, SCROLLBARINFO* info);
bool SUIGetComboBoxInfo(HWND window, COMBOBOXINFO* info);
bool SUIAnimateWindow(HWND window, DWORD milliseconds, DWORD flags, std::function<void()> done = {});

// Major version at least 5, minor at least 1, of the NT family (so 6.0 is
// not, as the platform's own test had it).
bool IsWinXP(SystemVersion version);
bool IsWinXP();

}
