#include "skin/views/bound_scroll_bars.h"

#include "platform/components/controls/win_control.h"
#include "platform/window/messages.h"
#include "platform/window/window_system.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/window/user_library.h"

#include <cstdlib>

namespace pellamo {

namespace {

constexpr int kTreeSmallChange = 5;
constexpr int kReleasedMax = 100;

}

BoundScrollBars::BoundScrollBars(TWinControl& view, BoundViewKind kind)
    : view_(view)
    , kind_(kind)
{
}

BoundScrollBars::~BoundScrollBars()
{
    for (TsuiScrollBar* bar : bars_)
        if (bar) {
            bar->OnChange().Clear();
            view_.RemoveFreeNotification(bar);
        }
}

bool BoundScrollBars::Bind(bool vertical, TsuiScrollBar* bar)
{
    int which = vertical ? kVert : kHorz;
    TsuiScrollBar* old = bars_[which];
    if (bar == old)
        return false;
    if (old) {
        bars_[which] = nullptr;
        view_.RemoveFreeNotification(old);
        old->OnChange().Clear();
        old->SetLineButton(0);
        old->SetMax(kReleasedMax);
        old->SetEnabled(true);
    }
    bars_[which] = bar;
    if (bar) {
        view_.FreeNotification(bar);
        if (kind_ == BoundViewKind::Tree)
            bar->SetSmallChange(kTreeSmallChange);
        bar->SetOrientation(
            vertical ? TsuiProgressBarOrientation::suiVertical : TsuiProgressBarOrientation::suiHorizontal);
        bar->OnChange() = [this, which](TObject*) { BarMoved(which); };
        bar->BringToFront();
    }
    return true;
}

bool BoundScrollBars::Forget(const TComponent* removed)
{
    for (TsuiScrollBar*& bar : bars_)
        if (bar && bar == removed) {
            bar = nullptr;
            return true;
        }
    return false;
}

void BoundScrollBars::Sync()
{
    if (bar_scrolling_ || !view_.HandleAllocated())
        return;
    syncing_ = true;
    try {
        SyncBar(kVert);
        SyncBar(kHorz);
    } catch (...) {
        syncing_ = false;
        throw;
    }
    syncing_ = false;
}

void BoundScrollBars::SyncBar(int which)
{
    TsuiScrollBar* bar = bars_[which];
    if (!bar)
        return;
    HWND hwnd = view_.Handle();
    SCROLLBARINFO info;
    bool read = SUIGetScrollBarInfo(hwnd, which == kVert ? OBJID_VSCROLL : OBJID_HSCROLL, &info);
    bool usable = read && !(info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE));
    int thumb = std::abs(info.xyThumbBottom - info.xyThumbTop);
    if (kind_ == BoundViewKind::Tree) {
        if (usable) {
            if (view_.Enabled()) {
                bar->SetLineButton(thumb);
                bar->SetEnabled(true);
                // A hidden tree's bar stays hidden until the tree shows.
                bar->SetVisible(view_.Visible());
            } else {
                bar->SetEnabled(false);
            }
        } else {
            bar->SetLineButton(0);
            bar->SetEnabled(false);
            bar->SetVisible(false);
        }
    } else if (!read) {
        bar->SetVisible(false);
    } else if (usable && view_.Enabled()) {
        bar->SetLineButton(thumb);
        if (which == kHorz)
            bar->SetSmallChange(bar->PageSize() * 3);
        bar->SetEnabled(true);
        bar->SetSliderVisible(true);
    } else {
        bar->SetLineButton(0);
        bar->SetEnabled(false);
        bar->SetSliderVisible(false);
    }
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    if (!TControl::Windows().GetScrollInfo(hwnd, which == kVert ? SB_VERT : SB_HORZ, &si))
        return;
    bar->SetMax(static_cast<int32_t>(static_cast<int64_t>(si.nMax) - si.nPage + 1));
    bar->SetMin(si.nMin);
    bar->SetPosition(si.nPos);
}

void BoundScrollBars::BarMoved(int which)
{
    TsuiScrollBar* bar = bars_[which];
    if (syncing_ || !bar || !view_.HandleAllocated())
        return;
    bool memo = kind_ == BoundViewKind::Memo;
    if (memo)
        bar_scrolling_ = true;
    // The whole position: the view reads it beside the message's 16 bits.
    TControl::Windows().SendThumbPosition(view_.Handle(), which == kVert ? SB_VERT : SB_HORZ, bar->Position());
    view_.Invalidate();
    bar_scrolling_ = false;
}

void BoundScrollBars::Place()
{
    if (!view_.Visible()) {
        Hide();
        return;
    }
    auto state = [](TsuiScrollBar* bar) -> std::optional<BoundBar> {
        if (!bar)
            return std::nullopt;
        return BoundBar { bar->BoundsRect(), bar->Visible() };
    };
    // The platform's locales all read left to right.
    const bool right_to_left = false;
    BoundBarsPlacement placed
        = PlaceBoundBars(kind_, view_.BoundsRect(), state(bars_[kVert]), state(bars_[kHorz]), right_to_left);
    auto apply = [](TsuiScrollBar* bar, const std::optional<PlacedBar>& p) {
        if (!bar || !p)
            return;
        bar->SetBoundsRect(p->bounds);
        if (p->visible)
            bar->SetVisible(*p->visible);
    };
    apply(bars_[kHorz], placed.horizontal);
    apply(bars_[kVert], placed.vertical);
}

void BoundScrollBars::Hide()
{
    for (TsuiScrollBar* bar : bars_)
        if (bar)
            bar->SetVisible(false);
}

}
