// A panel with its caption bar, a group box, a status bar with its grip,
// a URL label and picture panels (tiled and stretched).
#include "gallery/gallery_page.h"
#include "platform/gfx/resources.h"
#include "skin/checks/check_box.h"
#include "skin/panels/caption_panel.h"
#include "skin/panels/grip_status_bar.h"
#include "skin/panels/group_box.h"
#include "skin/panels/link_label.h"
#include "skin/panels/picture_panel.h"
#include "skin/theme_data/named_pictures.h"

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

    struct Picture {
        const char* name;
        TsuiDrawStyle draw;
        const char* caption;
    } const pictures[] = {
        { kProteinFormBackground, TsuiDrawStyle::suiTile, "Tiled picture" },
        { kMsnPopForm, TsuiDrawStyle::suiStretch, "Stretched picture" },
    };
    int x = 16;
    for (const Picture& p : pictures) {
        auto* picture = page.Add<TsuiImagePanel>(Rect::FromSize(x, 240, 160, 80));
        if (auto bitmap = Resources::CachedBitmap(p.name))
            picture->Picture().SetBitmap(*bitmap);
        picture->SetDrawStyle(p.draw);
        picture->SetCaption(p.caption);
        x += 176;
    }
}

const GalleryPageRegistration registration("Panels", 40, BuildPanelsPage);

}
}
