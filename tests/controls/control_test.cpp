#include "tests/support/headless_app.h"

#include "platform/components/component_errors.h"
#include "platform/components/controls/custom_control.h"
#include "platform/components/controls/graphic_control.h"
#include "platform/components/description_reader.h"
#include "platform/components/property_access.h"
#include "platform/window/device_context.h"

namespace pellamo::test {
namespace {

class ControlTest : public HeadlessAppFixture {
protected:
    TForm* form = nullptr;
    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(100, 100, 400, 300);
    }
    template <class T> T* Add(const char* name, TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetName(name);
        c->SetParent(parent ? parent : form);
        return c;
    }
};

TEST_F(ControlTest, AlignedControlsTakeTheirEdgesInOrderAndFollowTheParent)
{
    auto* bottom = Add<TCustomControl>("Bottom");
    bottom->SetHeight(19);
    bottom->SetAlign(TAlign::alBottom);
    auto* client = Add<TCustomControl>("Client");
    client->SetAlign(TAlign::alClient);
    auto* top2 = Add<TCustomControl>("Top2");
    top2->SetBounds(0, 50, 10, 20);
    top2->SetAlign(TAlign::alTop);
    auto* top1 = Add<TCustomControl>("Top1");
    top1->SetBounds(0, 0, 10, 30);
    top1->SetAlign(TAlign::alTop);
    auto* left = Add<TCustomControl>("Left");
    left->SetWidth(40);
    left->SetAlign(TAlign::alLeft);
    auto* hidden = Add<TCustomControl>("Hidden");
    hidden->SetVisible(false);
    hidden->SetHeight(100);
    hidden->SetAlign(TAlign::alTop);

    // The upper alTop control stays above; alClient gets what is left.
    EXPECT_EQ(top1->BoundsRect(), Rect::FromSize(0, 0, 400, 30));
    EXPECT_EQ(top2->BoundsRect(), Rect::FromSize(0, 30, 400, 20));
    EXPECT_EQ(bottom->BoundsRect(), Rect::FromSize(0, 281, 400, 19));
    EXPECT_EQ(left->BoundsRect(), Rect::FromSize(0, 50, 40, 231));
    EXPECT_EQ(client->BoundsRect(), Rect::FromSize(40, 50, 360, 231));

    form->SetBounds(100, 100, 500, 400);
    EXPECT_EQ(bottom->BoundsRect(), Rect::FromSize(0, 381, 500, 19));
    EXPECT_EQ(client->BoundsRect(), Rect::FromSize(40, 50, 460, 331));
    // The windows follow the controls.
    EXPECT_EQ(ws().GetClientRect(client->Handle()), Rect::FromSize(0, 0, 460, 331));

    hidden->SetVisible(true);
    EXPECT_EQ(client->Top(), 150);
    top1->SetAlign(TAlign::alNone);
    EXPECT_EQ(top2->Top(), 100); // the hidden one (at 0 now) is above it
}

TEST_F(ControlTest, AnchorsKeepDistancesToTheirEdges)
{
    struct Case {
        TAnchors anchors;
        Rect after; // parent grows by 100 x 50
    } cases[] = {
        { { TAnchorKind::akLeft, TAnchorKind::akTop }, Rect::FromSize(10, 20, 30, 40) },
        { { TAnchorKind::akRight, TAnchorKind::akBottom }, Rect::FromSize(110, 70, 30, 40) },
        { { TAnchorKind::akLeft, TAnchorKind::akRight, TAnchorKind::akTop, TAnchorKind::akBottom },
            Rect::FromSize(10, 20, 130, 90) },
    };
    for (const Case& c : cases) {
        form->SetBounds(100, 100, 400, 300);
        auto* ctl = Add<TCustomControl>("Anchored");
        ctl->SetBounds(10, 20, 30, 40);
        ctl->SetAnchors(c.anchors);
        form->SetBounds(100, 100, 500, 350);
        EXPECT_EQ(ctl->BoundsRect(), c.after) << SetToString(AnchorKindNames(), c.anchors.Bits());
        ctl->Free();
    }
}

TEST_F(ControlTest, TabMovesFocusInTabOrderSkippingWhatCannotTakeIt)
{
    auto* a = Add<TCustomControl>("A");
    auto* b = Add<TCustomControl>("B");
    auto* panel = Add<TCustomControl>("Panel");
    auto* inner = Add<TCustomControl>("Inner", panel);
    auto* disabled = Add<TCustomControl>("Disabled");
    auto* no_stop = Add<TCustomControl>("NoStop");
    for (TWinControl* c : { a, b, inner, disabled })
        c->SetTabStop(true);
    disabled->SetEnabled(false);
    // Declared out of order, as a description may.
    b->SetTabOrder(0);
    a->SetTabOrder(2);
    panel->SetTabOrder(1);
    disabled->SetTabOrder(3);
    no_stop->SetTabOrder(4);
    form->Show();
    Pump();
    EXPECT_TRUE(b->Focused()); // the first in tab order on activation

    std::vector<std::string> order;
    for (int i = 0; i < 4; ++i) {
        screen.PressKey(VK_TAB);
        Pump();
        order.push_back(form->ActiveControl() ? form->ActiveControl()->Name() : "-");
    }
    EXPECT_EQ(order, (std::vector<std::string> { "Inner", "A", "B", "Inner" }));
    screen.PressKey(VK_TAB, kModShift);
    Pump();
    EXPECT_TRUE(b->Focused());
    screen.PressKey(VK_TAB, kModShift);
    Pump();
    EXPECT_TRUE(a->Focused());
}

// A control that hands the focus it receives on to another control.
class Handing : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    TWinControl* to = nullptr;
    int enters = 0;

protected:
    void DoEnter() override
    {
        ++enters;
        TCustomControl::DoEnter();
        if (to)
            to->SetFocus();
    }
};

