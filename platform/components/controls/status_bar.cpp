#include "platform/components/controls/status_bar.h"

#include "platform/components/controls/form.h"
#include "platform/components/enum_info.h"
#include "platform/components/props.h"

namespace pellamo {

namespace {

const EnumInfo& PanelBevelNames()
{
    static const EnumInfo info("TStatusPanelBevel", { "pbNone", "pbLowered", "pbRaised" });
    return info;
}

const EnumInfo& PanelStyleNames()
{
    static const EnumInfo info("TStatusPanelStyle", { "psText", "psOwnerDraw" });
    return info;
}

constexpr int kGripSize = 12;

}

const ClassInfo& TStatusPanel::StaticClass()
{
    static const ClassInfo info("TStatusPanel", &TCollectionItem::StaticClass(),
        {
            props::Enum<TStatusPanel>(
                "Alignment", AlignmentNames(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment),
            props::Enum<TStatusPanel>("Bevel", PanelBevelNames(), &TStatusPanel::Bevel, &TStatusPanel::SetBevel),
            props::Enum<TStatusPanel>("Style", PanelStyleNames(), &TStatusPanel::Style, &TStatusPanel::SetStyle),
            props::Str<TStatusPanel>("Text", &TStatusPanel::Text, &TStatusPanel::SetText),
            props::Int<TStatusPanel>("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth),
        });
    return info;
}

void TStatusPanel::Assign(const TPersistent& source)
{
    if (auto* p = dynamic_cast<const TStatusPanel*>(&source)) {
        text_ = p->text_;
        width_ = p->width_;
        alignment_ = p->alignment_;
        bevel_ = p->bevel_;
        style_ = p->style_;
        Changed();
        return;
    }
    TCollectionItem::Assign(source);
}

void TStatusPanel::SetText(const std::string& text)
{
    text_ = text;
    Changed();
}

void TStatusPanel::SetWidth(int width)
{
    width_ = std::max(0, width);
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment a)
{
    alignment_ = a;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel b)
{
    bevel_ = b;
    Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle s)
{
    style_ = s;
    Changed();
}

TCustomStatusBar::TCustomStatusBar(TComponent* owner)
    : TCustomControl(owner)
    , panels_(this, TCollection::ItemsOf<TStatusPanel>())
{
    control_style_ = { csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque };
    SetColor(clBtnFace);
    SetBounds(0, 0, 200, 19);
    SetAlign(TAlign::alBottom);
    panels_.OnUpdate = [this](TCollectionItem*) { Invalidate(); };
}

TCustomStatusBar::~TCustomStatusBar() { panels_.OnUpdate = nullptr; }

const ClassInfo& TCustomStatusBar::StaticClass()
{
    static const ClassInfo info("TCustomStatusBar", &TCustomControl::StaticClass(),
        {
            props::Collection<TCustomStatusBar>(
                "Panels", [](TCustomStatusBar& s) -> TCollection& { return s.panels_; }),
            props::Bool<TCustomStatusBar>(
                "SimplePanel", &TCustomStatusBar::SimplePanel, &TCustomStatusBar::SetSimplePanel),
            props::Str<TCustomStatusBar>("SimpleText", &TCustomStatusBar::SimpleText, &TCustomStatusBar::SetSimpleText),
            props::Bool<TCustomStatusBar>("SizeGrip", &TCustomStatusBar::SizeGrip, &TCustomStatusBar::SetSizeGrip),
            props::Event<TCustomStatusBar>("OnDrawPanel", &TCustomStatusBar::OnDrawPanel),
        });
    return info;
}

const ClassInfo& TStatusBar::StaticClass()
{
    static const ClassInfo info("TStatusBar", &TCustomStatusBar::StaticClass(), {}, FactoryOf<TStatusBar>());
    return info;
}

void TCustomStatusBar::SetSimplePanel(bool on)
{
    simple_panel_ = on;
    Invalidate();
}

void TCustomStatusBar::SetSimpleText(const std::string& text)
{
    simple_text_ = text;
    Invalidate();
}

void TCustomStatusBar::SetSizeGrip(bool on)
{
    size_grip_ = on;
    Invalidate();
}

bool TCustomStatusBar::ShowsGrip() const
{
    // A grip promises that dragging it sizes the window: none on a form of
    // fixed size, nor while the form is maximized.
    TForm* form = ParentForm();
    if (!size_grip_ || !form)
        return size_grip_;
    TFormBorderStyle border = form->BorderStyle();
    bool sizeable = border == TFormBorderStyle::bsSizeable || border == TFormBorderStyle::bsSizeToolWin;
    return sizeable && form->WindowState() != TWindowState::wsMaximized;
}

Rect TCustomStatusBar::GripRect() const
{
    if (!ShowsGrip())
        return {};
    // One pixel in from the corner, as the platform's grip stands.
    Rect c = ClientRect();
    return { c.right - kGripSize - 1, c.bottom - kGripSize - 1, c.right - 1, c.bottom - 1 };
}

Rect TCustomStatusBar::PanelRect(int index) const
{
    Rect c = ClientRect();
    if (simple_panel_ || index < 0 || index >= panels_.Count())
        return simple_panel_ ? Rect { c.left, c.top + 2, c.right, c.bottom } : Rect {};
    int x = 0;
    for (int i = 0; i < index; ++i)
        x += Panel(i)->Width();
    int right = index == panels_.Count() - 1 ? c.right : x + Panel(index)->Width();
    return { x, c.top + 2, std::min(right, c.right), c.bottom };
}

void TCustomStatusBar::Paint()
{
    pellamo::Canvas& c = Canvas();
    Rect client = ClientRect();
    c.brush = SolidBrush(Color());
    c.FillRect(client);
    c.font = Font().GetFont();
    auto text_in = [&](Rect r, const std::string& text, TAlignment a) {
        r = r.Inflate(-2, 0);
        unsigned flags = kTextSingleLine | kTextVCenter | kTextNoPrefix;
        flags |= a == TAlignment::taCenter ? kTextCenter : a == TAlignment::taRightJustify ? kTextRight : kTextLeft;
        c.brush.style = BrushStyle::Clear;
        c.DrawText(text, r, flags);
    };
    if (simple_panel_) {
        text_in(PanelRect(0), simple_text_, TAlignment::taLeftJustify);
    } else {
        for (int i = 0; i < panels_.Count(); ++i) {
            TStatusPanel* p = Panel(i);
            Rect r = PanelRect(i);
            if (r.IsEmpty())
                continue;
            Rect inner = r;
            if (p->Bevel() != TStatusPanelBevel::pbNone) {
                bool lowered = p->Bevel() == TStatusPanelBevel::pbLowered;
                Frame3D(c, inner, lowered ? clBtnShadow : clBtnHighlight, lowered ? clBtnHighlight : clBtnShadow, 1);
            }
            if (p->Style() == TStatusPanelStyle::psOwnerDraw) {
                int saved = c.SaveState();
                OnDrawPanel(this, p, inner);
                c.RestoreState(saved);
            } else {
                text_in(inner, p->Text(), p->Alignment());
            }
        }
    }
    if (ShowsGrip()) {
        // Three pairs of diagonal strokes in the corner.
        Rect g = GripRect();
        for (int k = 0; k < 3; ++k) {
            int off = 4 * k + 1;
            for (int i = 0; i < kGripSize - off; ++i) {
                c.SetPixel(g.right - 1 - i, g.top + off + i, clBtnHighlight);
                if (i + 1 < kGripSize - off)
                    c.SetPixel(g.right - 1 - i, g.top + off + i + 1, clBtnShadow);
            }
        }
    }
}

}
