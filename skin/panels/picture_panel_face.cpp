#include "skin/panels/picture_panel_face.h"

#include "skin/draw/key_color.h"
#include "skin/draw/tile.h"
#include "skin/panels/visible_text.h"

namespace pellamo {

void PaintPicturePanel(Canvas& canvas, const Rect& client, const PicturePanelFace& face)
{
    // The colour first, also under a picture: a picture smaller than the
    // panel, or one with see-through pixels, leaves no unpainted area.
    if (!face.transparent) {
        canvas.brush.style = BrushStyle::Solid;
        canvas.brush.color = face.color;
        canvas.FillRect(client);
    }
    if (face.picture && !face.picture->Empty()) {
        switch (face.draw_style) {
        case TsuiDrawStyle::suiStretch:
            StretchDrawSkinPicture(canvas, client, *face.picture);
            break;
        case TsuiDrawStyle::suiTile:
            TileDraw(canvas, *face.picture, client);
            break;
        case TsuiDrawStyle::suiNormal:
            DrawSkinPicture(canvas, 0, 0, *face.picture);
            break;
        }
    }
    if (!HasVisibleText(face.caption))
        return;
    canvas.font = face.font;
    canvas.brush.style = BrushStyle::Clear;
    if (face.caption_pos.x == -1 || face.caption_pos.y == -1) {
        unsigned flags = kTextSingleLine | kTextVCenter;
        flags |= face.alignment == TAlignment::taCenter    ? kTextCenter
            : face.alignment == TAlignment::taRightJustify ? kTextRight
                                                           : kTextLeft;
        Rect r = client;
        canvas.DrawText(face.caption, r, flags);
    } else {
        canvas.TextOut(face.caption_pos.x, face.caption_pos.y, face.caption);
    }
}

}
