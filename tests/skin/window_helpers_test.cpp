#include "platform/components/controls/graphic_control.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/window_system.h"
#include "skin/window/bitmap_window.h"
#include "skin/window/control_border.h"
#include "skin/window/form_focus.h"
#include "skin/window/placement.h"
#include "skin/window/transparency.h"
#include "skin/window/user_library.h"
#include "tests/skin/picture_coords.h"
#include "tests/support/headless_app.h"

namespace pellamo::test {
namespace {

// A red block painted by its parent.
class Block : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override
    {
        Canvas().brush.color = clRed;
        Canvas().FillRect({ 0, 0, Width(), Height() });
    }
};

// A windowless control that paints its parent behind itself, as a
// transparent skinned control does.
class SeeThrough : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        Bitmap own(Width(), Height(), kPaper);
        pellamo::Canvas canvas(own);
        DoTrans(canvas, *this);
    }
};

class WindowHelpersTest : public HeadlessAppFixture {
protected:
    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(100, 100, 200, 150);
        form->SetColor(clGreen);
    }
    template <class T> T* Add(Rect bounds)
    {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetBoundsRect(bounds);
        return c;
    }
    TForm* form = nullptr;
};

TEST_F(WindowHelpersTest, DoTransPaintsWhatTheParentShowsBehindTheControl)
{
    Add<Block>({ 40, 30, 50, 40 });
    // The control hangs over the parent's right edge.
    auto* control = Add<TCustomControl>({ 35, 25, 215, 45 });
    form->Show();
    Pump();

    Bitmap own(180, 20, kPaper);
    Canvas canvas(own);
    canvas.SetViewportOrigin({ 3, 4 });
    DoTrans(canvas, *control);
    EXPECT_EQ(canvas.ViewportOrigin(), (Point { 3, 4 })); // state restored
    EXPECT_FALSE(canvas.HasClip());
    // Canvas (3, 4) is the control's (0, 0): the form's (35, 25).
    EXPECT_EQ(own.GetPixel(3, 4), clGreen);
    EXPECT_EQ(own.GetPixel(3 + 5, 4 + 5), clRed); // the block at form (40, 30)
    EXPECT_EQ(own.GetPixel(3 + 14, 4 + 14), clRed);
    EXPECT_EQ(own.GetPixel(3 + 15, 4 + 15), clGreen);
    // Beyond the parent's client area (form x >= 200) nothing is painted.
    EXPECT_EQ(own.GetPixel(3 + 164, 4), clGreen);
    EXPECT_EQ(own.GetPixel(3 + 165, 4), kPaper);

    // Without a parent: nothing.
    ComponentPtr<TCustomControl> orphan(new TCustomControl(nullptr));
    Bitmap untouched(5, 5, kPaper);
    Canvas c2(untouched);
    DoTrans(c2, *orphan);
    EXPECT_EQ(untouched, Bitmap(5, 5, kPaper));
}

TEST_F(WindowHelpersTest, AWindowlessControlAskingItsParentIsNotPaintedAgainWithoutEnd)
{
    auto* glass = Add<SeeThrough>({ 10, 10, 30, 30 });
    form->Show();
    Pump();
    EXPECT_EQ(glass->paints, 2); // its own paint, and once more inside its parent's
}

TEST_F(WindowHelpersTest, TransparentControlsLoseOpaquenessAndGainTheWindowStyle)
{
    auto* control = Add<TCustomControl>({ 0, 0, 10, 10 });
    control->SetControlStyle(control->ControlStyle().Include(csOpaque));
    SetWinControlTransparent(*control);
    EXPECT_FALSE(control->ControlStyle().Contains(csOpaque));
    EXPECT_TRUE(ws().GetExStyle(control->Handle()) & WS_EX_TRANSPARENT);
}

TEST_F(WindowHelpersTest, DrawControlBorderFramesTheWholeWindow)
{
    auto* control = Add<TCustomControl>({ 20, 20, 60, 50 });
    control->SetBorderWidth(2);
    form->Show();
    Pump();
    const Bitmap& back = *ws().BackBuffer(form->Handle());
    struct Case {
        bool inner;
        TColor border;
        TColor inner_color;
    } cases[] = { { true, clBlack, clWhite }, { false, clBtnFace, clYellow } };
    for (const Case& c : cases) {
        TColor before = back.GetPixel(22, 22);
        DrawControlBorder(*control, c.border, c.inner_color, c.inner);
        TColor border = SystemColors::Resolve(c.border);
        EXPECT_EQ(back.GetPixel(20, 20), border);
        EXPECT_EQ(back.GetPixel(59, 49), border);
        EXPECT_EQ(back.GetPixel(21, 21), c.inner ? c.inner_color : before);
        EXPECT_EQ(back.GetPixel(58, 30), c.inner ? c.inner_color : before);
        EXPECT_EQ(back.GetPixel(22, 22), before);
        EXPECT_EQ(back.GetPixel(60, 30), clGreen);
    }
}

