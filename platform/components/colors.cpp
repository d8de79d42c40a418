#include "platform/components/colors.h"

#include "platform/text/same_text.h"

#include <array>
#include <utility>

namespace pellamo {

namespace {

constexpr std::array<std::pair<const char*, TColor>, 48> kNames { {
    { "clBlack", clBlack },
    { "clMaroon", clMaroon },
    { "clGreen", clGreen },
    { "clOlive", clOlive },
    { "clNavy", clNavy },
    { "clPurple", clPurple },
    { "clTeal", clTeal },
    { "clGray", clGray },
    { "clSilver", clSilver },
    { "clRed", clRed },
    { "clLime", clLime },
    { "clYellow", clYellow },
    { "clBlue", clBlue },
    { "clFuchsia", clFuchsia },
    { "clAqua", clAqua },
    { "clWhite", clWhite },
    { "clNone", clNone },
    { "clDefault", clDefault },
    { "clScrollBar", clScrollBar },
    { "clBackground", clBackground },
    { "clActiveCaption", clActiveCaption },
    { "clInactiveCaption", clInactiveCaption },
    { "clMenu", clMenu },
    { "clWindow", clWindow },
    { "clWindowFrame", clWindowFrame },
    { "clMenuText", clMenuText },
    { "clWindowText", clWindowText },
    { "clCaptionText", clCaptionText },
    { "clActiveBorder", clActiveBorder },
    { "clInactiveBorder", clInactiveBorder },
    { "clAppWorkSpace", clAppWorkSpace },
    { "clHighlight", clHighlight },
    { "clHighlightText", clHighlightText },
    { "clBtnFace", clBtnFace },
    { "clBtnShadow", clBtnShadow },
    { "clGrayText", clGrayText },
    { "clBtnText", clBtnText },
    { "clInactiveCaptionText", clInactiveCaptionText },
    { "clBtnHighlight", clBtnHighlight },
    { "cl3DDkShadow", cl3DDkShadow },
    { "cl3DLight", cl3DLight },
    { "clInfoText", clInfoText },
    { "clInfoBk", clInfoBk },
    { "clHotLight", clHotLight },
    { "clGradientActiveCaption", clGradientActiveCaption },
    { "clGradientInactiveCaption", clGradientInactiveCaption },
    { "clMenuHighlight", clMenuHighlight },
    { "clMenuBar", clMenuBar },
} };

}

std::optional<TColor> ColorFromName(std::string_view name)
{
    for (const auto& [n, c] : kNames)
        if (SameText(n, name))
            return c;
    return std::nullopt;
}

std::string ColorName(TColor color)
{
    for (const auto& [n, c] : kNames)
        if (c == color)
            return n;
    return {};
}

}
