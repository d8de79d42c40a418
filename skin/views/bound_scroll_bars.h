#pragma once

// The skinned scroll bars a view binds to itself (VScrollBar, HScrollBar),
// kept in step with the view's own window scroll bars both ways: from the
// view's scroll state into the bars (Sync), and from a bar the user moved
// to the view (a thumb position sent to the view, whole, however large).
// The bars are other components on the view's parent: the view asks to be
// told when one goes away (Forget). The tree view and the memo differ in a
// few rules, chosen by their kind.

#include "skin/views/bound_bar_layout.h"

namespace pellamo {

class TComponent;
class TsuiScrollBar;
class TWinControl;

class BoundScrollBars {
public:
    BoundScrollBars(TWinControl& view, BoundViewKind kind);
    ~BoundScrollBars();
    BoundScrollBars(const BoundScrollBars&) = delete;
    BoundScrollBars& operator=(const BoundScrollBars&) = delete;

    TsuiScrollBar* Vertical() const { return bars_[kVert]; }
    TsuiScrollBar* Horizontal() const { return bars_[kHorz]; }
    // Binds `bar` (none unbinds): the one bound before gets its own
    // change handler cleared, LineButton 0, Max 100 and is enabled again.
    // Returns whether the binding changed.
    bool Bind(bool vertical, TsuiScrollBar* bar);
    // True (and the bar is forgotten) when `removed` is a bound bar.
    bool Forget(const TComponent* removed);

    // Range, position, slider length and state of each bound bar from the
    // view's scroll bars.
    void Sync();
    // Each bound bar over the view's own scroll bar.
    void Place();
    void Hide();

private:
    static constexpr int kHorz = 0;
    static constexpr int kVert = 1;

    void SyncBar(int which);
    void BarMoved(int which);

    TWinControl& view_;
    BoundViewKind kind_;
    TsuiScrollBar* bars_[2] = { nullptr, nullptr };
    bool syncing_ = false;
    bool bar_scrolling_ = false;
};

}
