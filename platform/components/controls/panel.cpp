#include "platform/components/controls/panel.h"

#include "platform/components/props.h"
#include "platform/window/window_system.h"

namespace pellamo {

TCustomPanel::TCustomPanel(TComponent* owner)
    : TCustomControl(owner)
{
    control_style_
        = { csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks, csReplicatable };
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

const ClassInfo& TCustomPanel::StaticClass()
{
    static const ClassInfo info("TCustomPanel", &TCustomControl::StaticClass(),
        {
            props::Enum<TCustomPanel>(
                "Alignment", AlignmentNames(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment),
            props::Enum<TCustomPanel>(
                "BevelInner", BevelCutNames(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner),
            props::Enum<TCustomPanel>(
                "BevelOuter", BevelCutNames(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter),
            props::Int<TCustomPanel>("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
            props::Enum<TCustomPanel>(
                "BorderStyle", BorderStyleNames(), &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle),
            props::Bool<TCustomPanel>("FullRepaint", &TCustomPanel::FullRepaint, &TCustomPanel::SetFullRepaint),
        });
    return info;
}

const ClassInfo& TPanel::StaticClass()
{
    static const ClassInfo info("TPanel", &TCustomPanel::StaticClass(), {}, FactoryOf<TPanel>());
    return info;
}

void TCustomPanel::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    if (border_style_ == TBorderStyle::bsSingle)
        params.style |= WS_BORDER;
}

void TCustomPanel::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut b)
{
    bevel_inner_ = b;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut b)
{
    bevel_outer_ = b;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int w)
{
    bevel_width_ = std::max(1, w);
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle s)
{
    if (border_style_ == s)
        return;
    border_style_ = s;
    if (HandleAllocated()) {
        WindowSystem& ws = Windows();
        DWORD style = ws.GetStyle(HandleOrNull());
        ws.SetStyle(HandleOrNull(), s == TBorderStyle::bsSingle ? style | WS_BORDER : style & ~WS_BORDER);
        FrameChanged();
    }
}

int TCustomPanel::BevelTotal() const
{
    int total = 0;
    if (bevel_outer_ != TBevelCut::bvNone)
        total += bevel_width_;
    if (bevel_inner_ != TBevelCut::bvNone)
        total += bevel_width_;
    return total;
}

Rect TCustomPanel::AlignRect() const
{
    int b = BevelTotal();
    Rect r = ClientRect().Inflate(-b, -b);
    return r.IsEmpty() ? Rect { r.left, r.top, std::max(r.left, r.right), std::max(r.top, r.bottom) } : r;
}

Rect TCustomPanel::CaptionRect() const
{
    int b = BevelTotal();
    return ClientRect().Inflate(-b - 1, -b);
}

void TCustomPanel::Paint()
{
    pellamo::Canvas& c = Canvas();
    Rect r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone)
            return;
        if (cut == TBevelCut::bvSpace) {
            Frame3D(c, r, Color(), Color(), bevel_width_);
            return;
        }
        bool raised = cut == TBevelCut::bvRaised;
        Frame3D(c, r, raised ? clBtnHighlight : clBtnShadow, raised ? clBtnShadow : clBtnHighlight, bevel_width_);
    };
    bevel(bevel_outer_);
    c.brush = SolidBrush(Color());
    c.FillRect(r);
    bevel(bevel_inner_);
    if (Caption().empty())
        return;
    Rect text = CaptionRect();
    unsigned flags = kTextSingleLine | kTextVCenter | kTextExpandTabs;
    flags |= alignment_ == TAlignment::taCenter    ? kTextCenter
        : alignment_ == TAlignment::taRightJustify ? kTextRight
                                                   : kTextLeft;
    c.brush.style = BrushStyle::Clear;
    c.font = Font().GetFont();
    c.DrawText(Caption(), text, flags);
}

}