TEST_F(WindowHelpersTest, SetBitmapWindowKeepsTheRunsThatAreNotTheKey)
{
    form->Show();
    Bitmap shape(5, 3, clFuchsia);
    shape.SetPixel(1, 0, clRed);
    shape.SetPixel(2, 0, clRed);
    shape.SetPixel(4, 0, clBlue); // a run reaching the last column
    for (int x = 0; x < 5; ++x)
        shape.SetPixel(x, 2, clWhite);
    SetBitmapWindow(form->Handle(), shape, clFuchsia);
    auto region = ws().GetWindowRgn(form->Handle());
    ASSERT_TRUE(region.has_value());
    Region expected = Region({ 1, 0, 3, 1 }).Union(Region({ 4, 0, 5, 1 })).Union(Region({ 0, 2, 5, 3 }));
    EXPECT_EQ(*region, expected);

    SetBitmapWindow(form->Handle(), Bitmap(5, 3, clFuchsia), clFuchsia);
    region = ws().GetWindowRgn(form->Handle());
    ASSERT_TRUE(region.has_value());
    EXPECT_TRUE(region->IsEmpty());
}

TEST_F(WindowHelpersTest, PlacementAndWorkArea)
{
    struct Case {
        Point p;
        bool inside;
    } cases[] = {
        { { 10, 10 }, true },
        { { 0, 0 }, true },
        { { 5, 10 }, true },
        { { 11, 10 }, false },
        { { -1, 5 }, false },
        { { 5, 11 }, false },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InRect(c.p, { 0, 0, 10, 10 }), c.inside) << c.p.x << "," << c.p.y;
        EXPECT_EQ(InRect(c.p.x, c.p.y, { 0, 0, 10, 10 }), c.inside);
    }
    auto* control = Add<TCustomControl>({ 1, 2, 31, 42 });
    PlaceControl(*control, Point { 7, 8 });
    EXPECT_EQ(control->BoundsRect(), (Rect { 7, 8, 37, 48 }));
    PlaceControl(*control, Rect { 3, 4, 5, 9 });
    EXPECT_EQ(control->BoundsRect(), (Rect { 3, 4, 5, 9 }));
    EXPECT_EQ(GetWorkAreaRect(), screen.WorkArea());
}

TEST(FormHasFocus, DecidesFromMainFormMdiAndActivation)
{
    struct Case {
        const char* what;
        FormFocusFacts facts;
        bool expected;
    } cases[] = {
        // has main, main MDI, form is main, form absent, app active, active MDI child, form active
        { "no main form: its own flag", { false, false, false, false, true, false, true }, true },
        { "no main form, inactive", { false, false, false, false, true, false, false }, false },
        { "the MDI parent itself, another program in front", { true, true, true, false, false, false, false }, true },
        { "another program in front", { true, false, false, false, false, false, true }, false },
        { "the main form", { true, false, true, false, true, false, false }, true },
        { "no form", { true, false, false, true, true, false, false }, true },
        { "the active MDI child", { true, true, false, false, true, true, false }, true },
        { "an active child without an MDI parent", { true, false, false, false, true, true, false }, false },
        { "another form: its own flag", { true, false, false, false, true, false, true }, true },
        { "another form, inactive", { true, false, false, false, true, false, false }, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormHasFocus(c.facts), c.expected) << c.what;
}

TEST_F(WindowHelpersTest, FormHasFocusAsksTheApplicationAndTheMdiFrame)
{
    form->Show();
    auto* other = app.CreateForm<TForm>();
    other->Show();
    Pump();
    EXPECT_TRUE(FormHasFocus(form)); // the main form
    EXPECT_TRUE(FormHasFocus(other));
    form->SetFocus();
    Pump();
    EXPECT_FALSE(FormHasFocus(other));
    EXPECT_TRUE(FormHasFocus(nullptr));

    // The main form as an MDI parent whose active child is `other`.
    SetMdiFrameQuery({ [&](const TForm& f) { return &f == form; }, [&](const TForm&) { return other->Handle(); } });
    EXPECT_TRUE(FormHasFocus(other));
    SetMdiFrameQuery({});
    EXPECT_FALSE(FormHasFocus(other));
}

TEST(UserLibrary, MissingServicesAnswerFalseAndTheVersionDecidesIsWinXP)
{
    struct Case {
        SystemVersion version;
        bool xp;
    } cases[] = {
        { { 5, 1, true }, true },
        { { 5, 2, true }, true },
        { { 6, 0, true }, false },
        { { 5, 0, true }, false },
        { { 4, 10, true }, false },
        { { 5, 1, false }, false },
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsWinXP(c.version), c.xp) << c.version.major << "." << c.version.minor;
    EXPECT_TRUE(IsWinXP());

    COMBOBOXINFO combo;
    EXPECT_FALSE(SUIGetComboBoxInfo(nullptr, &combo));
    EXPECT_FALSE(SUIAnimateWindow(nullptr, 200, AW_SLIDE | AW_VER_NEGATIVE)) << "no such window";

    UserLibrary other;
    other.version = { 6, 0, true };
    DWORD seen_flags = 0;
    other.animate_window = [&](HWND, DWORD ms, DWORD flags, std::function<void()>) {
        seen_flags = flags;
        return ms == 200;
    };
    SetUserLibrary(other);
    EXPECT_FALSE(IsWinXP());
    EXPECT_TRUE(SUIAnimateWindow(nullptr, 200, AW_SLIDE));
    EXPECT_EQ(seen_flags, AW_SLIDE);
    SCROLLBARINFO info;
    EXPECT_FALSE(SUIGetScrollBarInfo(nullptr, 0, &info));
    SetUserLibrary(DefaultUserLibrary());
    EXPECT_TRUE(IsWinXP());
}

}
}
