#include "skin/panels/picture_panel.h"

#include "platform/components/enum_info.h"
#include "platform/components/props.h"
#include "skin/panels/off_screen.h"
#include "skin/window/transparency.h"

namespace pellamo {

const EnumInfo& DrawStyleNames()
{
    static const EnumInfo info("TsuiDrawStyle", { "suiNormal", "suiStretch", "suiTile" });
    return info;
}

TsuiCustomPanel::TsuiCustomPanel(TComponent* owner)
    : TCustomPanel(owner)
{
    SetBevelInner(TBevelCut::bvNone);
    SetBevelOuter(TBevelCut::bvNone);
    picture_.OnChange = [this] { PictureChanged(&picture_); };
}

TsuiCustomPanel::~TsuiCustomPanel() { picture_.OnChange = nullptr; }

const ClassInfo& TsuiCustomPanel::StaticClass()
{
    static const ClassInfo info("TsuiCustomPanel", &TCustomPanel::StaticClass(),
        {
            props::Object<TsuiCustomPanel>("Picture", [](TsuiCustomPanel& p) -> TPicture& { return p.picture_; }),
            props::Bool<TsuiCustomPanel>(
                "Transparent", &TsuiCustomPanel::Transparent, &TsuiCustomPanel::SetTransparent),
            props::Bool<TsuiCustomPanel>("AutoSize", &TsuiCustomPanel::AutoSize, &TsuiCustomPanel::SetAutoSize),
            props::Enum<TsuiCustomPanel>(
                "DrawStyle", DrawStyleNames(), &TsuiCustomPanel::DrawStyle, &TsuiCustomPanel::SetDrawStyle),
        });
    return info;
}

const ClassInfo& TsuiImagePanel::StaticClass()
{
    static const ClassInfo info("TsuiImagePanel", &TsuiCustomPanel::StaticClass(), {}, FactoryOf<TsuiImagePanel>());
    return info;
}

void TsuiCustomPanel::SetPicture(const TPicture& picture)
{
    picture_.Assign(picture);
    ClearPanel();
    Invalidate();
}

void TsuiCustomPanel::PictureChanged(TObject*)
{
    if (!picture_.Empty()) {
        if (auto_size_)
            ApplyAutoSize();
        ApplyTransparency();
    }
    ClearPanel();
    Invalidate();
}

void TsuiCustomPanel::SetAutoSize(bool on)
{
    auto_size_ = on;
    if (!picture_.Empty())
        ApplyAutoSize();
}

void TsuiCustomPanel::SetTransparent(bool on)
{
    transparent_ = on;
    if (!picture_.Empty())
        ApplyTransparency();
    Invalidate();
}

void TsuiCustomPanel::SetDrawStyle(TsuiDrawStyle style)
{
    draw_style_ = style;
    ClearPanel();
    Invalidate();
}

void TsuiCustomPanel::SetCaptionPosX(int x)
{
    caption_pos_.x = x;
    Invalidate();
}

void TsuiCustomPanel::SetCaptionPosY(int y)
{
    caption_pos_.y = y;
    Invalidate();
}

void TsuiCustomPanel::ApplyAutoSize()
{
    if (!auto_size_)
        return;
    TAlign a = Align();
    int width = (a == TAlign::alTop || a == TAlign::alBottom || a == TAlign::alClient) ? Width() : picture_.Width();
    int height = (a == TAlign::alLeft || a == TAlign::alRight || a == TAlign::alClient) ? Height() : picture_.Height();
    SetBounds(Left(), Top(), width, height);
}

void TsuiCustomPanel::ApplyTransparency()
{
    // Changing the picture's own flag notifies again; the second time finds
    // them equal.
    if (picture_.Transparent() != transparent_)
        picture_.SetTransparent(transparent_);
}

void TsuiCustomPanel::Resize()
{
    TCustomPanel::Resize();
    Invalidate();
}

void TsuiCustomPanel::Paint() { PaintPicturePanel(); }

void TsuiCustomPanel::PaintPicturePanel()
{
    Rect client = ClientRect();
    PaintOffScreen(Canvas(), { client.Width(), client.Height() }, [&](pellamo::Canvas& canvas) {
        if (transparent_)
            DoTrans(canvas, *this);
        PicturePanelFace face;
        face.picture = &picture_.Graphic();
        face.draw_style = draw_style_;
        face.transparent = transparent_;
        face.color = Color();
        face.caption = Caption();
        face.font = Font().GetFont();
        face.alignment = Alignment();
        face.caption_pos = caption_pos_;
        pellamo::PaintPicturePanel(canvas, client, face);
    });
}

}
