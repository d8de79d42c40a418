#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "skin/edits/edit_classes.h"
#include "skin/edits/spin_edit.h"
#include "tests/skin/skin_fixture.h"

#include <limits>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class SpinEditTest : public SkinFixture {
protected:
    TsuiSpinEdit* spin = nullptr;
    TEdit* other = nullptr;
    void SetUp() override
    {
        spin = Add<TsuiSpinEdit>({ 10, 10, 130, 34 });
        other = Add<TEdit>({ 10, 50, 130, 71 });
        Show();
        spin->SetFocus();
        Pump();
    }
    void Type(const std::string& text)
    {
        for (char c : text)
            screen.TypeText(std::string(1, c));
        Pump();
    }
    void Leave()
    {
        other->SetFocus();
        Pump();
    }
    void Clear()
    {
        spin->SetFocus();
        spin->SelectAll();
        Key(VK_DELETE);
    }
    Point UpCentre() { return { spin->Buttons()->Left() + 7, spin->Buttons()->Top() + 4 }; }
};

TEST_F(SpinEditTest, EqualLimitsAreNoLimits)
{
    EXPECT_EQ(spin->Text(), "0");
    Key(VK_UP);
    EXPECT_EQ(spin->Value(), 1);
    Clear();
    Type("-5");
    EXPECT_EQ(spin->Text(), "-5");
    EXPECT_EQ(spin->Value(), -5);
    Key(VK_DOWN);
    EXPECT_EQ(spin->Value(), -6);
}

TEST_F(SpinEditTest, LimitsClampWritesAndLeavingButNotUnreadableText)
{
    spin->SetMinValue(1);
    spin->SetMaxValue(10);
    screen.SetClipboardText("abc");
    spin->SelectAll();
    Key('V', kModControl);
    EXPECT_EQ(spin->Text(), "abc");
    EXPECT_EQ(spin->Value(), 1); // not a number: MinValue
    Leave();
    EXPECT_EQ(spin->Text(), "abc"); // the check does not change 1

    Clear();
    Type("50");
    Leave();
    EXPECT_EQ(spin->Text(), "10");
    spin->SetValue(-3);
    EXPECT_EQ(spin->Text(), "1");
    spin->SetFocus();
    Pump();
    Key(VK_UP);
    spin->SetValue(10);
    Key(VK_UP);
    EXPECT_EQ(spin->Value(), 10);
}

TEST_F(SpinEditTest, StepsStopAtTheEndsOfTheRange)
{
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    struct Case {
        int start;
        int increment;
        UINT key;
        int expected;
    } cases[] = {
        { kMax, 1, VK_UP, kMax }, { kMax - 1, 5, VK_UP, kMax }, { kMin, 1, VK_DOWN, kMin }, { 0, kMax, VK_DOWN, -kMax },
        { -5, kMax, VK_DOWN, kMin }, { 3, -2, VK_UP, 1 }, // a negative increment steps the other way
    };
    for (const auto& c : cases) {
        spin->SetIncrement(c.increment);
        spin->SetValue(c.start);
        Key(c.key);
        EXPECT_EQ(spin->Value(), c.expected) << c.start << " by " << c.increment;
    }
}

TEST_F(SpinEditTest, AClosedEditorStillStepsButTakesNoTyping)
{
    spin->SetValue(42);
    spin->SetEditorEnabled(false);
    screen.SetClipboardText("7");
    int beeps = screen.Beeps();
    spin->SelectAll();
    Type("1-");
    Key(VK_BACK);
    EXPECT_EQ(screen.Beeps() - beeps, 3);
    Key('X', kModControl);
    Key('V', kModControl);
    Key(VK_DELETE);
    Key(VK_DELETE, kModShift);
    EXPECT_EQ(spin->Text(), "42");
    EXPECT_EQ(screen.ClipboardText(), "7");
    Key(VK_UP);
    EXPECT_EQ(spin->Value(), 43);
    ClickAt(*spin, UpCentre());
    EXPECT_EQ(spin->Value(), 44);

    // Read-only: a step beeps and changes nothing.
    spin->SetReadOnly(true);
    beeps = screen.Beeps();
    Key(VK_DOWN);
    ClickAt(*spin, UpCentre());
    EXPECT_EQ(spin->Value(), 44);
    EXPECT_EQ(screen.Beeps() - beeps, 2);
}