TEST_F(ControlTest, AFocusHandlerMayPassTheFocusOn)
{
    auto* first = Add<TCustomControl>("First");
    auto* handing = Add<Handing>("Handing");
    auto* next = Add<TCustomControl>("Next");
    handing->to = next;
    form->Show();
    Pump();
    first->SetFocus();
    Pump();
    handing->SetFocus();
    Pump();
    EXPECT_TRUE(next->Focused());
    EXPECT_EQ(form->ActiveControl(), next);
    EXPECT_EQ(handing->enters, 1); // not focused again once the handler has moved on
    first->SetFocus();
    Pump();
}

TEST_F(ControlTest, FreeingAParentFreesItsChildrenAndClearsReferences)
{
    auto* panel = Add<TCustomControl>("Panel");
    auto* child = Add<TCustomControl>("Child", panel);
    auto* label = Add<TGraphicControl>("Label", panel);
    child->SetTabStop(true);
    form->Show();
    Pump();
    form->SetActiveControl(child);
    HWND child_window = child->Handle();
    int before = form->ComponentCount();

    label->Free();
    EXPECT_EQ(panel->ControlCount(), 1);
    panel->Free();
    EXPECT_EQ(form->ComponentCount(), before - 3);
    EXPECT_EQ(form->FindComponent("Child"), nullptr);
    EXPECT_EQ(form->ActiveControl(), nullptr);
    EXPECT_FALSE(ws().IsWindow(child_window));
    EXPECT_EQ(form->ControlCount(), 0);

    // A control taken off its parent loses its window but lives on.
    auto* loose = Add<TCustomControl>("Loose");
    HWND loose_window = loose->Handle();
    loose->SetParent(nullptr);
    EXPECT_FALSE(ws().IsWindow(loose_window));
    EXPECT_FALSE(loose->HandleAllocated());
    loose->SetParent(form);
    EXPECT_TRUE(ws().IsWindow(loose->Handle()));
}

// A windowless control that records what reaches it.
class Spot : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::vector<std::string> log;
    TColor fill = clRed;

protected:
    void Paint() override
    {
        Canvas().brush.color = fill;
        Canvas().FillRect({ 0, 0, Width(), Height() });
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        TGraphicControl::MouseDown(b, s, x, y);
    }
    void MouseEnter() override { log.push_back("enter"); }
    void MouseLeave() override { log.push_back("leave"); }
};

