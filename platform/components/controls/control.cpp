#include "platform/components/controls/control.h"

#include "platform/base/scope_exit.h"
#include "platform/components/class_registry.h"
#include "platform/components/controls/form.h"
#include "platform/components/controls/win_control.h"
#include "platform/components/props.h"
#include "platform/window/window_system.h"

#include <stdexcept>

namespace pellamo {

// ---- TSizeConstraints

const ClassInfo& TSizeConstraints::StaticClass()
{
    static const ClassInfo info("TSizeConstraints", &TPersistent::StaticClass(),
        {
            props::Int<TSizeConstraints>("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight),
            props::Int<TSizeConstraints>("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth),
            props::Int<TSizeConstraints>("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight),
            props::Int<TSizeConstraints>("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth),
        });
    return info;
}

void TSizeConstraints::Assign(const TPersistent& source)
{
    if (auto* c = dynamic_cast<const TSizeConstraints*>(&source)) {
        min_width_ = c->min_width_;
        min_height_ = c->min_height_;
        max_width_ = c->max_width_;
        max_height_ = c->max_height_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TPersistent* TSizeConstraints::GetOwner() const { return control_; }

void TSizeConstraints::SetMinWidth(int v)
{
    min_width_ = std::max(0, v);
    Changed();
}

void TSizeConstraints::SetMinHeight(int v)
{
    min_height_ = std::max(0, v);
    Changed();
}

void TSizeConstraints::SetMaxWidth(int v)
{
    max_width_ = std::max(0, v);
    Changed();
}

void TSizeConstraints::SetMaxHeight(int v)
{
    max_height_ = std::max(0, v);
    Changed();
}

void TSizeConstraints::Apply(int& width, int& height) const
{
    if (max_width_ > 0 && width > max_width_)
        width = max_width_;
    if (max_height_ > 0 && height > max_height_)
        height = max_height_;
    if (width < min_width_)
        width = min_width_;
    if (height < min_height_)
        height = min_height_;
}

void TSizeConstraints::Changed()
{
    if (control_ && !control_->HasState(csLoading))
        control_->SetBounds(control_->Left(), control_->Top(), control_->Width(), control_->Height());
}

// ---- TControl

TControl::TControl(TComponent* owner)
    : TComponent(owner)
    , constraints_(this)
{
    pellamo::Font f;
    f.color = clWindowText;
    font_.SetFont(f);
    font_.OnChange = [this] {
        if (!updating_parent_font_)
            parent_font_ = false;
        FontChanged();
    };
    WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl()
{
    *alive_ = false;
    font_.OnChange = nullptr;
    if (parent_)
        parent_->RemoveControl(this);
    parent_ = nullptr;
}

const ClassInfo& TControl::StaticClass()
{
    static const ClassInfo info("TControl", &TComponent::StaticClass(),
        {
            props::Int<TControl>("Left", &TControl::Left, &TControl::SetLeft),
            props::Int<TControl>("Top", &TControl::Top, &TControl::SetTop),
            props::Int<TControl>("Width", &TControl::Width, &TControl::SetWidth),
            props::Int<TControl>("Height", &TControl::Height, &TControl::SetHeight),
            props::Enum<TControl>("Align", AlignNames(), &TControl::Align, &TControl::SetAlign),
            props::Set<TControl>("Anchors", AnchorKindNames(), &TControl::Anchors, &TControl::SetAnchors),
            props::Object<TControl>("Constraints", [](TControl& c) -> TSizeConstraints& { return c.constraints_; }),
            props::Str<TControl>("Caption", &TControl::Text, &TControl::SetText),
            props::Color<TControl>("Color", &TControl::Color, &TControl::SetColor),
            props::Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
            props::Object<TControl>("Font", [](TControl& c) -> TFont& { return c.font_; }),
            props::Bool<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
            props::Enum<TControl>("Cursor", CursorNames(), &TControl::Cursor, &TControl::SetCursor),
            props::Str<TControl>("Hint", &TControl::Hint, &TControl::SetHint),
            props::Bool<TControl>("ShowHint", &TControl::ShowHint, &TControl::SetShowHint),
            props::Bool<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
            props::Enum<TControl>("BiDiMode", BiDiModeNames(), &TControl::BiDiMode, &TControl::SetBiDiMode),
            props::Bool<TControl>("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode),
            props::Bool<TControl>("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint),
            props::Enum<TControl>("DragCursor", CursorNames(), &TControl::DragCursor, &TControl::SetDragCursor),
            props::Enum<TControl>("DragKind", DragKindNames(), &TControl::DragKind, &TControl::SetDragKind),
            props::Enum<TControl>("DragMode", DragModeNames(), &TControl::DragMode, &TControl::SetDragMode),
            props::Ref<TControl, TComponent>("PopupMenu", &TControl::PopupMenuComponent, &TControl::SetPopupMenu),
            props::Bool<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
            props::Event<TControl>("OnClick", &TControl::OnClick),
            props::Event<TControl>("OnDblClick", &TControl::OnDblClick),
            props::Event<TControl>("OnMouseDown", &TControl::OnMouseDown),
            props::Event<TControl>("OnMouseMove", &TControl::OnMouseMove),
            props::Event<TControl>("OnMouseUp", &TControl::OnMouseUp),
            props::Event<TControl>("OnResize", &TControl::OnResize),
        });
    return info;
}

std::function<void(TComponent*, TControl*, Point)> TControl::PopupHandler;

void TControl::SetPopupMenu(TComponent* menu)
{
    if (menu == popup_menu_)
        return;
    if (menu) {
        const ClassInfo* popup = GetClass("TPopupMenu");
        if (popup && !menu->InheritsFrom(*popup))
            throw std::invalid_argument("Component " + menu->Name() + " is not a pop-up menu");
        if (menu->Owner() != Owner())
            FreeNotification(menu);
    }
    popup_menu_ = menu;
}

WindowSystem& TControl::Windows()
{
    WindowSystem* ws = WindowSystem::Current();
    if (!ws)
        throw std::logic_error("No window system: create the application first");
    return *ws;
}

void TControl::SetParent(TWinControl* parent)
{
    if (parent == parent_)
        return;
    for (TControl* p = parent; p; p = p->parent_)
        if (p == this)
            throw std::invalid_argument("A control cannot be its own parent");
    if (parent_) {
        TWinControl* old = parent_;
        old->RemoveControl(this);
        parent_ = nullptr;
        if (!old->HasState(csDestroying))
            old->Realign(this);
    }
    if (parent) {
        parent_ = parent;
        parent->InsertControl(this);
        ParentFontChanged();
        ParentColorChanged();
        UpdateAnchorRules();
        RequestAlign();
        Invalidate();
    }
}

TComponent* TControl::GetParentComponent() const { return parent_; }

TForm* TControl::ParentForm() const
{
    const TControl* c = this;
    while (c->parent_)
        c = c->parent_;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::SetBounds(int left, int top, int width, int height) { ApplyBounds(left, top, width, height, true); }

void TControl::UpdateBoundsRaw(int left, int top, int width, int height)
{
    ApplyBounds(left, top, width, height, false);
}

void TControl::ApplyBounds(int left, int top, int width, int height, bool by_hand)
{
    width = std::max(0, width);
    height = std::max(0, height);
    constraints_.Apply(width, height);
    Rect old = BoundsRect();
    if (old == Rect::FromSize(left, top, width, height)) {
        if (by_hand)
            UpdateAnchorRules();
        return;
    }
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (by_hand)
        UpdateAnchorRules();
    BoundsChanged(old);
    bool resized = old.Width() != width || old.Height() != height;
    if (resized) {
        if (auto* w = dynamic_cast<TWinControl*>(this))
            w->Realign();
    }
    if (by_hand && align_ != TAlign::alNone)
        RequestAlign();
    if (resized && !HasState(csLoading))
        Resize();
}

void TControl::BoundsChanged(const Rect& old_bounds)
{
    if (!parent_ || !parent_->HandleAllocated() || !visible_)
        return;
    Rect area = old_bounds.Union(BoundsRect());
    Windows().InvalidateRect(parent_->HandleOrNull(), &area, true);
}

Rect TControl::ClientRect() const { return { 0, 0, width_, height_ }; }

void TControl::SetClientWidth(int width) { SetWidth(width_ - ClientWidth() + width); }

void TControl::SetClientHeight(int height) { SetHeight(height_ - ClientHeight() + height); }

Point TControl::ClientOrigin() const
{
    if (!parent_)
        return { left_, top_ };
    Point p = parent_->ClientOrigin();
    return { p.x + left_, p.y + top_ };
}

Point TControl::ClientToScreen(Point p) const
{
    Point o = ClientOrigin();
    return { o.x + p.x, o.y + p.y };
}

Point TControl::ScreenToClient(Point p) const
{
    Point o = ClientOrigin();
    return { p.x - o.x, p.y - o.y };
}

void TControl::SetAlign(TAlign align)
{
    if (align_ == align)
        return;
    TAlign old = align_;
    align_ = align;
    // An aligned control stretches along the edge it sits on.
    switch (align) {
    case TAlign::alTop:
    case TAlign::alBottom:
        anchors_ = { TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akRight };
        break;
    case TAlign::alLeft:
    case TAlign::alRight:
        anchors_ = { TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akBottom };
        break;
    case TAlign::alClient:
        anchors_ = { TAnchorKind::akLeft, TAnchorKind::akTop, TAnchorKind::akRight, TAnchorKind::akBottom };
        break;
    case TAlign::alNone:
        if (old != TAlign::alNone)
            anchors_ = { TAnchorKind::akLeft, TAnchorKind::akTop };
        break;
    }
    RequestAlign();
}

void TControl::SetAnchors(TAnchors anchors)
{
    anchors_ = anchors;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules()
{
    anchor_rect_ = BoundsRect();
    if (parent_) {
        Rect r = parent_->AlignRect();
        anchor_parent_ = { r.Width(), r.Height() };
    }
}

void TControl::RequestAlign()
{
    if (parent_)
        parent_->Realign(this);
}

void TControl::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    VisibleChanged();
    RequestAlign();
}

void TControl::VisibleChanged()
{
    if (parent_ && parent_->HandleAllocated()) {
        Rect r = BoundsRect();
        Windows().InvalidateRect(parent_->HandleOrNull(), &r, true);
    }
}

bool TControl::IsShowing() const
{
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_)
            return false;
    return true;
}

void TControl::SetEnabled(bool enabled)
{
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetColor(TColor color)
{
    parent_color_ = false;
    if (color_ == color)
        return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool on)
{
    parent_color_ = on;
    if (on)
        ParentColorChanged();
}

void TControl::ParentColorChanged()
{
    if (!parent_color_ || !parent_ || color_ == parent_->Color())
        return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::SetParentFont(bool on)
{
    parent_font_ = on;
    if (on)
        ParentFontChanged();
}

void TControl::ParentFontChanged()
{
    if (!parent_font_ || !parent_)
        return;
    updating_parent_font_ = true;
    ScopeExit done([this] { updating_parent_font_ = false; });
    font_.Assign(parent_->Font());
}

void TControl::SetCursor(TCursor cursor) { cursor_ = cursor; }

void TControl::SetText(const std::string& text)
{
    if (text_ == text)
        return;
    text_ = text;
    TextChanged();
}

void TControl::Invalidate()
{
    if (!parent_ || !parent_->HandleAllocated() || !visible_)
        return;
    Rect r = BoundsRect();
    Windows().InvalidateRect(parent_->HandleOrNull(), &r, !control_style_.Contains(csOpaque));
}

void TControl::Update()
{
    if (parent_ && parent_->HandleAllocated())
        Windows().UpdateWindow(parent_->HandleOrNull());
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::BringToFront()
{
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.push_back(this);
    }
    if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
        Windows().SetWindowPos(w->HandleOrNull(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Invalidate();
}

void TControl::SendToBack()
{
    if (parent_) {
        auto& list = parent_->controls_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
        list.insert(list.begin(), this);
    }
    Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wparam, LPARAM lparam)
{
    // Without double clicks the second press is a press like the first.
    if (!control_style_.Contains(csDoubleClicks)) {
        if (msg == WM_LBUTTONDBLCLK)
            msg = WM_LBUTTONDOWN;
        else if (msg == WM_RBUTTONDBLCLK)
            msg = WM_RBUTTONDOWN;
        else if (msg == WM_MBUTTONDBLCLK)
            msg = WM_MBUTTONDOWN;
    }
    TMessage m { msg, wparam, lparam, 0 };
    if (WindowProc)
        WindowProc(m);
    else
        WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
        HandleMouse(message);
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage& message) { message.Result = 0; }

void TControl::HandleMouse(TMessage& message)
{
    int x = GET_X_LPARAM(message.LParam);
    int y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = ShiftStateOfMouse(message.WParam);
    if (KeyboardShiftState().Contains(ssAlt))
        shift.Include(ssAlt);
    auto* self = dynamic_cast<TWinControl*>(this);
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONDOWN:
        // The second press of a double click raises DblClick, not another click.
        if (message.Msg == WM_LBUTTONDBLCLK) {
            shift.Include(ssDouble);
            if (control_style_.Contains(csDoubleClicks))
                DblClick();
        } else if (control_style_.Contains(csClickEvents)) {
            mouse_pressed_ = true;
        }
        if (self && self->HandleAllocated() && control_style_.Contains(csCaptureMouse))
            Windows().SetCapture(self->HandleOrNull());
        MouseDown(TMouseButton::mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        MouseDown(TMouseButton::mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        MouseDown(TMouseButton::mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        if (self && self->HandleAllocated() && Windows().GetCapture() == self->HandleOrNull())
            Windows().ReleaseCapture();
        bool clicked = mouse_pressed_;
        mouse_pressed_ = false;
        if (clicked && ClientRect().Contains({ x, y })) {
            auto alive = AliveFlag();
            Click();
            if (!*alive)
                return; // the click freed the control
        }
        MouseUp(TMouseButton::mbLeft, shift, x, y);
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(TMouseButton::mbRight, shift, x, y);
        // The nearest pop-up menu up the parents.
        for (TControl* c = this; c; c = c->parent_)
            if (c->popup_menu_) {
                if (PopupHandler)
                    PopupHandler(c->popup_menu_, this, ClientToScreen({ x, y }));
                break;
            }
        break;
    case WM_MBUTTONUP:
        MouseUp(TMouseButton::mbMiddle, shift, x, y);
        break;
    }
    message.Result = 0;
}

void TControl::Click()
{
    if (enabled_)
        OnClick(this);
}

void TControl::DblClick() { OnDblClick(this); }

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!control_style_.Contains(csNoStdEvents))
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!control_style_.Contains(csNoStdEvents))
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (!control_style_.Contains(csNoStdEvents))
        OnMouseMove(this, shift, x, y);
}

void TControl::Resize() { OnResize(this); }

void TControl::PaintTo(Canvas&) { }

void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateAnchorRules();
    if (parent_font_)
        ParentFontChanged();
    if (parent_color_)
        ParentColorChanged();
}

void TControl::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popup_menu_)
        popup_menu_ = nullptr;
}

}
