#include "platform/components/controls/form.h"

#include "platform/components/class_registry.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/props.h"
#include "platform/window/mdi_client.h"
#include "platform/window/window_system.h"

#include <algorithm>
#include <stdexcept>

namespace pellamo {

TForm::TForm(TComponent* owner)
    : TCustomControl(owner)
{
    control_style_ = { csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks };
    SetParentFont(false);
    SetColor(clBtnFace);
    TControl::SetVisible(false);
    SetBounds(0, 0, 320, 240);
    // A form has its window at once, so children get theirs as they come.
    CreateWnd();
}

TForm::~TForm()
{
    // The MDI client hands the activation on before the child goes.
    if (IsMdiChildWindow() && Windows().IsWindowVisible(HandleOrNull()))
        Windows().ShowWindow(HandleOrNull(), SW_HIDE);
    *alive_ = false;
    DoDestroy();
    if (Application && Application->MainForm() == this)
        Application->ForgetMainForm();
}

const ClassInfo& TForm::StaticClass()
{
    static const ClassInfo info("TForm", &TCustomControl::StaticClass(),
        {
            props::Set<TForm>("BorderIcons", BorderIconNames(), &TForm::BorderIcons, &TForm::SetBorderIcons),
            props::Enum<TForm>("BorderStyle", FormBorderStyleNames(), &TForm::BorderStyle, &TForm::SetBorderStyle),
            props::Stored<TForm>(props::Int<TForm>("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth),
                [](const TForm&) { return false; }),
            props::Stored<TForm>(props::Int<TForm>("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight),
                [](const TForm&) { return false; }),
            props::Enum<TForm>("FormStyle", FormStyleNames(), &TForm::FormStyle, &TForm::SetFormStyle),
            props::Enum<TForm>("Position", PositionNames(), &TForm::Position, &TForm::SetPosition),
            props::Enum<TForm>("TileMode", TileModeNames(), &TForm::TileMode, &TForm::SetTileMode),
            props::Ref<TForm, TMenuItem>("WindowMenu", &TForm::WindowMenu, &TForm::SetWindowMenu),
            props::Enum<TForm>("WindowState", WindowStateNames(), &TForm::WindowState, &TForm::SetWindowState),
            props::Ref<TForm, TComponent>("Menu", &TForm::MenuComponent, &TForm::SetMenu),
            props::Ref<TForm, TWinControl>("ActiveControl", &TForm::ActiveControl, &TForm::SetActiveControl),
            props::Bool<TForm>("Scaled", &TForm::Scaled, &TForm::SetScaled),
            props::Int<TForm>("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch),
            props::Int<TForm>("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight),
            props::Bool<TForm>("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview),
            props::Event<TForm>("OnCreate", &TForm::OnCreate),
            props::Event<TForm>("OnDestroy", &TForm::OnDestroy),
            props::Event<TForm>("OnActivate", &TForm::OnActivate),
            props::Event<TForm>("OnDeactivate", &TForm::OnDeactivate),
            props::Event<TForm>("OnShow", &TForm::OnShow),
            props::Event<TForm>("OnHide", &TForm::OnHide),
            props::Event<TForm>("OnPaint", &TForm::OnPaint),
            props::Event<TForm>("OnCloseQuery", &TForm::OnCloseQuery),
            props::Event<TForm>("OnClose", &TForm::OnClose),
        },
        FactoryOf<TForm>());
    return info;
}

DWORD TForm::StyleBits() const
{
    DWORD style = WS_CLIPCHILDREN;
    bool sysmenu = border_icons_.Contains(TBorderIcon::biSystemMenu);
    bool minmax = true;
    switch (border_style_) {
    case TFormBorderStyle::bsNone:
        return style | WS_POPUP | (sysmenu ? WS_SYSMENU : 0)
            | (border_icons_.Contains(TBorderIcon::biMinimize) ? WS_MINIMIZEBOX : 0);
    case TFormBorderStyle::bsSingle:
        style |= WS_CAPTION;
        break;
    case TFormBorderStyle::bsSizeable:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case TFormBorderStyle::bsDialog:
        style |= WS_CAPTION | WS_DLGFRAME;
        minmax = false; // dialogs have no minimise or maximise box
        break;
    case TFormBorderStyle::bsToolWindow:
        style |= WS_CAPTION;
        minmax = false;
        break;
    case TFormBorderStyle::bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        minmax = false;
        break;
    }
    if (sysmenu) {
        style |= WS_SYSMENU;
        if (minmax && border_icons_.Contains(TBorderIcon::biMinimize))
            style |= WS_MINIMIZEBOX;
        if (minmax && border_icons_.Contains(TBorderIcon::biMaximize))
            style |= WS_MAXIMIZEBOX;
    }
    return style;
}

DWORD TForm::ExStyleBits() const
{
    DWORD topmost = form_style_ == TFormStyle::fsStayOnTop ? WS_EX_TOPMOST : 0;
    switch (border_style_) {
    case TFormBorderStyle::bsDialog:
        return topmost | WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    case TFormBorderStyle::bsToolWindow:
    case TFormBorderStyle::bsSizeToolWin:
        return topmost | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
    default:
        return topmost;
    }
}

void TForm::CreateParams(TCreateParams& params)
{
    params.style = StyleBits();
    params.ex_style = ExStyleBits();
    params.bounds = BoundsRect();
    params.parent = nullptr;
    if (form_style_ == TFormStyle::fsMDIChild) {
        TForm* host = MdiHost();
        if (!host)
            throw std::logic_error("Cannot create form. No MDI forms are currently active");
        params.style = (params.style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
        params.ex_style = (params.ex_style & ~WS_EX_TOPMOST) | WS_EX_MDICHILD;
        params.parent = host->ClientHandle();
        return;
    }
    if (auto* owner_form = dynamic_cast<TForm*>(Owner()); owner_form && owner_form->HandleAllocated())
        params.parent = owner_form->HandleOrNull(); // the owner window
}

TForm* TForm::MdiHost() const
{
    auto usable
        = [this](TForm* f) { return f && f != this && f->form_style_ == TFormStyle::fsMDIForm && f->client_handle_; };
    if (auto* owner_form = dynamic_cast<TForm*>(Owner()); usable(owner_form))
        return owner_form;
    if (Application && usable(Application->MainForm()))
        return Application->MainForm();
    return nullptr;
}

bool TForm::IsMdiChildWindow() const
{
    return form_style_ == TFormStyle::fsMDIChild && HandleAllocated()
        && (Windows().GetExStyle(HandleOrNull()) & WS_EX_MDICHILD);
}

void TForm::CreateWnd()
{
    TCustomControl::CreateWnd();
    if (form_style_ == TFormStyle::fsMDIForm)
        MakeClient();
}

void TForm::MakeClient()
{
    if (!HandleAllocated() || MdiClient::IsClient(Windows(), client_handle_))
        return;
    WindowSystem& ws = Windows();
    client_handle_ = MdiClient::Create(ws, HandleOrNull(), ClientRect());
    if (!client_handle_)
        return;
    // The window menu follows the children's activation.
    auto alive = AliveFlag();
    ws.SetWindowSubclass(
        client_handle_, [this, alive](HWND h, UINT msg, WPARAM w, LPARAM l, const pellamo::WndProc& next) {
            LRESULT result = next(h, msg, w, l);
            if (*alive && msg == WM_MDISETMENU && !HasState(csDestroying))
                UpdateWindowMenu();
            return result;
        });
    Realign();
}

void TForm::SetWindowMenu(TMenuItem* item)
{
    if (item == window_menu_)
        return;
    ClearWindowMenu();
    if (window_menu_)
        RemoveFreeNotification(window_menu_);
    window_menu_ = item;
    if (item)
        FreeNotification(item);
    UpdateWindowMenu();
}

void TForm::ClearWindowMenu()
{
    std::vector<TMenuItem*> items;
    items.swap(window_items_);
    for (TMenuItem* item : items)
        item->Free();
}

void TForm::UpdateWindowMenu()
{
    ClearWindowMenu();
    if (!window_menu_ || !client_handle_ || !Windows().IsWindow(client_handle_))
        return;
    WindowSystem& ws = Windows();
    std::vector<HWND> children;
    for (HWND h : MdiClient::Children(ws, client_handle_))
        if (ws.GetStyle(h) & WS_VISIBLE)
            children.push_back(h);
    if (children.empty())
        return;
    // In the order they were made (handles only grow), not as activated.
    std::sort(children.begin(), children.end(),
        [](HWND a, HWND b) { return reinterpret_cast<uintptr_t>(a) < reinterpret_cast<uintptr_t>(b); });
    HWND active = MdiClient::Active(ws, client_handle_);
    auto add = [this](TMenuItem* item) {
        window_items_.push_back(item);
        window_menu_->Add(item);
    };
    if (window_menu_->Count() > 0) {
        auto* line = new TMenuItem(this);
        line->SetCaption("-");
        add(line);
    }
    int number = 1;
    for (HWND h : children) {
        auto* item = new TMenuItem(this);
        std::string text = ws.GetWindowText(h);
        if (auto* child = dynamic_cast<TForm*>(TWinControl::FromHandle(ws, h)))
            text = child->Caption();
        std::string caption;
        if (number <= 9) {
            caption.push_back('&');
            caption.push_back(static_cast<char>('0' + number));
            caption.push_back(' ');
        }
        caption.append(text);
        item->SetCaption(caption);
        item->SetChecked(h == active);
        HWND client = client_handle_;
        // Posted: the list is made again while the item's click still runs.
        item->OnClick = [&ws, client, h](TObject*) {
            if (ws.IsIconic(h))
                ws.PostMessage(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(h), 0);
            ws.PostMessage(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
        };
        add(item);
        ++number;
    }
}

void TForm::AlignControls(TControl* trigger, Rect rect)
{
    TCustomControl::AlignControls(trigger, rect);
    if (!client_handle_ || !Windows().IsWindow(client_handle_))
        return;
    // The client takes what the aligned controls leave.
    Rect area = ClientRect();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        switch (c->Align()) {
        case TAlign::alTop:
            area.top = std::max(area.top, c->Top() + c->Height());
            break;
        case TAlign::alBottom:
            area.bottom = std::min(area.bottom, c->Top());
            break;
        case TAlign::alLeft:
            area.left = std::max(area.left, c->Left() + c->Width());
            break;
        case TAlign::alRight:
            area.right = std::min(area.right, c->Left());
            break;
        default:
            break;
        }
    }
    Windows().MoveWindow(client_handle_, area.left, area.top, std::max(0, area.Width()), std::max(0, area.Height()));
}

void TForm::DefaultHandler(TMessage& message)
{
    if (IsMdiChildWindow()) {
        message.Result
            = MdiClient::DefChildProc(Windows(), HandleOrNull(), message.Msg, message.WParam, message.LParam);
        return;
    }
    TCustomControl::DefaultHandler(message);
}

int TForm::MDIChildCount() const
{
    int count = 0;
    while (MDIChildren(count))
        ++count;
    return count;
}

TForm* TForm::MDIChildren(int index) const
{
    if (!client_handle_ || index < 0)
        return nullptr;
    int i = 0;
    for (HWND h : MdiClient::Children(Windows(), client_handle_)) {
        auto* form = dynamic_cast<TForm*>(TWinControl::FromHandle(Windows(), h));
        if (form && i++ == index)
            return form;
    }
    return nullptr;
}

TForm* TForm::ActiveMDIChild() const
{
    if (!client_handle_ || !Windows().IsWindow(client_handle_))
        return nullptr;
    return dynamic_cast<TForm*>(TWinControl::FromHandle(Windows(), MdiClient::Active(Windows(), client_handle_)));
}

void TForm::Cascade()
{
    if (client_handle_)
        Windows().SendMessage(client_handle_, WM_MDICASCADE, 0, 0);
}

void TForm::Tile()
{
    if (client_handle_)
        Windows().SendMessage(client_handle_, WM_MDITILE,
            tile_mode_ == TTileMode::tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TForm::ArrangeIcons()
{
    if (client_handle_)
        Windows().SendMessage(client_handle_, WM_MDIICONARRANGE, 0, 0);
}

void TForm::Next()
{
    if (client_handle_)
        Windows().SendMessage(client_handle_, WM_MDINEXT, 0, 0);
}

void TForm::Previous()
{
    if (client_handle_)
        Windows().SendMessage(client_handle_, WM_MDINEXT, 0, 1);
}

void TForm::ApplyStyles()
{
    if (!HandleAllocated())
        return;
    WindowSystem& ws = Windows();
    HWND h = HandleOrNull();
    TCreateParams params;
    CreateParams(params);
    // Keep the state bits the window system tracks.
    DWORD keep = ws.GetStyle(h) & (WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE | WS_DISABLED);
    ws.SetStyle(h, params.style | keep);
    ws.SetExStyle(h, params.ex_style | (ws.GetExStyle(h) & WS_EX_ACCEPTFILES)); // drops stay allowed
    // The outer size stays; the client area follows the new frame.
    ws.SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    Realign();
}

void TForm::SetBorderStyle(TFormBorderStyle style)
{
    if (border_style_ == style)
        return;
    border_style_ = style;
    ApplyStyles();
}

void TForm::SetFormStyle(TFormStyle style)
{
    if (form_style_ == style)
        return;
    TFormStyle previous = form_style_;
    form_style_ = style;
    if (previous == TFormStyle::fsMDIForm && client_handle_) {
        if (Windows().IsWindow(client_handle_))
            Windows().DestroyWindow(client_handle_);
        client_handle_ = nullptr;
    }
    // Moving into or out of an MDI client takes a new window.
    if ((previous == TFormStyle::fsMDIChild || style == TFormStyle::fsMDIChild) && HandleAllocated()) {
        try {
            RecreateWnd();
        } catch (...) {
            form_style_ = previous;
            if (!HandleAllocated())
                CreateWnd();
            throw;
        }
        return;
    }
    ApplyStyles();
    if (style == TFormStyle::fsMDIForm)
        MakeClient();
}

void TForm::SetBorderIcons(TBorderIcons icons)
{
    if (border_icons_ == icons)
        return;
    border_icons_ = icons;
    ApplyStyles();
}

void TForm::SetWindowState(TWindowState state)
{
    if (window_state_ == state)
        return;
    window_state_ = state;
    if (HasState(csLoading) || !Visible() || !HandleAllocated())
        return;
    if (IsMdiChildWindow()) {
        // Through the client, which keeps a maximised child filling it.
        WindowSystem& ws = Windows();
        HWND h = HandleOrNull();
        WPARAM self = reinterpret_cast<WPARAM>(h);
        if (state == TWindowState::wsMinimized)
            ws.SendMessage(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else
            ws.SendMessage(
                ws.GetParent(h), state == TWindowState::wsMaximized ? WM_MDIMAXIMIZE : WM_MDIRESTORE, self, 0);
        return;
    }
    int cmd = state == TWindowState::wsMinimized ? SW_MINIMIZE
        : state == TWindowState::wsMaximized     ? SW_SHOWMAXIMIZED
                                                 : SW_RESTORE;
    Windows().ShowWindow(HandleOrNull(), cmd);
}

void TForm::SetMenu(TComponent* menu)
{
    if (menu == menu_)
        return;
    if (menu) {
        const ClassInfo* main_menu = GetClass("TMainMenu");
        if (main_menu && !menu->InheritsFrom(*main_menu))
            throw std::invalid_argument("Component " + menu->Name() + " is not a main menu");
        if (menu->Owner() != Owner() && menu->Owner() != this)
            FreeNotification(menu);
    }
    TComponent* previous = menu_;
    menu_ = menu;
    // A menu that is no longer this form's stops showing its plain bar here
    // (a skinned frame takes the menu off the form and shows its own bar).
    if (auto* old = dynamic_cast<FormMenuBar*>(previous))
        old->FormLetMenuGo(*this);
    MenuChanged();
}

std::function<void(TForm&)> TForm::MenuChangedHandler;

void TForm::MenuChanged()
{
    if (MenuChangedHandler)
        MenuChangedHandler(*this);
}

void TForm::SetActiveControl(TWinControl* control)
{
    if (control == active_control_ || (control && control->HasState(csDestroying)))
        return;
    if (control && !ContainsControl(control))
        throw std::invalid_argument("Invalid active control: not on this form");
    active_control_ = control;
    if (control && control->Owner() != Owner() && control->Owner() != this)
        FreeNotification(control);
    if (!HasState(csDestroying))
        NotifyFocusChanged();
    if (control && active_ && !HasState(csLoading) && control->CanFocus() && !control->Focused())
        control->SetFocus();
}

namespace {

struct HeldControl {
    TControl* control;
    std::shared_ptr<const bool> alive; // a handler may free controls meanwhile
};

// The controls inside `parent`, each before its own children, in child order.
void CollectControls(const TWinControl& parent, bool shown_only, std::vector<HeldControl>& out)
{
    for (int i = 0; i < parent.ControlCount(); ++i) {
        TControl* c = parent.Controls(i);
        if (shown_only && !c->Visible())
            continue;
        out.push_back({ c, c->AliveFlag() });
        if (auto* w = dynamic_cast<TWinControl*>(c))
            CollectControls(*w, shown_only, out);
    }
}

}

void TForm::NotifyFocusChanged()
{
    std::vector<HeldControl> controls;
    CollectControls(*this, false, controls);
    auto self = AliveFlag();
    for (const HeldControl& c : controls) {
        if (!*self)
            return;
        if (*c.alive)
            c.control->FocusChanged(active_control_);
    }
}

bool TForm::DispatchDialogChar(char16_t ch)
{
    std::vector<HeldControl> controls;
    CollectControls(*this, true, controls);
    auto self = AliveFlag();
    for (const HeldControl& c : controls) {
        if (!*self)
            return true;
        if (*c.alive && c.control->DialogChar(ch))
            return true;
    }
    return false;
}

bool TForm::DialogKey(UINT key)
{
    for (TWinControl* c : TabOrderList()) {
        if (c->CanFocus() && c->ClicksOnDialogKey(key)) {
            c->Click();
            return true;
        }
    }
    return false;
}

void TForm::SelectFirst()
{
    if (TWinControl* first = FindNextControl(nullptr, true, true))
        first->SetFocus();
}

void TForm::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == active_control_)
        active_control_ = nullptr;
    std::erase(window_items_, component);
    if (component == window_menu_) {
        window_menu_ = nullptr;
        window_items_.clear(); // its entries went with it
    }
    if (component == menu_) {
        menu_ = nullptr;
        if (!HasState(csDestroying))
            MenuChanged();
    }
}

void TForm::PlaceByPosition()
{
    if (placed_)
        return;
    placed_ = true;
    WindowSystem& ws = Windows();
    Rect area;
    switch (position_) {
    case TPosition::poDesktopCenter:
        area = ws.GetWorkArea();
        break;
    case TPosition::poScreenCenter: {
        Size s = ws.GetScreenSize();
        area = { 0, 0, s.cx, s.cy };
        break;
    }
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TForm* around = position_ == TPosition::poOwnerFormCenter ? dynamic_cast<TForm*>(Owner()) : nullptr;
        if (!around && Application)
            around = Application->MainForm();
        if (around && around != this && around->Visible())
            area = around->BoundsRect();
        else
            area = ws.GetWorkArea();
        break;
    }
    default:
        return;
    }
    SetBounds(area.left + (area.Width() - Width()) / 2, area.top + (area.Height() - Height()) / 2, Width(), Height());
}

void TForm::Show()
{
    SetVisible(true);
    if (IsMdiChildWindow()) {
        Windows().SendMessage(
            Windows().GetParent(HandleOrNull()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(HandleOrNull()), 0);
        return;
    }
    if (HandleAllocated()) {
        Windows().BringWindowToTop(HandleOrNull());
        Windows().SetActiveWindow(HandleOrNull());
    }
}

void TForm::SetVisible(bool visible) { TCustomControl::SetVisible(visible); }

void TForm::VisibleChanged()
{
    if (HasState(csLoading) || !HandleAllocated())
        return;
    if (Visible())
        ShowNow();
    else {
        Windows().ShowWindow(HandleOrNull(), SW_HIDE);
        OnHide(this);
    }
}

void TForm::ShowNow()
{
    PlaceByPosition();
    OnShow(this);
    int cmd = window_state_ == TWindowState::wsMinimized ? SW_SHOWMINIMIZED
        : window_state_ == TWindowState::wsMaximized     ? SW_SHOWMAXIMIZED
                                                         : SW_SHOWNORMAL;
    Windows().ShowWindow(HandleOrNull(), cmd);
}

TModalResult TForm::ShowModal()
{
    if (Visible() || modal_)
        throw std::logic_error("Cannot make a visible window modal");
    WindowSystem& ws = Windows();
    HWND h = Handle();
    modal_result_ = mrNone;
    modal_ = true;
    PlaceByPosition();
    OnShow(this);
    SetVisibleFlag(true);
    auto alive = alive_;
    int result = 0;
    try {
        result = ws.RunModal(h);
    } catch (...) {
        if (*alive) {
            modal_ = false;
            SetVisibleFlag(false);
        }
        throw;
    }
    if (!*alive)
        return result ? result : mrCancel;
    modal_ = false;
    SetVisibleFlag(false);
    if (ws.IsWindow(h) && ws.IsWindowVisible(h))
        ws.ShowWindow(h, SW_HIDE);
    OnHide(this);
    if (modal_result_ == mrNone)
        modal_result_ = result ? result : mrCancel;
    return modal_result_;
}

void TForm::SetModalResult(TModalResult result)
{
    modal_result_ = result;
    if (modal_ && result != mrNone && HandleAllocated())
        Windows().EndModal(HandleOrNull(), result);
}

bool TForm::CloseQuery()
{
    bool can_close = true;
    OnCloseQuery(this, can_close);
    return can_close;
}

void TForm::Close()
{
    if (!CloseQuery())
        return;
    // Closing an MDI child frees it, as its user expects of Ctrl+F4.
    TCloseAction action = form_style_ == TFormStyle::fsMDIChild ? TCloseAction::caFree : TCloseAction::caHide;
    OnClose(this, action);
    if (action == TCloseAction::caNone)
        return;
    if (modal_) {
        SetModalResult(modal_result_ != mrNone ? modal_result_ : mrCancel);
        return;
    }
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case TCloseAction::caHide:
        Hide();
        break;
    case TCloseAction::caMinimize:
        SetWindowState(TWindowState::wsMinimized);
        break;
    case TCloseAction::caFree:
        Release();
        break;
    case TCloseAction::caNone:
        break;
    }
}

void TForm::Release()
{
    std::weak_ptr<bool> alive = alive_;
    Windows().Loop().Post([this, alive] {
        if (auto a = alive.lock(); a && *a)
            Free();
    });
}

void TForm::DoCreate()
{
    if (created_)
        return;
    created_ = true;
    OnCreate(this);
}

void TForm::DoDestroy()
{
    if (destroyed_)
        return;
    destroyed_ = true;
    OnDestroy(this);
}

void TForm::Loaded()
{
    TCustomControl::Loaded();
    DoCreate();
    if (Visible() && HandleAllocated())
        ShowNow();
}

void TForm::Paint() { OnPaint(this); }

void TForm::Activate() { OnActivate(this); }

void TForm::Deactivate() { OnDeactivate(this); }

void TForm::SetActive(bool activating)
{
    if (activating == active_)
        return;
    active_ = activating;
    if (activating) {
        if (active_control_ && active_control_->CanFocus())
            Windows().SetFocus(active_control_->Handle());
        else if (!active_control_)
            SelectFirst();
        Activate();
    } else {
        Deactivate();
    }
    if (Application)
        Application->FormActivationChanged();
}

void TForm::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_ACTIVATE:
        TCustomControl::WndProc(message);
        SetActive(LOWORD(message.WParam) != WA_INACTIVE);
        return;
    case WM_MDIACTIVATE:
        // An MDI child is active inside its frame as a form is on the screen.
        TCustomControl::WndProc(message);
        if (IsMdiChildWindow())
            SetActive(reinterpret_cast<HWND>(message.LParam) == HandleOrNull());
        return;
    case WM_SIZE:
        TCustomControl::WndProc(message);
        if (message.WParam == SIZE_MINIMIZED)
            window_state_ = TWindowState::wsMinimized;
        else if (message.WParam == SIZE_MAXIMIZED)
            window_state_ = TWindowState::wsMaximized;
        else if (Visible())
            window_state_ = TWindowState::wsNormal;
        return;
    case WM_SHOWWINDOW:
        TCustomControl::WndProc(message);
        // The window system hid or showed the window by itself (a modal
        // loop ending): keep Visible in step.
        if (!modal_ && (message.WParam != 0) != Visible())
            SetVisibleFlag(message.WParam != 0);
        return;
    default:
        TCustomControl::WndProc(message);
    }
}

}
