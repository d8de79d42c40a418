#include "skin/buttons/button_look.h"

#include "skin/theme/theme_source.h"

#include <exception>

namespace pellamo {

namespace {

Bitmap Frame(const ThemeSource& theme, int index)
{
    try {
        return theme.Picture(ThemeItem::ButtonImage, kButtonStripFrames, index);
    } catch (const std::exception&) {
        return Bitmap();
    }
}

}

ButtonLook ResolveButtonLook(const ThemeSource& theme)
{
    ButtonLook look;
    look.normal = Frame(theme, 1);
    look.hover = Frame(theme, 2);
    look.pressed = Frame(theme, 3);
    look.transparent = theme.Bool(ThemeItem::ButtonTransparentBool);
    return look;
}

}
