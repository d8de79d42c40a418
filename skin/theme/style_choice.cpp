#include "skin/theme/style_choice.h"

#include "platform/components/component.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"

namespace pellamo {

StyleChoice::StyleChoice(TComponent& control)
    : control_(control)
    , style_(GetSUIFormStyle(control.Owner()))
{
}

void StyleChoice::SetFileTheme(TsuiFileTheme* theme)
{
    if (file_theme_ && file_theme_ != theme)
        control_.RemoveFreeNotification(file_theme_);
    if (theme)
        control_.FreeNotification(theme);
    file_theme_ = theme;
}

bool StyleChoice::Forget(const TComponent* removed)
{
    if (!removed || removed != file_theme_)
        return false;
    file_theme_ = nullptr;
    return true;
}

}
