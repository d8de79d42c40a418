#include "app/plain_controls.h"

#include "platform/components/class_info.h"
#include "platform/components/class_registry.h"
#include "platform/components/enum_info.h"
#include "platform/components/controls/image.h"
#include "platform/components/props.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/system_colors.h"

#include <chrono>

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

PlainEdit::PlainEdit(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
}

const ClassInfo& PlainEdit::StaticClass()
{
    static const ClassInfo info("TEdit", &TCustomControl::StaticClass(),
        { props::Str<PlainEdit>("Text", &PlainEdit::EditText, &PlainEdit::SetEditText) }, FactoryOf<PlainEdit>());
    return info;
}

void PlainEdit::Paint()
{
    pellamo::Canvas& canvas = this->Canvas();
    Rect r = ClientRect();
    Frame(canvas, r, clBtnShadow);
    canvas.font = Font().GetFont();
    canvas.brush.style = BrushStyle::Clear;
    Rect text = r.Inflate(-3, -2);
    canvas.DrawText(Text(), text, kTextLeft | kTextNoPrefix | kTextWordBreak);
}

PlainMemo::PlainMemo(TComponent* owner) : PlainEdit(owner)
{
    SetBounds(0, 0, 185, 89);
    lines_.OnChange = [this](TObject*) {
        // Lines end in line breaks; the text does not end in one.
        std::string text = lines_.Text();
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.resize(text.size() - 2);
        PlainEdit::SetText(text);
    };
}

const ClassInfo& PlainMemo::StaticClass()
{
    static const ClassInfo info("TMemo", &TCustomControl::StaticClass(),
        {
            props::Object<PlainMemo>("Lines", &PlainMemo::lines_),
            props::Enum<PlainMemo>("ScrollBars", ScrollStyleNames(), &PlainMemo::ScrollBars, &PlainMemo::SetScrollBars),
        },
        FactoryOf<PlainMemo>());
    return info;
}

std::string PlainMemo::Text() const
{
    return TControl::Text();
}

void PlainMemo::SetText(const std::string& text)
{
    // The text is kept as given (up to a NUL, as a text control holds it).
    PlainEdit::SetText(text.substr(0, text.find('\0')));
}

PlainButton::PlainButton(TComponent* owner) : PlainEdit(owner)
{
    SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
}

const ClassInfo& PlainButton::StaticClass()
{
    static const ClassInfo info("TButton", &TCustomControl::StaticClass(), {}, FactoryOf<PlainButton>());
    return info;
}

PlainStatusBar::PlainStatusBar(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clBtnFace);
    SetAlign(TAlign::alBottom);
    SetHeight(19);
}

const ClassInfo& PlainStatusBar::StaticClass()
{
    static const ClassInfo info("TStatusBar", &TCustomControl::StaticClass(), {}, FactoryOf<PlainStatusBar>());
    return info;
}

void PlainStatusBar::Paint()
{
    pellamo::Canvas& canvas = this->Canvas();
    canvas.pen.color = clBtnShadow;
    canvas.MoveTo(0, 0);
    canvas.LineTo(Width(), 0);
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

PlainTimer::PlainTimer(TComponent* owner) : TComponent(owner)
{
}

PlainTimer::~PlainTimer()
{
    if (timer_)
        EventLoop::Main().StopTimer(timer_);
}

const ClassInfo& PlainTimer::StaticClass()
{
    using C = PlainTimer;
    static const ClassInfo info("TTimer", &TComponent::StaticClass(),
        {
            props::Bool<C>("Enabled", &C::Enabled, &C::SetEnabled),
            props::Int<C>("Interval", &C::Interval, &C::SetInterval),
            props::Event<C>("OnTimer", &C::OnTimer),
        },
        FactoryOf<C>());
    return info;
}

void PlainTimer::SetEnabled(bool on)
{
    enabled_ = on;
    Restart();
}

void PlainTimer::SetInterval(int ms)
{
    interval_ = ms;
    Restart();
}

void PlainTimer::Loaded()
{
    TComponent::Loaded();
    Restart();
}

void PlainTimer::Restart()
{
    if (timer_)
        EventLoop::Main().StopTimer(timer_);
    timer_ = 0;
    if (!enabled_ || interval_ <= 0 || HasState(csLoading))
        return;
    // Exceptions of the handler go to the loop's owner like any other event's.
    timer_ = EventLoop::Main().StartTimer(std::chrono::milliseconds(interval_), [this] { OnTimer(this); });
}

void RegisterPlainControls()
{
    for (const ClassInfo* info : { &PlainEdit::StaticClass(), &PlainMemo::StaticClass(),
             &PlainButton::StaticClass(), &PlainStatusBar::StaticClass(), &PlainScrollBar::StaticClass(),
             &PlainTimer::StaticClass() })
        if (!GetClass(info->Name()))
            RegisterClass(*info);
}

bool LoadPicture(TComponent& owner, const char* image_name, const char* resource)
{
    if (auto* image = dynamic_cast<TImage*>(owner.FindComponent(image_name))) {
        image->Picture().LoadFromResourceName(resource);
        return true;
    }
    return false;
}

}
