#include "skin/panels/link_label.h"
#include "tests/skin/skinned_form_fixture.h"

namespace pellamo::test {
namespace {

class LinkLabelTest : public SkinnedFormFixture {
protected:
    TsuiURLLabel* label = nullptr;
    int clicks = 0;
    void SetUp() override
    {
        SkinnedFormFixture::SetUp();
        label = new TsuiURLLabel(form);
        label->SetParent(form);
        label->SetLeft(30);
        label->SetTop(40);
        label->OnClick = [this](TObject*) { ++clicks; };
        Pump();
    }
};

TEST_F(LinkLabelTest, ALinkLooksLikeOneAndFollowsTheMouse)
{
    EXPECT_TRUE(label->Font().Style().Contains(TFontStyle::fsUnderline));
    EXPECT_EQ(label->Font().Color(), 0xFF0000);
    EXPECT_EQ(label->Cursor(), TCursor::crHandPoint);
    EXPECT_TRUE(label->AutoSize());
    EXPECT_FALSE(label->Caption().empty());
    EXPECT_GT(label->Width(), 20); // sized to the welcome text

    screen.MoveMouse(label->ClientToScreen({ 3, 3 }));
    Pump();
    EXPECT_EQ(label->Font().Color(), 0x0000FF);
    screen.MoveMouse({ 390, 290 });
    Pump();
    EXPECT_EQ(label->Font().Color(), 0xFF0000);

    label->SetFontHoverColor(0x00AA00); // stored only
    EXPECT_EQ(label->Font().Color(), 0xFF0000);
    label->SetFontLinkColor(0x333333); // shown at once
    EXPECT_EQ(label->Font().Color(), 0x333333);
}

TEST_F(LinkLabelTest, AClickOpensTheAddressAsStoredAndABlankOneOpensNothing)
{
    struct Case {
        const char* url;
        bool opened;
    } cases[] = {
        { "http://www.example.invalid/a b?c=1&d", true },
        { " http://padded.invalid/ ", true }, // opened as stored, blanks and all
        { "   ", false },
        { "", false },
    };
    int x = 3;
    for (const auto& c : cases) {
        x = x == 3 ? 40 : 3; // apart, so two clicks never make a double click
        size_t before = screen.OpenedUrls().size();
        int clicks_before = clicks;
        label->SetURL(c.url);
        ClickAt(*label, { x, 3 });
        EXPECT_EQ(clicks, clicks_before + 1) << '"' << c.url << '"';
        if (c.opened) {
            ASSERT_EQ(screen.OpenedUrls().size(), before + 1) << c.url;
            EXPECT_EQ(screen.OpenedUrls().back(), c.url);
        } else {
            EXPECT_EQ(screen.OpenedUrls().size(), before) << '"' << c.url << '"';
        }
    }
}

}
}
