#pragma once

#include "platform/gfx/bitmap.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

class ResourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Named blobs compiled into the executable by the CMake function
// pellamo_resources(target NAME file ...). Names compare without case, as
// resource names do on the platform.
class Resources {
public:
    static void Register(std::string_view name, const uint8_t* data, size_t size);
    static std::optional<std::span<const uint8_t>> Find(std::string_view name);
    // Throws ResourceError "Resource NAME not found".
    static std::span<const uint8_t> Get(std::string_view name);
    // A bitmap resource (a BMP file); throws ResourceError or ImageError.
    static Bitmap LoadBitmap(std::string_view name);
    // The same, decoded once and kept: skinned controls ask for the same
    // strips on every style change. Registering the name again drops the
    // kept picture; a holder of the old one keeps it.
    static std::shared_ptr<const Bitmap> CachedBitmap(std::string_view name);
    static std::vector<std::string> Names();
};

// One registration per compiled-in file, made by the generated source.
struct ResourceRegistration {
    ResourceRegistration(const char* name, const unsigned char* data, size_t size)
    {
        Resources::Register(name, data, size);
    }
};

}
