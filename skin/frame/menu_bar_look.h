#pragma once

// What a skinned frame's menu bar is painted with, resolved from a style
// (or its file theme) and the menu whose font the captions take.

#include "skin/frame/menu_bar_painter.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/ui_style.h"

namespace pellamo {

class TsuiMainMenu;

// The captions take `font_menu`'s font unless it is null or uses the
// system menu font.
MenuBarLook ResolveMenuBarLook(TsuiFileTheme* theme, TsuiUIStyle style, const TsuiMainMenu* font_menu);

// The menu bar colour of a file theme that names none: from its control
// font colour (0x020000 and 0x030000 have their own), else `background`.
TColor FallbackMenuBarColor(TColor control_font, TColor background);

}
