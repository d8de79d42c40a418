#include "skin/theme_data/style_by_name.h"

#include "platform/components/enum_info.h"

namespace pellamo {

std::optional<TsuiUIStyle> BuiltInStyleNamed(std::string_view name)
{
    std::optional<int> ordinal = UIStyleNames().Ordinal(name);
    if (!ordinal || BuiltInStyleColumn(static_cast<TsuiUIStyle>(*ordinal)) < 0)
        return std::nullopt;
    return static_cast<TsuiUIStyle>(*ordinal);
}

}
