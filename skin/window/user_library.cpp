#include "skin/window/user_library.h"

#include "platform/window/window_system.h"

namespace pellamo {

namespace {

UserLibrary& Current()
{
    static UserLibrary library = DefaultUserLibrary();
    return library;
}

}

UserLibrary DefaultUserLibrary()
{
    UserLibrary library;
    library.get_scroll_bar_info = [](HWND window, int32_t object, SCROLLBARINFO* info) {
        WindowSystem* ws = WindowSystem::Current();
        return ws && info && ws->GetScrollBarInfo(window, object, info);
    };
    library.animate_window = [](HWND window, DWORD milliseconds, DWORD flags, std::function<void()> done) {
        WindowSystem* ws = WindowSystem::Current();
        return ws && ws->AnimateWindow(window, milliseconds, flags, std::move(done));
    };
    return library;
}

const UserLibrary& CurrentUserLibrary() { return Current(); }

void SetUserLibrary(UserLibrary library) { Current() = std::move(library); }

bool SUIGetScrollBarInfo(HWND window, int32_t object, SCROLLBARINFO* info)
{
    const auto& f = Current().get_scroll_bar_info;
    return f && f(window, object, info);
}

bool SUIGetComboBoxInfo(HWND window, COMBOBOXINFO* info)
{
    const auto& f = Current().get_combo_box_info;
    return f && f(window, info);
}

bool SUIAnimateWindow(HWND window, DWORD milliseconds, DWORD flags, std::function<void()> done)
{
    const auto& f = Current().animate_window;
    return f && f(window, milliseconds, flags, std::move(done));
}

bool IsWinXP(SystemVersion version) { return version.major >= 5 && version.minor >= 1 && version.nt; }

bool IsWinXP() { return IsWinXP(Current().version); }

}
