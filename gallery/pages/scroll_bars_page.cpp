// Scroll bars: skinned scroll bars, horizontal and vertical, enabled and
// disabled; track bars with ticks in both orientations.
#include "gallery/gallery_page.h"
#include "skin/panels/group_box.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/scroll/track_bar.h"

namespace pellamo {
namespace {

constexpr auto kVertical = TsuiProgressBarOrientation::suiVertical;

// A bar standing upright at `bounds`. The bounds are set again after the
// turn: a bar made lying down fits its height to its pictures, and only a
// stub of the length asked for would be left.
template <class Bar> Bar* AddUpright(GalleryPageBuilder& page, const Rect& bounds, TWinControl* parent)
{
    auto* bar = page.Add<Bar>(bounds, parent);
    bar->SetOrientation(kVertical);
    bar->SetBoundsRect(bounds);
    return bar;
}

void BuildScrollBarsPage(GalleryPageBuilder& page)
{
    auto* bars = page.Add<TsuiGroupBox>(Rect::FromSize(8, 8, 300, 220));
    bars->SetCaption("Scroll bars");
    auto* horizontal = page.Add<TsuiScrollBar>(Rect::FromSize(16, 30, 220, 17), bars);
    horizontal->SetPosition(30);
    auto* disabled = page.Add<TsuiScrollBar>(Rect::FromSize(16, 64, 220, 17), bars);
    disabled->SetPosition(60);
    disabled->SetEnabled(false);
    auto* vertical = AddUpright<TsuiScrollBar>(page, Rect::FromSize(250, 24, 17, 180), bars);
    vertical->SetPosition(40);
    auto* small_page = page.Add<TsuiScrollBar>(Rect::FromSize(16, 100, 220, 17), bars);
    small_page->SetPageSize(60); // a long slider: most of the range is in view
    small_page->SetPosition(10);

    auto* tracks = page.Add<TsuiGroupBox>(Rect::FromSize(320, 8, 300, 220));
    tracks->SetCaption("Track bars");
    auto* track = page.Add<TsuiTrackBar>(Rect::FromSize(16, 30, 220, 36), tracks);
    track->SetMax(10);
    track->SetPosition(4);
    track->SetShowTick(true);
    auto* disabled_track = page.Add<TsuiTrackBar>(Rect::FromSize(16, 80, 220, 36), tracks);
    disabled_track->SetMax(10);
    disabled_track->SetPosition(7);
    disabled_track->SetShowTick(true);
    disabled_track->SetEnabled(false);
    auto* vertical_track = AddUpright<TsuiTrackBar>(page, Rect::FromSize(250, 24, 36, 180), tracks);
    vertical_track->SetMax(20);
    vertical_track->SetFrequency(5);
    vertical_track->SetPosition(15);
    vertical_track->SetShowTick(true);

    page.SetFocusControl(track);
}

const GalleryPageRegistration registration("Scroll bars", 70, BuildScrollBarsPage);

}
}
