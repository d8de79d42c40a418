#include "skin/buttons/arrow_button.h"

#include "platform/components/props.h"
#include "skin/draw/nine_piece.h"

namespace pellamo {

const EnumInfo& ArrowButtonTypeNames()
{
    static const EnumInfo info("TsuiArrowButtonType", { "suiUp", "suiDown" });
    return info;
}

TsuiArrowButton::TsuiArrowButton(TComponent* owner)
    : TsuiCustomButton(owner)
{
    UIStyleChanged();
}

const ClassInfo& TsuiArrowButton::StaticClass()
{
    using B = TsuiArrowButton;
    static const ClassInfo info("TsuiArrowButton", &TsuiCustomButton::StaticClass(),
        { props::Enum<B>("Arrow", ArrowButtonTypeNames(), &B::Arrow, &B::SetArrow) }, FactoryOf<B>());
    return info;
}

void TsuiArrowButton::SetArrow(TsuiArrowButtonType arrow)
{
    arrow_ = arrow;
    Invalidate();
}

void TsuiArrowButton::UIStyleChanged() { SetTransparent(Look().transparent); }

void TsuiArrowButton::PaintPic(pellamo::Canvas& canvas, Bitmap& picture)
{
    Size size { Width(), Height() };
    SpitDraw(picture, canvas, { 0, 0, size.cx, size.cy }, PicTransparent());
    PaintArrow(canvas, size, arrow_);
}

}
