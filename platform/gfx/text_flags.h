#pragma once

namespace pellamo {

// Flags of DrawText, with the platform's values so that drawing code reads
// as it does there.
enum TextFlags : unsigned {
    kTextLeft = 0x0,
    kTextCenter = 0x1,
    kTextRight = 0x2,
    kTextVCenter = 0x4, // single line only
    kTextBottom = 0x8, // single line only
    kTextWordBreak = 0x10,
    kTextSingleLine = 0x20,
    kTextExpandTabs = 0x40,
    kTextNoClip = 0x100,
    kTextCalcRect = 0x400, // measure only: the rectangle's right/bottom are set
    kTextNoPrefix = 0x800, // "&" is an ordinary character
    kTextEndEllipsis = 0x8000,
    kTextHidePrefix = 0x100000, // "&" is removed but nothing is underlined
};

}
