#pragma once

// Services that older systems of the platform lacked, reached through one
// seam: each wrapper answers false where the service is missing. Ours
// reports the system as NT 5.1 and offers the scroll-bar read; combo box
// reads and window animation are missing (a notification window then
// shows and hides at once). Tests install other answers.

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
    std::function<bool(HWND, DWORD milliseconds, DWORD flags)> animate_window;
};

// What the program runs with.
UserLibrary DefaultUserLibrary();
const UserLibrary& CurrentUserLibrary();
void SetUserLibrary(UserLibrary library);

bool SUIGetScrollBarInfo(HWND window, int32_t object, SCROLLBARINFO* info);
bool SUIGetComboBoxInfo(HWND window, COMBOBOXINFO* info);
bool SUIAnimateWindow(HWND window, DWORD milliseconds, DWORD flags);

// Major version at least 5, minor at least 1, of the NT family (so 6.0 is
// not, as the platform's own test had it).
bool IsWinXP(SystemVersion version);
bool IsWinXP();

}
