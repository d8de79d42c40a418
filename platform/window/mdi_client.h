#pragma once

// The client window of an MDI frame (class "MDICLIENT"): it holds the
// frame's child windows (WS_EX_MDICHILD), keeps them in activation order
// (the active one first), activates, maximises, restores, cascades and tiles
// them through the WM_MDI* messages, keeps a maximised child covering the
// whole client with its caption and frame outside, and lines minimised
// children up along its bottom edge.
//
// An MDI child's procedure hands what it leaves to DefChildProc instead of
// DefWindowProc. While the frame is the active window and no modal loop
// blocks it, Ctrl+F4 closes the active child, Ctrl+F6 (Ctrl+Shift+F6)
// activates the next (previous) one.

#include "platform/window/window_system.h"

#include <vector>

namespace pellamo {

class MdiClient {
public:
    static constexpr const char* kClassName = "MDICLIENT";

    // Creates the client as a visible child of `frame` over `bounds`.
    static HWND Create(WindowSystem& ws, HWND frame, const Rect& bounds);
    static bool IsClient(const WindowSystem& ws, HWND hwnd);
    // The children, the active one first, then in the order they were last
    // active; hidden children included.
    static std::vector<HWND> Children(WindowSystem& ws, HWND client);
    static HWND Active(WindowSystem& ws, HWND client);

    static LRESULT DefChildProc(WindowSystem& ws, HWND child, UINT msg, WPARAM wparam, LPARAM lparam);
};

}
