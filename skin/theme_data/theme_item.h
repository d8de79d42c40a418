#pragma once

// The 48 theme items, named as theme files store them (the name ends in
// the item's kind). Look-ups take these; a value outside 1..48 names no
// item and is answered with the default of the kind asked, so a number
// from outside (a stored ThemeID) may be cast as it is.

namespace pellamo {

enum class ThemeItem : int {
    ButtonImage = 1,
    ButtonTransparentBool,
    CheckBoxImage,
    RadioButtonImage,
    TitleBarButtonImage,
    TitleBarButtonTransparentBool,
    TitleBarButtonLeftOffsetInt,
    TitleBarButtonRightOffsetInt,
    TitleBarButtonTopInt,
    TitleBarLeftImage,
    TitleBarClientImage,
    TitleBarRightImage,
    FormMinWidthInt,
    FormRoundCornerInt,
    FormBackgroundColor,
    FormBorderColor,
    FormBorderWidthInt,
    MenuSelectedBorderColor,
    MenuSelectedBackgroundColor,
    MenuSelectedFontColor,
    MenuBackgroundColor,
    MenuFontColor,
    MenuBarColor,
    ProgressBarImage,
    ControlBorderColor,
    ControlBackgroundColor,
    ControlFontColor,
    TrackBarBarImage,
    TrackBarSliderImage,
    TrackBarSliderVImage,
    ScrollBarBackgroundColor,
    ScrollBarButtonImage,
    ScrollBarSliderImage,
    CheckListBoxImage,
    ToolBarButtonBorderColor,
    ToolBarButtonBackgroundColor,
    ToolBarButtonDownBackgroundColor,
    ScrollButtonImage,
    TabControlTabImage,
    TabControlBarImage,
    SideChannelHandleImage,
    SideChannelBarImage,
    TitleBarMinimizedImage,
    TitleBarFontColor,
    FormLeftBorderImage,
    FormBottomBorderImage,
    FormBottomRoundCornerInt,
    MenuMenuBarColor,
};

inline constexpr int kThemeItemCount = 48;
static_assert(static_cast<int>(ThemeItem::MenuMenuBarColor) == kThemeItemCount);

constexpr int ThemeItemNumber(ThemeItem item) { return static_cast<int>(item); }

}
