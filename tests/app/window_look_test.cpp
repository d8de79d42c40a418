// The windows dressed in a look chosen on the command line: a built-in
// style or an exported theme file reaches every skinned component of the
// main and about windows, also the parts made after start (the third tree
// and its bar, the pop-up menu) and the dialog the main window opens later;
// the frames show it in their border colour and title-bar height.
#include "tests/app/pellamo_windows_fixture.h"

#include "app/address_form.h"
#include "platform/components/property_access.h"
#include "skin/frame/skin_form.h"
#include "skin/frame/title_bar.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/style_properties.h"
#include "skin/theme/theme_source.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace pellamo {
namespace {

using S = TsuiUIStyle;

// The title bar stands this far inside its picture.
constexpr int kTitleInset = 3;

struct Look {
    S style;
    bool from_file; // the style's exported theme file instead of the style
};

std::string ThemeFileOf(S style)
{
    const char* build = std::getenv("PELLAMO_BINARY_DIR");
    return std::string(build ? build : ".") + "/themes/" + UIStyleNames().Name(static_cast<int>(style)) + ".sui";
}

PlayerLook ToPlayerLook(const Look& look)
{
    PlayerLook chosen;
    if (look.from_file)
        chosen.theme_file = ThemeFileOf(look.style);
    else
        chosen.style = look.style;
    return chosen;
}

class WindowLookTest : public test::PellamoWindowsFixture, public ::testing::WithParamInterface<Look> {
protected:
    WindowLookTest()
        : PellamoWindowsFixture({}, ToPlayerLook(GetParam()))
    {
    }

    std::string ExpectedStyleName() const
    {
        return GetParam().from_file ? "FromThemeFile" : UIStyleNames().Name(static_cast<int>(GetParam().style));
    }

    // Every skinned component `owner` holds reports the look; the parts a
    // skinned component makes for itself it dresses itself.
    void ExpectDressed(TComponent& owner, const std::string& where, int& seen)
    {
        for (int i = 0; i < owner.ComponentCount(); ++i) {
            TComponent* c = owner.Components(i);
            if (IsHasProperty(c, "UIStyle") && IsHasProperty(c, "FileTheme")) {
                ++seen;
                std::string name = where + "." + (c->Name().empty() ? c->Class().Name() : c->Name());
                EXPECT_EQ(GetEnumProp(*c, "UIStyle"), ExpectedStyleName()) << name;
                TComponent* theme = GetComponentProp(*c, "FileTheme");
                if (GetParam().from_file) {
                    auto* file_theme = dynamic_cast<TsuiFileTheme*>(theme);
                    EXPECT_TRUE(file_theme && file_theme->CanUse()) << name;
                } else {
                    EXPECT_EQ(theme, nullptr) << name;
                }
                continue;
            }
            ExpectDressed(*c, where, seen);
        }
    }

    void ExpectFrameDressed(TForm& form)
    {
        auto* frame = dynamic_cast<TsuiForm*>(form.FindComponent("suiForm1"));
        ASSERT_NE(frame, nullptr) << form.Name();
        ThemeSource theme(dynamic_cast<TsuiFileTheme*>(GetComponentProp(*frame, "FileTheme")),
            GetParam().from_file ? S::FromThemeFile : GetParam().style);
        EXPECT_EQ(frame->BorderColor(), theme.Color(ThemeItem::FormBorderColor)) << form.Name();
        EXPECT_EQ(frame->TitleBar().Height(), theme.Picture(ThemeItem::TitleBarLeftImage).Height() - kTitleInset)
            << form.Name();
    }
};

TEST_P(WindowLookTest, EverySkinnedComponentOfTheWindowsWearsTheLook)
{
    // The third tree and its bar come up after start.
    windows.main->MyChannels1Click(nullptr);
    Pump();
    for (TForm* form : { static_cast<TForm*>(windows.main), static_cast<TForm*>(windows.about) }) {
        int seen = 0;
        ExpectDressed(*form, form->Name(), seen);
        EXPECT_GE(seen, 2) << form->Name(); // at least the frame and a button
        ExpectFrameDressed(*form);
    }
    for (const char* part : { "suiForm1", "suiPanel1", "suiStatusBar1", "TreeView3", "PlaylistMenu" }) {
        TComponent* c = windows.main->FindComponent(part);
        ASSERT_NE(c, nullptr) << part;
        ASSERT_TRUE(IsHasProperty(c, "UIStyle")) << part;
        EXPECT_EQ(GetEnumProp(*c, "UIStyle"), ExpectedStyleName()) << part;
    }
}

TEST_P(WindowLookTest, TheDialogOpenedLaterWearsItToo)
{
    bool checked = false;
    EventLoop::Main().Post([&] {
        auto* form = dynamic_cast<TAddressForm*>(windows.main->FindComponent("AddressForm"));
        ASSERT_NE(form, nullptr);
        int seen = 0;
        ExpectDressed(*form, "AddressForm", seen);
        EXPECT_GT(seen, 0);
        checked = true;
        form->CancelButtonClick(nullptr);
    });
    windows.main->OpenAddress1Click(nullptr);
    EXPECT_TRUE(checked);
}

std::string LookName(const ::testing::TestParamInfo<Look>& info)
{
    return UIStyleNames().Name(static_cast<int>(info.param.style)) + (info.param.from_file ? "File" : "Style");
}

INSTANTIATE_TEST_SUITE_P(BuiltInStyles, WindowLookTest,
    ::testing::Values(Look { S::MacOS, false }, Look { S::WinXP, false }, Look { S::DeepBlue, false },
        Look { S::Protein, false }, Look { S::BlueGlass, false }),
    LookName);
INSTANTIATE_TEST_SUITE_P(ExportedThemeFiles, WindowLookTest,
    ::testing::Values(Look { S::MacOS, true }, Look { S::WinXP, true }, Look { S::DeepBlue, true },
        Look { S::Protein, true }, Look { S::BlueGlass, true }),
    LookName);

}
}
