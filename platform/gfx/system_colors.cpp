#include "platform/gfx/system_colors.h"

#include <array>

namespace pellamo {

namespace {

// The "Windows Classic" scheme of Windows 2000/XP, by COLOR_* index.
constexpr std::array<TColor, 31> kClassic = {
    Rgb(212, 208, 200), // scroll bar
    Rgb(58, 110, 165), // desktop
    Rgb(10, 36, 106), // active caption
    Rgb(128, 128, 128), // inactive caption
    Rgb(212, 208, 200), // menu
    Rgb(255, 255, 255), // window
    Rgb(0, 0, 0), // window frame
    Rgb(0, 0, 0), // menu text
    Rgb(0, 0, 0), // window text
    Rgb(255, 255, 255), // caption text
    Rgb(212, 208, 200), // active border
    Rgb(212, 208, 200), // inactive border
    Rgb(128, 128, 128), // application work space
    Rgb(10, 36, 106), // highlight
    Rgb(255, 255, 255), // highlight text
    Rgb(212, 208, 200), // button face
    Rgb(128, 128, 128), // button shadow
    Rgb(128, 128, 128), // grey text
    Rgb(0, 0, 0), // button text
    Rgb(212, 208, 200), // inactive caption text
    Rgb(255, 255, 255), // button highlight
    Rgb(64, 64, 64), // 3-D dark shadow
    Rgb(212, 208, 200), // 3-D light
    Rgb(0, 0, 0), // tool tip text
    Rgb(255, 255, 225), // tool tip background
    Rgb(181, 181, 181), // unused slot 25
    Rgb(0, 0, 128), // hot-tracked item
    Rgb(166, 202, 240), // active caption gradient
    Rgb(192, 192, 192), // inactive caption gradient
    Rgb(10, 36, 106), // menu highlight
    Rgb(212, 208, 200), // menu bar
};

}

TColor SystemColors::Resolve(TColor color)
{
    if (!IsSystemColor(color))
        return color & 0xFFFFFF;
    uint32_t index = static_cast<uint32_t>(color) & 0xFF;
    if ((static_cast<uint32_t>(color) & 0x7FFFFF00u) != 0 || index >= kClassic.size())
        return 0;
    return kClassic[index];
}

}
