// The notification window, popped up over the page.
#include "gallery/gallery_page.h"
#include "skin/buttons/push_button.h"
#include "skin/notify/notification_popup.h"

namespace pellamo {
namespace {

void BuildNotificationPage(GalleryPageBuilder& page)
{
    auto* note = page.AddComponent<TsuiMSNPopForm>();
    note->SetTitle("Pellamo");
    note->SetMessageText("Now playing: the evening news");
    note->SetAnimateTime(150);
    note->SetStayTime(8000);
    note->SetClickHide(true);
    // Over the page rather than at the corner of the screen, so the gallery
    // and its screenshots show it beside the controls.
    note->SetAutoPosition(false);
    TWinControl* where = &page.Page();
    auto pop_up = [note, where] {
        Point at = where->ClientToScreen({ 16, 56 });
        note->SetPositionX(at.x);
        note->SetPositionY(at.y);
        note->Popup();
    };
    auto* show = page.Add<TsuiButton>(Rect::FromSize(16, 16, 160, 26));
    show->SetCaption("&Show a notification");
    show->OnClick = [pop_up](TObject*) { pop_up(); };
    page.SetFocusControl(show);
    page.SetScene(pop_up);
}

const GalleryPageRegistration registration("Notification", 60, BuildNotificationPage);

}
}
