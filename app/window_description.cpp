#include "app/window_description.h"

#include "platform/gfx/resources.h"

namespace pellamo {

std::string_view StoredDescription(const char* resource)
{
    auto bytes = Resources::Get(resource);
    return { reinterpret_cast<const char*>(bytes.data()), bytes.size() };
}

}
