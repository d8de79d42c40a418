#include "platform/components/controls/image.h"

#include "platform/components/props.h"

namespace pellamo {

TImage::TImage(TComponent* owner)
    : TGraphicControl(owner)
{
    control_style_.Include(csReplicatable);
    SetBounds(0, 0, 105, 105);
    picture_.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { picture_.OnChange = nullptr; }

const ClassInfo& TImage::StaticClass()
{
    static const ClassInfo info("TImage", &TGraphicControl::StaticClass(),
        {
            props::Bool<TImage>("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize),
            props::Bool<TImage>("Center", &TImage::Center, &TImage::SetCenter),
            props::Object<TImage>("Picture", [](TImage& i) -> TPicture& { return i.picture_; }),
            props::Bool<TImage>("Proportional", &TImage::Proportional, &TImage::SetProportional),
            props::Bool<TImage>("Stretch", &TImage::Stretch, &TImage::SetStretch),
            props::Bool<TImage>("Transparent", &TImage::Transparent, &TImage::SetTransparent),
        },
        FactoryOf<TImage>());
    return info;
}

void TImage::SetStretch(bool on)
{
    stretch_ = on;
    Invalidate();
}

void TImage::SetCenter(bool on)
{
    center_ = on;
    Invalidate();
}

void TImage::SetAutoSize(bool on)
{
    auto_size_ = on;
    PictureChanged();
}

void TImage::SetTransparent(bool on)
{
    transparent_ = on;
    Invalidate();
}

void TImage::SetProportional(bool on)
{
    proportional_ = on;
    Invalidate();
}

void TImage::PictureChanged()
{
    // An aligned image keeps the size its alignment gives it.
    if (auto_size_ && !picture_.Empty() && !HasState(csLoading)) {
        bool fixed_w = Align() == TAlign::alTop || Align() == TAlign::alBottom || Align() == TAlign::alClient;
        bool fixed_h = Align() == TAlign::alLeft || Align() == TAlign::alRight || Align() == TAlign::alClient;
        SetBounds(Left(), Top(), fixed_w ? Width() : picture_.Width(), fixed_h ? Height() : picture_.Height());
    }
    Invalidate();
}

void TImage::Loaded()
{
    TGraphicControl::Loaded();
    PictureChanged();
}

Rect TImage::DestRect() const
{
    int pw = picture_.Width();
    int ph = picture_.Height();
    int w = pw;
    int h = ph;
    if (stretch_ || (proportional_ && (pw > Width() || ph > Height()))) {
        if (proportional_ && pw > 0 && ph > 0) {
            // Largest size of the picture's shape that fits.
            if (static_cast<long long>(Width()) * ph > static_cast<long long>(Height()) * pw) {
                h = Height();
                w = static_cast<int>(static_cast<long long>(pw) * h / ph);
            } else {
                w = Width();
                h = static_cast<int>(static_cast<long long>(ph) * w / pw);
            }
        } else {
            w = Width();
            h = Height();
        }
    }
    Rect r = Rect::FromSize(0, 0, w, h);
    if (center_)
        r = r.Offset((Width() - w) / 2, (Height() - h) / 2);
    return r;
}

void TImage::Paint()
{
    if (picture_.Empty())
        return;
    pellamo::Canvas& c = Canvas();
    const Bitmap& b = picture_.Graphic();
    Rect dest = DestRect();
    if (transparent_) {
        TColor key = b.GetPixel(0, b.Height() - 1);
        c.StretchDrawTransparent(dest, b, key);
    } else if (dest.Width() == b.Width() && dest.Height() == b.Height()) {
        c.Draw(dest.left, dest.top, b);
    } else {
        c.StretchDraw(dest, b);
    }
}

}
