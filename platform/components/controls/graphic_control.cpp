#include "platform/components/controls/graphic_control.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/win_control.h"
#include "platform/window/window_system.h"

#include <stdexcept>

namespace pellamo {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner)
{
}

TGraphicControl::~TGraphicControl()
{
    *alive_ = false;
    ReleaseCanvasDC();
}

const ClassInfo& TGraphicControl::StaticClass()
{
    static const ClassInfo info("TGraphicControl", &TControl::StaticClass(), {}, FactoryOf<TGraphicControl>());
    return info;
}

pellamo::Canvas& TGraphicControl::Canvas()
{
    if (paint_canvas_)
        return *paint_canvas_;
    // The same canvas until the running handler returns, as one device context.
    if (dc_ && WindowSystem::Current() && WindowSystem::Current()->IsWindow(dc_window_) && !dc_->Detached())
        return dc_->GetCanvas();
    ReleaseCanvasDC();
    if (!Parent())
        throw std::logic_error("Control '" + Name() + "' has no parent window");
    HWND h = Parent()->Handle();
    dc_ = Windows().GetDC(h);
    if (!dc_)
        throw std::runtime_error("No drawing surface for " + ClassName());
    dc_window_ = h;
    // Drawing outside painting shows once the running handler returns.
    std::weak_ptr<bool> alive = alive_;
    Windows().Loop().Post([this, alive] {
        if (auto a = alive.lock(); a && *a)
            ReleaseCanvasDC();
    });
    pellamo::Canvas& c = dc_->GetCanvas();
    c.SetViewportOrigin({ Left(), Top() });
    c.ClearClip();
    c.IntersectClipRect({ 0, 0, Width(), Height() });
    c.font = Font().GetFont();
    return c;
}

void TGraphicControl::ReleaseCanvasDC()
{
    if (dc_) {
        if (auto* ws = WindowSystem::Current(); ws && ws->IsWindow(dc_window_))
            ws->ReleaseDC(dc_window_, dc_);
        dc_ = nullptr;
        dc_window_ = nullptr;
    }
}

void TGraphicControl::PaintTo(pellamo::Canvas& canvas)
{
    ReleaseCanvasDC();
    canvas.font = Font().GetFont();
    canvas.brush.color = Color();
    paint_canvas_ = &canvas;
    try {
        Paint();
    } catch (...) {
        paint_canvas_ = nullptr;
        throw;
    }
    paint_canvas_ = nullptr;
}

}
