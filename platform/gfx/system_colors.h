#pragma once

#include "platform/gfx/color.h"

namespace pellamo {

// System colours are TColor values 0x80000000 | index, the index being the
// classic Windows COLOR_* number. Resolve() turns them into RGB using the
// classic Windows default scheme, so skins look as they were designed.
class SystemColors {
public:
    static constexpr TColor FromIndex(int index)
    {
        return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index));
    }
    static constexpr bool IsSystemColor(TColor c) { return c < 0; }

    // RGB of any colour: plain colours pass through (upper byte cleared),
    // system colours are looked up, unknown indices give black.
    static TColor Resolve(TColor color);
};

constexpr TColor clScrollBar = SystemColors::FromIndex(0);
constexpr TColor clBackground = SystemColors::FromIndex(1);
constexpr TColor clActiveCaption = SystemColors::FromIndex(2);
constexpr TColor clInactiveCaption = SystemColors::FromIndex(3);
constexpr TColor clMenu = SystemColors::FromIndex(4);
constexpr TColor clWindow = SystemColors::FromIndex(5);
constexpr TColor clWindowFrame = SystemColors::FromIndex(6);
constexpr TColor clMenuText = SystemColors::FromIndex(7);
constexpr TColor clWindowText = SystemColors::FromIndex(8);
constexpr TColor clCaptionText = SystemColors::FromIndex(9);
constexpr TColor clActiveBorder = SystemColors::FromIndex(10);
constexpr TColor clInactiveBorder = SystemColors::FromIndex(11);
constexpr TColor clAppWorkSpace = SystemColors::FromIndex(12);
constexpr TColor clHighlight = SystemColors::FromIndex(13);
constexpr TColor clHighlightText = SystemColors::FromIndex(14);
constexpr TColor clBtnFace = SystemColors::FromIndex(15);
constexpr TColor clBtnShadow = SystemColors::FromIndex(16);
constexpr TColor clGrayText = SystemColors::FromIndex(17);
constexpr TColor clBtnText = SystemColors::FromIndex(18);
constexpr TColor clInactiveCaptionText = SystemColors::FromIndex(19);
constexpr TColor clBtnHighlight = SystemColors::FromIndex(20);
constexpr TColor cl3DDkShadow = SystemColors::FromIndex(21);
constexpr TColor cl3DLight = SystemColors::FromIndex(22);
constexpr TColor clInfoText = SystemColors::FromIndex(23);
constexpr TColor clInfoBk = SystemColors::FromIndex(24);
constexpr TColor clHotLight = SystemColors::FromIndex(26);
constexpr TColor clGradientActiveCaption = SystemColors::FromIndex(27);
constexpr TColor clGradientInactiveCaption = SystemColors::FromIndex(28);
constexpr TColor clMenuHighlight = SystemColors::FromIndex(29);
constexpr TColor clMenuBar = SystemColors::FromIndex(30);

}
