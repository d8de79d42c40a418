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
    : m_menu(menu)
{
}

SkinnedMenu::~SkinnedMenu() { *m_alive = false; }

void SkinnedMenu::SetUserImages(TImageList* images)
{
    if (images == m_user_images)
        return;
    if (m_user_images)
        m_menu.RemoveFreeNotification(m_user_images);
    m_user_images = images;
    if (images)
        m_menu.FreeNotification(images);
    UserImagesChanged();
}

void SkinnedMenu::SetFileTheme(TsuiFileTheme* theme)
{
    if (m_file_theme && m_file_theme != theme)
        m_menu.RemoveFreeNotification(m_file_theme);
    m_file_theme = theme;
    if (theme)
        m_menu.FreeNotification(theme);
    SetUIStyle(m_ui_style);
}

void SkinnedMenu::SetUIStyle(TsuiUIStyle style)
{
    m_ui_style = style;
    m_look.bar_width = 26;
    bool mac = style == TsuiUIStyle::MacOS;
    m_look.mac_os = mac;
    m_item_height = mac ? 20 : 21;
    m_separator_height = mac ? 12 : 5;
    m_look.separator_color = mac ? 0 : 0x848284;
    ThemeSource theme(m_file_theme, style);
    m_look.bar_color = theme.Color(ThemeItem::MenuBarColor);
    m_look.color = theme.Color(ThemeItem::MenuBackgroundColor);
    m_look.font_color = theme.Color(ThemeItem::MenuFontColor);
    m_look.selected_border_color = theme.Color(ThemeItem::MenuSelectedBorderColor);
    m_look.selected_color = theme.Color(ThemeItem::MenuSelectedBackgroundColor);
    m_look.selected_font_color = theme.Color(ThemeItem::MenuSelectedFontColor);
    m_flat_line_color = theme.Color(ThemeItem::FormBackgroundColor);
}

void SkinnedMenu::SetSeparatorHeight(int height)
{
    if (m_ui_style != TsuiUIStyle::MacOS)
        m_separator_height = height;
}

void SkinnedMenu::SetHooks(TMenuItem& item)
{
    std::weak_ptr<bool> alive = m_alive;
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
    TMenuItem* root = m_menu.Items();
    for (int i = 0; i < root->Count(); ++i)
        SetHooks(*root->Items(i));
}

void SkinnedMenu::SkinNotification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove) {
        if (component == m_file_theme) {
            m_file_theme = nullptr;
            SetUIStyle(TsuiUIStyle::DeepBlue);
        }
        if (component == m_user_images) {
            m_user_images = nullptr;
            UserImagesChanged();
        }
        return;
    }
    if (auto* item = dynamic_cast<TMenuItem*>(component))
        SetHooks(*item);
}

MenuItemLook SkinnedMenu::Look() const
{
    MenuItemLook look = m_look;
    if (m_use_system_font) {
        Menu_GetSystemFont(look.font);
    } else {
        look.font = Font();
        look.font.name = m_font_name;
        look.font.SetSize(m_font_size);
        look.font.charset = m_font_charset;
    }
    return look;
}

void SkinnedMenu::MeasureItem(TObject* sender, Canvas& canvas, int& width, int& height)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item)
        return;
    Size size = MeasureMenuItem(canvas, FaceOf(*item), m_item_height, m_separator_height, m_look.bar_width);
    width = size.cx;
    height = size.cy;
}

void SkinnedMenu::DrawItem(TObject* sender, Canvas& canvas, Rect rect, bool selected)
{
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item)
        return;
    if (m_flat_menu)
        if (WindowSystem* ws = WindowSystem::Current())
            if (HWND window = ws->WindowFromDC(canvas))
                Menu_DrawWindowBorder(*ws, window, clBlack, m_flat_line_color);
    bool right_to_left = m_menu.BiDiMode() != TBiDiMode::bdLeftToRight && MiddleEastLocale();
    const ImageList* images = m_user_images ? &m_user_images->Images() : nullptr;
    PaintMenuItem(canvas, rect, FaceOf(*item), selected, right_to_left, Look(), images, CheckMarks());
}

}
