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

std::map<std::string, std::shared_ptr<const Bitmap>>& Decoded()
{
    static std::map<std::string, std::shared_ptr<const Bitmap>> decoded;
    return decoded;
}

}

void Resources::Register(std::string_view name, const uint8_t* data, size_t size)
{
    std::string key = Key(name);
    Table()[key] = std::span<const uint8_t>(data, size);
    Decoded().erase(key);
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

Bitmap Resources::LoadBitmap(std::string_view name) { return BmpCodec::Read(Get(name)); }

std::shared_ptr<const Bitmap> Resources::CachedBitmap(std::string_view name)
{
    std::string key = Key(name);
    auto it = Decoded().find(key);
    if (it != Decoded().end())
        return it->second;
    auto bitmap = std::make_shared<const Bitmap>(LoadBitmap(name));
    Decoded().emplace(key, bitmap);
    return bitmap;
}

std::vector<std::string> Resources::Names()
{
    std::vector<std::string> names;
    for (const auto& [name, data] : Table())
        names.push_back(name);
    return names;
}

}
