#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/window/window_system.h"

#include <functional>
#include <memory>

namespace pellamo {

class MpvPlayer;

// A borderless top-level window over the whole screen showing a player's
// picture (or its station display) at screen size. Esc, F or a double-click
// asks to leave; the owner then destroys it. The main window underneath is
// not touched.
class FullScreenWindow {
public:
    static constexpr const char* kClassName = "PellamoFullScreen";

    // Opens and activates the window at once. `player` must outlive it.
    FullScreenWindow(WindowSystem& ws, MpvPlayer& player, std::function<void()> on_leave);
    ~FullScreenWindow();
    FullScreenWindow(const FullScreenWindow&) = delete;
    FullScreenWindow& operator=(const FullScreenWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    // The size the player's pictures are wanted at here.
    Size PictureSize() const;
    // The player has a new picture or status: draw again.
    void Refresh();

private:
    LRESULT Proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
    void Paint();
    void RequestLeave();

    WindowSystem& m_ws;
    MpvPlayer& m_player;
    std::function<void()> m_on_leave;
    HWND m_hwnd = nullptr;
    // The leave request is posted (the window must not be destroyed inside
    // its own message); it is dropped when the window went away first.
    std::shared_ptr<FullScreenWindow*> m_alive;
    bool m_leave_posted = false;
};

}
