#include "skin/menus/skinned_menu.h"

#include "platform/text/middle_east_locale.h"
#include "platform/window/window_system.h"
#include "skin/menus/menu_item_painter.h"
#include "skin/menus/menu_routines.h"
#include "skin/theme/theme_source.h"

namespace pellamo {

namespace {

MenuItemFace FaceOf(const TMenuItem& item)
{
    MenuItemFace face;
    face.caption = item.Caption();
    face.shortcut = ShortCutToText(item.GetShortCut());
    face.enabled = item.Enabled();
    face.checked = item.Checked();
    face.is_default = item.Default();
    face.image_index = item.ImageIndex();
    face.opens_sub_menu = item.Count() > 0;
    return face;
}

}

SkinnedMenu::SkinnedMenu(TMenu& menu)
    : menu_(menu)
{
}

SkinnedMenu::~SkinnedMenu() { *alive_ = false; }

void SkinnedMenu::SetUserImages(TImageList* images)
{
    if (images == user_images_)
        return;
    if (user_images_)
        menu_.RemoveFreeNotification(user_images_);
    user_images_ = images;
    if (images)
        menu_.FreeNotification(images);
    UserImagesChanged();
}

void SkinnedMenu::SetFileTheme(TsuiFileTheme* theme)
{
    style_.SetFileTheme(theme);
    SetUIStyle(UIStyle());
}

void SkinnedMenu::SetUIStyle(TsuiUIStyle style)
{
    style_.SetStyle(style);
    look_.bar_width = 26;
    bool mac = style == TsuiUIStyle::MacOS;
    look_.mac_os = mac;
    item_height_ = mac ? 20 : 21;
    separator_height_ = mac ? 12 : 5;
    look_.separator_color = mac ? 0 : 0x848284;
    ThemeSource theme = style_.Theme();
    look_.bar_color = theme.Color(ThemeItem::MenuBarColor);
    look_.color = theme.Color(ThemeItem::MenuBackgroundColor);
    look_.font_color = theme.Color(ThemeItem::MenuFontColor);
    look_.selected_border_color = theme.Color(ThemeItem::MenuSelectedBorderColor);
    look_.selected_color = theme.Color(ThemeItem::MenuSelectedBackgroundColor);
    look_.selected_font_color = theme.Color(ThemeItem::MenuSelectedFontColor);
    flat_line_color_ = theme.Color(ThemeItem::FormBackgroundColor);
}

void SkinnedMenu::SetSeparatorHeight(int height)
{
    if (UIStyle() != TsuiUIStyle::MacOS)
        separator_height_ = height;
}

void SkinnedMenu::SetHooks(TMenuItem& item)
{
    std::weak_ptr<bool> alive = alive_;
    MenuMeasureHook measure;
    measure = [this, alive](TObject* sender, Canvas& canvas, int& width, int& height) {
        if (auto a = alive.lock(); a && *a)
            MeasureItem(sender, canvas, width, height);
    };
    MenuDrawHook draw;
    draw = [this, alive](TObject* sender, Canvas& canvas, Rect rect, bool selected) {
        if (auto a = alive.lock(); a && *a)
            DrawItem(sender, canvas, rect, selected);
    };
    Menu_SetItemEvent(item, measure, draw);
}

void SkinnedMenu::MenuAdded()
{
    TMenuItem* root = menu_.Items();
    for (int i = 0; i < root->Count(); ++i)
        SetHooks(*root->Items(i));
}

void SkinnedMenu::SkinNotification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove) {
        if (style_.Forget(component))
            SetUIStyle(TsuiUIStyle::DeepBlue);
        if (component == user_images_) {
            user_images_ = nullptr;
            UserImagesChanged();
        }
        return;
    }
    if (auto* item = dynamic_cast<TMenuItem*>(component))
        SetHooks(*item);
}

MenuItemLook SkinnedMenu::Look() const
{
    MenuItemLook look = look_;
    if (use_system_font_) {
        Menu_GetSystemFont(look.font);
    } else {
        look.font = Font();
        look.font.name = font_name_;
        look.font.SetSize(font_size_);
        look.font.charset = font_charset_;
    }
    return look;
}

void SkinnedMenu::MeasureItem(TObject* sender, Canvas& canvas, int& width, int& height)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item)
        return;
    Size size = MeasureMenuItem(canvas, FaceOf(*item), item_height_, separator_height_, look_.bar_width);
    width = size.cx;
    height = size.cy;
}

void SkinnedMenu::DrawItem(TObject* sender, Canvas& canvas, Rect rect, bool selected)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item)
        return;
    if (flat_menu_)
        if (WindowSystem* ws = WindowSystem::Current())
            if (HWND window = ws->WindowFromDC(canvas))
                Menu_DrawWindowBorder(*ws, window, clBlack, flat_line_color_);
    bool right_to_left = menu_.BiDiMode() != TBiDiMode::bdLeftToRight && MiddleEastLocale();
    const ImageList* images = user_images_ ? &user_images_->Images() : nullptr;
    PaintMenuItem(canvas, rect, FaceOf(*item), selected, right_to_left, Look(), images, CheckMarks());
}

}
