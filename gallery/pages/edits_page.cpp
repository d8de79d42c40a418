// Edits: with text, empty, read-only and disabled; a mask edit, a number
// edit and a spin edit.
#include "gallery/gallery_page.h"
#include "skin/edits/bordered_edit.h"
#include "skin/edits/number_edit.h"
#include "skin/edits/spin_edit.h"

namespace pellamo {
namespace {

void BuildEditsPage(GalleryPageBuilder& page)
{
    auto* with_text = page.Add<TsuiEdit>(Rect::FromSize(16, 16, 200, 22));
    with_text->SetText("An edit with text");
    page.SetFocusControl(with_text);
    page.Add<TsuiEdit>(Rect::FromSize(16, 48, 200, 22));
    auto* read_only = page.Add<TsuiEdit>(Rect::FromSize(16, 80, 200, 22));
    read_only->SetText("Read-only");
    read_only->SetReadOnly(true);
    auto* disabled = page.Add<TsuiEdit>(Rect::FromSize(16, 112, 200, 22));
    disabled->SetText("Disabled");
    disabled->SetEnabled(false);

    auto* number = page.Add<TsuiNumberEdit>(Rect::FromSize(240, 16, 140, 22));
    number->SetMask("#,##0.00");
    number->SetValue(12345.67);
    auto* masked = page.Add<TsuiMaskEdit>(Rect::FromSize(240, 80, 100, 22));
    masked->SetEditMask("00-00");
    masked->SetText("12-31");
    auto* spin = page.Add<TsuiSpinEdit>(Rect::FromSize(240, 48, 100, 22));
    spin->SetMinValue(0);
    spin->SetMaxValue(100);
    spin->SetValue(42);
}

const GalleryPageRegistration registration("Edits", 30, BuildEditsPage);

}
}
