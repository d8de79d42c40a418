#include "skin/frame/title_bar_enums.h"

#include "platform/components/enum_info.h"

namespace pellamo {

const EnumInfo& TitleBarBtnTypeNames()
{
    static const EnumInfo info(
        "TsuiTitleBarBtnType", { "suiMax", "suiMin", "suiClose", "suiHelp", "suiControlBox", "suiCustom" });
    return info;
}

const EnumInfo& TitleBarAlignNames()
{
    static const EnumInfo info("TsuiTitleBarAlign", { "suiLeft", "suiRight", "suiClient" });
    return info;
}

}
