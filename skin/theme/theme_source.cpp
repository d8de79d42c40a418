#include "skin/theme/theme_source.h"

#include "skin/theme/file_theme.h"
#include "skin/theme_data/inside_theme.h"

namespace pellamo {

ThemeSource::ThemeSource(const TsuiFileTheme* file_theme, TsuiUIStyle style)
{
    if (UsingFileTheme(file_theme, style, style_))
        file_theme_ = file_theme;
}

TColor ThemeSource::Color(ThemeItem item) const
{
    return file_theme_ ? file_theme_->GetColor(item) : GetInsideThemeColor(style_, item);
}

int32_t ThemeSource::Int(ThemeItem item) const
{
    return file_theme_ ? file_theme_->GetInt(item) : GetInsideThemeInt(style_, item);
}

bool ThemeSource::Bool(ThemeItem item) const
{
    return file_theme_ ? file_theme_->GetBool(item) : GetInsideThemeBool(style_, item);
}

void ThemeSource::GetBitmap(ThemeItem item, Bitmap& target, int frame_count, int frame_index) const
{
    if (file_theme_)
        file_theme_->GetBitmap(item, &target, frame_count, frame_index);
    else
        GetInsideThemeBitmap(style_, item, &target, frame_count, frame_index);
}

Bitmap ThemeSource::Picture(ThemeItem item, int frame_count, int frame_index) const
{
    Bitmap picture;
    GetBitmap(item, picture, frame_count, frame_index);
    return picture;
}

}
