#include "platform/components/controls/panel.h"
#include "skin/theme/style_properties.h"
#include "tests/skin/styled_samples.h"
#include "tests/skin/theme_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;
using Log = std::vector<std::string>;

class StylePropertiesTest : public ThemeFixture {
protected:
    template <class T> T* Add(TWinControl* parent, const char* name)
    {
        auto* c = new T(form);
        c->SetName(name);
        c->SetParent(parent);
        return c;
    }
    TForm* form = nullptr;
    void SetUp() override
    {
        ThemeFixture::SetUp();
        form = app.CreateForm<TForm>();
    }
};

TEST_F(StylePropertiesTest, ANewControlTakesTheStyleOfTheFormsFirstFrame)
{
    EXPECT_EQ(GetSUIFormStyle(nullptr), S::DeepBlue);
    EXPECT_EQ(GetSUIFormStyle(form), S::DeepBlue); // no frame

    auto* panel = Add<TPanel>(form, "Panel");
    auto* nested = Add<TSampleFrame>(panel, "Nested"); // not a direct child
    nested->SetUIStyle(S::Protein);
    auto* sample = Add<TsuiSample>(form, "Sample");
    sample->SetUIStyle(S::BlueGlass);
    EXPECT_EQ(GetSUIFormStyle(form), S::DeepBlue);

    auto* frame = Add<TSampleFrame>(form, "Frame");
    frame->SetUIStyle(S::MacOS);
    auto* second = Add<TSampleFrame>(form, "Second");
    second->SetUIStyle(S::WinXP);
    EXPECT_EQ(GetSUIFormStyle(form), S::MacOS);
    EXPECT_EQ(GetSUIFormStyle(panel), S::DeepBlue); // not a form
    EXPECT_EQ(GetSUIFormStyle(sample), S::DeepBlue);
}

TEST_F(StylePropertiesTest, ContainerApplyUIStyleReachesDirectChildrenWithBothProperties)
{
    ComponentPtr<TsuiFileTheme> theme(new TsuiFileTheme(nullptr));
    theme->SetName("Theme");
    auto* both = Add<TsuiSample>(form, "Both");
    auto* plain_kind = Add<TStyledSample>(form, "PlainKind");
    auto* style_only = Add<TsuiStyleOnly>(form, "StyleOnly");
    auto* panel = Add<TPanel>(form, "Panel");
    auto* grandchild = Add<TsuiSample>(panel, "Grandchild");
    for (TStyledSample* c : { (TStyledSample*)both, (TStyledSample*)plain_kind, (TStyledSample*)grandchild })
        c->log.clear();

    ContainerApplyUIStyle(form, S::FromThemeFile, theme.get());
    // The file theme first, then the style.
    EXPECT_EQ(both->log, (Log { "FileTheme=Theme", "UIStyle=FromThemeFile" }));
    EXPECT_EQ(plain_kind->log, (Log { "FileTheme=Theme", "UIStyle=FromThemeFile" }));
    EXPECT_EQ(style_only->UIStyle(), S::DeepBlue);
    EXPECT_TRUE(grandchild->log.empty());

    ContainerApplyUIStyle(form, S::WinXP, nullptr);
    EXPECT_EQ(both->log.back(), "UIStyle=WinXP");
    EXPECT_EQ(both->FileTheme(), nullptr);
    ContainerApplyUIStyle(nullptr, S::WinXP, nullptr);

    EXPECT_TRUE(IsHasProperty(both, "uistyle"));
    EXPECT_FALSE(IsHasProperty(style_only, "FileTheme"));
    EXPECT_FALSE(IsHasProperty(nullptr, "UIStyle"));
}

}
}
