#pragma once

// What the skinned tree view and memo share: the skin's two-line border
// (BorderedEdit: BorderColor from ControlBorderColor, UIStyle, FileTheme) and the
// skinned scroll bars bound through VScrollBar and HScrollBar, laid over
// the view's own scroll bars and kept in step with them after everything
// that may scroll the view: its scroll messages, keys, the wheel, a press
// and a drag of the left button, enabling, moving, resizing, showing (and
// hiding, which hides the bars).

#include "platform/components/props.h"
#include "platform/window/messages.h"
#include "skin/edits/bordered_edit.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/theme/file_theme.h"
#include "skin/views/bound_scroll_bars.h"

namespace pellamo {

template <class View> class ScrolledView : public BorderedEdit<View> {
public:
    ScrolledView(TComponent* owner, BoundViewKind kind)
        : BorderedEdit<View>(owner)
        , bars_(*this, kind)
    {
        TControlStyle style = this->ControlStyle();
        style.Include(csOpaque);
        this->SetControlStyle(style);
    }

    TsuiScrollBar* VScrollBar() const { return bars_.Vertical(); }
    void SetVScrollBar(TsuiScrollBar* bar) { Bind(true, bar); }
    TsuiScrollBar* HScrollBar() const { return bars_.Horizontal(); }
    void SetHScrollBar(TsuiScrollBar* bar) { Bind(false, bar); }

    // Range, position and slider length of the bars from the view's own.
    void UpdateScrollBars() { bars_.Sync(); }
    // The bars over the view's own, then in step with them.
    virtual void UpdateScrollBarsPos() = 0;

protected:
    BoundScrollBars& Bars() { return bars_; }
    // After a bar was bound or unbound, before the bars are placed.
    virtual void BarsChanged() { }

    void UIStyleChanged() override
    {
        // The bars take the view's look, from its file theme too.
        TsuiUIStyle effective = TsuiUIStyle::DeepBlue;
        UsingFileTheme(this->FileTheme(), this->UIStyle(), effective);
        for (TsuiScrollBar* bar : { bars_.Vertical(), bars_.Horizontal() })
            if (bar) {
                bar->SetFileTheme(this->FileTheme());
                bar->SetUIStyle(effective);
            }
    }

    void WndProc(TMessage& message) override
    {
        UINT msg = message.Msg;
        if (msg == WM_LBUTTONDOWN)
            left_held_ = true;
        else if (msg == WM_LBUTTONUP)
            left_held_ = false;
        auto alive = this->AliveFlag();
        BorderedEdit<View>::WndProc(message);
        if (!*alive)
            return;
        switch (msg) {
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL:
        case WM_LBUTTONDOWN:
            UpdateScrollBars();
            break;
        case WM_MOUSEMOVE:
            if (left_held_)
                UpdateScrollBars();
            break;
        default:
            break;
        }
    }

    void BoundsChanged(const Rect& old_bounds) override
    {
        BorderedEdit<View>::BoundsChanged(old_bounds);
        if (this->BoundsRect() != old_bounds)
            UpdateScrollBarsPos();
    }

    void VisibleChanged() override
    {
        BorderedEdit<View>::VisibleChanged();
        if (this->Visible())
            UpdateScrollBarsPos();
        else
            bars_.Hide();
    }

    void EnabledChanged() override
    {
        BorderedEdit<View>::EnabledChanged();
        UpdateScrollBars();
    }

    void Notification(TComponent* component, TOperation operation) override
    {
        BorderedEdit<View>::Notification(component, operation);
        if (operation == TOperation::opRemove && bars_.Forget(component) && !this->HasState(csDestroying)) {
            BarsChanged();
            UpdateScrollBarsPos();
        }
    }

    // What a scrolled view publishes ahead of its platform view's own.
    template <class V> static std::vector<PropInfo> StyleAndBarProps()
    {
        return {
            props::Ref<V, TsuiFileTheme>("FileTheme", &V::FileTheme, &V::SetFileTheme),
            props::Enum<V>("UIStyle", UIStyleNames(), &V::UIStyle, &V::SetUIStyle),
            props::Color<V>("BorderColor", &V::BorderColor, &V::SetBorderColor),
            props::Ref<V, TsuiScrollBar>("VScrollBar", &V::VScrollBar, &V::SetVScrollBar),
            props::Ref<V, TsuiScrollBar>("HScrollBar", &V::HScrollBar, &V::SetHScrollBar),
        };
    }

private:
    void Bind(bool vertical, TsuiScrollBar* bar)
    {
        if (!bars_.Bind(vertical, bar))
            return;
        if (bar)
            UIStyleChanged();
        BarsChanged();
        // Also when a bar went: the other one takes the room it leaves.
        UpdateScrollBarsPos();
    }

    BoundScrollBars bars_;
    bool left_held_ = false;
};

}
