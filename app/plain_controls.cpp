#include "app/plain_controls.h"

#include "platform/components/class_info.h"
#include "platform/components/class_registry.h"
#include "platform/components/enum_info.h"
#include "platform/components/props.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/system_colors.h"


namespace pellamo {

namespace {

const EnumInfo& ScrollKindNames()
{
    static const EnumInfo info("TScrollBarKind", { "sbHorizontal", "sbVertical" });
    return info;
}

void Frame(pellamo::Canvas& canvas, const Rect& r, TColor color)
{
    canvas.brush.color = color;
    canvas.brush.style = BrushStyle::Solid;
    canvas.FrameRect(r);
}

}

PlainScrollBar::PlainScrollBar(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 121, 16);
}

const ClassInfo& PlainScrollBar::StaticClass()
{
    using C = PlainScrollBar;
    static const ClassInfo info("TScrollBar", &TCustomControl::StaticClass(),
        {
            props::Enum<C>("Kind", ScrollKindNames(), &C::kind),
            props::Int<C>("Min", &C::min),
            props::Int<C>("Max", &C::max),
            props::Int<C>("Position", &C::position),
            props::Int<C>("SmallChange", &C::small_change),
            props::Int<C>("LargeChange", &C::large_change),
            props::Int<C>("PageSize", &C::page_size),
        },
        FactoryOf<C>());
    return info;
}

void PlainScrollBar::Paint()
{
    Frame(this->Canvas(), ClientRect(), clBtnShadow);
}

void RegisterPlainControls()
{
    if (!GetClass(PlainScrollBar::StaticClass().Name()))
        RegisterClass(PlainScrollBar::StaticClass());
}

}
