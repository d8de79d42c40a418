#pragma once

// Skin pictures that controls load by name, outside the theme item table
// (with their sizes in pixels).

namespace pellamo {

inline constexpr const char* kMacOSFormBackground = "MACOS_FORM_BACKGROUND"; // 8 x 8 tile
inline constexpr const char* kProteinFormBackground = "PROTEIN_FORM_BACKGROUND"; // 8 x 8 tile
inline constexpr const char* kMacOSMenuBar = "MACOS_MENU_BAR"; // 1 x 22
inline constexpr const char* kMacOSMenuSelect = "MACOS_MENU_SELECT"; // 1 x 21
inline constexpr const char* kMenuChecked = "MENU_CHECKED"; // 16 x 16, white is transparent
inline constexpr const char* kPanelButton = "PANEL_BUTTON"; // 52 x 12
inline constexpr const char* kMdiControlButton = "MDI_CONTROL_BUTTON"; // 48 x 16, white is transparent
inline constexpr const char* kMsnPopForm = "MSNPOPFORM"; // 181 x 116
inline constexpr const char* kMacOSComboBoxButton = "MACOS_COMBOBOX_BUTTON"; // 16 x 17
inline constexpr const char* kWinXPComboBoxButton = "WINXP_COMBOBOX_BUTTON"; // 16 x 18

}
