#pragma once

// The enumerations the visual controls share, with their value names for
// window descriptions and property access by name.

#include "platform/backend/display_backend.h"
#include "platform/components/enum_set.h"
#include "platform/window/messages.h"

#include <cstdint>

namespace pellamo {

class EnumInfo;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = EnumSet<TAnchorKind>;
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TBorderStyle { bsNone, bsSingle };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = EnumSet<TBorderIcon>;
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter,
};
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
// Only fsStayOnTop changes anything here: the form stays above the others.
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TTileMode { tbHorizontal, tbVertical };
enum class TCursor { crDefault, crArrow, crHandPoint, crIBeam, crHourGlass, crSizeAll, crCross, crNo, crDrag };
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum class TDragKind { dkDrag, dkDock };
enum class TDragMode { dmManual, dmAutomatic };
enum class TImeMode {
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
// Where a button's glyph sits beside its caption.
enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// Plain enumerations: their values are used as set members in code.
enum TShiftStateFlag : unsigned { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = EnumSet<TShiftStateFlag>;

// What a control class is like; tested by the framework and by components
// that wrap controls (a skin skips erasing behind an opaque control).
enum TControlStyleFlag : unsigned {
    csAcceptsControls, // children may be placed inside it
    csCaptureMouse, // keeps the mouse while a button is down
    csClickEvents, // a press and release inside it is a click
    csFramed,
    csSetCaption, // the name is copied into an empty caption
    csOpaque, // paints its whole client area itself: no erasing behind it
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csReplicatable,
    csNoStdEvents, // mouse and key events are not raised
};
using TControlStyle = EnumSet<TControlStyleFlag>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

// A window message as the controls' window procedures see it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

const EnumInfo& AlignNames();
const EnumInfo& AnchorKindNames();
const EnumInfo& AlignmentNames();
const EnumInfo& BorderStyleNames();
const EnumInfo& FormBorderStyleNames();
const EnumInfo& BorderIconNames();
const EnumInfo& PositionNames();
const EnumInfo& WindowStateNames();
const EnumInfo& FormStyleNames();
const EnumInfo& TileModeNames();
const EnumInfo& CursorNames();
const EnumInfo& ScrollStyleNames();
const EnumInfo& BevelCutNames();
const EnumInfo& FontStyleNames();
const EnumInfo& BiDiModeNames();
const EnumInfo& DragKindNames();
const EnumInfo& DragModeNames();
const EnumInfo& ImeModeNames();
const EnumInfo& EditCharCaseNames();
const EnumInfo& ButtonLayoutNames();
const EnumInfo& CheckBoxStateNames();

CursorShape CursorShapeOf(TCursor cursor);
// Shift state of the MK_* bits of a mouse message.
TShiftState ShiftStateOfMouse(WPARAM keys);
// Shift state of the keyboard as the window system last reported it.
TShiftState KeyboardShiftState();

}
