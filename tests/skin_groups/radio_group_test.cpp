#include "platform/components/class_info.h"
#include "platform/components/class_registry.h"
#include "platform/components/controls/edit.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "skin/checks/radio_button.h"
#include "skin/groups/group_classes.h"
#include "skin/groups/radio_group.h"
#include "tests/skin/skin_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class RadioGroupTest : public SkinFixture {
protected:
    TsuiRadioGroup* group = nullptr;
    int clicks = 0;
    void SetUp() override
    {
        Show();
        group = Add<TsuiRadioGroup>({ 10, 10, 195, 115 });
        group->SetUIStyle(S::MacOS);
        group->SetCaption("Quality");
        for (const char* line : { "Low", "Medium", "High" })
            group->Items().Add(line);
        group->OnClick = [this](TObject*) { ++clicks; };
        Pump();
    }
};

// A group whose choice is fixed.
class LockedRadioGroup : public TsuiRadioGroup {
public:
    using TsuiRadioGroup::TsuiRadioGroup;
    bool CanModify() const override { return false; }
};

// Counts its clicks from the moment it is made, so that reading a
// description counts too.
class CountingRadioGroup : public TsuiRadioGroup {
public:
    explicit CountingRadioGroup(TComponent* owner)
        : TsuiRadioGroup(owner)
    {
        OnClick = [this](TObject*) { ++clicks; };
    }
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info(
            "TCountingRadioGroup", &TsuiRadioGroup::StaticClass(), {}, FactoryOf<CountingRadioGroup>());
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }
    int clicks = 0;
};

TEST_F(RadioGroupTest, ItemIndexChecksOneButtonAndIgnoresValuesOutside)
{
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(1);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_EQ(clicks, 1);
    group->SetItemIndex(2);
    EXPECT_FALSE(group->GetChecked(1));
    EXPECT_EQ(clicks, 2); // once per change: the unchecked button is quiet
    for (int outside : { 3, -2, 100 }) {
        group->SetItemIndex(outside);
        EXPECT_EQ(group->ItemIndex(), 2) << outside;
    }
    group->SetItemIndex(-1);
    EXPECT_EQ(group->ItemIndex(), -1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(group->GetChecked(i)) << i;
    EXPECT_EQ(clicks, 2);
}

TEST_F(RadioGroupTest, ADescriptionSetsTheChoiceWithoutRaisingOnClick)
{
    RegisterGroupClasses();
    RegisterClasses({ &CountingRadioGroup::StaticClass() });
    ReadDescription(R"(
object Form1: TForm
  object Choice: TCountingRadioGroup
    Left = 8
    Top = 200
    Width = 185
    Height = 105
    UIStyle = WinXP
    Caption = 'Quality'
    Items = (
      'Low'
      'Medium'
      'High')
    Columns = 3
    ItemIndex = 2
  end
  object Flags: TsuiCheckGroup
    Items = ('One')
    TopMargin = 12
  end
end)",
        *form);
    auto* read = dynamic_cast<CountingRadioGroup*>(form->FindComponent("Choice"));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->ItemIndex(), 2);
    EXPECT_EQ(read->clicks, 0);
    EXPECT_EQ(read->Columns(), 3);
    EXPECT_EQ(read->ButtonCount(), 3);
    EXPECT_EQ(read->Buttons(0)->UIStyle(), S::WinXP);
    auto* flags = dynamic_cast<TsuiCheckGroup*>(form->FindComponent("Flags"));
    ASSERT_NE(flags, nullptr);
    EXPECT_EQ(flags->TopMargin(), 12);
    EXPECT_EQ(flags->ButtonCount(), 1);
    read->SetItemIndex(0);
    EXPECT_EQ(read->clicks, 1);

    // Written back, the buttons stay out (the group makes them) and the
    // choice comes back after the lines it picks from.
    std::string text = WriteDescription(*form);
    EXPECT_EQ(text.find("GroupButton"), std::string::npos) << text;
    auto* copy = app.CreateForm<TForm>();
    ReadDescription("object Form2" + text.substr(text.find(':')), *copy);
    auto* again = dynamic_cast<TsuiRadioGroup*>(copy->FindComponent("Choice"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->ButtonCount(), 3);
    EXPECT_EQ(again->ItemIndex(), 0);
    EXPECT_EQ(again->Buttons(2)->Caption(), "High");
}

