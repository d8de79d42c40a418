// Push buttons in each state, the arrow buttons a spin edit is made of,
// control buttons cut from the title bar's picture strip, a tool bar
// button, and image buttons drawn from pictures of their own.
#include "gallery/gallery_page.h"
#include "gallery/play_button_pictures.h"
#include "platform/gfx/resources.h"
#include "skin/buttons/arrow_button.h"
#include "skin/buttons/control_button.h"
#include "skin/buttons/image_button.h"
#include "skin/buttons/push_button.h"
#include "skin/buttons/tool_bar_speed_button.h"
#include "skin/theme_data/named_pictures.h"

namespace pellamo {
namespace {

void BuildButtonsPage(GalleryPageBuilder& page)
{
    struct Row {
        const char* caption;
        bool is_default;
        bool enabled;
    } const rows[] = {
        { "Normal", false, true },
        { "Default", true, true },
        { "Disabled", false, false },
        { "Focused", false, true },
    };
    int y = 16;
    for (const Row& row : rows) {
        auto* button = page.Add<TsuiButton>(Rect::FromSize(16, y, 100, 26));
        button->SetCaption(row.caption);
        button->SetDefault(row.is_default);
        button->SetEnabled(row.enabled);
        if (row.caption == rows[3].caption)
            page.SetFocusControl(button);
        y += 36;
    }
    auto* wide = page.Add<TsuiButton>(Rect::FromSize(140, 16, 180, 40));
    wide->SetCaption("A wider, taller button");

    int x = 140;
    for (TsuiArrowButtonType arrow : { TsuiArrowButtonType::suiUp, TsuiArrowButtonType::suiDown }) {
        for (bool enabled : { true, false }) {
            auto* button = page.Add<TsuiArrowButton>(Rect::FromSize(x, 72, 24, 18));
            button->SetArrow(arrow);
            button->SetEnabled(enabled);
            x += 32;
        }
    }

    // The title bar's strip holds six buttons of three frames each; a
    // control button shows the next frame while the pointer is over it.
    constexpr int kTitleButtonFrames = 18;
    x = 140;
    for (int first_frame : { 1, 4, 7, 10, 13, 16 }) {
        auto* button = page.Add<TsuiControlButton>(Rect::FromSize(x, 108, 17, 17));
        button->SetThemeID(ThemeItem::TitleBarButtonImage);
        button->SetPicCount(kTitleButtonFrames);
        button->SetPicIndex(first_frame);
        x += 26;
    }

    auto* tool = page.Add<TsuiToolBarSpeedButton>(Rect::FromSize(140, 144, 18, 18));
    if (auto glyph = Resources::CachedBitmap(kMenuChecked))
        tool->Glyph().SetBitmap(*glyph);

    // Pictures of its own for each state; the second is disabled.
    x = 140;
    for (bool enabled : { true, false }) {
        auto* play = page.Add<TsuiImageButton>(Rect::FromSize(x, 180, 32, 32));
        const std::pair<TPicture&, PlayButtonState> pictures[] = {
            { play->PicNormal(), PlayButtonState::Normal },
            { play->PicMouseOn(), PlayButtonState::MouseOn },
            { play->PicMouseDown(), PlayButtonState::MouseDown },
            { play->PicDisabled(), PlayButtonState::Disabled },
        };
        for (const auto& [picture, state] : pictures)
            picture.SetBitmap(PlayButtonPicture(state));
        play->SetPicTransparent(true);
        play->SetEnabled(enabled);
        x += 44;
    }
}

const GalleryPageRegistration registration("Buttons", 10, BuildButtonsPage);

}
}
