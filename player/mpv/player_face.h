#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "player/mpv/mini_bar.h"
#include "player/mpv/player_status.h"

#include <string>

namespace pellamo {

// Paints a player control: the picture, or the station display when there is
// none (radio, connecting, errors), and the mini bar under it.
class PlayerFace {
public:
    struct View {
        PlayerStatus status;
        int volume = 100;
        bool muted = false;
        // The engine's picture, sized to the layout's video area; null or
        // empty when nothing is shown.
        const Bitmap* picture = nullptr;
        // A recording runs: the record button is lit and `recording` (its
        // time and size) stands before the status text.
        bool recording = false;
        std::string recording_text;
    };

    static constexpr TColor kBackground = Rgb(0, 0, 0);
    static constexpr TColor kBarColor = Rgb(40, 40, 44);
    static constexpr TColor kGlyphColor = Rgb(220, 220, 220);
    static constexpr TColor kSliderColor = Rgb(90, 90, 96);
    static constexpr TColor kLevelColor = Rgb(80, 170, 255);
    static constexpr TColor kTextColor = Rgb(230, 230, 230);
    static constexpr TColor kErrorColor = Rgb(255, 190, 80);
    static constexpr TColor kRecordColor = Rgb(230, 40, 40);

    static void Paint(Canvas& canvas, const MiniBar& layout, const View& view);

private:
    static void PaintVideo(Canvas& canvas, const MiniBar& layout, const View& view);
    static void PaintBar(Canvas& canvas, const MiniBar& layout, const View& view);
};

}