TEST_F(RadioGroupTest, ArrowKeysMoveTheChoiceAndTheFocusReturnsToIt)
{
    auto* before = Add<TEdit>({ 200, 10, 300, 30 });
    before->SetTabOrder(0);
    group->SetTabOrder(1);
    auto* after = Add<TEdit>({ 200, 40, 300, 60 });

    // Nothing chosen: the group itself takes the focus; an arrow chooses.
    before->SetFocus();
    Key(VK_TAB);
    EXPECT_TRUE(group->Focused());
    Key(VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_TRUE(group->Buttons(0)->Focused());
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 2);
    Key(VK_DOWN); // round to the first
    EXPECT_EQ(group->ItemIndex(), 0);
    Key(VK_UP);
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_TRUE(group->Buttons(2)->Focused());
    EXPECT_EQ(clicks, 5);

    // Disabled buttons are passed over.
    group->SetItemEnabled(0, false);
    Key(VK_DOWN);
    EXPECT_EQ(group->ItemIndex(), 1);

    Key(VK_TAB);
    EXPECT_TRUE(after->Focused());
    Key(VK_TAB, kModShift);
    EXPECT_TRUE(group->Buttons(1)->Focused()); // the chosen one
    Key(VK_TAB, kModShift);
    EXPECT_TRUE(before->Focused());
}

TEST_F(RadioGroupTest, AClickChoosesUnlessTheGroupRefusesChanges)
{
    TsuiCheckBox* high = group->Buttons(2);
    Press(*high, { 5, high->Height() / 2 });
    Release();
    EXPECT_EQ(group->ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);

    auto* locked = Add<LockedRadioGroup>({ 10, 150, 195, 255 });
    locked->Items().Add("Low");
    locked->Items().Add("High");
    locked->SetItemIndex(0); // code may still choose
    Pump();
    TsuiCheckBox* other = locked->Buttons(1);
    Press(*other, { 5, other->Height() / 2 });
    Release();
    EXPECT_EQ(locked->ItemIndex(), 0);
}

TEST_F(RadioGroupTest, TheChosenButtonShowsTheFocusWhileTheGroupHasIt)
{
    group->SetItemIndex(1);
    Pump();
    Bitmap plain = Shot(*group->Buttons(1));
    group->Buttons(1)->SetFocus();
    Bitmap focused = Shot(*group->Buttons(1));
    EXPECT_NE(plain, focused);
    EXPECT_EQ(Shot(*group->Buttons(0)), Shot(*group->Buttons(0))); // others unchanged
}

TEST_F(RadioGroupTest, ButtonsArePaintedLikeRadioButtonsOfTheStyle)
{
    group->SetItemIndex(1);
    // MacOS pictures are taller than WinXP ones: the buttons grow.
    for (S style : { S::WinXP, S::MacOS }) {
        SCOPED_TRACE(static_cast<int>(style));
        group->SetUIStyle(style);
        auto* alone = Add<TsuiRadioButton>({ 200, 10, 290, 30 });
        alone->SetUIStyle(style);
        alone->SetColor(group->Color());
        alone->Font().Assign(group->Font());
        alone->SetCaption("Medium");
        alone->SetChecked(true);
        alone->SetTabStop(false);
        Pump();
        EXPECT_EQ(Shot(*group->Buttons(1)), Shot(*alone));
        delete alone;
    }
    Bitmap built_in_mac;
    group->SetUIStyle(S::MacOS);
    built_in_mac = Shot(*group);
    group->SetUIStyle(S::FromThemeFile);
    group->SetFileTheme(ExportedTheme(S::MacOS));
    EXPECT_EQ(Shot(*group), built_in_mac);
}

}
}
