// Push buttons in each state, and the arrow buttons a spin edit is made of.
#include "gallery/gallery_page.h"
#include "skin/buttons/arrow_button.h"
#include "skin/buttons/push_button.h"

namespace pellamo {
namespace {

void BuildButtonsPage(GalleryPageBuilder& page)
{
    struct Row {
        const char* caption;
        bool is_default;
        bool enabled;
    } const rows[] = {
        { "Normal", false, true },
        { "Default", true, true },
        { "Disabled", false, false },
        { "Focused", false, true },
    };
    int y = 16;
    for (const Row& row : rows) {
        auto* button = page.Add<TsuiButton>(Rect::FromSize(16, y, 100, 26));
        button->SetCaption(row.caption);
        button->SetDefault(row.is_default);
        button->SetEnabled(row.enabled);
        if (row.caption == rows[3].caption)
            page.SetFocusControl(button);
        y += 36;
    }
    auto* wide = page.Add<TsuiButton>(Rect::FromSize(140, 16, 180, 40));
    wide->SetCaption("A wider, taller button");

    int x = 140;
    for (TsuiArrowButtonType arrow : { TsuiArrowButtonType::suiUp, TsuiArrowButtonType::suiDown }) {
        for (bool enabled : { true, false }) {
            auto* button = page.Add<TsuiArrowButton>(Rect::FromSize(x, 72, 24, 18));
            button->SetArrow(arrow);
            button->SetEnabled(enabled);
            x += 32;
        }
    }
}

const GalleryPageRegistration registration("Buttons", 10, BuildButtonsPage);

}
}
