#pragma once

// The picture of a picture panel: its colour (unless it is see-through),
// its picture over that (at its own size, stretched or tiled from the
// top-left corner), and the caption in one line, placed by the alignment or
// at a fixed point.

#include "platform/components/controls/control_enums.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/font.h"

#include <cstdint>
#include <string>

namespace pellamo {

enum class TsuiDrawStyle : uint8_t { suiNormal, suiStretch, suiTile };

struct PicturePanelFace {
    const Bitmap* picture = nullptr; // null or empty: no picture
    TsuiDrawStyle draw_style = TsuiDrawStyle::suiNormal;
    // What is behind the panel is in the canvas already and shows where
    // the picture does not cover it.
    bool transparent = false;
    TColor color = clWhite;
    std::string caption; // GBK; blank draws nothing
    Font font;
    TAlignment alignment = TAlignment::taCenter;
    // Top left of the caption; -1 in either means the alignment decides.
    Point caption_pos { -1, -1 };
};

void PaintPicturePanel(Canvas& canvas, const Rect& client, const PicturePanelFace& face);

}
