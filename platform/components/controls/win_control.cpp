#include "platform/components/controls/win_control.h"

#include "platform/base/scope_exit.h"
#include "platform/components/controls/form.h"
#include "platform/components/props.h"
#include "platform/gfx/system_colors.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"

#include <algorithm>
#include <set>
#include <stdexcept>

namespace pellamo {

namespace {

bool IsMouseMessage(UINT msg) { return msg >= WM_MOUSEMOVE && msg <= WM_MBUTTONDBLCLK; }

bool IsButtonDown(UINT msg)
{
    return msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN || msg == WM_LBUTTONDBLCLK
        || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
}

bool IsButtonUp(UINT msg) { return msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP; }

// The window classes whose windows carry their control in the user data.
std::set<std::string>& ControlClassNames()
{
    static std::set<std::string> names;
    return names;
}

void RegisterControlClass(WindowSystem& ws, const std::string& name)
{
    ControlClassNames().insert(name);
    if (ws.IsClassRegistered(name))
        return;
    WindowClass cls;
    cls.name = name;
    cls.style = CS_DBLCLKS;
    cls.background = -1; // controls erase (or not) themselves
    WindowSystem* system = &ws;
    cls.proc = [system](HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) -> LRESULT {
        auto* self = static_cast<TWinControl*>(system->GetUserData(hwnd));
        if (!self && msg == WM_NCCREATE && lparam) {
            auto* params = reinterpret_cast<CreateWindowParams*>(lparam);
            self = static_cast<TWinControl*>(params->create_param);
            if (self)
                system->SetUserData(hwnd, self);
        }
        if (!self)
            return system->DefWindowProc(hwnd, msg, wparam, lparam);
        return TWinControl::DispatchToControl(*self, hwnd, msg, wparam, lparam);
    };
    ws.RegisterClass(cls);
}

}

TWinControl::TWinControl(TComponent* owner)
    : TControl(owner)
{
}

TWinControl::~TWinControl()
{
    // Nothing may reach the half-destroyed control through its window.
    if (handle_ && ws_ && ws_->IsWindow(handle_))
        ws_->SetUserData(handle_, nullptr);
    if (TForm* form = ParentForm(); form && form != this && form->ActiveControl() == this)
        form->SetActiveControl(nullptr);
    // A window owns its child controls.
    while (!controls_.empty()) {
        TControl* c = controls_.back();
        c->parent_ = nullptr;
        controls_.pop_back();
        c->Free();
    }
    if (handle_ && ws_ && ws_->IsWindow(handle_)) {
        HWND h = handle_;
        handle_ = nullptr;
        ws_->SetUserData(h, nullptr);
        ws_->DestroyWindow(h);
    }
    handle_ = nullptr;
}

const ClassInfo& TWinControl::StaticClass()
{
    static const ClassInfo info("TWinControl", &TControl::StaticClass(),
        {
            props::Int<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder),
            props::Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop),
            props::Int<TWinControl>("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth),
            props::Bool<TWinControl>("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D),
            props::Bool<TWinControl>("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D),
            props::Enum<TWinControl>("ImeMode", ImeModeNames(), &TWinControl::ImeMode, &TWinControl::SetImeMode),
            props::Str<TWinControl>("ImeName", &TWinControl::ImeName, &TWinControl::SetImeName),
            props::Bool<TWinControl>("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered),
            props::Event<TWinControl>("OnKeyDown", &TWinControl::OnKeyDown),
            props::Event<TWinControl>("OnKeyUp", &TWinControl::OnKeyUp),
            props::Event<TWinControl>("OnKeyPress", &TWinControl::OnKeyPress),
            props::Event<TWinControl>("OnEnter", &TWinControl::OnEnter),
            props::Event<TWinControl>("OnExit", &TWinControl::OnExit),
        });
    return info;
}

LRESULT TWinControl::DispatchToControl(TWinControl& control, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam)
{
    if (msg == WM_NCCREATE)
        control.handle_ = hwnd;
    auto alive = control.AliveFlag();
    LRESULT result = control.Perform(msg, wparam, lparam);
    if (!*alive)
        return result; // a handler freed the control
    if (msg == WM_NCDESTROY && control.handle_ == hwnd) {
        control.ws_->SetUserData(hwnd, nullptr);
        control.handle_ = nullptr;
    }
    return result;
}

HWND TWinControl::Handle()
{
    if (!handle_)
        CreateWnd();
    if (!handle_)
        throw std::runtime_error("Error creating window of " + ClassName());
    return handle_;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (control_style_.Contains(csAcceptsControls))
        params.style |= WS_CLIPCHILDREN;
    if (Visible())
        params.style |= WS_VISIBLE;
    if (!Enabled())
        params.style |= WS_DISABLED;
    params.bounds = BoundsRect();
    if (Parent())
        params.parent = Parent()->Handle();
}

void TWinControl::CreateWnd()
{
    WindowSystem& ws = Windows();
    TCreateParams params;
    if (!Parent() && !dynamic_cast<TForm*>(this))
        throw std::logic_error("Control '" + Name() + "' has no parent window");
    CreateParams(params);
    if (handle_)
        return; // the parent's window creation made this one already
    RegisterControlClass(ws, params.class_name);
    ws_ = &ws;
    CreateWindowParams cwp;
    cwp.ex_style = params.ex_style;
    cwp.class_name = params.class_name;
    cwp.text = GbkToUtf8(Text());
    cwp.style = params.style;
    cwp.bounds = params.bounds;
    cwp.parent = params.parent;
    cwp.create_param = this;
    HWND h = ws.CreateWindowEx(cwp);
    if (!h) {
        handle_ = nullptr;
        return;
    }
    handle_ = h;
    if (Cursor() != TCursor::crDefault)
        ws.SetWindowCursor(h, CursorShapeOf(Cursor()));
    CreateWindowHandle();
    CreateChildHandles();
    Realign();
}

void TWinControl::CreateChildHandles()
{
    for (TControl* c : std::vector<TControl*>(controls_))
        if (auto* w = dynamic_cast<TWinControl*>(c); w && !w->handle_)
            w->CreateWnd();
}

void TWinControl::DestroyWnd()
{
    if (!handle_)
        return;
    HWND h = handle_;
    if (ws_ && ws_->IsWindow(h))
        ws_->DestroyWindow(h); // children get WM_NCDESTROY and forget theirs
    handle_ = nullptr;
}

void TWinControl::RecreateWnd()
{
    if (!handle_)
        return;
    DestroyWnd();
    CreateWnd();
}

void TWinControl::Loaded()
{
    TControl::Loaded();
    Realign();
}

// ---- Children

void TWinControl::InsertNestedChild(TComponent& child)
{
    if (auto* c = dynamic_cast<TControl*>(&child))
        c->SetParent(this);
}

void TWinControl::InsertControl(TControl* control)
{
    controls_.push_back(control);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (w->tab_order_ < 0) {
            int next = 0;
            for (TControl* c : controls_)
                if (auto* o = dynamic_cast<TWinControl*>(c); o && o != w)
                    next = std::max(next, o->tab_order_ + 1);
            w->tab_order_ = next;
        }
        if (handle_)
            w->CreateWnd();
    }
}

void TWinControl::RemoveControl(TControl* control)
{
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
    if (mouse_control_ == control)
        mouse_control_ = nullptr;
    if (hover_control_ == control)
        hover_control_ = nullptr;
    // Still whole (not being destroyed): its window goes with the parent's.
    if (auto* w = dynamic_cast<TWinControl*>(control); w && w->handle_)
        w->DestroyWnd();
    if (handle_ && ws_ && control->Visible()) {
        Rect r = control->BoundsRect();
        ws_->InvalidateRect(handle_, &r, true);
    }
}

bool TWinControl::ContainsControl(const TControl* control) const
{
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(Point p, bool allow_disabled, bool windowless_only) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (windowless_only && dynamic_cast<TWinControl*>(c))
            continue;
        if (!c->Visible() || (!allow_disabled && !c->Enabled()))
            continue;
        if (c->BoundsRect().Contains(p))
            return c;
    }
    return nullptr;
}

// ---- Focus

void TWinControl::SetTabOrder(int order) { tab_order_ = std::max(0, order); }

bool TWinControl::CanFocus() const
{
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const { return handle_ && ws_ && ws_->GetFocus() == handle_; }

void TWinControl::SetFocus()
{
    if (!CanFocus())
        throw std::runtime_error("Cannot focus a disabled or invisible window");
    HWND h = Handle();
    if (TForm* form = ParentForm(); form && form != this) {
        form->SetActiveControl(this);
        // Making this the active control focuses it, and its focus handler
        // may pass the focus on (a group to one of its buttons): leave it there.
        if (form->ActiveControl() != this)
            return;
    }
    Windows().SetFocus(h);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const
{
    std::vector<TWinControl*> children;
    for (TControl* c : controls_)
        if (auto* w = dynamic_cast<TWinControl*>(c))
            children.push_back(w);
    std::stable_sort(children.begin(), children.end(),
        [](const TWinControl* a, const TWinControl* b) { return a->tab_order_ < b->tab_order_; });
    std::vector<TWinControl*> list;
    for (TWinControl* w : children) {
        list.push_back(w);
        auto inner = w->TabOrderList();
        list.insert(list.end(), inner.begin(), inner.end());
    }
    return list;
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool check_tab_stop) const
{
    std::vector<TWinControl*> list = TabOrderList();
    if (list.empty())
        return nullptr;
    int n = static_cast<int>(list.size());
    auto it = std::find(list.begin(), list.end(), current);
    int start = it == list.end() ? (forward ? n - 1 : 0) : static_cast<int>(it - list.begin());
    for (int step = 1; step <= n; ++step) {
        int i = ((start + (forward ? step : -step)) % n + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        if (c == current)
            continue;
        if (c->CanFocus() && (!check_tab_stop || c->tab_stop_))
            return c;
    }
    return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool check_tab_stop)
{
    if (TWinControl* next = FindNextControl(current, forward, check_tab_stop))
        next->SetFocus();
}

// ---- Alignment

void TWinControl::EnableAlign()
{
    if (align_disabled_ > 0 && --align_disabled_ == 0)
        Realign();
}

void TWinControl::Realign(TControl* trigger)
{
    if (align_disabled_ > 0 || aligning_ || HasState(csLoading) || HasState(csDestroying))
        return;
    aligning_ = true;
    ScopeExit done([this] { aligning_ = false; });
    AlignControls(trigger, AlignRect());
}

void TWinControl::AlignControls(TControl* trigger, Rect rect)
{
    Rect area = AlignRect();
    // Anchored controls keep their distances to the edges they are bound to.
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (c->Align() != TAlign::alNone || c->anchor_parent_ == Size {})
            continue;
        int dx = area.Width() - c->anchor_parent_.cx;
        int dy = area.Height() - c->anchor_parent_.cy;
        Rect r = c->anchor_rect_;
        TAnchors a = c->Anchors();
        int left = r.left, width = r.Width(), top = r.top, height = r.Height();
        if (a.Contains(TAnchorKind::akRight)) {
            if (a.Contains(TAnchorKind::akLeft))
                width += dx;
            else
                left += dx;
        } else if (!a.Contains(TAnchorKind::akLeft)) {
            left += dx / 2;
        }
        if (a.Contains(TAnchorKind::akBottom)) {
            if (a.Contains(TAnchorKind::akTop))
                height += dy;
            else
                top += dy;
        } else if (!a.Contains(TAnchorKind::akTop)) {
            top += dy / 2;
        }
        c->UpdateBoundsRaw(left, top, width, height);
    }

    // Then the aligned ones: top, bottom, left, right, client; within one
    // kind in the order of their places (the topmost alTop first, ...).
    const TAlign order[] = { TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient };
    for (TAlign kind : order) {
        // The trigger first, then each control before the first one it
        // lies strictly before.
        auto before = [kind](const TControl* a, const TControl* b) {
            switch (kind) {
            case TAlign::alTop:
                return a->Top() < b->Top();
            case TAlign::alBottom:
                return a->Top() + a->Height() > b->Top() + b->Height();
            case TAlign::alLeft:
                return a->Left() < b->Left();
            case TAlign::alRight:
                return a->Left() + a->Width() > b->Left() + b->Width();
            default:
                return false;
            }
        };
        std::vector<TControl*> list;
        if (trigger && trigger->Align() == kind && trigger->Visible())
            list.push_back(trigger);
        for (TControl* c : controls_) {
            if (c == trigger || c->Align() != kind || !c->Visible())
                continue;
            auto at = list.begin();
            while (at != list.end() && !before(c, *at))
                ++at;
            list.insert(at, c);
        }
        for (TControl* c : list) {
            int w = std::max(0, rect.Width());
            int h = std::max(0, rect.Height());
            switch (kind) {
            case TAlign::alTop:
                c->UpdateBoundsRaw(rect.left, rect.top, w, c->Height());
                rect.top += c->Height();
                break;
            case TAlign::alBottom:
                c->UpdateBoundsRaw(rect.left, rect.bottom - c->Height(), w, c->Height());
                rect.bottom -= c->Height();
                break;
            case TAlign::alLeft:
                c->UpdateBoundsRaw(rect.left, rect.top, c->Width(), h);
                rect.left += c->Width();
                break;
            case TAlign::alRight:
                c->UpdateBoundsRaw(rect.right - c->Width(), rect.top, c->Width(), h);
                rect.right -= c->Width();
                break;
            default:
                c->UpdateBoundsRaw(rect.left, rect.top, w, h);
                break;
            }
        }
    }
}

Rect TWinControl::ClientRect() const
{
    if (handle_ && ws_)
        return ws_->GetClientRect(handle_);
    Rect inset = NonClientInset();
    return { 0, 0, std::max(0, Width() - inset.left - inset.right), std::max(0, Height() - inset.top - inset.bottom) };
}

Point TWinControl::ClientOrigin() const
{
    if (handle_ && ws_)
        return ws_->ClientToScreen(handle_, { 0, 0 });
    Point p = TControl::ClientOrigin();
    Rect inset = NonClientInset();
    return { p.x + inset.left, p.y + inset.top };
}

// ---- State changes

void TWinControl::BoundsChanged(const Rect&)
{
    if (!handle_ || syncing_)
        return;
    syncing_ = true;
    ScopeExit done([this] { syncing_ = false; });
    ws_->MoveWindow(handle_, Left(), Top(), Width(), Height(), true);
}

void TWinControl::SyncBoundsFromWindow()
{
    if (!handle_ || syncing_)
        return;
    Rect r = ws_->GetWindowRect(handle_);
    if (Parent() && Parent()->HandleAllocated()) {
        Point p = ws_->ScreenToClient(Parent()->HandleOrNull(), { r.left, r.top });
        r = Rect::FromSize(p.x, p.y, r.Width(), r.Height());
    }
    if (r == BoundsRect())
        return;
    syncing_ = true;
    bool resized = r.Width() != Width() || r.Height() != Height();
    left_ = r.left;
    top_ = r.top;
    width_ = r.Width();
    height_ = r.Height();
    syncing_ = false;
    if (resized) {
        Realign();
        if (!HasState(csLoading))
            Resize();
    }
}

void TWinControl::VisibleChanged()
{
    if (handle_)
        ws_->ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetVisible(bool visible) { TControl::SetVisible(visible); }

void TWinControl::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    TControl::SetEnabled(enabled);
    if (handle_)
        ws_->EnableWindow(handle_, enabled);
}

void TWinControl::SetCursor(TCursor cursor)
{
    TControl::SetCursor(cursor);
    if (handle_)
        ws_->SetWindowCursor(handle_, CursorShapeOf(cursor));
}

void TWinControl::FontChanged()
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ParentFontChanged();
    Invalidate();
}

void TWinControl::ColorChanged()
{
    for (TControl* c : std::vector<TControl*>(controls_))
        c->ParentColorChanged();
    Invalidate();
}

void TWinControl::TextChanged()
{
    if (handle_)
        ws_->SetWindowText(handle_, GbkToUtf8(Text()));
    Invalidate();
}

void TWinControl::Invalidate()
{
    if (handle_)
        ws_->InvalidateRect(handle_, nullptr, !control_style_.Contains(csOpaque));
}

void TWinControl::SetBorderWidth(int width)
{
    width = std::max(0, width);
    if (width == border_width_)
        return;
    border_width_ = width;
    FrameChanged();
}

void TWinControl::PaintBorderWidth()
{
    DeviceContext* dc = ws_->GetWindowDC(handle_);
    if (!dc)
        return;
    Rect whole = ws_->GetWindowRect(handle_);
    whole = { 0, 0, whole.Width(), whole.Height() };
    int bw = std::max(0, std::min({ border_width_, whole.Width() / 2, whole.Height() / 2 }));
    Rect inner = whole.Inflate(-bw, -bw);
    TColor c = SystemColors::Resolve(Color());
    dc->FillRect({ whole.left, whole.top, whole.right, inner.top }, c);
    dc->FillRect({ whole.left, inner.bottom, whole.right, whole.bottom }, c);
    dc->FillRect({ whole.left, inner.top, inner.left, inner.bottom }, c);
    dc->FillRect({ inner.right, inner.top, whole.right, inner.bottom }, c);
    ws_->ReleaseDC(handle_, dc);
}

void TWinControl::FrameChanged()
{
    if (handle_) {
        ws_->SetWindowPos(
            handle_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        Realign();
    }
}

// ---- Messages

void TWinControl::DefaultHandler(TMessage& message)
{
    if (handle_ && ws_)
        message.Result = ws_->DefWindowProc(handle_, message.Msg, message.WParam, message.LParam);
    else
        message.Result = 0;
}

void TWinControl::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_PAINT:
        return PaintHandler(message);
    case WM_CONTEXTMENU:
        return WmContextMenu(message);
    case WM_PRINTCLIENT:
        return WmPrintClient(message);
    case WM_NCCALCSIZE:
        return WmNcCalcSize(message);
    case WM_NCPAINT:
        return WmNcPaint(message);
    case WM_ERASEBKGND:
        if (auto* dc = reinterpret_cast<DeviceContext*>(message.WParam))
            message.Result = EraseBackground(*dc) ? 1 : 0;
        return;
    case WM_MOVE:
    case WM_SIZE:
        DefaultHandler(message);
        return SyncBoundsFromWindow();
    case WM_WINDOWPOSCHANGING:
        return WmWindowPosChanging(message);
    case WM_MOUSELEAVE:
        return WmMouseLeave(message);
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return WmKeyDown(message);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return WmKeyUp(message);
    case WM_CHAR:
        return WmChar(message);
    case WM_SYSCHAR:
        return WmSysChar(message);
    case WM_SETFOCUS:
        return WmSetFocus(message);
    case WM_KILLFOCUS:
        DefaultHandler(message);
        return DoExit();
    case WM_CAPTURECHANGED:
        return WmCaptureChanged(message);
    default:
        if (IsMouseMessage(message.Msg))
            return RouteMouse(message);
        return DefaultHandler(message);
    }
}

void TWinControl::WmContextMenu(TMessage& message)
{
    if (!PopupMenuComponent() || !PopupHandler)
        return DefaultHandler(message);
    int x = GET_X_LPARAM(message.LParam), y = GET_Y_LPARAM(message.LParam);
    // From the keyboard: at the control's top left corner.
    Point at = x == -1 && y == -1 ? ClientToScreen({ 0, 0 }) : Point { x, y };
    PopupHandler(PopupMenuComponent(), this, at);
    message.Result = 0;
}

void TWinControl::WmPrintClient(TMessage& message)
{
    if (auto* dc = reinterpret_cast<DeviceContext*>(message.WParam)) {
        if (message.LParam & PRF_ERASEBKGND)
            EraseBackground(*dc);
        PaintInto(*dc);
    }
    message.Result = 0;
}

void TWinControl::WmNcCalcSize(TMessage& message)
{
    // The border width lies outside the window's own frame: its edges and
    // scroll bars stay inside the band, as the client area does.
    Rect* r = message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                             : reinterpret_cast<Rect*>(message.LParam);
    if (r && border_width_ > 0) {
        int bw = std::min({ border_width_, r->Width() / 2, r->Height() / 2 });
        *r = r->Inflate(-std::max(0, bw), -std::max(0, bw));
    }
    DefaultHandler(message);
}

void TWinControl::WmNcPaint(TMessage& message)
{
    DefaultHandler(message);
    if (border_width_ > 0 && handle_)
        PaintBorderWidth();
}

void TWinControl::WmWindowPosChanging(TMessage& message)
{
    if (auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam); pos && !(pos->flags & SWP_NOSIZE))
        Constraints().Apply(pos->cx, pos->cy);
    DefaultHandler(message);
}

