#pragma once

// The kinds of title bar buttons and how a title bar section is placed.

#include <cstdint>

namespace pellamo {

class EnumInfo;

// What a title bar button does: maximise or restore, minimise, close, help,
// open the window menu (the box at the left end), or only report its click.
enum class TsuiTitleBarBtnType : uint8_t { suiMax, suiMin, suiClose, suiHelp, suiControlBox, suiCustom };
const EnumInfo& TitleBarBtnTypeNames();

// A section's place in the bar: the left end, the right end, or the middle
// stretched between them.
enum class TsuiTitleBarAlign : uint8_t { suiLeft, suiRight, suiClient };
const EnumInfo& TitleBarAlignNames();

}
