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
#include "skin/theme/style_choice.h"
#include "skin/theme_data/ui_style.h"

#include <memory>
#include <string>
#include <vector>

namespace pellamo {

class SkinnedMenu {
public:
    virtual ~SkinnedMenu();

    // The user's item images (not the menu's own check marks).
    TImageList* UserImages() const { return user_images_; }
    virtual void SetUserImages(TImageList* images);
    TsuiFileTheme* FileTheme() const { return style_.FileTheme(); }
    // Stores the reference, then applies the current style again.
    void SetFileTheme(TsuiFileTheme* theme);
    TsuiUIStyle UIStyle() const { return style_.Style(); }
    // Heights, bar and colours as the style (or its file theme) gives them;
    // the font settings and FlatMenu stay.
    void SetUIStyle(TsuiUIStyle style);

    int MenuItemHeight() const { return item_height_; }
    virtual void SetMenuItemHeight(int height) { item_height_ = height; }
    int SeparatorHeight() const { return separator_height_; }
    // Ignored in MacOS, whose separators are pictures.
    void SetSeparatorHeight(int height);
    int BarWidth() const { return look_.bar_width; }
    void SetBarWidth(int width) { look_.bar_width = width; }
    TColor BarColor() const { return look_.bar_color; }
    void SetBarColor(TColor c) { look_.bar_color = c; }
    TColor Color() const { return look_.color; }
    void SetColor(TColor c) { look_.color = c; }
    TColor SeparatorColor() const { return look_.separator_color; }
    void SetSeparatorColor(TColor c) { look_.separator_color = c; }
    TColor SelectedBorderColor() const { return look_.selected_border_color; }
    void SetSelectedBorderColor(TColor c) { look_.selected_border_color = c; }
    TColor SelectedColor() const { return look_.selected_color; }
    void SetSelectedColor(TColor c) { look_.selected_color = c; }
    TColor SelectedFontColor() const { return look_.selected_font_color; }
    void SetSelectedFontColor(TColor c) { look_.selected_font_color = c; }
    TColor FontColor() const { return look_.font_color; }
    void SetFontColor(TColor c) { look_.font_color = c; }
    // Kept with the menu; nothing paints with it.
    TColor BorderColor() const { return border_color_; }
    void SetBorderColor(TColor c) { border_color_ = c; }
    // Redraws the menu window's border flat.
    bool FlatMenu() const { return flat_menu_; }
    void SetFlatMenu(bool on) { flat_menu_ = on; }
    const std::string& FontName() const { return font_name_; }
    void SetFontName(const std::string& name) { font_name_ = name; }
    int FontSize() const { return font_size_; }
    void SetFontSize(int points) { font_size_ = points; }
    uint8_t FontCharset() const { return font_charset_; }
    void SetFontCharset(uint8_t charset) { font_charset_ = charset; }
    // Captions in the system's menu font instead of FontName/Size/Charset.
    bool UseSystemFont() const { return use_system_font_; }
    virtual void SetUseSystemFont(bool on) { use_system_font_ = on; }

    // Gives every item (top-level ones and all below) the two hooks; code
    // that adds items without an owner calls it afterwards.
    virtual void MenuAdded();

    // The item hooks; `sender` is the item.
    void MeasureItem(TObject* sender, Canvas& canvas, int& width, int& height);
    void DrawItem(TObject* sender, Canvas& canvas, Rect rect, bool selected);

    // What painting takes from the properties now.
    MenuItemLook Look() const;
    // The flat border's line: the window background of the style.
    TColor FlatLineColor() const { return flat_line_color_; }

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

    TMenu& menu_;

private:
    TImageList* user_images_ = nullptr;
    StyleChoice style_ { menu_ };
    int item_height_ = 21;
    int separator_height_ = 5;
    MenuItemLook look_;
    TColor border_color_ = 0;
    bool flat_menu_ = false;
    std::string font_name_ = "MS Sans Serif";
    int font_size_ = 8;
    uint8_t font_charset_ = 1;
    bool use_system_font_ = true;
    TColor flat_line_color_ = 0;
    // Hooks stay on items that outlive the menu (items of the owner that
    // went to another menu): they check this before they touch it.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
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
