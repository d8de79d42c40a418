// TsuiButton driven by pointer and key messages on the headless screen,
// and what it shows in each state.

#include "platform/components/controls/edit.h"
#include "skin/buttons/button_look.h"
#include "skin/buttons/push_button.h"
#include "skin/theme/theme_source.h"
#include "tests/skin/skin_fixture.h"

#include <functional>

namespace pellamo::test {
namespace {

class PushButtonTest : public SkinFixture {
protected:
    TsuiButton* button = nullptr;
    int clicks = 0;
    int repeats = 0;
    int enters = 0;
    int exits = 0;

    void SetUp() override
    {
        button = Add<TsuiButton>({ 20, 20, 120, 47 });
        button->SetCaption("Play");
        button->OnClick = [this](TObject*) { ++clicks; };
        button->OnMouseContinuouslyDown = [this](TObject*) { ++repeats; };
        button->OnMouseEnter = [this](TObject*) { ++enters; };
        button->OnMouseExit = [this](TObject*) { ++exits; };
        Show();
    }
};

TEST_F(PushButtonTest, DraggingOffShowsItUnpressedAndReleasingOutsideDoesNotClick)
{
    const int w = button->Width();
    Press(*button, { 5, 5 });
    EXPECT_TRUE(button->Pressed());
    EXPECT_TRUE(button->Hover());
    EXPECT_TRUE(button->Focused());
    EXPECT_EQ(enters, 1);

    MoveTo(*button, { w, 5 }); // the right edge still counts as inside
    EXPECT_TRUE(button->Pressed());
    MoveTo(*button, { w + 1, 5 });
    EXPECT_FALSE(button->Pressed());
    EXPECT_FALSE(button->Hover());
    MoveTo(*button, { 5, 5 }); // back while still held
    EXPECT_TRUE(button->Pressed());
    MoveTo(*button, { 5, -1 });
    EXPECT_FALSE(button->Pressed());

    Release();
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->RepeatTimerRunning());
    // The pointer has gone: the button hears it left.
    MoveTo(*form, { 300, 250 });
    EXPECT_EQ(exits, 1);

    Press(*button, { 5, 5 });
    Release();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Pressed());
    EXPECT_TRUE(button->Hover());
}

TEST_F(PushButtonTest, HoldingRepeatsOnlyWhileThePointerIsOverTheButton)
{
    // A quick click: one OnClick, no repeat.
    Press(*button, { 5, 5 });
    Wait(50);
    Release();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(repeats, 0);

    // Held for 350 ms: a tick at 100, 200 and 300.
    Press(*button, { 5, 5 });
    Wait(350);
    EXPECT_EQ(repeats, 3);
    // Dragged off (the pointer is captured): no ticks until it comes back.
    MoveTo(*button, { -20, 5 });
    Wait(300);
    EXPECT_EQ(repeats, 3);
    MoveTo(*button, { 5, 5 });
    Wait(100);
    EXPECT_EQ(repeats, 4);
    Release();
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button->RepeatTimerRunning()); // an idle button holds no timer
    Wait(300);
    EXPECT_EQ(repeats, 4);
}

TEST_F(PushButtonTest, RepeatIntervals)
{
    struct Case {
        int interval;
        int hold_ms;
        int repeats;
    } cases[] = {
        { 100, 90, 0 }, { 50, 120, 2 }, { 0, 300, 0 }, // a timer of 0 never ticks
        { -5, 300, 0 }, // nor does a negative interval
    };
    for (const Case& c : cases) {
        repeats = clicks = 0;
        button->SetMouseContinuouslyDownInterval(c.interval);
        Press(*button, { 5, 5 });
        Wait(c.hold_ms);
        Release();
        EXPECT_EQ(repeats, c.repeats) << c.interval;
        EXPECT_EQ(clicks, 1) << c.interval;
    }
}

TEST_F(PushButtonTest, SpaceAndEnterClickTheFocusedButton)
{
    button->SetFocus();
    Pump();
    screen.KeyDown(VK_SPACE);
    Pump();
    EXPECT_TRUE(button->Pressed());
    EXPECT_EQ(clicks, 0);
    screen.KeyUp(VK_SPACE);
    Pump();
    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(clicks, 1);

    // Enter clicks once, on the way down.
    screen.KeyDown(VK_RETURN);
    Pump();
    EXPECT_EQ(clicks, 2);
    screen.KeyUp(VK_RETURN);
    Pump();
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(button->Pressed());

    // Not when disabled.
    button->SetEnabled(false);
    Key(VK_SPACE);
    EXPECT_EQ(clicks, 2);
}

TEST_F(PushButtonTest, MousePressTakesTheFocusOnlyWithATabStop)
{
    auto* edit = Add<TEdit>({ 200, 20, 300, 40 });
    struct Case {
        bool tab_stop;
        bool focused;
    } cases[] = { { true, true }, { false, false } };
    for (const Case& c : cases) {
        edit->SetFocus();
        button->SetTabStop(c.tab_stop);
        Press(*button, { 5, 5 });
        Release();
        EXPECT_EQ(button->Focused(), c.focused) << c.tab_stop;
    }
    EXPECT_EQ(clicks, 2);
}

