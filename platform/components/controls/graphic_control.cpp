#include "platform/components/controls/graphic_control.h"

#include "platform/components/class_info.h"
#include "platform/components/controls/win_control.h"
#include "platform/window/window_system.h"

#include <stdexcept>

namespace pellamo {

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner)
{
}

TGraphicControl::~TGraphicControl() = default;

const ClassInfo& TGraphicControl::StaticClass()
{
    static const ClassInfo info("TGraphicControl", &TControl::StaticClass(), {}, FactoryOf<TGraphicControl>());
    return info;
}

pellamo::Canvas& TGraphicControl::Canvas()
{
    if (pellamo::Canvas* current = canvas_.Current())
        return *current;
    if (!Parent())
        throw std::logic_error("Control '" + Name() + "' has no parent window");
    pellamo::Canvas& c = canvas_.Acquire(Windows(), Parent()->Handle(), ClassName());
    c.SetViewportOrigin({ Left(), Top() });
    c.ClearClip();
    c.IntersectClipRect({ 0, 0, Width(), Height() });
    c.font = Font().GetFont();
    return c;
}

void TGraphicControl::PaintTo(pellamo::Canvas& canvas)
{
    canvas.font = Font().GetFont();
    canvas.brush.color = Color();
    canvas_.Paint(canvas, [this] { Paint(); });
}

}
