#include "app/about_window.h"

#include "app/web_pages.h"
#include "app/window_description.h"
#include "platform/backend/display_backend.h"
#include "platform/components/class_info.h"
#include "platform/components/description_reader.h"
#include "platform/window/window_system.h"

namespace pellamo {

TForm2::TForm2(TComponent* owner)
    : TForm2(owner, StoredDescription("TFORM2"))
{
}

TForm2::TForm2(TComponent* owner, std::string_view description)
    : TForm(owner)
{
    RegisterMethod("Label4Click", this, &TForm2::Label4Click);
    ReadDescription(description, *this);
    LoadPicture(*this, "Image1", "LOGO");
    // The skinned frame takes the platform's caption away and draws its own
    // title bar inside the client area, which the design counts in: the
    // window keeps the designed client size rather than growing by the
    // caption it no longer has.
    SetClientWidth(kDesignedClient.cx);
    SetClientHeight(kDesignedClient.cy);
}

const ClassInfo& TForm2::StaticClass()
{
    static const ClassInfo info("TForm2", &TForm::StaticClass(), {}, FactoryOf<TForm2>());
    return info;
}

void TForm2::Label4Click(TObject*) { Windows().Backend().OpenUrl(kHomePage); }

Point TForm2::CentredOn(const Rect& over, Size size)
{
    // C++ division truncates toward zero, which is the rule wanted here.
    return { over.left + over.Width() / 2 - size.cx / 2, over.top + over.Height() / 2 - size.cy / 2 };
}

}