TEST_F(ControlTest, WindowlessChildIsPaintedByItsParentAndGetsItsMouse)
{
    auto* spot = Add<Spot>("Spot");
    spot->SetBounds(50, 60, 20, 10);
    spot->SetCursor(TCursor::crHandPoint);
    int clicks = 0;
    spot->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, spot);
        ++clicks;
    };
    int form_clicks = 0;
    form->OnClick = [&](TObject*) { ++form_clicks; };
    form->Show();

    EXPECT_EQ(PixelAt(*form, { 50, 60 }), clRed);
    EXPECT_EQ(PixelAt(*form, { 69, 69 }), clRed);
    EXPECT_NE(PixelAt(*form, { 70, 60 }), clRed);

    auto display = ws().DisplayWindowOf(form->Handle());
    screen.MoveMouse(form->ClientToScreen({ 55, 65 }));
    Pump();
    EXPECT_EQ(screen.Window(display)->cursor, CursorShape::Hand);
    ClickAt(*form, { 55, 65 });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form_clicks, 0);
    ASSERT_GE(spot->log.size(), 2u);
    EXPECT_EQ(spot->log[0], "enter");
    EXPECT_EQ(spot->log[1], "down 5,5");

    ClickAt(*form, { 10, 10 });
    EXPECT_EQ(form_clicks, 1);
    EXPECT_EQ(spot->log.back(), "leave");
    EXPECT_EQ(screen.Window(display)->cursor, CursorShape::Arrow);

    // Hidden or disabled, it lets the parent have the mouse.
    spot->SetEnabled(false);
    ClickAt(*form, { 55, 65 });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form_clicks, 2);

    spot->fill = clBlue;
    spot->Invalidate();
    EXPECT_EQ(PixelAt(*form, { 50, 60 }), clBlue);
    spot->Hide();
    EXPECT_NE(PixelAt(*form, { 50, 60 }), clBlue);
}

TEST_F(ControlTest, PaintAndPrintClientDrawIntoACallersCanvasAndLeaveTheWindowAlone)
{
    form->SetColor(clGreen);
    auto* spot = Add<Spot>("Spot");
    spot->SetBounds(4, 3, 2, 2);
    form->Show();
    Pump();
    form->Invalidate();

    // A canvas of 6 x 5 whose origin sits at the form's (2, 1), clipped to
    // its own 1-pixel border: as a child of the form at (2, 1) sees it.
    Bitmap picture(6, 5, clWhite);
    Canvas canvas(picture);
    canvas.SetViewportOrigin({ -2, -1 });
    canvas.IntersectClipRect({ 3, 2, 7, 5 });
    DeviceContext dc = DeviceContext::Over(canvas);

    struct Case {
        const char* what;
        UINT msg;
        LPARAM flags;
        TColor background; // what the form's own erasing left
    } cases[] = {
        { "WM_PAINT paints, erasing nothing", WM_PAINT, 0, clWhite },
        { "WM_PRINTCLIENT without erasing", WM_PRINTCLIENT, PRF_CLIENT, clWhite },
        { "WM_PRINTCLIENT with erasing", WM_PRINTCLIENT, PRF_CLIENT | PRF_ERASEBKGND, clGreen },
    };
    for (const Case& c : cases) {
        picture.Fill(clWhite);
        form->Perform(c.msg, reinterpret_cast<WPARAM>(&dc), c.flags);
        EXPECT_EQ(picture.GetPixel(0, 0), clWhite) << c.what << ": outside the clip";
        EXPECT_EQ(picture.GetPixel(1, 1), c.background) << c.what;
        // The windowless child at form (4, 3) lands at picture (2, 2).
        EXPECT_EQ(picture.GetPixel(2, 2), clRed) << c.what;
        EXPECT_EQ(picture.GetPixel(3, 3), clRed) << c.what;
        EXPECT_EQ(picture.GetPixel(4, 3), c.background) << c.what;
    }
    // The window still has its own painting to do.
    Rect update;
    EXPECT_TRUE(ws().GetUpdateRect(form->Handle(), &update));
}

