#pragma once

// TWinControl: a control with a window of the WindowSystem. The window is
// made when the control has a parent with a window (a form makes its own at
// once) and is destroyed with the control. Its window procedure hands every
// message to WindowProc; the default WndProc paints (erase, the control's
// own painting, then its windowless children), routes mouse messages to the
// windowless child under the pointer, keeps the bounds in step with the
// window, aligns the children, raises key events and moves the focus with
// Tab and Shift+Tab in TabOrder.

#include "platform/components/controls/control.h"
#include "platform/window/messages.h"

#include <vector>

namespace pellamo {

class DeviceContext;

// What CreateParams fills in before the window is made.
struct TCreateParams {
    std::string class_name = "PellamoWinControl";
    DWORD style = 0;
    DWORD ex_style = 0;
    Rect bounds;
    HWND parent = nullptr;
};

using TKeyEvent = TEvent<TObject*, UINT&, TShiftState>;
using TKeyPressEvent = TEvent<TObject*, char16_t&>;

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    static const ClassInfo& StaticClass();
    // The control whose window `hwnd` is; null for any other window.
    static TWinControl* FromHandle(const WindowSystem& ws, HWND hwnd);
    const ClassInfo& Class() const override { return StaticClass(); }

    // The window, made on demand (throws std::logic_error for a child
    // control without a parent window).
    HWND Handle();
    HWND HandleOrNull() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys and makes the window again (after style changes).
    void RecreateWnd();

    // Children in z order, bottom first; windowed and windowless together.
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    bool ContainsControl(const TControl* control) const;
    // The topmost visible child at a client point; windowless ones only when asked.
    TControl* ControlAtPos(Point p, bool allow_disabled = false, bool windowless_only = false) const;
    void InsertNestedChild(TComponent& child) override;

    // Keyboard focus and tab order.
    int TabOrder() const { return tab_order_; }
    void SetTabOrder(int order);
    bool TabStop() const { return tab_stop_; }
    void SetTabStop(bool on) { tab_stop_ = on; }
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // The focusable descendants in tab order (children before grandchildren
    // of the same child).
    std::vector<TWinControl*> TabOrderList() const;
    // The next (previous) control after `current` among the descendants,
    // wrapping; null when none can take the focus.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool check_tab_stop) const;
    void SelectNext(TWinControl* current, bool forward, bool check_tab_stop);
    // Whether Enter (VK_RETURN) or Esc (VK_ESCAPE) pressed on the form, in a
    // control that leaves them, clicks this control: true for the form's
    // default or cancel button, whatever its class.
    virtual bool ClicksOnDialogKey(UINT) const { return false; }

    // Alignment of the children.
    void DisableAlign() { ++align_disabled_; }
    void EnableAlign();
    // Aligns the children again; `trigger` (a child whose place or
    // alignment just changed) goes first among equals.
    void Realign(TControl* trigger = nullptr);

    // A frame of this many pixels inside the window's border, outside the
    // client area (skins paint their borders into it).
    int BorderWidth() const { return border_width_; }
    void SetBorderWidth(int width);

    // Kept for descriptions; the plain controls always look flat-3D.
    bool Ctl3D() const { return ctl3d_; }
    void SetCtl3D(bool on) { ctl3d_ = on; }
    bool ParentCtl3D() const { return parent_ctl3d_; }
    void SetParentCtl3D(bool on) { parent_ctl3d_ = on; }
    TImeMode ImeMode() const { return ime_mode_; }
    void SetImeMode(TImeMode mode) { ime_mode_ = mode; }
    const std::string& ImeName() const { return ime_name_; }
    void SetImeName(const std::string& name) { ime_name_ = name; }

    bool DoubleBuffered() const { return double_buffered_; }
    void SetDoubleBuffered(bool on) { double_buffered_ = on; }

    void Invalidate() override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetCursor(TCursor cursor) override;
    Rect ClientRect() const override;
    Point ClientOrigin() const override;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // The window class procedure's way in: records the window at
    // WM_NCCREATE and forgets it after WM_NCDESTROY.
    static LRESULT DispatchToControl(TWinControl& control, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // The window was made (HandleAllocated() now holds).
    virtual void CreateWindowHandle() { }
    void Loaded() override;

    // Painting inside WM_PAINT: the control's own picture, then its
    // windowless children. WM_PAINT with a context in wParam, and
    // WM_PRINTCLIENT, paint the same into that context (a child drawing its
    // parent behind itself), without touching the update region.
    virtual void PaintWindow(DeviceContext& dc);
    void PaintControls(DeviceContext& dc);
    void PaintHandler(TMessage& message);
    void PaintInto(DeviceContext& dc);
    // Fills the client area with Color unless the control is opaque.
    virtual bool EraseBackground(DeviceContext& dc);

    // The area children are aligned in.
    virtual Rect AlignRect() const { return ClientRect(); }
    virtual void AlignControls(TControl* trigger, Rect rect);
    // Frame inset used for the client area before there is a window.
    virtual Rect NonClientInset() const { return {}; }

    virtual void KeyDown(UINT& key, TShiftState shift);
    virtual void KeyUp(UINT& key, TShiftState shift);
    virtual void KeyPress(char16_t& key);
    // Whether the control takes Tab (or arrows) itself instead of leaving
    // them to focus navigation.
    virtual bool WantsTab() const { return false; }
    // Whether the control takes Enter or Esc itself instead of leaving them
    // to the form's Default and Cancel buttons.
    virtual bool WantsKey(UINT) const { return false; }
    virtual void DoEnter();
    virtual void DoExit();

    void BoundsChanged(const Rect& old_bounds) override;
    void VisibleChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void TextChanged() override;

    // The frame changed (border width, edge styles): recompute the client area.
    void FrameChanged();
    // Fills the BorderWidth frame with Color (after the window's own frame).
    void PaintBorderWidth();
    // Applies GetWindowRect of the window to the bounds (the window system
    // moved or sized it).
    void SyncBoundsFromWindow();

private:
    friend class TControl;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void CreateChildHandles();
    void UpdateCursor(TControl* under);
    void RouteMouse(TMessage& message);
    // WndProc's cases.
    void WmContextMenu(TMessage& message);
    void WmPrintClient(TMessage& message);
    void WmNcCalcSize(TMessage& message);
    void WmNcPaint(TMessage& message);
    void WmWindowPosChanging(TMessage& message);
    void WmMouseLeave(TMessage& message);
    void WmKeyDown(TMessage& message);
    void WmKeyUp(TMessage& message);
    void WmChar(TMessage& message);
    void WmSysChar(TMessage& message);
    void WmSetFocus(TMessage& message);
    void WmCaptureChanged(TMessage& message);

    HWND handle_ = nullptr;
    WindowSystem* ws_ = nullptr;
    std::vector<TControl*> controls_;
    int tab_order_ = -1;
    int border_width_ = 0;
    bool ctl3d_ = true;
    bool parent_ctl3d_ = true;
    TImeMode ime_mode_ = TImeMode::imDontCare;
    std::string ime_name_;
    bool tab_stop_ = false;
    int align_disabled_ = 0;
    bool aligning_ = false;
    bool syncing_ = false;
    bool double_buffered_ = false;
    int insert_serial_ = 0;
    TControl* mouse_control_ = nullptr; // windowless child holding the mouse
    TControl* hover_control_ = nullptr; // child (or this) under the pointer
    bool tracking_leave_ = false;
};

}
