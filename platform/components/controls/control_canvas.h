#pragma once

#include "platform/gfx/canvas.h"
#include "platform/window/window_system.h"

#include <functional>
#include <memory>
#include <string>

namespace pellamo {

// The canvas a control draws on: the one of the paint in progress, else a
// device context on a window, kept until the running handler returns so
// that drawing outside painting behaves as one device context.
class ControlCanvas {
public:
    ControlCanvas() = default;
    ~ControlCanvas();
    ControlCanvas(const ControlCanvas&) = delete;
    ControlCanvas& operator=(const ControlCanvas&) = delete;

    // The paint's canvas or the live device context's, else nullptr.
    pellamo::Canvas* Current();
    // A fresh device context on `window`; throws naming `owner_class` when
    // the window has none.
    pellamo::Canvas& Acquire(WindowSystem& windows, HWND window, const std::string& owner_class);
    void Release();
    // Runs `paint` with `canvas` as the current canvas.
    void Paint(pellamo::Canvas& canvas, const std::function<void()>& paint);

private:
    pellamo::Canvas* m_paint_canvas = nullptr;
    DeviceContext* m_dc = nullptr;
    HWND m_dc_window = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}