TEST_F(PushButtonTest, EnterGoesToTheFocusedSkinnedButtonElseToTheDefaultOne)
{
    auto* edit = Add<TEdit>({ 200, 20, 300, 40 });
    auto* other = Add<TsuiButton>({ 20, 60, 120, 87 });
    auto* cancel = Add<TsuiButton>({ 20, 100, 120, 127 });
    button->SetDefault(true);
    cancel->SetCancel(true);
    int other_clicks = 0, cancel_clicks = 0;
    other->OnClick = [&](TObject*) { ++other_clicks; };
    cancel->OnClick = [&](TObject*) { ++cancel_clicks; };
    Pump();

    struct Case {
        const char* what;
        std::function<void()> act;
        int clicks, other, cancel;
    } cases[] = {
        { "Enter in the edit", [&] { edit->SetFocus(), Key(VK_RETURN); }, 1, 0, 0 },
        { "Enter on another skinned button", [&] { other->SetFocus(), Key(VK_RETURN); }, 0, 1, 0 },
        { "Esc anywhere", [&] { other->SetFocus(), Key(VK_ESCAPE); }, 0, 0, 1 },
        { "Shift+Enter", [&] { edit->SetFocus(), Key(VK_RETURN, kModShift); }, 0, 0, 0 },
        { "Ctrl+Esc", [&] { edit->SetFocus(), Key(VK_ESCAPE, kModControl); }, 0, 0, 0 },
        { "Default moved to the other button",
            [&] {
                edit->SetFocus();
                button->SetDefault(false);
                other->SetDefault(true);
                Key(VK_RETURN);
            },
            0, 1, 0 },
        { "the default button disabled",
            [&] {
                other->SetEnabled(false);
                Key(VK_RETURN);
                other->SetEnabled(true);
            },
            0, 0, 0 },
    };
    for (const Case& c : cases) {
        clicks = other_clicks = cancel_clicks = 0;
        c.act();
        Pump();
        EXPECT_EQ(clicks, c.clicks) << c.what;
        EXPECT_EQ(other_clicks, c.other) << c.what;
        EXPECT_EQ(cancel_clicks, c.cancel) << c.what;
    }
    // The focus back on the edit: the Default button answers Enter again.
    edit->SetFocus();
    EXPECT_TRUE(other->Active());
    EXPECT_FALSE(button->Active());
}

TEST_F(PushButtonTest, EveryClickHandsItsModalResultToTheForm)
{
    form->SetModalResult(mrOk);
    button->SetModalResult(mrNone);
    Press(*button, { 5, 5 });
    Release();
    EXPECT_EQ(form->ModalResult(), mrNone); // 0 is written too
    button->SetModalResult(mrCancel);
    button->Click();
    EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(PushButtonTest, AltWithTheMarkedLetterClicks)
{
    button->SetCaption("&Play");
    auto* other = Add<TEdit>({ 200, 20, 300, 40 });
    other->SetFocus();
    Pump();
    Key('P', kModAlt);
    EXPECT_EQ(clicks, 1);
    Key('Q', kModAlt);
    EXPECT_EQ(clicks, 1);
    button->SetEnabled(false);
    Key('P', kModAlt);
    EXPECT_EQ(clicks, 1);
}

TEST_F(PushButtonTest, HandlersMayFreeTheirOwnButton)
{
    struct Case {
        const char* what;
        std::function<void(TsuiButton*)> arm;
        std::function<void(TsuiButton*)> act;
    } cases[] = {
        { "click", [](TsuiButton* b) { b->OnClick = [b](TObject*) { b->Free(); }; },
            [&](TsuiButton* b) {
                Press(*b, { 5, 5 });
                Release();
            } },
        { "repeat tick", [](TsuiButton* b) { b->OnMouseContinuouslyDown = [b](TObject*) { b->Free(); }; },
            [&](TsuiButton* b) {
                Press(*b, { 5, 5 });
                Wait(150);
                Release();
            } },
        { "mouse down",
            [](TsuiButton* b) { b->OnMouseDown = [b](TObject*, TMouseButton, TShiftState, int, int) { b->Free(); }; },
            [&](TsuiButton* b) {
                Press(*b, { 5, 5 });
                Release();
            } },
        { "key up", [](TsuiButton* b) { b->OnClick = [b](TObject*) { b->Free(); }; },
            [&](TsuiButton* b) {
                b->SetFocus();
                Key(VK_SPACE);
            } },
        { "accelerator", [](TsuiButton* b) { b->OnClick = [b](TObject*) { b->Free(); }; },
            [&](TsuiButton*) { Key('X', kModAlt); } },
    };
    for (const Case& c : cases) {
        auto* b = Add<TsuiButton>({ 150, 150, 230, 177 });
        b->SetCaption("E&xit");
        c.arm(b);
        auto alive = b->AliveFlag();
        Pump();
        c.act(b);
        EXPECT_FALSE(*alive) << c.what;
    }
}

}
}
