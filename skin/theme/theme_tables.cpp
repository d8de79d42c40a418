#include "skin/theme/theme_tables.h"

#include <string_view>

namespace pellamo {

namespace {

using T = TsuiType;

// Item, name, kind, values (MacOS, WinXP, DeepBlue, Protein, BlueGlass),
// resources, frames. Colours are 0x00BBGGRR.
constexpr ThemeItemRow kRows[] = {
    { 1, "ButtonImage", T::Str, {},
        { "MACOS_BUTTON", "WINXP_BUTTON", "DEEPBLUE_BUTTON", "PROTEIN_BUTTON", "BLUEGLASS_BUTTON" }, 3 },
    { 2, "ButtonTransparentBool", T::Bool, { 1, 0, 0, 0, 1 } },
    { 3, "CheckBoxImage", T::Str, {},
        { "MACOS_CHECKBOX", "WINXP_CHECKBOX", "DEEPBLUE_CHECKBOX", "PROTEIN_CHECKBOX", "BLUEGLASS_CHECKBOX" }, 4 },
    { 4, "RadioButtonImage", T::Str, {},
        { "MACOS_RADIOBUTTON", "WINXP_RADIOBUTTON", "DEEPBLUE_RADIOBUTTON", "PROTEIN_RADIOBUTTON",
            "BLUEGLASS_RADIOBUTTON" },
        4 },
    { 5, "TitleBarButtonImage", T::Str, {},
        { "MACOS_TITLEBTN", "WINXP_TITLEBTN", "DEEPBLUE_TITLEBTN", "PROTEIN_TITLEBTN", "BLUEGLASS_TITLEBTN" }, 18 },
    { 6, "TitleBarButtonTransparentBool", T::Bool, { 0, 0, 0, 1, 1 } },
    { 7, "TitleBarButtonLeftOffsetInt", T::Int, { 3, 2, 0, 0, 4 } },
    { 8, "TitleBarButtonRightOffsetInt", T::Int, { -2, -2, 0, 0, -3 } },
    { 9, "TitleBarButtonTopInt", T::Int, { 4, 5, 2, 2, 6 } },
    { 10, "TitleBarLeftImage", T::Str, {},
        { "MACOS_TITLE_LEFT", "WINXP_TITLE_LEFT", "DEEPBLUE_TITLE_LEFT", "PROTEIN_TITLE_LEFT", "BLUEGLASS_TITLE_LEFT" },
        0 },
    { 11, "TitleBarClientImage", T::Str, {},
        { "MACOS_TITLE_CLIENT", "WINXP_TITLE_CLIENT", "DEEPBLUE_TITLE_CLIENT", "PROTEIN_TITLE_CLIENT",
            "BLUEGLASS_TITLE_CLIENT" },
        0 },
    { 12, "TitleBarRightImage", T::Str, {},
        { "MACOS_TITLE_RIGHT", "WINXP_TITLE_RIGHT", "DEEPBLUE_TITLE_RIGHT", "PROTEIN_TITLE_RIGHT",
            "BLUEGLASS_TITLE_RIGHT" },
        0 },
    { 13, "FormMinWidthInt", T::Int, { 130, 150, 130, 130, 270 } },
    { 14, "FormRoundCornerInt", T::Int, { 0, 13, 0, 0, 11 } },
    { 15, "FormBackgroundColor", T::Color, { 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7 } },
    { 16, "FormBorderColor", T::Color, { 0x7F7F7F, 0xC82C00, 0x000000, 0x000000, 0x000000 } },
    { 17, "FormBorderWidthInt", T::Int, { 1, 3, 1, 1, 1 } },
    { 18, "MenuSelectedBorderColor", T::Color, { 0xC47339, 0xC66931, 0xA04A44, 0xC4302D, 0xEC5E5E } },
    { 19, "MenuSelectedBackgroundColor", T::Color, { 0xC47339, 0xEFD3C6, 0xA04A44, 0xC4302D, 0xEC5E5E } },
    { 20, "MenuSelectedFontColor", T::Color, { 0xFFFFFF, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF } },
    { 21, "MenuBackgroundColor", T::Color, { 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xE7E7E7 } },
    { 22, "MenuFontColor", T::Color, { 0x000000, 0x000000, 0x000000, 0x000000, 0x000000 } },
    { 23, "MenuBarColor", T::Color, { 0x000000, 0xCED3D6, 0xCED3D6, 0xCED3D6, 0xCED3D6 } },
    { 24, "ProgressBarImage", T::Str, {},
        { "MACOS_PROGRESSBAR", "WINXP_PROGRESSBAR", "DEEPBLUE_PROGRESSBAR", "PROTEIN_PROGRESSBAR",
            "BLUEGLASS_PROGRESSBAR" },
        0 },
    { 25, "ControlBorderColor", T::Color, { 0x7F7F7F, 0x686868, 0x000000, 0x000000, 0x000000 } },
    { 26, "ControlBackgroundColor", T::Color, { 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7 } },
    { 27, "ControlFontColor", T::Color, { 0x000000, 0xCF4602, 0x000000, 0x000000, 0x000000 } },
    { 28, "TrackBarBarImage", T::Str, {},
        { "MACOS_TRACKBAR_BAR", "WINXP_TRACKBAR_BAR", "DEEPBLUE_TRACKBAR_BAR", "PROTEIN_TRACKBAR_BAR",
            "BLUEGLASS_TRACKBAR_BAR" },
        0 },
    { 29, "TrackBarSliderImage", T::Str, {},
        { "MACOS_TRACKBAR_SLIDER", "WINXP_TRACKBAR_SLIDER", "DEEPBLUE_TRACKBAR_SLIDER", "PROTEIN_TRACKBAR_SLIDER",
            "BLUEGLASS_TRACKBAR_SLIDER" },
        0 },
    { 30, "TrackBarSliderVImage", T::Str, {},
        { "MACOS_TRACKBAR_SLIDER_V", "WINXP_TRACKBAR_SLIDER_V", "DEEPBLUE_TRACKBAR_SLIDER_V",
            "PROTEIN_TRACKBAR_SLIDER_V", "BLUEGLASS_TRACKBAR_SLIDER_V" },
        0 },
    { 31, "ScrollBarBackgroundColor", T::Color, { 0xC9C9C9, 0xF9F9F9, 0xF5F5F5, 0xF5F5F5, 0xF4F4F4 } },
    { 32, "ScrollBarButtonImage", T::Str, {},
        { "MACOS_SCROLLBAR_BUTTON", "WINXP_SCROLLBAR_BUTTON", "DEEPBLUE_SCROLLBAR_BUTTON", "PROTEIN_SCROLLBAR_BUTTON",
            "BLUEGLASS_SCROLLBAR_BUTTON" },
        6 },
    { 33, "ScrollBarSliderImage", T::Str, {},
        { "MACOS_SCROLLBAR_TRACK", "WINXP_SCROLLBAR_TRACK", "DEEPBLUE_SCROLLBAR_TRACK", "PROTEIN_SCROLLBAR_TRACK",
            "BLUEGLASS_SCROLLBAR_TRACK" },
        3 },
    { 34, "CheckListBoxImage", T::Str, {},
        { "MACOS_CHECKLIST", "WINXP_CHECKLIST", "DEEPBLUE_CHECKLIST", "PROTEIN_CHECKLIST", "BLUEGLASS_CHECKLIST" }, 0 },
    { 35, "ToolBarButtonBorderColor", T::Color, { 0x474747, 0xC66931, 0x474747, 0x474747, 0x474747 } },
    { 36, "ToolBarButtonBackgroundColor", T::Color, { 0xEFEFEF, 0xEFD3C6, 0xEFEFEF, 0xEFEFEF, 0xEFEFEF } },
    { 37, "ToolBarButtonDownBackgroundColor", T::Color, { 0xD8D8D8, 0xE1AC93, 0xD8D8D8, 0xD8D8D8, 0xD8D8D8 } },
    { 38, "ScrollButtonImage", T::Str, {},
        { "MACOS_SCROLLBUTTON", "WINXP_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON", "MORE_SCROLLBUTTON" },
        0 },
    { 39, "TabControlTabImage", T::Str, {},
        { "MACOS_TAB", "WINXP_TAB", "DEEPBLUE_TAB", "PROTEIN_TAB", "BLUEGLASS_TAB" }, 0 },
    { 40, "TabControlBarImage", T::Str, {},
        { "MACOS_TAB_LINE", "WINXP_TAB_LINE", "DEEPBLUE_TAB_LINE", "PROTEIN_TAB_LINE", "BLUEGLASS_TAB_LINE" }, 0 },
    { 41, "SideChannelHandleImage", T::Str, {},
        { "MACOS_SIDECHENNEL_HANDLE", "WINXP_SIDECHENNEL_HANDLE", "DEEPBLUE_SIDECHENNEL_HANDLE",
            "PROTEIN_SIDECHENNEL_HANDLE", "BLUEGLASS_SIDECHENNEL_HANDLE" },
        0 },
    { 42, "SideChannelBarImage", T::Str, {},
        { "MACOS_SIDECHENNEL_BAR", "WINXP_SIDECHENNEL_BAR", "DEEPBLUE_SIDECHENNEL_BAR", "PROTEIN_SIDECHENNEL_BAR",
            "BLUEGLASS_SIDECHENNEL_BAR" },
        0 },
    { 43, "TitleBarMinimizedImage", T::Str, {}, { "", "", "", "", "" }, 0 },
    { 44, "TitleBarFontColor", T::Color, { 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF } },
    { 45, "FormLeftBorderImage", T::Str, {}, { "", "", "", "", "" }, 0 },
    { 46, "FormBottomBorderImage", T::Str, {}, { "", "", "", "", "" }, 0 },
    { 47, "FormBottomRoundCornerInt", T::Int, { 0, 0, 0, 0, 0 } },
    { 48, "MenuMenuBarColor", T::Color, { 0xE7E7E7, 0xDEEBEF, 0xE8E8E8, 0xFBFBFB, 0xE7E7E7 } },
};

constexpr bool NumberedInOrder()
{
    for (int i = 0; i < kThemeItemCount; ++i)
        if (kRows[i].number != i + 1)
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

const ThemeItemRow* FindThemeItem(int item)
{
    if (item < 1 || item > kThemeItemCount)
        return nullptr;
    return &kRows[item - 1];
}

const char* StyleResourcePrefix(TsuiUIStyle style)
{
    static constexpr const char* kPrefixes[] = { "MACOS", "WINXP", "DEEPBLUE", "PROTEIN", "BLUEGLASS" };
    int column = BuiltInStyleColumn(style);
    return column < 0 ? "" : kPrefixes[column];
}

}
