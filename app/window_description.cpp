#include "app/window_description.h"

#include "platform/components/controls/image.h"
#include "platform/gfx/resources.h"

namespace pellamo {

std::string_view StoredDescription(const char* resource)
{
    auto bytes = Resources::Get(resource);
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

bool LoadPicture(TComponent& owner, const char* image_name, const char* resource)
{
    if (auto* image = dynamic_cast<TImage*>(owner.FindComponent(image_name))) {
        image->Picture().LoadFromResourceName(resource);
        return true;
    }
    return false;
}

}
