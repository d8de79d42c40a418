#include "platform/components/controls/control_canvas.h"

#include "platform/base/scope_exit.h"
#include "platform/window/device_context.h"

#include <stdexcept>

namespace pellamo {

ControlCanvas::~ControlCanvas()
{
    *m_alive = false;
    Release();
}

pellamo::Canvas* ControlCanvas::Current()
{
    if (m_paint_canvas)
        return m_paint_canvas;
    if (m_dc && WindowSystem::Current() && WindowSystem::Current()->IsWindow(m_dc_window) && !m_dc->Detached())
        return &m_dc->GetCanvas();
    return nullptr;
}

pellamo::Canvas& ControlCanvas::Acquire(WindowSystem& windows, HWND window, const std::string& owner_class)
{
    Release();
    m_dc = windows.GetDC(window);
    if (!m_dc)
        throw std::runtime_error("No drawing surface for " + owner_class);
    m_dc_window = window;
    std::weak_ptr<bool> alive = m_alive;
    windows.Loop().Post([this, alive] {
        if (auto a = alive.lock(); a && *a)
            Release();
    });
    return m_dc->GetCanvas();
}

void ControlCanvas::Release()
{
    if (m_dc) {
        if (auto* ws = WindowSystem::Current(); ws && ws->IsWindow(m_dc_window))
            ws->ReleaseDC(m_dc_window, m_dc);
        m_dc = nullptr;
        m_dc_window = nullptr;
    }
}

void ControlCanvas::Paint(pellamo::Canvas& canvas, const std::function<void()>& paint)
{
    Release();
    m_paint_canvas = &canvas;
    ScopeExit done([this] { m_paint_canvas = nullptr; });
    paint();
}

}
