#pragma once

// TControl: the root of everything visible. Bounds relative to the parent's
// client area (the screen for forms), alignment and anchors, visibility,
// enabled state, colour and font (optionally the parent's), cursor, caption,
// mouse events and the control's window procedure.
//
// Messages reach a control through WindowProc, which starts as the
// control's own WndProc; a component may replace it (keeping the old one to
// call on). WndProc handles what the control knows and passes the rest to
// DefaultHandler.

#include "platform/components/colors.h"
#include "platform/components/component.h"
#include "platform/components/controls/control_enums.h"
#include "platform/components/controls/font.h"
#include "platform/components/event.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/geometry.h"

#include <functional>
#include <memory>
#include <string>

namespace pellamo {

class DeviceContext;
class TControl;

inline Brush SolidBrush(TColor color)
{
    Brush b;
    b.color = color;
    return b;
}

class TForm;
class TPopupMenu;
class TWinControl;
class WindowSystem;

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
    explicit TSizeConstraints(TControl* control)
        : control_(control)
    {
    }
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    void Assign(const TPersistent& source) override;
    TPersistent* GetOwner() const override;

    int MinWidth() const { return min_width_; }
    int MinHeight() const { return min_height_; }
    int MaxWidth() const { return max_width_; }
    int MaxHeight() const { return max_height_; }
    void SetMinWidth(int v);
    void SetMinHeight(int v);
    void SetMaxWidth(int v);
    void SetMaxHeight(int v);

    // Clamps a proposed size.
    void Apply(int& width, int& height) const;

private:
    void Changed();
    TControl* control_;
    int min_width_ = 0;
    int min_height_ = 0;
    int max_width_ = 0;
    int max_height_ = 0;
};

using TMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, int, int>;
using TMouseMoveEvent = TEvent<TObject*, TShiftState, int, int>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Parent and place.
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TComponent* GetParentComponent() const override;
    // The form the control sits on (itself for a form); null when none.
    TForm* ParentForm() const;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    Rect BoundsRect() const { return Rect::FromSize(left_, top_, width_, height_); }
    void SetBoundsRect(const Rect& r) { SetBounds(r.left, r.top, r.Width(), r.Height()); }
    // The area inside the control's frame, at (0, 0).
    virtual Rect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int width);
    virtual void SetClientHeight(int height);
    // Where the control's client (0, 0) lies in the parent's client area.
    virtual Point ClientOrigin() const;
    Point ClientToScreen(Point p) const;
    Point ScreenToClient(Point p) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors anchors);
    TSizeConstraints& Constraints() { return constraints_; }
    const TSizeConstraints& Constraints() const { return constraints_; }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to the top.
    bool IsShowing() const;
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    bool ParentColor() const { return parent_color_; }
    void SetParentColor(bool on);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool on);

    TCursor Cursor() const { return cursor_; }
    virtual void SetCursor(TCursor cursor);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return show_hint_; }
    void SetShowHint(bool on) { show_hint_ = on; }

    // Settings kept for descriptions and for components that read them;
    // the plain controls draw left to right and do no drag and drop.
    TBiDiMode BiDiMode() const { return bidi_mode_; }
    void SetBiDiMode(TBiDiMode mode) { bidi_mode_ = mode; }
    bool ParentBiDiMode() const { return parent_bidi_mode_; }
    void SetParentBiDiMode(bool on) { parent_bidi_mode_ = on; }
    bool ParentShowHint() const { return parent_show_hint_; }
    void SetParentShowHint(bool on) { parent_show_hint_ = on; }
    TCursor DragCursor() const { return drag_cursor_; }
    void SetDragCursor(TCursor c) { drag_cursor_ = c; }
    TDragKind DragKind() const { return drag_kind_; }
    void SetDragKind(TDragKind k) { drag_kind_ = k; }
    TDragMode DragMode() const { return drag_mode_; }
    void SetDragMode(TDragMode m) { drag_mode_ = m; }

    // The pop-up menu shown on a right click (a reference, not owned).
    // PopupMenu<>() yields it as a TPopupMenu where that class is known.
    template <class M = TPopupMenu> M* PopupMenu() const { return dynamic_cast<M*>(popup_menu_); }
    TComponent* PopupMenuComponent() const { return popup_menu_; }
    // Throws std::invalid_argument for a component that is not a pop-up
    // menu (when that class is registered).
    void SetPopupMenu(TComponent* menu);
    // Shows a pop-up menu at a screen point; installed by the menu
    // library. Without it a right click shows nothing.
    static std::function<void(TComponent* menu, TControl* control, Point screen)> PopupHandler;

    // The text of the control, GBK. Caption and Text are the same value.
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& text) { SetText(text); }
    virtual std::string Text() const { return text_; }
    virtual void SetText(const std::string& text);

    TControlStyle ControlStyle() const { return control_style_; }
    void SetControlStyle(TControlStyle style) { control_style_ = style; }

    // Painting.
    virtual void Invalidate();
    void Update();
    void Repaint();
    // Moves the control to the top (bottom) of its siblings.
    void BringToFront();
    void SendToBack();

    // Messages.
    std::function<void(TMessage&)> WindowProc;
    LRESULT Perform(UINT msg, WPARAM wparam = 0, LPARAM lparam = 0);
    virtual void WndProc(TMessage& message);
    virtual void DefaultHandler(TMessage& message);

    // The handler of a click; calls OnClick.
    virtual void Click();

    // The focus inside the control's form moved to `focused` (null when no
    // control of the form has it). Every control on the form hears it, so a
    // default button can tell whether Enter is its own now.
    virtual void FocusChanged(TWinControl* focused) { (void)focused; }
    // An accelerator character (typed with Alt) that the form offers its
    // controls in turn; true when this control took it. Letters come in
    // either case.
    virtual bool DialogChar(char16_t ch)
    {
        (void)ch;
        return false;
    }

    // True until the control is destroyed. Code that calls out to event
    // handlers (which may free the control, say by closing its form) keeps
    // the flag and checks it before touching the control again.
    std::shared_ptr<const bool> AliveFlag() const { return alive_; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnResize;

    // The window system the control lives in.
    static WindowSystem& Windows();

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void DblClick();
    // The pointer entered or left the control.
    virtual void MouseEnter() { }
    virtual void MouseLeave() { }
    virtual void Resize();
    virtual void TextChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    // The parent's font or colour changed (or the parent is new).
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    // Places the control as SetBounds does but without touching the
    // anchoring distances (used by alignment).
    void UpdateBoundsRaw(int left, int top, int width, int height);
    // Moves the window (windowed controls) or repaints the parent's area.
    virtual void BoundsChanged(const Rect& old_bounds);
    virtual void VisibleChanged();
    void RequestAlign();
    // Records visibility the window system changed by itself.
    void SetVisibleFlag(bool visible) { visible_ = visible; }
    // Remembers the bounds and the parent's client size for anchoring.
    void UpdateAnchorRules();
    // Paints a windowless control on its parent's canvas (origin at the
    // control's top left, clipped to it).
    virtual void PaintTo(Canvas& canvas);
    // Mouse messages in client coordinates.
    void HandleMouse(TMessage& message);

    bool mouse_pressed_ = false; // a press began inside the control
    TControlStyle control_style_ { csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks };

private:
    friend class TWinControl;
    friend class TSizeConstraints;
    void ApplyBounds(int left, int top, int width, int height, bool by_hand);

    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    Rect anchor_rect_; // bounds when last placed by hand
    Size anchor_parent_; // the parent's client size then
    TAlign align_ = TAlign::alNone;
    TAnchors anchors_ { TAnchorKind::akLeft, TAnchorKind::akTop };
    TSizeConstraints constraints_;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parent_color_ = false;
    TFont font_;
    bool parent_font_ = true;
    bool updating_parent_font_ = false;
    TCursor cursor_ = TCursor::crDefault;
    std::string hint_;
    bool show_hint_ = false;
    TBiDiMode bidi_mode_ = TBiDiMode::bdLeftToRight;
    bool parent_bidi_mode_ = true;
    bool parent_show_hint_ = true;
    TCursor drag_cursor_ = TCursor::crDrag;
    TDragKind drag_kind_ = TDragKind::dkDrag;
    TDragMode drag_mode_ = TDragMode::dmManual;
    TComponent* popup_menu_ = nullptr;
    std::string text_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}
