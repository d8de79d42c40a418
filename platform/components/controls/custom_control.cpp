#include "platform/components/controls/custom_control.h"

#include "platform/components/class_info.h"
#include "platform/window/window_system.h"

namespace pellamo {

void Frame3D(pellamo::Canvas& canvas, Rect& rect, TColor top_left, TColor bottom_right, int width)
{
    Brush saved = canvas.brush;
    for (int i = 0; i < width && !rect.IsEmpty(); ++i) {
        canvas.brush = SolidBrush(top_left);
        canvas.FillRect({ rect.left, rect.top, rect.right - 1, rect.top + 1 });
        canvas.FillRect({ rect.left, rect.top, rect.left + 1, rect.bottom - 1 });
        canvas.brush = SolidBrush(bottom_right);
        canvas.FillRect({ rect.right - 1, rect.top, rect.right, rect.bottom });
        canvas.FillRect({ rect.left, rect.bottom - 1, rect.right, rect.bottom });
        rect = rect.Inflate(-1, -1);
    }
    canvas.brush = saved;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner)
{
}

TCustomControl::~TCustomControl()
{
    *alive_ = false;
    ReleaseCanvasDC();
}

const ClassInfo& TCustomControl::StaticClass()
{
    static const ClassInfo info("TCustomControl", &TWinControl::StaticClass(), {}, FactoryOf<TCustomControl>());
    return info;
}

pellamo::Canvas& TCustomControl::Canvas()
{
    if (paint_canvas_)
        return *paint_canvas_;
    // The same canvas until the running handler returns, as one device context.
    if (dc_ && WindowSystem::Current() && WindowSystem::Current()->IsWindow(dc_window_) && !dc_->Detached())
        return dc_->GetCanvas();
    ReleaseCanvasDC();
    HWND h = Handle();
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
    dc_->GetCanvas().font = Font().GetFont();
    return dc_->GetCanvas();
}

void TCustomControl::ReleaseCanvasDC()
{
    if (dc_) {
        if (auto* ws = WindowSystem::Current(); ws && ws->IsWindow(dc_window_))
            ws->ReleaseDC(dc_window_, dc_);
        dc_ = nullptr;
        dc_window_ = nullptr;
    }
}

void TCustomControl::DestroyWnd()
{
    ReleaseCanvasDC();
    TWinControl::DestroyWnd();
}

void TCustomControl::PaintWindow(DeviceContext& dc)
{
    ReleaseCanvasDC();
    pellamo::Canvas& canvas = dc.GetCanvas();
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
