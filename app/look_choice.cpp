#include "app/look_choice.h"

#include "platform/components/enum_info.h"

#include <filesystem>

namespace pellamo {

namespace {

constexpr std::string_view kFilePrefix = "file:";

}

std::string LookChoiceText(const PlayerLook& look)
{
    if (look.style)
        return UIStyleNames().Name(static_cast<int>(*look.style));
    if (look.theme_file.empty())
        return {};
    std::error_code ec;
    std::filesystem::path full = std::filesystem::absolute(look.theme_file, ec);
    return std::string(kFilePrefix) + (ec ? look.theme_file : full.lexically_normal().string());
}

PlayerLook LookFromChoiceText(std::string_view text)
{
    PlayerLook look;
    if (text.substr(0, kFilePrefix.size()) == kFilePrefix)
        look.theme_file = std::string(text.substr(kFilePrefix.size()));
    else
        look.style = BuiltInStyleNamed(text);
    return look;
}

}