TEST_F(ControlTest, ReplacedWindowProcSeesMessagesFirstAndCanPassThemOn)
{
    auto* ctl = Add<TCustomControl>("Ctl");
    ctl->SetBounds(0, 0, 50, 50);
    ctl->SetColor(clLime);
    int erases = 0;
    auto old = ctl->WindowProc;
    ctl->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_ERASEBKGND) {
            ++erases;
            m.Result = 1; // as a skinned control: no erasing
            return;
        }
        old(m);
    };
    form->SetColor(clBlack);
    form->Show();
    Pump();
    EXPECT_GE(erases, 1);
    EXPECT_NE(PixelAt(*form, { 10, 10 }), clLime);

    ctl->WindowProc = old;
    ctl->Invalidate();
    EXPECT_EQ(PixelAt(*form, { 10, 10 }), clLime);

    // Subclassing the window itself works as well.
    int sizes = 0;
    WndProc previous = ws().SetWindowProc(ctl->Handle(), nullptr);
    ws().SetWindowProc(ctl->Handle(), [&, previous](HWND h, UINT msg, WPARAM w, LPARAM l) {
        if (msg == WM_SIZE)
            ++sizes;
        return ws().CallWindowProc(previous, h, msg, w, l);
    });
    ctl->SetWidth(60);
    EXPECT_EQ(sizes, 1);
    EXPECT_EQ(ctl->Width(), 60);
}

TEST_F(ControlTest, FontAndColorFollowTheParentUntilSetThemselves)
{
    auto* panel = Add<TCustomControl>("Panel");
    auto* child = Add<TCustomControl>("Child", panel);
    child->SetParentColor(true);
    form->Font().SetName("Tahoma");
    EXPECT_EQ(child->Font().Name(), "Tahoma");
    panel->SetColor(clYellow);
    EXPECT_EQ(child->Color(), clYellow);

    child->Font().SetHeight(-13);
    EXPECT_FALSE(child->ParentFont());
    form->Font().SetName("Arial");
    EXPECT_EQ(panel->Font().Name(), "Arial");
    EXPECT_EQ(child->Font().Name(), "Tahoma");
    child->SetColor(clRed);
    panel->SetColor(clBlue);
    EXPECT_EQ(child->Color(), clRed);
}

TEST_F(ControlTest, PublishedPropertiesByName)
{
    auto* ctl = Add<TCustomControl>("Ctl");
    SetEnumProp(*ctl, "Align", "alRight");
    EXPECT_EQ(ctl->Align(), TAlign::alRight);
    SetSetProp(*ctl, "Anchors", "[akRight,akBottom]");
    EXPECT_EQ(ctl->Anchors(), (TAnchors { TAnchorKind::akRight, TAnchorKind::akBottom }));
    SetStrProp(*ctl, "Font.Name", "Tahoma");
    SetSetProp(*ctl, "Font.Style", "[fsBold]");
    EXPECT_TRUE(ctl->Font().GetFont().bold);
    SetEnumProp(*ctl, "Cursor", "crHandPoint");
    EXPECT_EQ(ctl->Cursor(), TCursor::crHandPoint);
    SetOrdProp(*ctl, "TabOrder", 11);
    EXPECT_EQ(GetOrdProp(*ctl, "TabOrder"), 11);
    SetOrdProp(*ctl, "Color", clWhite);
    EXPECT_EQ(GetOrdProp(*ctl, "Color"), clWhite);
    SetEnumProp(*ctl, "Visible", "False");
    EXPECT_FALSE(ctl->Visible());
    EXPECT_THROW(SetEnumProp(*ctl, "Align", "alMiddle"), EPropertyError);
    EXPECT_EQ(GetEnumProp(*form, "BorderStyle"), "bsNone");
    SetSetProp(*form, "BorderIcons", "[biSystemMenu,biMinimize]");
    EXPECT_TRUE(ws().GetStyle(form->Handle()) & WS_SYSMENU);
}

}
}

