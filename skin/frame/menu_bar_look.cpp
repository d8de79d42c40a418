#include "skin/frame/menu_bar_look.h"

#include "platform/gfx/resources.h"
#include "platform/gfx/system_colors.h"
#include "skin/menus/menu_routines.h"
#include "skin/menus/skin_main_menu.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/named_pictures.h"

#include <memory>

namespace pellamo {

MenuBarLook ResolveMenuBarLook(TsuiFileTheme* file_theme, TsuiUIStyle style, const TsuiMainMenu* skinned)
{
    ThemeSource theme(file_theme, style);
    MenuBarLook look;
    look.mac_os = !theme.UsesFileTheme() && theme.Style() == TsuiUIStyle::MacOS;
    if (look.mac_os) {
        static const std::shared_ptr<const Bitmap> bar = Resources::CachedBitmap(kMacOSMenuBar);
        static const std::shared_ptr<const Bitmap> select = Resources::CachedBitmap(kMacOSMenuSelect);
        look.bar_picture = bar.get();
        look.select_picture = select.get();
    }
    look.selected_border = theme.Color(ThemeItem::MenuSelectedBorderColor);
    look.selected_fill = theme.Color(ThemeItem::MenuSelectedBackgroundColor);
    look.selected_font = theme.Color(ThemeItem::MenuSelectedFontColor);
    look.font_color = theme.UsesFileTheme() && theme.Color(ThemeItem::ControlFontColor) == 0x30000
        ? clWhite
        : theme.Color(ThemeItem::MenuFontColor);
    if (skinned && !skinned->UseSystemFont()) {
        look.font.name = skinned->FontName();
        look.font.SetSize(skinned->FontSize());
        look.font.charset = skinned->FontCharset();
        look.font.color = skinned->FontColor();
    } else {
        Menu_GetSystemFont(look.font);
        look.font.color = SystemColors::Resolve(look.font.color);
    }
    return look;
}

TColor FallbackMenuBarColor(TColor control_font, TColor background)
{
    if (control_font == 0x20000)
        return 0xAC5B3B;
    if (control_font == 0x30000)
        return 0x996733;
    return background;
}

}
