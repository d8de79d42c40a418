#include "skin/buttons/control_button.h"

#include "platform/components/props.h"
#include "skin/draw/key_color.h"

namespace pellamo {

TsuiControlButton::TsuiControlButton(TComponent* owner)
    : TsuiCustomButton(owner)
{
    SetTabStop(false);
    SetUIStyle(TsuiUIStyle::DeepBlue);
}

const ClassInfo& TsuiControlButton::StaticClass()
{
    using B = TsuiControlButton;
    static const ClassInfo info("TsuiControlButton", &TsuiCustomButton::StaticClass(),
        {
            props::Int<B>(
                "ThemeID", [](const B& b) { return ThemeItemNumber(b.ThemeID()); },
                [](B& b, int number) { b.SetThemeID(static_cast<ThemeItem>(number)); }),
            props::Int<B>("PicIndex", &B::PicIndex, &B::SetPicIndex),
            props::Int<B>("PicCount", &B::PicCount, &B::SetPicCount),
            props::Bool<B>("PicTransparent", &B::PicTransparent, &B::SetPicTransparent),
        },
        FactoryOf<B>());
    return info;
}

void TsuiControlButton::SetPicIndex(int index)
{
    pic_index_ = index;
    Invalidate();
}

void TsuiControlButton::SetPicCount(int count)
{
    pic_count_ = count;
    Invalidate();
}

void TsuiControlButton::SetThemeID(ThemeItem item)
{
    theme_id_ = item;
    Invalidate();
}

Bitmap TsuiControlButton::Frame(int index) const
{
    if (pic_count_ != 0 && (index < 1 || index > pic_count_))
        return Bitmap();
    return Theme().Picture(theme_id_, pic_count_, pic_count_ != 0 ? index : 0);
}

void TsuiControlButton::FitTo(const Bitmap& picture)
{
    if (picture.Empty() || (Width() == picture.Width() && Height() == picture.Height()))
        return;
    SetBounds(Left(), Top(), picture.Width(), picture.Height());
}

void TsuiControlButton::PaintButtonNormal(Bitmap& picture)
{
    picture = Frame(pic_index_);
    FitTo(picture);
}

void TsuiControlButton::PaintButtonMouseOn(Bitmap& picture) { picture = Frame(pic_index_ + 1); }

void TsuiControlButton::PaintButtonMouseDown(Bitmap& picture) { picture = Frame(pic_index_); }

void TsuiControlButton::PaintButtonDisabled(Bitmap& picture) { picture = Frame(pic_index_); }

void TsuiControlButton::PaintPic(pellamo::Canvas& canvas, Bitmap& picture)
{
    if (picture.Empty())
        return;
    picture.SetTransparentColor(picture.GetPixel(0, 0));
    DrawSkinPicture(canvas, 0, 0, picture);
    FitTo(picture);
}

}
