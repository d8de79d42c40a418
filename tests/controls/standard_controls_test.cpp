#include "tests/support/headless_app.h"

#include "platform/components/controls/button.h"
#include "platform/components/controls/check_list_box.h"
#include "platform/components/controls/edit.h"
#include "platform/components/controls/image_list.h"
#include "platform/components/controls/memo.h"
#include "platform/components/controls/status_bar.h"
#include "platform/components/controls/timer.h"
#include "platform/components/description_reader.h"
#include "platform/gfx/system_colors.h"

#include <chrono>
#include <stdexcept>

namespace pellamo::test {
namespace {

using namespace std::chrono_literals;

class StandardControlsTest : public HeadlessAppFixture {
protected:
    TForm* form = nullptr;
    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBounds(0, 0, 400, 300);
    }
    template <class T> T* Add(TWinControl* parent = nullptr)
    {
        auto* c = new T(form);
        c->SetParent(parent ? parent : form);
        return c;
    }
};

TEST_F(StandardControlsTest, ButtonsClickByMouseKeysAndEndModalForms)
{
    auto* main = form;
    main->Show();
    auto* dialog = app.CreateForm<TForm>();
    auto* edit = new TEdit(dialog);
    edit->SetParent(dialog);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetBounds(10, 40, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = new TButton(dialog);
    cancel->SetParent(dialog);
    cancel->SetBounds(100, 40, 75, 25);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    int ok_clicks = 0;
    ok->OnClick = [&](TObject*) { ++ok_clicks; };

    struct Case {
        const char* what;
        std::function<void()> act;
        TModalResult expected;
    } cases[] = {
        { "Enter in the edit takes the default button", [&] { screen.PressKey(VK_RETURN); }, mrOk },
        { "Esc takes the cancel button", [&] { screen.PressKey(VK_ESCAPE); }, mrCancel },
        { "mouse click",
            [&] {
                screen.Click(ok->ClientToScreen({ 5, 5 }));
            },
            mrOk },
        { "Space on the focused button",
            [&] {
                cancel->SetFocus();
                screen.PressKey(VK_SPACE);
            },
            mrCancel },
    };
    for (const Case& c : cases) {
        loop.Post([&] {
            Pump();
            c.act();
        });
        EXPECT_EQ(dialog->ShowModal(), c.expected) << c.what;
    }
    EXPECT_EQ(ok_clicks, 2);

    // Two quick presses are two clicks.
    dialog->Show();
    Pump();
    ok->SetModalResult(mrNone);
    screen.Click(ok->ClientToScreen({ 5, 5 }));
    screen.Click(ok->ClientToScreen({ 5, 5 }));
    Pump();
    EXPECT_EQ(ok_clicks, 4);

    // Pressed, then released outside: no click.
    screen.MoveMouse(ok->ClientToScreen({ 5, 5 }));
    screen.PressButton();
    screen.MoveMouse(ok->ClientToScreen({ 200, 5 }));
    Pump();
    EXPECT_FALSE(ok->Pressed());
    screen.ReleaseButton();
    Pump();
    EXPECT_EQ(ok_clicks, 4);
}

// A control of its own class that the form's Enter or Esc clicks, as a
// skinned button would be.
class DialogKeyControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    UINT answers = 0;
    int clicks = 0;
    bool ClicksOnDialogKey(UINT key) const override { return key == answers; }
    void Click() override { ++clicks; }
};

TEST_F(StandardControlsTest, EnterAndEscClickWhicheverControlAnswersThem)
{
    auto* edit = Add<TEdit>();
    auto* custom = Add<DialogKeyControl>();
    custom->answers = VK_RETURN;
    auto* button = Add<TButton>();
    button->SetDefault(true);
    int button_clicks = 0;
    button->OnClick = [&](TObject*) { ++button_clicks; };
    std::u16string typed; // what the focused edit is given as characters
    edit->OnKeyPress = [&](TObject*, char16_t& ch) { typed += ch; };
    form->Show();
    Pump();
    edit->SetFocus();

    // A key taken as a dialog key is taken whole: its character never
    // reaches the focused control (where Enter would beep or type).
    struct Case {
        const char* what;
        UINT key;
        bool custom_enabled;
        int custom_clicks;
        int button_clicks;
        std::u16string typed;
    } const cases[] = {
        { "the first in tab order that answers takes Enter", VK_RETURN, true, 1, 0, u"" },
        { "a disabled one is passed over", VK_RETURN, false, 0, 1, u"" },
        { "nobody answers Esc", VK_ESCAPE, true, 0, 0, u"\x1b" },
    };
    for (const Case& c : cases) {
        custom->clicks = 0;
        button_clicks = 0;
        typed.clear();
        custom->SetEnabled(c.custom_enabled);
        screen.PressKey(c.key);
        Pump();
        EXPECT_EQ(custom->clicks, c.custom_clicks) << c.what;
        EXPECT_EQ(button_clicks, c.button_clicks) << c.what;
        EXPECT_TRUE(typed == c.typed) << c.what;
    }
}

TEST_F(StandardControlsTest, StatusBarPanelsFromADescription)
{
    ReadDescription(R"(
object Form1: TForm
  object StatusBar1: TStatusBar
    Panels = <
      item
        Text = 'one'
        Width = 60
      end
      item
        Alignment = taRightJustify
        Text = 'two'
        Width = 50
      end
      item
        Style = psOwnerDraw
      end>
  end
end)",
        *form);
    auto* bar = dynamic_cast<TStatusBar*>(form->FindComponent("StatusBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Align(), TAlign::alBottom);
    EXPECT_EQ(bar->Top() + bar->Height(), form->ClientHeight());
    EXPECT_EQ(bar->Height(), 19);
    ASSERT_EQ(bar->Panels().Count(), 3);
    EXPECT_EQ(bar->PanelRect(1).left, 60);
    EXPECT_EQ(bar->PanelRect(2).right, bar->ClientWidth()); // the last takes the rest
    int drawn = 0;
    bar->OnDrawPanel = [&](TObject*, TStatusPanel* p, const Rect& r) {
        EXPECT_EQ(p, bar->Panel(2));
        bar->Canvas().brush = SolidBrush(clRed);
        bar->Canvas().FillRect(r);
        ++drawn;
    };
    form->Show();
    EXPECT_EQ(PixelAt(*bar, { 150, 10 }), clRed);
    EXPECT_GE(drawn, 1);
    bar->SetSimplePanel(true);
    bar->SetSimpleText("simple");
    EXPECT_NE(PixelAt(*bar, { 150, 10 }), clRed);
}

TEST_F(StandardControlsTest, TheSizeGripStandsOnlyWhereTheFormCanBeSized)
{
    auto* bar = Add<TStatusBar>();
    form->Show();
    struct Case {
        TFormBorderStyle border;
        bool grip;
    } cases[] = {
        { TFormBorderStyle::bsSizeable, true },
        { TFormBorderStyle::bsSizeToolWin, true },
        { TFormBorderStyle::bsDialog, false },
        { TFormBorderStyle::bsSingle, false },
        { TFormBorderStyle::bsToolWindow, false },
        { TFormBorderStyle::bsNone, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.border));
        form->SetBorderStyle(c.border);
        EXPECT_EQ(bar->ShowsGrip(), c.grip);
        EXPECT_EQ(bar->GripRect().IsEmpty(), !c.grip);
        // The grip's first highlight stroke, at the bottom right.
        Rect g = bar->GripRect();
        if (c.grip) {
            EXPECT_EQ(PixelAt(*bar, { g.right - 1, g.top + 1 }), SystemColors::Resolve(clBtnHighlight));
        }
    }
    form->SetBorderStyle(TFormBorderStyle::bsSizeable);
    bar->SetSizeGrip(false);
    EXPECT_FALSE(bar->ShowsGrip());
}

TEST_F(StandardControlsTest, TimerTicksThroughTheQueueAndItsErrorsAreShown)
{
    auto* timer = new TTimer(form);
    int ticks = 0;
    timer->SetInterval(5);
    timer->OnTimer = [&](TObject*) {
        if (++ticks == 2)
            throw std::runtime_error("Tick failed");
    };
    EXPECT_TRUE(loop.WaitUntil([&] { return ticks >= 4; }, 3000ms));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Tick failed.");

    timer->SetEnabled(false);
    int stopped_at = ticks;
    loop.WaitUntil([] { return false; }, 40ms);
    EXPECT_EQ(ticks, stopped_at);
    timer->SetEnabled(true);
    timer->SetInterval(0);
    loop.WaitUntil([] { return false; }, 40ms);
    EXPECT_EQ(ticks, stopped_at);
    timer->SetInterval(5);
    EXPECT_TRUE(loop.WaitUntil([&] { return ticks > stopped_at; }, 3000ms));
    timer->Free(); // its window goes with it
}

TEST_F(StandardControlsTest, CheckListBoxTogglesOnTheBoxAndSelectsOnTheRow)
{
    auto* list = Add<TCheckListBox>();
    list->SetBounds(10, 10, 150, 50);
    for (int i = 0; i < 10; ++i)
        list->Items().Add("item " + std::to_string(i));
    int checks = 0;
    int clicks = 0;
    list->OnClickCheck = [&](TObject*) { ++checks; };
    list->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();

    Rect row1 = list->ItemRect(1);
    ClickAt(*list, { 50, row1.top + 2 });
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_FALSE(list->Checked(1));
    ClickAt(*list, { 5, row1.top + row1.Height() / 2 });
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(checks, 1);
    screen.PressKey(VK_SPACE);
    Pump();
    EXPECT_FALSE(list->Checked(1));
    // Quick clicks on the box toggle it each time.
    screen.Click(list->ClientToScreen({ 5, row1.top + row1.Height() / 2 }));
    screen.Click(list->ClientToScreen({ 5, row1.top + row1.Height() / 2 }));
    Pump();
    EXPECT_FALSE(list->Checked(1));
    EXPECT_EQ(checks, 4);

    screen.PressKey(VK_END);
    Pump();
    EXPECT_EQ(list->ItemIndex(), 9);
    EXPECT_EQ(list->TopIndex(), 10 - list->ClientHeight() / list->ItemHeight());
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(ws().GetScrollInfo(list->Handle(), SB_VERT, &si));
    EXPECT_EQ(si.nPos, list->TopIndex());
    EXPECT_GE(clicks, 2);

    EXPECT_THROW(list->Checked(10), std::out_of_range);
    list->Items().Delete(9);
    EXPECT_EQ(list->ItemIndex(), 8);
}

TEST_F(StandardControlsTest, ImageListKeepsImagesOfItsSize)
{
    auto* images = new TImageList(form);
    Bitmap strip(32, 16, clRed);
    EXPECT_EQ(images->Add(strip), 0);
    EXPECT_EQ(images->Count(), 2);
    images->SetWidth(20);
    EXPECT_EQ(images->Count(), 0); // a new size starts empty
    EXPECT_EQ(images->Add(Bitmap()), -1);
    Bitmap b;
    EXPECT_FALSE(images->GetBitmap(0, b));
}

}
}
