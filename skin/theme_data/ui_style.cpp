#include "skin/theme_data/ui_style.h"

#include "platform/components/enum_info.h"

namespace pellamo {

const EnumInfo& UIStyleNames()
{
    static const EnumInfo info(
        "TsuiUIStyle", { "FromThemeFile", "MacOS", "WinXP", "DeepBlue", "Protein", "BlueGlass" });
    return info;
}

}
