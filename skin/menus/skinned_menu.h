#pragma once

// What the skinned main and pop-up menus share: the appearance they
// publish (the heights, bar, colours and font set by the style, or stored
// values that replace those), the style hand-over, and the two item hooks
// that measure and paint every item with it.

#include "platform/components/controls/image_list.h"
#include "platform/components/controls/menu.h"
#include "platform/components/props.h"
#include "skin/menus/menu_item_look.h"
#include "skin/theme/file_theme.h"
#include "skin/theme_data/ui_style.h"

#include <memory>
#include <string>
#include <vector>

namespace pellamo {

class SkinnedMenu {
public:
    virtual ~SkinnedMenu();

    // The user's item images (not the menu's own check marks).
    TImageList* UserImages() const { return m_user_images; }
    virtual void SetUserImages(TImageList* images);
    TsuiFileTheme* FileTheme() const { return m_file_theme; }
    // Stores the reference, then applies the current style again.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return m_ui_style; }
    // Heights, bar and colours as the style (or its file theme) gives them;
    // the font settings and FlatMenu stay.
    void SetUIStyle(TsuiUIStyle style);

    int MenuItemHeight() const { return m_item_height; }
    virtual void SetMenuItemHeight(int height) { m_item_height = height; }
    int SeparatorHeight() const { return m_separator_height; }
    // Ignored in MacOS, whose separators are pictures.
    void SetSeparatorHeight(int height);
    int BarWidth() const { return m_look.bar_width; }
    void SetBarWidth(int width) { m_look.bar_width = width; }
    TColor BarColor() const { return m_look.bar_color; }
    void SetBarColor(TColor c) { m_look.bar_color = c; }
    TColor Color() const { return m_look.color; }
    void SetColor(TColor c) { m_look.color = c; }
    TColor SeparatorColor() const { return m_look.separator_color; }
    void SetSeparatorColor(TColor c) { m_look.separator_color = c; }
    TColor SelectedBorderColor() const { return m_look.selected_border_color; }
    void SetSelectedBorderColor(TColor c) { m_look.selected_border_color = c; }
    TColor SelectedColor() const { return m_look.selected_color; }
    void SetSelectedColor(TColor c) { m_look.selected_color = c; }
    TColor SelectedFontColor() const { return m_look.selected_font_color; }
    void SetSelectedFontColor(TColor c) { m_look.selected_font_color = c; }
    TColor FontColor() const { return m_look.font_color; }
    void SetFontColor(TColor c) { m_look.font_color = c; }
    // Kept with the menu; nothing paints with it.
    TColor BorderColor() const { return m_border_color; }
    void SetBorderColor(TColor c) { m_border_color = c; }
    // Redraws the menu window's border flat.
    bool FlatMenu() const { return m_flat_menu; }
    void SetFlatMenu(bool on) { m_flat_menu = on; }
    const std::string& FontName() const { return m_font_name; }
    void SetFontName(const std::string& name) { m_font_name = name; }
    int FontSize() const { return m_font_size; }
    void SetFontSize(int points) { m_font_size = points; }
    uint8_t FontCharset() const { return m_font_charset; }
    void SetFontCharset(uint8_t charset) { m_font_charset = charset; }
    // Captions in the system's menu font instead of FontName/Size/Charset.
    bool UseSystemFont() const { return m_use_system_font; }
    virtual void SetUseSystemFont(bool on) { m_use_system_font = on; }

    // Gives every item (top-level ones and all below) the two hooks; code
    // that adds items without an owner calls it afterwards.
    virtual void MenuAdded();

    // The item hooks; `sender` is the item.
    void MeasureItem(TObject* sender, Canvas& canvas, int& width, int& height);
    void DrawItem(TObject* sender, Canvas& canvas, Rect rect, bool selected);

    // What painting takes from the properties now.
    MenuItemLook Look() const;
    // The flat border's line: the window background of the style.
    TColor FlatLineColor() const { return m_flat_line_color; }

protected:
    explicit SkinnedMenu(TMenu& menu);
    // After the menu's own handling: a removed file theme turns the menu to
    // DeepBlue, a removed image list is let go, an inserted menu item (of
    // this menu or of its owner) gets the hooks.
    void SkinNotification(TComponent* component, TOperation operation);
    // The list whose first image is the check mark.
    virtual const ImageList* CheckMarks() const = 0;
    // The user's list changed (install it in the menu).
    virtual void UserImagesChanged() = 0;
    // The hooks as events, for Menu_SetItemEvent.
    void SetHooks(TMenuItem& item);

    TMenu& m_menu;

private:
    TImageList* m_user_images = nullptr;
    TsuiFileTheme* m_file_theme = nullptr;
    TsuiUIStyle m_ui_style = TsuiUIStyle::DeepBlue;
    int m_item_height = 21;
    int m_separator_height = 5;
    MenuItemLook m_look;
    TColor m_border_color = 0;
    bool m_flat_menu = false;
    std::string m_font_name = "MS Sans Serif";
    int m_font_size = 8;
    uint8_t m_font_charset = 1;
    bool m_use_system_font = true;
    TColor m_flat_line_color = 0;
    // Hooks stay on items that outlive the menu (items of the owner that
    // went to another menu): they check this before they touch it.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// The published appearance of a skinned menu class M, in the order a
// stored form lists it.
template <class M> std::vector<PropInfo> SkinnedMenuProps()
{
    return {
        props::Ref<M, TImageList>("Images", &M::UserImages, &M::SetUserImages),
        // Always owner-drawn; a stored False changes nothing.
        props::Bool<M>(
            "OwnerDraw", [](const M&) { return true; }, [](M&, bool) {}),
        props::Ref<M, TsuiFileTheme>("FileTheme", &M::FileTheme, &M::SetFileTheme),
        props::Enum<M>("UIStyle", UIStyleNames(), &M::UIStyle, &M::SetUIStyle),
        props::Int<M>("MenuItemHeight", &M::MenuItemHeight, &M::SetMenuItemHeight),
        props::Int<M>("SeparatorHeight", &M::SeparatorHeight, &M::SetSeparatorHeight),
        props::Int<M>("BarWidth", &M::BarWidth, &M::SetBarWidth),
        props::Color<M>("BarColor", &M::BarColor, &M::SetBarColor),
        props::Color<M>("Color", &M::Color, &M::SetColor),
        props::Color<M>("SeparatorColor", &M::SeparatorColor, &M::SetSeparatorColor),
        props::Color<M>("SelectedBorderColor", &M::SelectedBorderColor, &M::SetSelectedBorderColor),
        props::Color<M>("SelectedColor", &M::SelectedColor, &M::SetSelectedColor),
        props::Color<M>("SelectedFontColor", &M::SelectedFontColor, &M::SetSelectedFontColor),
        props::Color<M>("FontColor", &M::FontColor, &M::SetFontColor),
        props::Color<M>("BorderColor", &M::BorderColor, &M::SetBorderColor),
        props::Bool<M>("FlatMenu", &M::FlatMenu, &M::SetFlatMenu),
        props::Str<M>("FontName", &M::FontName, &M::SetFontName),
        props::Int<M>("FontSize", &M::FontSize, &M::SetFontSize),
        props::Int<M>("FontCharset", &M::FontCharset, &M::SetFontCharset),
        props::Bool<M>("UseSystemFont", &M::UseSystemFont, &M::SetUseSystemFont),
    };
}

}
