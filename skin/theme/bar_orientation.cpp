#include "skin/theme/bar_orientation.h"

#include "platform/components/enum_info.h"

namespace pellamo {

const EnumInfo& ProgressBarOrientationNames()
{
    static const EnumInfo info("TsuiProgressBarOrientation", { "suiHorizontal", "suiVertical" });
    return info;
}

}
