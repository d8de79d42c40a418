#include "platform/components/controls/control_enums.h"

#include "platform/components/enum_info.h"
#include "platform/window/window_system.h"

namespace pellamo {

const EnumInfo& AlignNames()
{
    static const EnumInfo info("TAlign", { "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient" });
    return info;
}

const EnumInfo& AnchorKindNames()
{
    static const EnumInfo info("TAnchorKind", { "akLeft", "akTop", "akRight", "akBottom" });
    return info;
}

const EnumInfo& AlignmentNames()
{
    static const EnumInfo info("TAlignment", { "taLeftJustify", "taRightJustify", "taCenter" });
    return info;
}

const EnumInfo& BorderStyleNames()
{
    static const EnumInfo info("TBorderStyle", { "bsNone", "bsSingle" });
    return info;
}

const EnumInfo& FormBorderStyleNames()
{
    static const EnumInfo info(
        "TFormBorderStyle", { "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin" });
    return info;
}

const EnumInfo& BorderIconNames()
{
    static const EnumInfo info("TBorderIcon", { "biSystemMenu", "biMinimize", "biMaximize", "biHelp" });
    return info;
}

const EnumInfo& PositionNames()
{
    static const EnumInfo info("TPosition",
        { "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter", "poDesktopCenter",
            "poMainFormCenter", "poOwnerFormCenter" });
    return info;
}

const EnumInfo& FormStyleNames()
{
    static const EnumInfo info("TFormStyle", { "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop" });
    return info;
}

const EnumInfo& TileModeNames()
{
    static const EnumInfo info("TTileMode", { "tbHorizontal", "tbVertical" });
    return info;
}

const EnumInfo& WindowStateNames()
{
    static const EnumInfo info("TWindowState", { "wsNormal", "wsMinimized", "wsMaximized" });
    return info;
}

const EnumInfo& CursorNames()
{
    static const EnumInfo info("TCursor",
        { "crDefault", "crArrow", "crHandPoint", "crIBeam", "crHourGlass", "crSizeAll", "crCross", "crNo", "crDrag" });
    return info;
}

const EnumInfo& ScrollStyleNames()
{
    static const EnumInfo info("TScrollStyle", { "ssNone", "ssHorizontal", "ssVertical", "ssBoth" });
    return info;
}

const EnumInfo& BevelCutNames()
{
    static const EnumInfo info("TBevelCut", { "bvNone", "bvLowered", "bvRaised", "bvSpace" });
    return info;
}

const EnumInfo& FontStyleNames()
{
    static const EnumInfo info("TFontStyle", { "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut" });
    return info;
}

const EnumInfo& BiDiModeNames()
{
    static const EnumInfo info(
        "TBiDiMode", { "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly" });
    return info;
}

const EnumInfo& DragKindNames()
{
    static const EnumInfo info("TDragKind", { "dkDrag", "dkDock" });
    return info;
}

const EnumInfo& DragModeNames()
{
    static const EnumInfo info("TDragMode", { "dmManual", "dmAutomatic" });
    return info;
}

const EnumInfo& ImeModeNames()
{
    static const EnumInfo info("TImeMode",
        { "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata",
            "imChinese", "imSHanguel", "imHanguel" });
    return info;
}

const EnumInfo& EditCharCaseNames()
{
    static const EnumInfo info("TEditCharCase", { "ecNormal", "ecUpperCase", "ecLowerCase" });
    return info;
}

const EnumInfo& ButtonLayoutNames()
{
    static const EnumInfo info("TButtonLayout", { "blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom" });
    return info;
}

const EnumInfo& CheckBoxStateNames()
{
    static const EnumInfo info("TCheckBoxState", { "cbUnchecked", "cbChecked", "cbGrayed" });
    return info;
}

CursorShape CursorShapeOf(TCursor cursor)
{
    switch (cursor) {
    case TCursor::crHandPoint:
        return CursorShape::Hand;
    case TCursor::crIBeam:
        return CursorShape::IBeam;
    case TCursor::crHourGlass:
        return CursorShape::Wait;
    case TCursor::crSizeAll:
        return CursorShape::SizeAll;
    default:
        return CursorShape::Arrow;
    }
}

TShiftState ShiftStateOfMouse(WPARAM keys)
{
    TShiftState s;
    if (keys & MK_SHIFT)
        s.Include(ssShift);
    if (keys & MK_CONTROL)
        s.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        s.Include(ssLeft);
    if (keys & MK_RBUTTON)
        s.Include(ssRight);
    if (keys & MK_MBUTTON)
        s.Include(ssMiddle);
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s;
    if (auto* ws = WindowSystem::Current()) {
        unsigned m = ws->KeyModifiers();
        if (m & kModShift)
            s.Include(ssShift);
        if (m & kModControl)
            s.Include(ssCtrl);
        if (m & kModAlt)
            s.Include(ssAlt);
    }
    return s;
}

}