void TWinControl::WmMouseLeave(TMessage& message)
{
    tracking_leave_ = false;
    if (hover_control_) {
        TControl* h = hover_control_;
        hover_control_ = nullptr;
        h->MouseLeave();
    }
    DefaultHandler(message);
}

void TWinControl::WmKeyDown(TMessage& message)
{
    UINT key = static_cast<UINT>(message.WParam);
    auto alive = AliveFlag();
    // A form with KeyPreview sees the key first.
    if (TForm* form = ParentForm(); form && form != this && form->KeyPreview())
        form->KeyDown(key, KeyboardShiftState());
    if (key != 0 && *alive)
        KeyDown(key, KeyboardShiftState());
    if (key == 0 || !*alive) {
        message.Result = 0;
        return;
    }
    if ((key == VK_RETURN || key == VK_ESCAPE) && message.Msg == WM_KEYDOWN && !WantsKey(key)) {
        if (TForm* form = ParentForm(); form && form->DialogKey(key)) {
            Windows().TakeKeyWhole();
            message.Result = 0;
            return;
        }
    }
    if (key == VK_TAB && message.Msg == WM_KEYDOWN && !WantsTab()) {
        TShiftState shift = KeyboardShiftState();
        if (!shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
            if (TForm* form = ParentForm())
                form->SelectNext(this, !shift.Contains(ssShift), true);
            message.Result = 0;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::WmKeyUp(TMessage& message)
{
    UINT key = static_cast<UINT>(message.WParam);
    auto alive = AliveFlag();
    if (TForm* form = ParentForm(); form && form != this && form->KeyPreview())
        form->KeyUp(key, KeyboardShiftState());
    if (key != 0 && *alive)
        KeyUp(key, KeyboardShiftState());
    if (key != 0 && *alive)
        DefaultHandler(message);
}

void TWinControl::WmChar(TMessage& message)
{
    auto ch = static_cast<char16_t>(message.WParam);
    if (ch == u'\t' && !WantsTab())
        return;
    auto alive = AliveFlag();
    if (TForm* form = ParentForm(); form && form != this && form->KeyPreview())
        form->KeyPress(ch);
    if (ch != 0 && *alive)
        KeyPress(ch);
    if (ch != 0 && *alive)
        DefaultHandler(message);
}

void TWinControl::WmSysChar(TMessage& message)
{
    // Alt with a letter: the control whose caption marks it takes it.
    if (TForm* form = ParentForm(); form && form->DispatchDialogChar(static_cast<char16_t>(message.WParam))) {
        message.Result = 0;
        return;
    }
    DefaultHandler(message);
}

void TWinControl::WmSetFocus(TMessage& message)
{
    DefaultHandler(message);
    if (TForm* form = ParentForm(); form && form != this)
        form->SetActiveControl(this);
    DoEnter();
}

void TWinControl::WmCaptureChanged(TMessage& message)
{
    // Another window took the mouse while a button was down (a drop-down
    // menu opened by the press): its release never comes here, so the next
    // press goes to whatever is under the pointer.
    if (reinterpret_cast<HWND>(message.LParam) != handle_)
        mouse_control_ = nullptr;
    DefaultHandler(message);
}

void TWinControl::RouteMouse(TMessage& message)
{
    Point p { GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam) };
    TControl* target = mouse_control_ ? mouse_control_ : ControlAtPos(p, false, true);
    TControl* under = target ? target : this;
    if (message.Msg == WM_MOUSEMOVE || IsButtonDown(message.Msg)) {
        if (!tracking_leave_ && handle_) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = handle_;
            tracking_leave_ = ws_->TrackMouseEvent(tme);
        }
        if (hover_control_ != under) {
            TControl* old = hover_control_;
            hover_control_ = under;
            if (old)
                old->MouseLeave();
            UpdateCursor(under);
            under->MouseEnter();
        }
    }
    if (!target) {
        if (IsButtonDown(message.Msg) && message.Msg == WM_LBUTTONDOWN && TabStop() && CanFocus() && !Focused())
            SetFocus();
        HandleMouse(message);
        return;
    }
    if (IsButtonDown(message.Msg)) {
        mouse_control_ = target;
        if (handle_)
            ws_->SetCapture(handle_);
    }
    TMessage m = message;
    m.LParam = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    target->Perform(m.Msg, m.WParam, m.LParam);
    message.Result = 0;
    if (IsButtonUp(message.Msg) && !(message.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
        mouse_control_ = nullptr;
        if (handle_ && ws_->GetCapture() == handle_)
            ws_->ReleaseCapture();
    }
}

void TWinControl::UpdateCursor(TControl* under)
{
    if (!handle_)
        return;
    TCursor c = under->Cursor() != TCursor::crDefault ? under->Cursor() : Cursor();
    ws_->SetWindowCursor(handle_, CursorShapeOf(c));
}

void TWinControl::PaintHandler(TMessage& message)
{
    // A context in wParam: paint into the caller's drawing, leaving the
    // window's own update region alone.
    if (auto* given = reinterpret_cast<DeviceContext*>(message.WParam)) {
        PaintInto(*given);
        message.Result = 0;
        return;
    }
    PAINTSTRUCT ps;
    DeviceContext* dc = ws_->BeginPaint(handle_, &ps);
    if (!dc) {
        message.Result = 0;
        return;
    }
    try {
        PaintInto(*dc);
    } catch (...) {
        ws_->EndPaint(handle_, &ps);
        throw;
    }
    ws_->EndPaint(handle_, &ps);
    message.Result = 0;
}

void TWinControl::PaintInto(DeviceContext& dc)
{
    PaintWindow(dc);
    PaintControls(dc);
}

void TWinControl::PaintWindow(DeviceContext&) { }

void TWinControl::PaintControls(DeviceContext& dc)
{
    Rect box = dc.ClipBox();
    for (TControl* c : std::vector<TControl*>(controls_)) {
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        Rect r = c->BoundsRect();
        if (r.Intersect(box).IsEmpty())
            continue;
        Canvas& canvas = dc.GetCanvas();
        int saved = canvas.SaveState();
        ScopeExit restore([&canvas, saved] { canvas.RestoreState(saved); });
        canvas.OffsetViewportOrigin(r.left, r.top);
        canvas.IntersectClipRect({ 0, 0, r.Width(), r.Height() });
        c->PaintTo(canvas);
    }
}

bool TWinControl::EraseBackground(DeviceContext& dc)
{
    if (control_style_.Contains(csOpaque))
        return true;
    dc.FillRect(ClientRect(), SystemColors::Resolve(Color()));
    return true;
}

void TWinControl::KeyDown(UINT& key, TShiftState shift)
{
    if (!control_style_.Contains(csNoStdEvents))
        OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(UINT& key, TShiftState shift)
{
    if (!control_style_.Contains(csNoStdEvents))
        OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char16_t& key)
{
    if (!control_style_.Contains(csNoStdEvents))
        OnKeyPress(this, key);
}

void TWinControl::DoEnter() { OnEnter(this); }

void TWinControl::DoExit() { OnExit(this); }

TWinControl* TWinControl::FromHandle(const WindowSystem& ws, HWND hwnd)
{
    if (!hwnd || !ws.IsWindow(hwnd) || !ControlClassNames().count(ws.GetClassName(hwnd)))
        return nullptr;
    return static_cast<TWinControl*>(ws.GetUserData(hwnd));
}

}
