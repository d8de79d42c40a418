#pragma once

#include "platform/gfx/color.h"

namespace pellamo::skin_art {

enum class Look { MacOS, WinXP, DeepBlue, Protein, BlueGlass };

// The colours and shapes one built-in style draws its pictures with. The
// first group repeats the style's theme values (window background, borders,
// menu highlight, scroll-bar track, caption colour, title button top), so
// that pictures and the controls that paint around them agree; the rest is
// the style's own look.
struct ArtStyle {
    Look look;
    const char* name;

    TColor form_background;
    TColor form_border;
    int form_border_width;
    TColor menu_selected; // fill of the highlighted menu item
    TColor menu_selected_border;
    TColor menu_selected_font;
    TColor control_border;
    TColor scroll_background;
    TColor title_font;
    int title_button_top;
    int title_height; // of the title bar pictures
    int title_left_offset; // of the window menu box
    int title_right_offset; // of the right-hand buttons
    int round_corner; // of the window's top corners

    TColor face_top; // push button face, top and bottom of its gradient
    TColor face_bottom;
    TColor face_border;
    TColor accent; // the strong colour: title bars, fills, highlights
    TColor accent_dark;
    TColor accent_light;
    TColor glyph; // arrows and ticks on faces
    double radius; // corner rounding of buttons
};

// 0x00BBGGRR from the usual red, green, blue order, to keep palettes readable.
constexpr TColor Hex(uint32_t rgb)
{
    return Rgb(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb));
}

constexpr TColor kKeyFuchsia = clFuchsia;
constexpr TColor kKeyWhite = clWhite;

inline constexpr ArtStyle kMacOSArt {
    .look = Look::MacOS,
    .name = "MacOS",
    .form_background = 0xE7E7E7,
    .form_border = 0x7F7F7F,
    .form_border_width = 1,
    .menu_selected = 0xC47339,
    .menu_selected_border = 0xC47339,
    .menu_selected_font = 0xFFFFFF,
    .control_border = 0x7F7F7F,
    .scroll_background = 0xC9C9C9,
    .title_font = 0x000000,
    .title_button_top = 4,
    .title_height = 23,
    .title_left_offset = 3,
    .title_right_offset = -2,
    .round_corner = 0,
    .face_top = Hex(0xF7F7F7),
    .face_bottom = Hex(0xD2D2D2),
    .face_border = Hex(0x4A4A4A),
    .accent = Hex(0x3973C4),
    .accent_dark = Hex(0x24528F),
    .accent_light = Hex(0xA9C4EC),
    .glyph = Hex(0x202020),
    .radius = 4,
};

inline constexpr ArtStyle kWinXPArt {
    .look = Look::WinXP,
    .name = "WinXP",
    .form_background = 0xDEEBEF,
    .form_border = 0xC82C00,
    .form_border_width = 3,
    .menu_selected = 0xEFD3C6,
    .menu_selected_border = 0xC66931,
    .menu_selected_font = 0x000000,
    .control_border = 0x686868,
    .scroll_background = 0xF9F9F9,
    .title_font = 0xFFFFFF,
    .title_button_top = 5,
    .title_height = 29,
    .title_left_offset = 2,
    .title_right_offset = -2,
    .round_corner = 13,
    .face_top = Hex(0xFFFFFF),
    .face_bottom = Hex(0xE3E0D3),
    .face_border = Hex(0x1E3F7A),
    .accent = Hex(0x1A5BDB),
    .accent_dark = Hex(0x0A2FA8),
    .accent_light = Hex(0x8FB6F5),
    .glyph = Hex(0x2B4A8C),
    .radius = 3.5,
};

inline constexpr ArtStyle kDeepBlueArt {
    .look = Look::DeepBlue,
    .name = "DeepBlue",
    .form_background = 0xE8E8E8,
    .form_border = 0x000000,
    .form_border_width = 1,
    .menu_selected = 0xA04A44,
    .menu_selected_border = 0xA04A44,
    .menu_selected_font = 0xFFFFFF,
    .control_border = 0x000000,
    .scroll_background = 0xF5F5F5,
    .title_font = 0xFFFFFF,
    .title_button_top = 2,
    .title_height = 32,
    .title_left_offset = 0,
    .title_right_offset = 0,
    .round_corner = 0,
    .face_top = Hex(0xE9EEF7),
    .face_bottom = Hex(0xB7C4DD),
    .face_border = Hex(0x14244A),
    .accent = Hex(0x1F3F86),
    .accent_dark = Hex(0x0B1A3F),
    .accent_light = Hex(0x6F8FCF),
    .glyph = Hex(0x14244A),
    .radius = 2,
};

inline constexpr ArtStyle kProteinArt {
    .look = Look::Protein,
    .name = "Protein",
    .form_background = 0xFBFBFB,
    .form_border = 0x000000,
    .form_border_width = 1,
    .menu_selected = 0xC4302D,
    .menu_selected_border = 0xC4302D,
    .menu_selected_font = 0xFFFFFF,
    .control_border = 0x000000,
    .scroll_background = 0xF5F5F5,
    .title_font = 0xFFFFFF,
    .title_button_top = 2,
    .title_height = 23,
    .title_left_offset = 0,
    .title_right_offset = 0,
    .round_corner = 0,
    .face_top = Hex(0xFFFFFF),
    .face_bottom = Hex(0xECECEC),
    .face_border = Hex(0x1A1A1A),
    .accent = Hex(0x2D30C4),
    .accent_dark = Hex(0x1A1C78),
    .accent_light = Hex(0x9A9CF0),
    .glyph = Hex(0x1A1A1A),
    .radius = 3,
};

inline constexpr ArtStyle kBlueGlassArt {
    .look = Look::BlueGlass,
    .name = "BlueGlass",
    .form_background = 0xE7E7E7,
    .form_border = 0x000000,
    .form_border_width = 1,
    .menu_selected = 0xEC5E5E,
    .menu_selected_border = 0xEC5E5E,
    .menu_selected_font = 0xFFFFFF,
    .control_border = 0x000000,
    .scroll_background = 0xF4F4F4,
    .title_font = 0xFFFFFF,
    .title_button_top = 6,
    .title_height = 33,
    .title_left_offset = 4,
    .title_right_offset = -3,
    .round_corner = 11,
    .face_top = Hex(0xEAF4FF),
    .face_bottom = Hex(0x9CC6F2),
    .face_border = Hex(0x1D4E8F),
    .accent = Hex(0x2F7FE0),
    .accent_dark = Hex(0x0F3E86),
    .accent_light = Hex(0xBFE0FF),
    .glyph = Hex(0x0F3E86),
    .radius = 6,
};

}
