// Progress bars, radio and check groups, and a tool bar.
#include "gallery/gallery_page.h"
#include "platform/components/controls/tool_button.h"
#include "skin/groups/radio_group.h"
#include "skin/progress/progress_bar.h"
#include "skin/toolbars/skin_tool_bar.h"

namespace pellamo {
namespace {

void BuildGroupsPage(GalleryPageBuilder& page)
{
    auto* bar = page.Add<TsuiToolBar>(Rect::FromSize(0, 0, 400, 29));
    bar->SetAlign(TAlign::alNone);
    bar->SetShowCaptions(true);
    bar->SetButtonHeight(24);
    const char* captions[] = { "&Play", "Down", "Menu" };
    TToolButtonStyle styles[]
        = { TToolButtonStyle::tbsButton, TToolButtonStyle::tbsCheck, TToolButtonStyle::tbsDropDown };
    for (int i = 0; i < 3; ++i) {
        auto* b = page.Add<TToolButton>({}, bar);
        b->SetStyle(styles[i]);
        b->SetCaption(captions[i]);
        b->SetDown(i == 1); // a button that stays down shows the style's colours
    }

    auto* half = page.Add<TsuiProgressBar>(Rect::FromSize(16, 40, 200, 14));
    half->SetPosition(30);
    auto* start = page.Add<TsuiProgressBar>(Rect::FromSize(16, 62, 200, 14));
    start->SetPosition(0);
    start->SetSmartShowCaption(true);
    auto* upright = page.Add<TsuiProgressBar>(Rect::FromSize(230, 40, 14, 100));
    upright->SetOrientation(TsuiProgressBarOrientation::suiVertical);
    upright->SetPosition(70);

    auto* radio = page.Add<TsuiRadioGroup>(Rect::FromSize(16, 90, 185, 105));
    radio->SetCaption("Radio group");
    for (const char* line : { "Low", "Medium", "High" })
        radio->Items().Add(line);
    radio->SetItemIndex(1);
    auto* checks = page.Add<TsuiCheckGroup>(Rect::FromSize(16, 205, 260, 85));
    checks->SetCaption("Check group, two columns");
    checks->SetColumns(2);
    for (const char* line : { "News", "Sport", "Music", "Films" })
        checks->Items().Add(line);
    checks->SetChecked(0, true);
    checks->SetItemEnabled(3, false);
    page.SetFocusControl(radio);
}

const GalleryPageRegistration registration("Groups", 80, BuildGroupsPage);

}
}
