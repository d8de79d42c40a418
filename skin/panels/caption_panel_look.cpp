#include "skin/panels/caption_panel_look.h"

#include "skin/theme/theme_source.h"

#include <algorithm>
#include <array>

namespace pellamo {

namespace {

constexpr int kBarItem = 42;
constexpr int kBorderItem = 25;
constexpr int kSelectedFontItem = 20;
constexpr int kControlFontItem = 27;

// Item 27 values of file themes whose bar is light enough for black text.
constexpr std::array<TColor, 6> kDarkCaptionColors { 0x020000, 0x030000, 0x040000, 0x050000, 0x7A5316, 0x22630F };

}

CaptionPanelLook ResolveCaptionPanelLook(const ThemeSource& theme, const Bitmap& current_bar)
{
    CaptionPanelLook look;
    look.bar = current_bar;
    theme.GetBitmap(kBarItem, look.bar);
    look.border_color = theme.Color(kBorderItem);
    if (theme.UsesFileTheme()) {
        TColor font = theme.Color(kControlFontItem);
        bool dark = std::find(kDarkCaptionColors.begin(), kDarkCaptionColors.end(), font) != kDarkCaptionColors.end();
        look.caption_color = dark ? clBlack : clWhite;
    } else {
        look.caption_color = theme.Style() == TsuiUIStyle::MacOS ? clBlack : theme.Color(kSelectedFontItem);
    }
    return look;
}

}
