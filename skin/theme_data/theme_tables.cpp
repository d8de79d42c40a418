#include "skin/theme_data/theme_tables.h"

#include <string_view>

namespace pellamo {

namespace {

using T = TsuiType;
using I = ThemeItem;

// Item, name, kind, values (MacOS, WinXP, DeepBlue, Protein, BlueGlass),
// resources, frames. Colours are 0x00BBGGRR.
constexpr ThemeItemRow kRows[] = {
    { I::ButtonImage, "ButtonImage", T::Str, {},
        { "MACOS_BUTTON", "WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON", "BLUEGLASS_BUTTON" }, 3 },
    { I::ButtonTransparentBool, "ButtonTransparentBool", T::Bool, { 1, 0, 0, 0, 1 } },
    { I::CheckBoxImage, "CheckBoxImage", T::Str, {},
        { "MACOS_CHECKBOX", "WINXP_CHECKBOX", "DEEPBLUE_CHECKBOX", "PROTEIN_CHECKBOX", "BLUEGLASS_CHECKBOX" }, 4 },
    { I::RadioButtonImage, "RadioButtonImage", T::Str, {},
        { "MACOS_RADIOBUTTON", "WINXP_RADIOBUTTON", "DEEPBLUE_RADIOBUTTON", "PROTEIN_RADIOBUTTON",
            "BLUEGLASS_RADIOBUTTON" },
        4 },
    { I::TitleBarButtonImage, "TitleBarButtonImage", T::Str, {},
        { "MACOS_TITLEBTN", "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "PROTEIN_TITLEBTN", "BLUEGLASS_TITLEBTN" }, 18 },
    { I::TitleBarButtonTransparentBool, "TitleBarButtonTransparentBool", T::Bool, { 0, 0, 0, 1, 1 } },
    { I::TitleBarButtonLeftOffsetInt, "TitleBarButtonLeftOffsetInt", T::Int, { 3, 2, 0, 0, 4 } },
    { I::TitleBarButtonRightOffsetInt, "TitleBarButtonRightOffsetInt", T::Int, { -2, -2, 0, 0, -3 } },
    { I::TitleBarButtonTopInt, "TitleBarButtonTopInt", T::Int, { 4, 5, 2, 2, 6 } },
    { I::TitleBarLeftImage, "TitleBarLeftImage", T::Str, {},
        { "MACOS_TITLE_LEFT", "WINXP_TITLE_LEFT", "DEEPBLUE_TITLE_LEFT", "PROTEIN_TITLE_LEFT", "BLUEGLASS_TITLE_LEFT" },
        0 },
    { I::TitleBarClientImage, "TitleBarClientImage", T::Str, {},
        { "MACOS_TITLE_CLIENT", "WINXP_TITLE_CLIENT", "DEEPBLUE_TITLE_CLIENT", "PROTEIN_TITLE_CLIENT",
            "BLUEGLASS_TITLE_CLIENT" },
        0 },
    { I::TitleBarRightImage, "TitleBarRightImage", T::Str, {},
        { "MACOS_TITLE_RIGHT", "WINXP_TITLE_RIGHT", "DEEPBLUE_TITLE_RIGHT", "PROTEIN_TITLE_RIGHT",
            "BLUEGLASS_TITLE_RIGHT" },
        0 },
    { I::FormMinWidthInt, "FormMinWidthInt", T::Int, { 130, 150, 130, 130, 270 } },
    { I::FormRoundCornerInt, "FormRoundCornerInt", T::Int, { 0, 13, 0, 0, 11 } },
    { I::FormBackgroundColor, "FormBackgroundColor", T::Color, { 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7 } },
    { I::FormBorderColor, "FormBorderColor", T::Color, { 0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000 } },
    { I::FormBorderWidthInt, "FormBorderWidthInt", T::Int, { 1, 3, 1, 1, 1 } },
    { I::MenuSelectedBorderColor, "MenuSelectedBorderColor", T::Color,
        { 0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E } },
    { I::MenuSelectedBackgroundColor, "MenuSelectedBackgroundColor", T::Color,
        { 0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E } },
    { I::MenuSelectedFontColor, "MenuSelectedFontColor", T::Color,
        { 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF } },
    { I::MenuBackgroundColor, "MenuBackgroundColor", T::Color, { 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7 } },
    { I::MenuFontColor, "MenuFontColor", T::Color, { 0x000000, 0x000000, 0x000000, 0x000000, 0x000000 } },
    { I::MenuBarColor, "MenuBarColor", T::Color, { 0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6 } },
    { I::ProgressBarImage, "ProgressBarImage", T::Str, {},
        { "MACOS_PROGRESSBAR", "WINXP_PROGRESSBAR", "DEEPBLUE_PROGRESSBAR", "PROTEIN_PROGRESSBAR",
            "BLUEGLASS_PROGRESSBAR" },
        0 },
    { I::ControlBorderColor, "ControlBorderColor", T::Color, { 0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000 } },
    { I::ControlBackgroundColor, "ControlBackgroundColor", T::Color,
        { 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7 } },
    { I::ControlFontColor, "ControlFontColor", T::Color, { 0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000 } },
    { I::TrackBarBarImage, "TrackBarBarImage", T::Str, {},
        { "MACOS_TRACKBAR_BAR", "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR", "PROTEIN_TRACKBAR_BAR",
            "BLUEGLASS_TRACKBAR_BAR" },
        0 },
    { I::TrackBarSliderImage, "TrackBarSliderImage", T::Str, {},
        { "MACOS_TRACKBAR_SLIDER", "WINXP_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER", "PROTEIN_TRACKBAR_SLIDER",
            "BLUEGLASS_TRACKBAR_SLIDER" },
        0 },
    { I::TrackBarSliderVImage, "TrackBarSliderVImage", T::Str, {},
        { "MACOS_TRACKBAR_SLIDER_V", "WINXP_TRACKBAR_SLIDER_V", "DEEPBLUE_TRACKBAR_SLIDER_V",
            "PROTEIN_TRACKBAR_SLIDER_V", "BLUEGLASS_TRACKBAR_SLIDER_V" },
        0 },
    { I::ScrollBarBackgroundColor, "ScrollBarBackgroundColor", T::Color,
        { 0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4 } },
    { I::ScrollBarButtonImage, "ScrollBarButtonImage", T::Str, {},
        { "MACOS_SCROLLBAR_BUTTON", "WINXP_SCROLLBAR_BUTTON", "DEEPBLUE_SCROLLBAR_BUTTON", "PROTEIN_SCROLLBAR_BUTTON",
            "BLUEGLASS_SCROLLBAR_BUTTON" },
        6 },
    { I::ScrollBarSliderImage, "ScrollBarSliderImage", T::Str, {},
        { "MACOS_SCROLLBAR_TRACK", "WINXP_SCROLLBAR_TRACK", "DEEPBLUE_SCROLLBAR_TRACK", "PROTEIN_SCROLLBAR_TRACK",
            "BLUEGLASS_SCROLLBAR_TRACK" },
        3 },
    { I::CheckListBoxImage, "CheckListBoxImage", T::Str, {},
        { "MACOS_CHECKLIST", "WINXP_CHECKLIST", "DEEPBLUE_CHECKLIST", "PROTEIN_CHECKLIST", "BLUEGLASS_CHECKLIST" }, 0 },
    { I::ToolBarButtonBorderColor, "ToolBarButtonBorderColor", T::Color,
        { 0x474747, 0xC66931, 0x474747, 0x474747, 0x474747 } },
    { I::ToolBarButtonBackgroundColor, "ToolBarButtonBackgroundColor", T::Color,
        { 0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF } },
    { I::ToolBarButtonDownBackgroundColor, "ToolBarButtonDownBackgroundColor", T::Color,
        { 0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8 } },
    { I::ScrollButtonImage, "ScrollButtonImage", T::Str, {},
        { "MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON" },
        0 },
    { I::TabControlTabImage, "TabControlTabImage", T::Str, {},
        { "MACOS_TAB", "WINXP_TAB", "DEEPBLUE_TAB", "PROTEIN_TAB", "BLUEGLASS_TAB" }, 0 },
    { I::TabControlBarImage, "TabControlBarImage", T::Str, {},
        { "MACOS_TAB_LINE", "WINXP_TAB_LINE", "DEEPBLUE_TAB_LINE", "PROTEIN_TAB_LINE", "BLUEGLASS_TAB_LINE" }, 0 },
    { I::SideChannelHandleImage, "SideChannelHandleImage", T::Str, {},
        { "MACOS_SIDECHENNEL_HANDLE", "WINXP_SIDECHENNEL_HANDLE", "DEEPBLUE_SIDECHENNEL_HANDLE",
            "PROTEIN_SIDECHENNEL_HANDLE", "BLUEGLASS_SIDECHENNEL_HANDLE" },
        0 },
    { I::SideChannelBarImage, "SideChannelBarImage", T::Str, {},
        { "MACOS_SIDECHENNEL_BAR", "WINXP_SIDECHENNEL_BAR", "DEEPBLUE_SIDECHENNEL_BAR", "PROTEIN_SIDECHENNEL_BAR",
            "BLUEGLASS_SIDECHENNEL_BAR" },
        0 },
    { I::TitleBarMinimizedImage, "TitleBarMinimizedImage", T::Str, {}, { "", "", "", "", "" }, 0 },
    { I::TitleBarFontColor, "TitleBarFontColor", T::Color, { 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF } },
    { I::FormLeftBorderImage, "FormLeftBorderImage", T::Str, {}, { "", "", "", "", "" }, 0 },
    { I::FormBottomBorderImage, "FormBottomBorderImage", T::Str, {}, { "", "", "", "", "" }, 0 },
    { I::FormBottomRoundCornerInt, "FormBottomRoundCornerInt", T::Int, { 0, 0, 0, 0, 0 } },
    { I::MenuMenuBarColor, "MenuMenuBarColor", T::Color, { 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7 } },
};

constexpr bool NumberedInOrder()
{
    for (int i = 0; i < kThemeItemCount; ++i)
        if (ThemeItemNumber(kRows[i].item) != i + 1)
            return false;
    return true;
}

// Every name ends in the word of its kind.
constexpr bool NamesEndInTheirKind()
{
    for (const ThemeItemRow& row : kRows) {
        std::string_view name = row.name;
        std::string_view word = row.kind == T::Int ? "Int"
            : row.kind == T::Color                 ? "Color"
            : row.kind == T::Bool                  ? "Bool"
                                                   : "Image";
        if (!name.ends_with(word))
            return false;
    }
    return true;
}

static_assert(std::size(kRows) == kThemeItemCount);
static_assert(NumberedInOrder());
static_assert(NamesEndInTheirKind());
static_assert(kRows[7].values[0] == -2 && kRows[7].values[4] == -3); // right button offsets
static_assert(kRows[14].values[0] == 0xE7E7E7 && kRows[15].values[0] == 0x7F7F7F); // MacOS form colours
static_assert(std::string_view(kRows[37].resources[2]) == "MORE_SCROLLBUTTON");
static_assert(std::string_view(kRows[41].resources[0]) == "MACOS_SIDECHENNEL_BAR");

}

std::span<const ThemeItemRow> ThemeItemRows() { return kRows; }

const ThemeItemRow* FindThemeItem(ThemeItem item)
{
    int number = ThemeItemNumber(item);
    if (number < 1 || number > kThemeItemCount)
        return nullptr;
    return &kRows[number - 1];
}

const char* StyleResourcePrefix(TsuiUIStyle style)
{
    static constexpr const char* kPrefixes[] = { "MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS" };
    int column = BuiltInStyleColumn(style);
    return column < 0 ? "" : kPrefixes[column];
}

}
