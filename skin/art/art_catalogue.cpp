#include "skin/art/art_catalogue.h"

#include "skin/art/art_buttons.h"
#include "skin/art/art_panels.h"
#include "skin/art/art_scroll.h"
#include "skin/art/art_title.h"

#include <array>

namespace pellamo::skin_art {

namespace {

constexpr const ArtStyle* kMac = &kMacOSArt;
constexpr const ArtStyle* kXP = &kWinXPArt;
constexpr const ArtStyle* kDeep = &kDeepBlueArt;
constexpr const ArtStyle* kProt = &kProteinArt;
constexpr const ArtStyle* kGlass = &kBlueGlassArt;

using K = ArtKey;

// Title-bar button frames (normal, hover) of the main window's own buttons.
constexpr ArtPainter kBoxNormal = PaintTitleButtonFrame<0>;
constexpr ArtPainter kBoxHot = PaintTitleButtonFrame<1>;
constexpr ArtPainter kMinNormal = PaintTitleButtonFrame<12>;
constexpr ArtPainter kMinHot = PaintTitleButtonFrame<13>;
constexpr ArtPainter kCloseNormal = PaintTitleButtonFrame<15>;
constexpr ArtPainter kCloseHot = PaintTitleButtonFrame<16>;

// The build reads the names from the rows below (each row starts with
// `{ "NAME",`), so keep one row a line.
constexpr auto kCatalogue = std::to_array<ArtPicture>({
    // name, width, height, frames, key, painter, style[, bits per pixel]
    { "MACOS_BUTTON", 252, 23, 3, K::Fuchsia, PaintPushButton, kMac },
    { "WINXP_BUTTON", 54, 21, 3, K::None, PaintPushButton, kXP },
    { "DEEPBLUE_BUTTON", 222, 21, 3, K::None, PaintPushButton, kDeep },
    { "PROTEIN_BUTTON", 222, 21, 3, K::None, PaintPushButton, kProt },
    { "BLUEGLASS_BUTTON", 231, 27, 3, K::Fuchsia, PaintPushButton, kGlass },

    { "MACOS_CHECKBOX", 60, 17, 4, K::None, PaintCheckBox, kMac },
    { "WINXP_CHECKBOX", 52, 13, 4, K::None, PaintCheckBox, kXP },
    { "DEEPBLUE_CHECKBOX", 52, 13, 4, K::None, PaintCheckBox, kDeep },
    { "PROTEIN_CHECKBOX", 52, 13, 4, K::None, PaintCheckBox, kProt },
    { "BLUEGLASS_CHECKBOX", 52, 13, 4, K::None, PaintCheckBox, kGlass },

    { "MACOS_RADIOBUTTON", 64, 17, 4, K::Fuchsia, PaintRadioButton, kMac },
    { "WINXP_RADIOBUTTON", 52, 13, 4, K::Fuchsia, PaintRadioButton, kXP },
    { "DEEPBLUE_RADIOBUTTON", 52, 13, 4, K::Fuchsia, PaintRadioButton, kDeep },
    { "PROTEIN_RADIOBUTTON", 52, 13, 4, K::Fuchsia, PaintRadioButton, kProt },
    { "BLUEGLASS_RADIOBUTTON", 52, 13, 4, K::Fuchsia, PaintRadioButton, kGlass },

    { "MACOS_TITLEBTN", 306, 17, 18, K::None, PaintTitleButton, kMac },
    { "WINXP_TITLEBTN", 378, 21, 18, K::None, PaintTitleButton, kXP },
    { "DEEPBLUE_TITLEBTN", 342, 19, 18, K::None, PaintTitleButton, kDeep },
    { "PROTEIN_TITLEBTN", 342, 19, 18, K::Fuchsia, PaintTitleButton, kProt },
    { "BLUEGLASS_TITLEBTN", 342, 19, 18, K::Fuchsia, PaintTitleButton, kGlass },

    { "MACOS_TITLE_LEFT", 48, 23, 1, K::None, PaintTitleLeft, kMac },
    { "WINXP_TITLE_LEFT", 35, 29, 1, K::None, PaintTitleLeft, kXP },
    { "DEEPBLUE_TITLE_LEFT", 97, 32, 1, K::None, PaintTitleLeft, kDeep },
    { "PROTEIN_TITLE_LEFT", 441, 23, 1, K::None, PaintTitleLeft, kProt },
    { "BLUEGLASS_TITLE_LEFT", 162, 33, 1, K::None, PaintTitleLeft, kGlass },

    { "MACOS_TITLE_CLIENT", 49, 23, 1, K::None, PaintTitleClient, kMac },
    { "WINXP_TITLE_CLIENT", 37, 29, 1, K::None, PaintTitleClient, kXP },
    { "DEEPBLUE_TITLE_CLIENT", 98, 32, 1, K::None, PaintTitleClient, kDeep },
    { "PROTEIN_TITLE_CLIENT", 1, 23, 1, K::None, PaintTitleClient, kProt },
    { "BLUEGLASS_TITLE_CLIENT", 179, 33, 1, K::None, PaintTitleClient, kGlass },

    { "MACOS_TITLE_RIGHT", 48, 23, 1, K::None, PaintTitleRight, kMac },
    { "WINXP_TITLE_RIGHT", 35, 29, 1, K::None, PaintTitleRight, kXP },
    { "DEEPBLUE_TITLE_RIGHT", 97, 32, 1, K::None, PaintTitleRight, kDeep },
    { "PROTEIN_TITLE_RIGHT", 1, 23, 1, K::None, PaintTitleRight, kProt },
    { "BLUEGLASS_TITLE_RIGHT", 101, 33, 1, K::None, PaintTitleRight, kGlass },

    { "MACOS_PROGRESSBAR", 13, 10, 1, K::None, PaintProgressBar, kMac },
    { "WINXP_PROGRESSBAR", 6, 10, 1, K::None, PaintProgressBar, kXP },
    { "DEEPBLUE_PROGRESSBAR", 1, 10, 1, K::None, PaintProgressBar, kDeep },
    { "PROTEIN_PROGRESSBAR", 1, 10, 1, K::None, PaintProgressBar, kProt },
    { "BLUEGLASS_PROGRESSBAR", 1, 10, 1, K::None, PaintProgressBar, kGlass },

    { "MACOS_TRACKBAR_BAR", 45, 5, 3, K::FuchsiaThreePiece, PaintTrackBar, kMac },
    { "WINXP_TRACKBAR_BAR", 45, 8, 3, K::FuchsiaThreePiece, PaintTrackBar, kXP },
    { "DEEPBLUE_TRACKBAR_BAR", 45, 4, 3, K::FuchsiaThreePiece, PaintTrackBar, kDeep },
    { "PROTEIN_TRACKBAR_BAR", 45, 4, 3, K::FuchsiaThreePiece, PaintTrackBar, kProt },
    { "BLUEGLASS_TRACKBAR_BAR", 45, 4, 3, K::FuchsiaThreePiece, PaintTrackBar, kGlass },

    { "MACOS_TRACKBAR_SLIDER", 11, 20, 1, K::Fuchsia, PaintTrackSlider, kMac },
    { "WINXP_TRACKBAR_SLIDER", 11, 21, 1, K::Fuchsia, PaintTrackSlider, kXP },
    { "DEEPBLUE_TRACKBAR_SLIDER", 11, 20, 1, K::Fuchsia, PaintTrackSlider, kDeep },
    { "PROTEIN_TRACKBAR_SLIDER", 11, 20, 1, K::Fuchsia, PaintTrackSlider, kProt },
    { "BLUEGLASS_TRACKBAR_SLIDER", 11, 20, 1, K::Fuchsia, PaintTrackSlider, kGlass },

    { "MACOS_TRACKBAR_SLIDER_V", 19, 11, 1, K::None, PaintTrackSliderVertical, kMac },
    { "WINXP_TRACKBAR_SLIDER_V", 22, 11, 1, K::None, PaintTrackSliderVertical, kXP },
    { "DEEPBLUE_TRACKBAR_SLIDER_V", 18, 11, 1, K::None, PaintTrackSliderVertical, kDeep },
    { "PROTEIN_TRACKBAR_SLIDER_V", 18, 11, 1, K::None, PaintTrackSliderVertical, kProt },
    { "BLUEGLASS_TRACKBAR_SLIDER_V", 18, 11, 1, K::None, PaintTrackSliderVertical, kGlass },

    { "MACOS_SCROLLBAR_BUTTON", 96, 22, 6, K::None, PaintScrollButton, kMac },
    { "WINXP_SCROLLBAR_BUTTON", 96, 17, 6, K::None, PaintScrollButton, kXP },
    { "DEEPBLUE_SCROLLBAR_BUTTON", 96, 16, 6, K::None, PaintScrollButton, kDeep },
    { "PROTEIN_SCROLLBAR_BUTTON", 96, 16, 6, K::None, PaintScrollButton, kProt },
    { "BLUEGLASS_SCROLLBAR_BUTTON", 102, 16, 6, K::None, PaintScrollButton, kGlass },

    { "MACOS_SCROLLBAR_TRACK", 33, 16, 3, K::None, PaintScrollThumb, kMac },
    { "WINXP_SCROLLBAR_TRACK", 21, 16, 3, K::None, PaintScrollThumb, kXP },
    { "DEEPBLUE_SCROLLBAR_TRACK", 21, 16, 3, K::None, PaintScrollThumb, kDeep },
    { "PROTEIN_SCROLLBAR_TRACK", 21, 16, 3, K::None, PaintScrollThumb, kProt },
    { "BLUEGLASS_SCROLLBAR_TRACK", 21, 16, 3, K::None, PaintScrollThumb, kGlass },

    { "MACOS_CHECKLIST", 40, 11, 4, K::None, PaintCheckBox, kMac },
    { "WINXP_CHECKLIST", 44, 11, 4, K::None, PaintCheckBox, kXP },
    { "DEEPBLUE_CHECKLIST", 44, 11, 4, K::None, PaintCheckBox, kDeep },
    { "PROTEIN_CHECKLIST", 44, 11, 4, K::None, PaintCheckBox, kProt },
    { "BLUEGLASS_CHECKLIST", 44, 11, 4, K::None, PaintCheckBox, kGlass },

    { "MACOS_SCROLLBUTTON", 72, 18, 4, K::None, PaintSmallScrollButton, kMac },
    { "WINXP_SCROLLBUTTON", 72, 18, 4, K::None, PaintSmallScrollButton, kXP },
    { "MORE_SCROLLBUTTON", 72, 17, 4, K::None, PaintSmallScrollButton, kDeep },

    { "MACOS_TAB", 36, 27, 3, K::FuchsiaThreePiece, PaintTab, kMac },
    { "WINXP_TAB", 18, 18, 3, K::FuchsiaThreePiece, PaintTab, kXP },
    { "DEEPBLUE_TAB", 12, 17, 3, K::FuchsiaThreePiece, PaintTab, kDeep },
    { "PROTEIN_TAB", 18, 17, 3, K::FuchsiaThreePiece, PaintTab, kProt },
    { "BLUEGLASS_TAB", 18, 17, 3, K::FuchsiaThreePiece, PaintTab, kGlass },

    { "MACOS_TAB_LINE", 17, 7, 1, K::None, PaintTabLine, kMac },
    { "WINXP_TAB_LINE", 8, 1, 1, K::None, PaintTabLine, kXP },
    { "DEEPBLUE_TAB_LINE", 5, 5, 1, K::None, PaintTabLine, kDeep },
    { "PROTEIN_TAB_LINE", 10, 5, 1, K::None, PaintTabLine, kProt },
    { "BLUEGLASS_TAB_LINE", 10, 5, 1, K::None, PaintTabLine, kGlass },

    { "MACOS_SIDECHENNEL_HANDLE", 7, 84, 1, K::None, PaintSideChannelHandle, kMac },
    { "WINXP_SIDECHENNEL_HANDLE", 8, 86, 1, K::None, PaintSideChannelHandle, kXP },
    { "DEEPBLUE_SIDECHENNEL_HANDLE", 8, 83, 1, K::None, PaintSideChannelHandle, kDeep },
    { "PROTEIN_SIDECHENNEL_HANDLE", 8, 83, 1, K::None, PaintSideChannelHandle, kProt },
    { "BLUEGLASS_SIDECHENNEL_HANDLE", 8, 86, 1, K::None, PaintSideChannelHandle, kGlass },

    { "MACOS_SIDECHENNEL_BAR", 1, 21, 1, K::None, PaintSideChannelBar, kMac },
    { "WINXP_SIDECHENNEL_BAR", 1, 21, 1, K::None, PaintSideChannelBar, kXP },
    { "DEEPBLUE_SIDECHENNEL_BAR", 1, 20, 1, K::None, PaintSideChannelBar, kDeep },
    { "PROTEIN_SIDECHENNEL_BAR", 1, 21, 1, K::None, PaintSideChannelBar, kProt },
    { "BLUEGLASS_SIDECHENNEL_BAR", 1, 21, 1, K::None, PaintSideChannelBar, kGlass },

    // Pictures that controls load by name.
    { "MACOS_FORM_BACKGROUND", 8, 8, 1, K::None, PaintFormBackground, kMac },
    { "PROTEIN_FORM_BACKGROUND", 8, 8, 1, K::None, PaintFormBackground, kProt },
    { "MACOS_MENU_BAR", 1, 22, 1, K::None, PaintMenuBar, kMac },
    { "MACOS_MENU_SELECT", 1, 21, 1, K::None, PaintMenuSelect, kMac },
    { "MENU_CHECKED", 16, 16, 1, K::White, PaintMenuCheck, kMac, 4 },
    { "PANEL_BUTTON", 52, 12, 4, K::None, PaintPanelButton, kMac },
    { "MDI_CONTROL_BUTTON", 48, 16, 3, K::White, PaintMdiButton, kMac },
    { "MSNPOPFORM", 181, 116, 1, K::None, PaintNotificationWindow, kMac },
    { "MACOS_COMBOBOX_BUTTON", 16, 17, 1, K::None, PaintComboButton, kMac },
    { "WINXP_COMBOBOX_BUTTON", 16, 18, 1, K::None, PaintComboButton, kXP },

    // The main window's own title bar: its three sections (8 bits per
    // pixel) and its window menu, close and minimise buttons, each normal
    // and under the mouse (32 bits per pixel).
    { "PELLAMO_TITLE_LEFT", 48, 23, 1, K::None, PaintTitleLeft, kMac, 8 },
    { "PELLAMO_TITLE_RIGHT", 48, 23, 1, K::None, PaintTitleRight, kMac, 8 },
    { "PELLAMO_TITLE_CLIENT", 49, 23, 1, K::None, PaintTitleClient, kMac, 8 },
    { "PELLAMO_TITLEBTN_MENU", 17, 17, 1, K::None, kBoxNormal, kMac, 32 },
    { "PELLAMO_TITLEBTN_MENU_HOT", 17, 17, 1, K::None, kBoxHot, kMac, 32 },
    { "PELLAMO_TITLEBTN_CLOSE", 17, 17, 1, K::None, kCloseNormal, kMac, 32 },
    { "PELLAMO_TITLEBTN_CLOSE_HOT", 17, 17, 1, K::None, kCloseHot, kMac, 32 },
    { "PELLAMO_TITLEBTN_MIN", 17, 17, 1, K::None, kMinNormal, kMac, 32 },
    { "PELLAMO_TITLEBTN_MIN_HOT", 17, 17, 1, K::None, kMinHot, kMac, 32 },
});

}

std::span<const ArtPicture> ArtCatalogue() { return kCatalogue; }

const ArtPicture* FindArtPicture(std::string_view name)
{
    for (const ArtPicture& picture : kCatalogue)
        if (picture.name == name)
            return &picture;
    return nullptr;
}

Bitmap RenderArtPicture(const ArtPicture& picture)
{
    Bitmap strip(picture.width, picture.height);
    int fw = picture.FrameWidth();
    for (int k = 0; k < picture.frames; ++k) {
        Bitmap frame(fw, picture.height);
        ArtCanvas canvas(frame);
        picture.painter(canvas, { k, picture.frames, picture.key }, *picture.style);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < fw; ++x)
                strip.SetPixel(k * fw + x, y, frame.GetPixel(x, y));
    }
    return strip;
}

}
