#include "platform/components/component_errors.h"
#include "platform/components/property_access.h"
#include "skin/theme/theme_manager.h"
#include "skin/theme/theme_manager_dialog.h"
#include "tests/skin/styled_samples.h"
#include "tests/skin/theme_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;
using Log = std::vector<std::string>;
using Names = std::vector<std::string>;

Names NamesOf(const TStrings& list)
{
    Names out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.Get(i));
    return out;
}

class ThemeManagerTest : public ThemeFixture {
protected:
    void SetUp() override
    {
        ThemeFixture::SetUp();
        form = app.CreateForm<TForm>();
        manager = new TsuiThemeManager(form);
        manager->SetName("Manager");
        theme = new TsuiFileTheme(form);
        theme->SetName("Theme");
        first = Add<TsuiSample>("First");
        second = Add<TsuiSample>("Second");
        other_kind = Add<TStyledSample>("OtherKind");
        style_only = new TsuiStyleOnly(form);
        style_only->SetName("StyleOnly");
        style_only->SetParent(form);
    }
    template <class T> T* Add(const char* name)
    {
        auto* c = new T(form);
        c->SetName(name);
        c->SetParent(form);
        return c;
    }

    TForm* form = nullptr;
    TsuiThemeManager* manager = nullptr;
    TsuiFileTheme* theme = nullptr;
    TsuiSample* first = nullptr;
    TsuiSample* second = nullptr;
    TStyledSample* other_kind = nullptr;
    TsuiStyleOnly* style_only = nullptr;
};

TEST_F(ThemeManagerTest, UpdateAllGivesTheListedComponentsTheStyleThenTheTheme)
{
    EXPECT_EQ(manager->UIStyle(), S::DeepBlue);
    int changes = 0;
    manager->OnUIStyleChanged = [&](TObject* sender) {
        EXPECT_EQ(sender, manager);
        ++changes;
    };
    manager->CompList().Add("Second");
    manager->CompList().Add("NoSuchComponent");
    manager->CompList().Add("StyleOnly");
    manager->CompList().Add("otherkind");

    manager->SetUIStyle(S::Protein);
    EXPECT_EQ(second->log, (Log { "UIStyle=Protein", "FileTheme=none" }));
    EXPECT_EQ(other_kind->log, (Log { "UIStyle=Protein", "FileTheme=none" }));
    EXPECT_TRUE(first->log.empty());
    EXPECT_EQ(style_only->UIStyle(), S::DeepBlue); // lacks FileTheme: passed over
    EXPECT_EQ(changes, 1);

    manager->SetUIStyle(S::Protein); // the same again: updated, no event
    EXPECT_EQ(second->log.size(), 4u);
    EXPECT_EQ(changes, 1);

    manager->SetFileTheme(theme);
    EXPECT_EQ(second->log.back(), "FileTheme=Theme");
    EXPECT_EQ(changes, 1);

    // By name, as a window description sets it.
    SetOrdProp(*manager, "UIStyle", static_cast<int>(S::MacOS));
    EXPECT_EQ(second->UIStyle(), S::MacOS);
    EXPECT_EQ(changes, 2);
}

TEST_F(ThemeManagerTest, RemovedComponentsLeaveTheListAndARemovedThemeFallsBackToDeepBlue)
{
    manager->CompList().Add("First");
    manager->CompList().Add("Second");
    manager->SetUIStyle(S::WinXP);
    manager->SetFileTheme(theme);
    second->Free();
    EXPECT_EQ(NamesOf(manager->CompList()), (Names { "First" }));

    first->log.clear();
    theme->Free();
    EXPECT_EQ(manager->FileTheme(), nullptr);
    EXPECT_EQ(manager->UIStyle(), S::DeepBlue);
    // The manager does not restyle the controls: each clears its own reference.
    for (const std::string& entry : first->log)
        EXPECT_EQ(entry.rfind("UIStyle", 0), std::string::npos) << entry;
}

TEST_F(ThemeManagerTest, AManagerListingItselfOrAManagerListingItBackUpdatesOnce)
{
    auto* other = new TsuiThemeManager(form);
    other->SetName("Other");
    other->CompList().Add("Manager");
    other->CompList().Add("First");
    manager->CompList().Add("Manager");
    manager->CompList().Add("Other");
    manager->CompList().Add("Second");

    manager->SetUIStyle(S::WinXP);
    EXPECT_EQ(other->UIStyle(), S::WinXP);
    EXPECT_EQ(first->UIStyle(), S::WinXP);
    EXPECT_EQ(second->log, (Log { "UIStyle=WinXP", "FileTheme=none" }));
}

TEST_F(ThemeManagerTest, AManagerWithoutAFormUpdatesNothing)
{
    ComponentPtr<TsuiThemeManager> loose(new TsuiThemeManager(nullptr));
    loose->CompList().Add("First");
    loose->SetUIStyle(S::MacOS);
    EXPECT_TRUE(first->log.empty());
    EXPECT_FALSE(EditThemeManagerComponents(*loose));
}

TEST_F(ThemeManagerTest, TheDialogListsTheSkinnedComponentsAndOkTakesTheCheckedOnes)
{
    manager->CompList().Add("Second");
    ComponentPtr<TfrmMgr> dialog(new TfrmMgr(nullptr));
    EXPECT_EQ(dialog->Caption(), "Theme Manager - PelSkin");
    EXPECT_EQ(dialog->ClientWidth(), 233);
    EXPECT_EQ(dialog->ClientHeight(), 301);

    Names listed;
    std::vector<bool> checked;
    loop.Post([&] {
        Pump();
        TCheckListBox& list = *dialog->List;
        listed = NamesOf(list.Items());
        for (int i = 0; i < list.Items().Count(); ++i)
            checked.push_back(list.Checked(i));
        ClickAt(*dialog->btn_sel, { 5, 5 });
        list.SetChecked(0, false);
        ClickAt(*dialog->btn_ok, { 5, 5 });
    });
    EXPECT_TRUE(EditThemeManagerComponents(*manager, *dialog));
    // Only "Tsui" classes with both properties, never the manager itself.
    EXPECT_EQ(listed, (Names { "First", "Second" }));
    EXPECT_EQ(checked, (std::vector<bool> { false, true }));
    EXPECT_EQ(NamesOf(manager->CompList()), (Names { "Second" }));
    EXPECT_EQ(second->log, (Log { "UIStyle=DeepBlue", "FileTheme=none" }));

    // Unselect all, then closed without OK: the list stays, the update runs.
    loop.Post([&] {
        Pump();
        ClickAt(*dialog->btn_unsel, { 5, 5 });
        dialog->Close();
    });
    EXPECT_TRUE(EditThemeManagerComponents(*manager, *dialog));
    EXPECT_EQ(NamesOf(manager->CompList()), (Names { "Second" }));
    EXPECT_EQ(second->log.size(), 4u);
    EXPECT_FALSE(dialog->List->Checked(1));
}

}
}