namespace pellamo::test {
namespace {

TEST_F(ControlTest, KeyPreviewLetsTheFormTakeKeysFirst)
{
    auto* ctl = Add<TCustomControl>("Ctl");
    ctl->SetTabStop(true);
    std::vector<std::string> seen;
    ctl->OnKeyDown = [&](TObject*, UINT& key, TShiftState) { seen.push_back("control " + std::to_string(key)); };
    form->OnKeyDown = [&](TObject*, UINT& key, TShiftState shift) {
        seen.push_back("form " + std::to_string(key) + (shift.Contains(ssCtrl) ? " ctrl" : ""));
        if (key == 'Q')
            key = 0;
    };
    form->Show();
    Pump();
    ctl->SetFocus();
    screen.PressKey('A', kModControl);
    screen.PressKey('Q');
    Pump();
    EXPECT_EQ(seen, (std::vector<std::string> { "control 65", "control 81" }));
    seen.clear();
    form->SetKeyPreview(true);
    screen.PressKey('A', kModControl);
    screen.PressKey('Q');
    Pump();
    EXPECT_EQ(seen, (std::vector<std::string> { "form 65 ctrl", "control 65", "form 81" }));
}

}
}

namespace pellamo::test {
namespace {

TEST_F(ControlTest, DoubleClickRaisesOneClickThenDblClick)
{
    std::vector<std::string> seen;
    form->OnClick = [&](TObject*) { seen.push_back("click"); };
    form->OnDblClick = [&](TObject*) { seen.push_back("dblclick"); };
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int, int) {
        seen.push_back(s.Contains(ssDouble) ? "down double" : "down");
    };
    form->Show();
    Pump();
    Point p = form->ClientToScreen({ 20, 20 });
    screen.Click(p);
    screen.Click(p);
    Pump();
    EXPECT_EQ(seen, (std::vector<std::string> { "down", "click", "dblclick", "down double" }));
}

}
}

namespace pellamo::test {
namespace {

TEST_F(ControlTest, RightClickHandsTheNearestPopupMenuToTheMenuLibrary)
{
    auto* panel = Add<TCustomControl>("Panel");
    panel->SetBounds(0, 0, 200, 200);
    auto* inner = Add<TCustomControl>("Inner", panel);
    inner->SetBounds(10, 10, 50, 50);
    auto* menu = new TComponent(form);
    panel->SetPopupMenu(menu);
    std::vector<std::pair<TComponent*, TControl*>> shown;
    Point at;
    TControl::PopupHandler = [&](TComponent* m, TControl* c, Point p) {
        shown.push_back({ m, c });
        at = p;
    };
    form->Show();
    Pump();
    screen.Click(inner->ClientToScreen({ 5, 6 }), MouseButton::Right);
    Pump();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, menu);
    EXPECT_EQ(shown[0].second, inner);
    EXPECT_EQ(at, inner->ClientToScreen({ 5, 6 }));

    menu->Free();
    EXPECT_EQ(panel->PopupMenuComponent(), nullptr);
    screen.Click(inner->ClientToScreen({ 5, 6 }), MouseButton::Right);
    Pump();
    EXPECT_EQ(shown.size(), 1u);
    TControl::PopupHandler = nullptr;
}

}
}

namespace pellamo::test {
namespace {

TEST_F(ControlTest, CanvasOutsidePaintingDrawsStraightOntoTheWindow)
{
    auto* ctl = Add<TCustomControl>("Ctl");
    ctl->SetBounds(10, 10, 40, 40);
    auto* spot = Add<Spot>("Spot");
    spot->SetBounds(100, 10, 20, 20);
    form->Show();
    Pump();
    ctl->Canvas().brush = SolidBrush(clFuchsia);
    ctl->Canvas().FillRect({ 0, 0, 5, 5 });
    spot->Canvas().brush = SolidBrush(clLime);
    spot->Canvas().FillRect({ 0, 0, 100, 100 }); // clipped to the control
    EXPECT_EQ(PixelAt(*ctl, { 2, 2 }), clFuchsia);
    EXPECT_EQ(PixelAt(*spot, { 19, 19 }), clLime);
    EXPECT_NE(PixelAt(*spot, { 20, 5 }), clLime);
}

}
}
