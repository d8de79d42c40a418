#pragma once

#include "skin/art/art_picture.h"

namespace pellamo::skin_art {

// Caption bar of panels and side channels: one column, stretched.
void PaintSideChannelBar(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// The handle a side channel is pulled out by.
void PaintSideChannelHandle(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// A tab in three pieces, and the line under a row of tabs.
void PaintTab(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
void PaintTabLine(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// 8 x 8 window background tiles.
void PaintFormBackground(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// MacOS menu bar and menu items, and the highlighted item.
void PaintMenuBar(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
void PaintMenuSelect(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// The check mark of menu items, on white.
void PaintMenuCheck(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// Minimise, restore and close of a maximised child window, on white.
void PaintMdiButton(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);
// The notification window: title strip, body and a red close box.
void PaintNotificationWindow(ArtCanvas& canvas, const ArtFrame& frame, const ArtStyle& style);

// Where the notification window's close box is (both ends included, as the
// window tests clicks).
inline constexpr Rect kNotificationCloseBox { 162, 6, 176, 20 };

}
