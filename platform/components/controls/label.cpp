#include "platform/components/controls/label.h"

#include "platform/components/enum_info.h"
#include "platform/components/props.h"

namespace pellamo {

const EnumInfo& TextLayoutNames()
{
    static const EnumInfo info("TTextLayout", { "tlTop", "tlCenter", "tlBottom" });
    return info;
}

TCustomLabel::TCustomLabel(TComponent* owner)
    : TGraphicControl(owner)
{
    control_style_ = { csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable, csDoubleClicks };
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

const ClassInfo& TCustomLabel::StaticClass()
{
    static const ClassInfo info("TCustomLabel", &TGraphicControl::StaticClass(),
        {
            props::Enum<TCustomLabel>(
                "Alignment", AlignmentNames(), &TCustomLabel::Alignment, &TCustomLabel::SetAlignment),
            props::Bool<TCustomLabel>("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize),
            props::Enum<TCustomLabel>("Layout", TextLayoutNames(), &TCustomLabel::Layout, &TCustomLabel::SetLayout),
            props::Bool<TCustomLabel>("ShowAccelChar", &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar),
            props::Bool<TCustomLabel>("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent),
            props::Bool<TCustomLabel>("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap),
        });
    return info;
}

const ClassInfo& TLabel::StaticClass()
{
    static const ClassInfo info("TLabel", &TCustomLabel::StaticClass(), {}, FactoryOf<TLabel>());
    return info;
}

void TCustomLabel::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool on)
{
    auto_size_ = on;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool on)
{
    word_wrap_ = on;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool on)
{
    if (transparent_ == on)
        return;
    transparent_ = on;
    if (on)
        control_style_.Exclude(csOpaque);
    else
        control_style_.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout l)
{
    layout_ = l;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool on)
{
    show_accel_char_ = on;
    AdjustBounds();
    Invalidate();
}

unsigned TCustomLabel::TextFlags() const
{
    unsigned flags = kTextExpandTabs;
    flags |= word_wrap_ ? kTextWordBreak : 0u;
    if (!show_accel_char_)
        flags |= kTextNoPrefix;
    return flags;
}

Size TCustomLabel::TextSize() const
{
    static Bitmap scratch(1, 1);
    pellamo::Canvas measure(scratch);
    measure.font = Font().GetFont();
    std::string text = Caption().empty() ? std::string(" ") : Caption();
    Rect r { 0, 0, word_wrap_ ? std::max(1, Width()) : 0x7FFF, 0 };
    measure.DrawText(text, r, TextFlags() | kTextCalcRect);
    return { r.Width(), r.Height() };
}

void TCustomLabel::AdjustBounds()
{
    if (!auto_size_ || HasState(csLoading))
        return;
    Size s = TextSize();
    int width = word_wrap_ ? Width() : s.cx;
    int left = Left();
    // A right-aligned label grows to the left, a centred one both ways.
    if (!word_wrap_ && alignment_ == TAlignment::taRightJustify)
        left += Width() - width;
    else if (!word_wrap_ && alignment_ == TAlignment::taCenter)
        left += (Width() - width) / 2;
    SetBounds(left, Top(), width, s.cy);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::TextChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::FontChanged()
{
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::Paint()
{
    pellamo::Canvas& c = Canvas();
    Rect r = ClientRect();
    if (!transparent_) {
        c.brush = SolidBrush(Color());
        c.FillRect(r);
    }
    c.brush.style = BrushStyle::Clear;
    c.font = Font().GetFont();
    if (!Enabled())
        c.font.color = clGrayText;
    unsigned flags = TextFlags();
    flags |= alignment_ == TAlignment::taCenter    ? kTextCenter
        : alignment_ == TAlignment::taRightJustify ? kTextRight
                                                   : kTextLeft;
    if (layout_ != TTextLayout::tlTop) {
        Rect calc = r;
        c.DrawText(Caption(), calc, flags | kTextCalcRect);
        int free = r.Height() - calc.Height();
        r.top += layout_ == TTextLayout::tlCenter ? free / 2 : free;
    }
    c.DrawText(Caption(), r, flags);
}

}
