#include "skin/panels/caption_panel_look.h"

#include "skin/theme/theme_source.h"

#include <algorithm>
#include <array>

namespace pellamo {

namespace {

// ControlFontColor values of file themes whose bar is light enough for black text.
constexpr std::array<TColor, 6> kDarkCaptionColors { 0x020000, 0x030000, 0x040000, 0x050000, 0x7A5316, 0x22630F };

}

CaptionPanelLook ResolveCaptionPanelLook(const ThemeSource& theme, const Bitmap& current_bar)
{
    CaptionPanelLook look;
    look.bar = current_bar;
    theme.GetBitmap(ThemeItem::SideChannelBarImage, look.bar);
    look.border_color = theme.Color(ThemeItem::ControlBorderColor);
    if (theme.UsesFileTheme()) {
        TColor font = theme.Color(ThemeItem::ControlFontColor);
        bool dark = std::find(kDarkCaptionColors.begin(), kDarkCaptionColors.end(), font) != kDarkCaptionColors.end();
        look.caption_color = dark ? clBlack : clWhite;
    } else {
        look.caption_color
            = theme.Style() == TsuiUIStyle::MacOS ? clBlack : theme.Color(ThemeItem::MenuSelectedFontColor);
    }
    return look;
}

}
