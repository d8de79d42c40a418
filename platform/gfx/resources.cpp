#include "platform/gfx/resources.h"

#include "platform/gfx/bmp_codec.h"

#include <cctype>
#include <map>

namespace pellamo {

namespace {

std::string Key(std::string_view name)
{
    std::string key(name);
    for (char& c : key)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return key;
}

// Function-local so that registrations from static initialisers of any
// translation unit find it constructed.
std::map<std::string, std::span<const uint8_t>>& Table()
{
    static std::map<std::string, std::span<const uint8_t>> table;
    return table;
}

}

void Resources::Register(std::string_view name, const uint8_t* data, size_t size)
{
    Table()[Key(name)] = std::span<const uint8_t>(data, size);
}

std::optional<std::span<const uint8_t>> Resources::Find(std::string_view name)
{
    auto it = Table().find(Key(name));
    if (it == Table().end())
        return std::nullopt;
    return it->second;
}

std::span<const uint8_t> Resources::Get(std::string_view name)
{
    auto found = Find(name);
    if (!found)
        throw ResourceError("Resource " + std::string(name) + " not found");
    return *found;
}

Bitmap Resources::LoadBitmap(std::string_view name)
{
    return BmpCodec::Read(Get(name));
}

std::vector<std::string> Resources::Names()
{
    std::vector<std::string> names;
    for (const auto& [name, data] : Table())
        names.push_back(name);
    return names;
}

}
