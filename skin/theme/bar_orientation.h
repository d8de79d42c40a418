#pragma once

// Which way the skin's bars run: progress bars fill along it, scroll and
// track bars slide along it.

#include <cstdint>

namespace pellamo {

class EnumInfo;

enum class TsuiProgressBarOrientation : uint8_t { suiHorizontal, suiVertical };

// The value names, for published Orientation properties.
const EnumInfo& ProgressBarOrientationNames();

}
