#pragma once

#include "platform/components/component.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace pellamo {

// The compiled-in description of a window, by its resource name.
std::string_view StoredDescription(const char* resource);

// Loads the compiled-in picture `resource` into the image `image_name` of
// `owner`; false when the window has no such image.
bool LoadPicture(TComponent& owner, const char* image_name, const char* resource);

// A part of a window read from its description, by name, as the most
// general class the code needs (so skinned classes of the same kind fit).
// Throws std::runtime_error naming `window` when there is no such part.
template <class T> T* FindPart(TComponent& owner, const char* name, const char* window)
{
    auto* component = dynamic_cast<T*>(owner.FindComponent(name));
    if (!component)
        throw std::runtime_error(std::string(window) + " has no usable " + name);
    return component;
}

}
