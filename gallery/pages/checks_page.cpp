// Check boxes and radio buttons: unchecked, checked, disabled and focused.
#include "gallery/gallery_page.h"
#include "skin/checks/check_box.h"
#include "skin/checks/radio_button.h"

#include <type_traits>

namespace pellamo {
namespace {

struct CheckRow {
    const char* caption;
    bool checked;
    bool enabled;
};

constexpr CheckRow kRows[] = {
    { "Unchecked", false, true },
    { "Checked", true, true },
    { "Disabled", false, false },
    { "Disabled, checked", true, false },
};

template <class Check> void AddColumn(GalleryPageBuilder& page, int x)
{
    int y = 16;
    int group = 0;
    for (const CheckRow& row : kRows) {
        auto* check = page.Add<Check>(Rect::FromSize(x, y, 160, 20));
        // A group of its own for each radio button, so that each keeps the
        // state it shows.
        if constexpr (std::is_same_v<Check, TsuiRadioButton>)
            check->SetGroupIndex(++group);
        check->SetCaption(row.caption);
        check->SetChecked(row.checked);
        check->SetEnabled(row.enabled);
        y += 28;
    }
}

void BuildChecksPage(GalleryPageBuilder& page)
{
    AddColumn<TsuiCheckBox>(page, 16);
    AddColumn<TsuiRadioButton>(page, 200);
    auto* focused = page.Add<TsuiCheckBox>(Rect::FromSize(16, 140, 160, 20));
    focused->SetCaption("Focused");
    page.SetFocusControl(focused);
}

const GalleryPageRegistration registration("Checks", 20, BuildChecksPage);

}
}
