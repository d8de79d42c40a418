// A panel with its caption bar, a group box, a status bar with its grip
// and a URL label.
#include "gallery/gallery_page.h"
#include "skin/checks/check_box.h"
#include "skin/panels/caption_panel.h"
#include "skin/panels/grip_status_bar.h"
#include "skin/panels/group_box.h"
#include "skin/panels/link_label.h"

namespace pellamo {
namespace {

void BuildPanelsPage(GalleryPageBuilder& page)
{
    auto* panel = page.Add<TsuiPanel>(Rect::FromSize(16, 16, 220, 120));
    panel->SetCaption("Panel with a caption bar");
    panel->SetShowButton(true);

    auto* group = page.Add<TsuiGroupBox>(Rect::FromSize(252, 16, 200, 120));
    group->SetCaption("Group box");
    auto* inside = page.Add<TsuiCheckBox>(Rect::FromSize(16, 28, 160, 20), group);
    inside->SetCaption("A check inside");
    inside->SetChecked(true);

    auto* status = page.Add<TsuiStatusBar>(Rect::FromSize(16, 160, 436, 22));
    status->SetAlign(TAlign::alNone);
    status->SetBoundsRect(Rect::FromSize(16, 160, 436, 22));
    status->SetSimplePanel(true);
    status->SetSimpleText("A status bar with its grip");
    status->SetSizeGrip(true);

    auto* link = page.Add<TsuiURLLabel>(Rect::FromSize(16, 200, 240, 18));
    link->SetCaption("Pellamo on the web");
    link->SetURL("https://pellamo.example/");
}

const GalleryPageRegistration registration("Panels", 40, BuildPanelsPage);

}
}
