#include "platform/components/component_errors.h"
#include "platform/components/controls/edit.h"
#include "skin/checks/check_box.h"
#include "skin/groups/check_group.h"
#include "tests/skin/skin_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class CheckGroupTest : public SkinFixture {
protected:
    TsuiCheckGroup* group = nullptr;
    int clicks = 0;
    void SetUp() override
    {
        Show();
        group = Add<TsuiCheckGroup>({ 10, 10, 195, 115 });
        group->SetUIStyle(S::MacOS);
        group->SetCaption("Show");
        group->OnClick = [this](TObject* sender) {
            EXPECT_EQ(sender, group);
            ++clicks;
        };
        Pump();
    }
    void SetItems(std::initializer_list<const char*> lines)
    {
        TStringList list;
        for (const char* line : lines)
            list.Add(line);
        group->SetItems(list);
        Pump();
    }
    std::string Captions()
    {
        std::string all;
        for (int i = 0; i < group->ButtonCount(); ++i)
            all += group->Buttons(i)->Caption() + (group->Buttons(i)->Checked() ? "*" : "") + " ";
        return all;
    }
};

TEST_F(CheckGroupTest, OneButtonPerLineInColumnsThatFollowTheGroup)
{
    SetItems({ "News", "Sport", "Music", "Films", "Radio" });
    group->SetColumns(2);
    ASSERT_EQ(group->ButtonCount(), 5);
    auto left = [&](int i) { return group->Buttons(i)->Left(); };
    auto top = [&](int i) { return group->Buttons(i)->Top(); };
    // 0, 1, 2 in the first column, 3, 4 in the second.
    EXPECT_EQ(left(0), 8);
    EXPECT_EQ(left(2), 8);
    EXPECT_EQ(left(3), 8 + 87);
    EXPECT_EQ(left(4), 8 + 87);
    EXPECT_EQ(top(3), top(0));
    EXPECT_EQ(top(4), top(1));
    EXPECT_LT(top(0), top(1));
    EXPECT_EQ(top(0), group->GetClient().top + 8 + (group->GetClient().bottom - group->GetClient().top - 8) % 3 / 2);

    // Negative values are ignored; Columns 0 lays out one column.
    group->SetColumns(-1);
    group->SetTopMargin(-5);
    EXPECT_EQ(group->Columns(), 2);
    EXPECT_EQ(group->TopMargin(), 8);
    group->SetColumns(0);
    EXPECT_EQ(left(4), 8);
    EXPECT_GT(top(4), top(3));

    // A resize lays the buttons out again.
    group->SetColumns(2);
    group->SetBounds(10, 10, 305, 115);
    EXPECT_EQ(left(3), 8 + 147);
}

TEST_F(CheckGroupTest, CheckedStatesStayWithTheButtonsWhenLinesGo)
{
    SetItems({ "News", "Sport", "Music" });
    group->SetChecked(0, true);
    EXPECT_EQ(clicks, 1); // a change by code is a click too
    EXPECT_EQ(Captions(), "News* Sport Music ");
    TsuiCheckBox* first = group->Buttons(0);
    group->Items().Delete(0);
    EXPECT_EQ(group->ButtonCount(), 2);
    EXPECT_EQ(group->Buttons(0), first); // the last button went
    EXPECT_EQ(Captions(), "Sport* Music ");
    group->Items().Add("Weather");
    EXPECT_EQ(Captions(), "Sport* Music Weather ");
    group->Items().Clear();
    EXPECT_EQ(group->ButtonCount(), 0);
}

TEST_F(CheckGroupTest, IndexedStateAnswersFalseOutsideTheButtonsAndRefusesWrites)
{
    SetItems({ "News", "Sport" });
    group->SetItemEnabled(1, false);
    EXPECT_FALSE(group->GetItemEnabled(1));
    EXPECT_TRUE(group->GetItemEnabled(0));
    for (int outside : { -1, 2, 1000 }) {
        SCOPED_TRACE(outside);
        EXPECT_FALSE(group->GetChecked(outside));
        EXPECT_FALSE(group->GetItemEnabled(outside));
        EXPECT_THROW(group->SetChecked(outside, true), EStringListError);
        EXPECT_THROW(group->SetItemEnabled(outside, true), EStringListError);
    }
}

TEST_F(CheckGroupTest, TheButtonsTakeTheGroupsStyleFontTransparencyAndCursor)
{
    group->SetCursor(TCursor::crHandPoint);
    SetItems({ "News" });
    TsuiCheckBox* button = group->Buttons(0);
    EXPECT_EQ(button->Cursor(), TCursor::crHandPoint); // made after the write
    group->SetCursor(TCursor::crIBeam);
    EXPECT_EQ(button->Cursor(), TCursor::crIBeam);
    group->SetUIStyle(S::WinXP);
    EXPECT_EQ(button->UIStyle(), S::WinXP);
    form->SetColor(clYellow); // as a theme manager does after the style
    EXPECT_EQ(button->Color(), clYellow);
    EXPECT_EQ(group->FontColor(), 0xCF4602);
    EXPECT_EQ(button->Font().Color(), 0xCF4602);
    group->Font().SetSize(14);
    EXPECT_EQ(button->Font().Size(), 14);
    group->SetTransparent(true);
    EXPECT_TRUE(button->Transparent());
    EXPECT_FALSE(button->TabStop());
}