TEST_F(SpinEditTest, HoldingAButtonRepeatsEvery400Milliseconds)
{
    Press(*spin, UpCentre());
    Wait(1000);
    Release();
    EXPECT_EQ(spin->Value(), 3); // at 400, at 800, and the click
    Point down { spin->Buttons()->Left() + 7, spin->Buttons()->Top() + spin->Buttons()->Height() - 4 };
    Press(*spin, down);
    Wait(450);
    MoveTo(*spin, { 40, 10 }); // released off the button: no click
    Release();
    EXPECT_EQ(spin->Value(), 2);
}

TEST_F(SpinEditTest, TheWheelSteps)
{
    MoveTo(*spin, { 20, 10 });
    screen.Wheel(WHEEL_DELTA);
    Pump();
    EXPECT_EQ(spin->Value(), 1);
    screen.Wheel(-2 * WHEEL_DELTA);
    Pump();
    EXPECT_EQ(spin->Value(), -1);
}

TEST_F(SpinEditTest, TheButtonsSitInsideTheRightEdgeAndTheTextKeepsClear)
{
    TsuiSpinButtons* b = spin->Buttons();
    EXPECT_EQ(b->Parent(), spin);
    EXPECT_EQ(b->BoundsRect(), (Rect { spin->ClientWidth() - 15, 0, spin->ClientWidth(), spin->ClientHeight() }));
    EXPECT_EQ(b->UpButton()->BoundsRect(), (Rect { 0, 0, 15, 11 }));
    EXPECT_EQ(b->DownButton()->BoundsRect(), (Rect { 0, 10, 15, 20 }));
    spin->SetBounds(10, 10, 200, 30);
    EXPECT_EQ(b->BoundsRect(), (Rect { 196 - 15, 0, 196, 26 }));

    Bitmap before = Shot(*b);
    Clear();
    Type(std::string(30, '8'));
    EXPECT_EQ(Shot(*b), before); // no digit drawn over the buttons
}

TEST_F(SpinEditTest, TheButtonPairLaysOutItsButtonsAndIsNeverNarrowerThan15)
{
    auto* pair = Add<TsuiSpinButtons>({ 200, 10, 220, 35 });
    Pump();
    EXPECT_EQ(pair->UpButton()->BoundsRect(), (Rect { 0, 0, 20, 13 }));
    EXPECT_EQ(pair->DownButton()->BoundsRect(), (Rect { 0, 12, 20, 25 }));
    pair->SetWidth(10);
    EXPECT_EQ(pair->Width(), 15);
    EXPECT_EQ(pair->UpButton()->Width(), 15);

    int ups = 0;
    pair->OnUpClick = [&](TObject* sender) {
        EXPECT_EQ(sender, pair);
        ++ups;
    };
    ClickAt(*pair, { 7, 3 });
    EXPECT_EQ(ups, 1);
}

TEST_F(SpinEditTest, TheButtonsFollowTheEditsStyle)
{
    spin->SetUIStyle(S::MacOS);
    EXPECT_EQ(spin->Buttons()->UIStyle(), S::MacOS);
    EXPECT_EQ(spin->Buttons()->DownButton()->UIStyle(), S::MacOS);
    TsuiFileTheme* theme = ExportedTheme(S::WinXP);
    spin->SetUIStyle(S::FromThemeFile);
    spin->SetFileTheme(theme);
    EXPECT_EQ(spin->Buttons()->FileTheme(), theme);
    EXPECT_EQ(spin->Buttons()->UpButton()->UIStyle(), S::FromThemeFile);
    EXPECT_EQ(spin->BorderColor(), 0x686868);
    theme->Free();
    EXPECT_EQ(spin->UIStyle(), S::DeepBlue);
    EXPECT_EQ(spin->Buttons()->FileTheme(), nullptr);
}

TEST_F(SpinEditTest, DescriptionsStoreTheValuesButNotTheButtons)
{
    RegisterSkinEditClasses();
    ReadDescription(R"(
object Form1: TForm
  object Count: TsuiSpinEdit
    UIStyle = MacOS
    MinValue = 1
    MaxValue = 99
    Increment = 5
    EditorEnabled = False
    Value = 20
  end
end)",
        *form);
    auto* count = dynamic_cast<TsuiSpinEdit*>(form->FindComponent("Count"));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count->Value(), 20);
    EXPECT_EQ(count->Increment(), 5);
    EXPECT_FALSE(count->EditorEnabled());
    EXPECT_EQ(count->Buttons()->UIStyle(), S::MacOS);
    std::string written = WriteDescription(*form);
    EXPECT_NE(written.find("object Count: TsuiSpinEdit"), std::string::npos);
    EXPECT_EQ(written.find("TsuiSpinButtons"), std::string::npos);
    EXPECT_EQ(written.find("TsuiArrowButton"), std::string::npos);
}

}
}
