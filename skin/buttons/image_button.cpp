#include "skin/buttons/image_button.h"

#include "platform/components/props.h"

namespace pellamo {

TsuiImageButton::TsuiImageButton(TComponent* owner)
    : TsuiCustomButton(owner)
{
    for (TPicture* p : { &pic_normal_, &pic_mouse_on_, &pic_mouse_down_, &pic_disabled_ })
        p->OnChange = [this] { PictureChanged(); };
}

TsuiImageButton::~TsuiImageButton()
{
    for (TPicture* p : { &pic_normal_, &pic_mouse_on_, &pic_mouse_down_, &pic_disabled_ })
        p->OnChange = nullptr;
}

const ClassInfo& TsuiImageButton::StaticClass()
{
    using B = TsuiImageButton;
    static const ClassInfo info("TsuiImageButton", &TsuiCustomButton::StaticClass(),
        {
            props::Bool<B>("DrawFocused", &B::DrawFocused, &B::SetDrawFocused),
            props::Object<B>("PicNormal", [](B& b) -> TPicture& { return b.pic_normal_; }),
            props::Object<B>("PicMouseOn", [](B& b) -> TPicture& { return b.pic_mouse_on_; }),
            props::Object<B>("PicMouseDown", [](B& b) -> TPicture& { return b.pic_mouse_down_; }),
            props::Object<B>("PicDisabled", [](B& b) -> TPicture& { return b.pic_disabled_; }),
            props::Bool<B>("Stretch", &B::Stretch, &B::SetStretch),
        },
        FactoryOf<B>());
    return info;
}

void TsuiImageButton::SetStretch(bool on)
{
    stretch_ = on;
    Invalidate();
}

void TsuiImageButton::SetDrawFocused(bool on)
{
    draw_focused_ = on;
    Invalidate();
}

void TsuiImageButton::PictureChanged()
{
    AutoSizeChanged();
    Invalidate();
}

void TsuiImageButton::AutoSizeChanged()
{
    if (Parent() && AutoSize() && !pic_normal_.Empty())
        SetBounds(Left(), Top(), pic_normal_.Width(), pic_normal_.Height());
}

void TsuiImageButton::TakeOr(const TPicture& own, Bitmap& picture) const
{
    if (!own.Empty())
        picture = own.Graphic();
    else if (!pic_normal_.Empty())
        picture = pic_normal_.Graphic();
}

void TsuiImageButton::PaintButtonNormal(Bitmap& picture) { TakeOr(pic_normal_, picture); }

void TsuiImageButton::PaintButtonMouseOn(Bitmap& picture) { TakeOr(pic_mouse_on_, picture); }

void TsuiImageButton::PaintButtonMouseDown(Bitmap& picture) { TakeOr(pic_mouse_down_, picture); }

void TsuiImageButton::PaintButtonDisabled(Bitmap& picture) { TakeOr(pic_disabled_, picture); }

void TsuiImageButton::PaintPic(pellamo::Canvas& canvas, Bitmap& picture)
{
    if (picture.Empty())
        return;
    picture.SetTransparentColor(picture.GetPixel(0, 0));
    if (Stretch())
        canvas.StretchDraw({ 0, 0, Width(), Height() }, picture);
    else
        canvas.Draw(0, 0, picture);
}

void TsuiImageButton::PaintFocus(pellamo::Canvas& canvas)
{
    if (draw_focused_)
        TsuiCustomButton::PaintFocus(canvas);
}

}