// Each button looks like a check box of the same style standing alone.
TEST_F(CheckGroupTest, ButtonsArePaintedLikeCheckBoxesOfTheStyle)
{
    SetItems({ "News", "Sport" });
    group->SetChecked(1, true);
    // MacOS pictures are taller than WinXP ones: the buttons grow.
    for (S style : { S::WinXP, S::MacOS }) {
        SCOPED_TRACE(static_cast<int>(style));
        group->SetUIStyle(style);
        auto* alone = Add<TsuiCheckBox>({ 200, 10, 290, 30 });
        alone->SetUIStyle(style);
        alone->SetColor(group->Color());
        alone->Font().Assign(group->Font());
        alone->SetCaption("Sport");
        alone->SetChecked(true);
        Pump();
        ASSERT_EQ(alone->BoundsRect().Width(), group->Buttons(1)->Width());
        EXPECT_EQ(Shot(*group->Buttons(1)), Shot(*alone));
        delete alone;
    }
}

// Buttons size themselves as they paint; once the sizes are found, nothing
// paints again until something changes.
TEST_F(CheckGroupTest, AGroupSettlesAfterItsButtonsFindTheirSizes)
{
    SetItems({ "News", "Sport", "Music" });
    group->SetUIStyle(S::WinXP);
    group->Font().SetSize(12);
    Pump();
    Pump();
    int presents = screen.Window(ws().DisplayWindowOf(form->Handle()))->presents;
    Pump();
    Pump();
    EXPECT_EQ(screen.Window(ws().DisplayWindowOf(form->Handle()))->presents, presents);
}

TEST_F(CheckGroupTest, AThemeFileExportedFromMacOSDrawsTheSameGroup)
{
    SetItems({ "News", "Sport" });
    group->SetChecked(0, true);
    Bitmap built_in = Shot(*group);
    group->SetUIStyle(S::FromThemeFile);
    group->SetFileTheme(ExportedTheme(S::MacOS));
    EXPECT_EQ(group->Buttons(0)->UIStyle(), S::FromThemeFile);
    EXPECT_EQ(Shot(*group), built_in);
}

TEST_F(CheckGroupTest, TabEntersAtTheFirstButtonArrowsMoveAndSpaceToggles)
{
    auto* before = Add<TEdit>({ 200, 10, 300, 30 });
    SetItems({ "News", "Sport", "Music" });
    group->SetTabOrder(1);
    before->SetTabOrder(0);
    auto* after = Add<TEdit>({ 200, 40, 300, 60 });
    before->SetFocus();
    Key(VK_TAB);
    EXPECT_TRUE(group->Buttons(0)->Focused());
    Key(VK_SPACE);
    EXPECT_TRUE(group->GetChecked(0));
    Key(VK_DOWN);
    EXPECT_TRUE(group->Buttons(1)->Focused());
    Key(VK_DOWN);
    Key(VK_DOWN); // stays on the last
    EXPECT_TRUE(group->Buttons(2)->Focused());
    Key(VK_SPACE);
    EXPECT_EQ(Captions(), "News* Sport Music* ");
    EXPECT_EQ(clicks, 2);
    Key(VK_UP);
    EXPECT_TRUE(group->Buttons(1)->Focused());
    Key(VK_TAB);
    EXPECT_TRUE(after->Focused());
    Key(VK_TAB, kModShift);
    Key(VK_TAB, kModShift);
    EXPECT_TRUE(before->Focused()); // Shift+Tab goes through the group, not round in it
}

TEST_F(CheckGroupTest, ClicksOnAButtonOrTheBoxRaiseTheGroupsEvent)
{
    SetItems({ "News", "Sport" });
    TsuiCheckBox* sport = group->Buttons(1);
    Press(*sport, { 5, sport->Height() / 2 });
    Release();
    EXPECT_TRUE(group->GetChecked(1));
    EXPECT_TRUE(sport->Focused());
    EXPECT_EQ(clicks, 1);
    Press(*group, { 150, 90 });
    Release();
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(group->GetChecked(1));

    // A line's access key reaches its button.
    group->Items().SetStrings(0, "&News");
    Key('N', kModAlt);
    EXPECT_TRUE(group->GetChecked(0));
    EXPECT_TRUE(group->Buttons(0)->Focused());
    EXPECT_EQ(clicks, 3);
}

}
}
