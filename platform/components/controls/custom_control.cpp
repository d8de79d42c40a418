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

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner)
{
}

TCustomControl::~TCustomControl() = default;

const ClassInfo& TCustomControl::StaticClass()
{
    static const ClassInfo info("TCustomControl", &TWinControl::StaticClass(), {}, FactoryOf<TCustomControl>());
    return info;
}

pellamo::Canvas& TCustomControl::Canvas()
{
    if (pellamo::Canvas* current = canvas_.Current())
        return *current;
    pellamo::Canvas& canvas = canvas_.Acquire(Windows(), Handle(), ClassName());
    canvas.font = Font().GetFont();
    return canvas;
}

void TCustomControl::DestroyWnd()
{
    canvas_.Release();
    TWinControl::DestroyWnd();
}

void TCustomControl::PaintWindow(DeviceContext& dc)
{
    pellamo::Canvas& canvas = dc.GetCanvas();
    canvas.font = Font().GetFont();
    canvas.brush.color = Color();
    canvas_.Paint(canvas, [this] { Paint(); });
}

}
