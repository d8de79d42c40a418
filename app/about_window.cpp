#include "app/about_window.h"

#include "app/plain_controls.h"
#include "app/web_pages.h"
#include "platform/backend/display_backend.h"
#include "platform/components/class_info.h"
#include "platform/components/description_reader.h"
#include "platform/gfx/resources.h"
#include "platform/window/window_system.h"

namespace pellamo {

namespace {

std::string_view StoredDescription()
{
    auto bytes = Resources::Get("TFORM2");
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

}

TForm2::TForm2(TComponent* owner) : TForm2(owner, StoredDescription())
{
}

TForm2::TForm2(TComponent* owner, std::string_view description) : TForm(owner)
{
    RegisterMethod("Label4Click", this, &TForm2::Label4Click);
    ReadDescription(description, *this);
    LoadPicture(*this, "Image1", "LOGO");
}

const ClassInfo& TForm2::StaticClass()
{
    static const ClassInfo info("TForm2", &TForm::StaticClass(), {}, FactoryOf<TForm2>());
    return info;
}

void TForm2::Label4Click(TObject*)
{
    Windows().Backend().OpenUrl(kHomePage);
}

Point TForm2::CentredOn(const Rect& over, Size size)
{
    // C++ division truncates toward zero, which is the rule wanted here.
    return { over.left + over.Width() / 2 - size.cx / 2, over.top + over.Height() / 2 - size.cy / 2 };
}

}
