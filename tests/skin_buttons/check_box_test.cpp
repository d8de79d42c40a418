// TsuiCheckBox and TsuiRadioButton driven by pointer and keys, their
// grouping, and what they show.

#include "platform/components/class_info.h"
#include "platform/components/controls/button.h"
#include "platform/components/controls/panel.h"
#include "platform/components/description_reader.h"
#include "skin/checks/check_classes.h"
#include "skin/checks/check_face.h"
#include "skin/checks/radio_button.h"
#include "skin/theme/theme_source.h"
#include "tests/skin/skin_fixture.h"

#include <functional>

namespace pellamo::test {
namespace {

// The radio-group button of a radio group: only its class name matters here.
class TsuiRadioGroupButton : public TsuiRadioButton {
public:
    using TsuiRadioButton::TsuiRadioButton;
    static const ClassInfo& StaticClass()
    {
        static const ClassInfo info("TsuiRadioGroupButton", &TsuiRadioButton::StaticClass());
        return info;
    }
    const ClassInfo& Class() const override { return StaticClass(); }
};

class CheckBoxTest : public SkinFixture {
protected:
    TsuiCheckBox* box = nullptr;
    int box_clicks = 0;
    void SetUp() override
    {
        box = Add<TsuiCheckBox>({ 20, 20, 113, 37 });
        box->SetCaption("&Subtitles");
        box->OnClick = [this](TObject*) { ++box_clicks; };
        Show();
    }
    TsuiRadioButton* Radio(Rect bounds, int group, TWinControl* parent = nullptr)
    {
        auto* r = Add<TsuiRadioButton>(bounds, parent);
        r->SetGroupIndex(group);
        return r;
    }
    void ClickOn(TControl& c)
    {
        Press(c, { 5, 5 });
        Release();
    }
};

TEST_F(CheckBoxTest, ClicksKeysAndAcceleratorsToggleIt)
{
    auto* plain_button = Add<TButton>({ 200, 200, 280, 225 });
    plain_button->SetDefault(true);
    int default_clicks = 0;
    plain_button->OnClick = [&](TObject*) { ++default_clicks; };
    struct Case {
        const char* what;
        std::function<void()> act;
        bool checked;
    } cases[] = {
        { "click", [&] { ClickOn(*box); }, true },
        { "Space, on release",
            [&] {
                screen.KeyDown(VK_SPACE);
                Pump();
                EXPECT_TRUE(box->Checked());
                screen.KeyUp(VK_SPACE);
                Pump();
            },
            false },
        { "Enter, on release", [&] { Key(VK_RETURN); }, true },
        { "Alt+S", [&] { plain_button->SetFocus(), Key('S', kModAlt); }, false },
        { "two quick clicks", [&] { ClickOn(*box), ClickOn(*box); }, false },
        { "State grayed", [&] { box->SetState(TCheckBoxState::cbChecked), box->SetState(TCheckBoxState::cbGrayed); },
            false },
    };
    int expected_clicks = 0;
    for (const Case& c : cases) {
        bool before = box->Checked();
        c.act();
        EXPECT_EQ(box->Checked(), c.checked) << c.what;
        expected_clicks += c.checked != before ? 1 : 2; // a round trip fires twice
        EXPECT_EQ(box_clicks, expected_clicks) << c.what;
    }
    EXPECT_TRUE(box->Focused()); // the accelerator moved the focus to it
    EXPECT_EQ(default_clicks, 0); // Enter on the check box is the check box's
    EXPECT_EQ(box->State(), TCheckBoxState::cbUnchecked);

    // Disabled: nothing toggles it.
    box->SetEnabled(false);
    ClickOn(*box);
    Key('S', kModAlt);
    EXPECT_FALSE(box->Checked());
}

TEST_F(CheckBoxTest, OnClickMayFreeItsOwnCheckBox)
{
    struct Case {
        const char* what;
        std::function<void(TsuiCheckBox&)> act;
    } cases[] = {
        { "click", [&](TsuiCheckBox& c) { ClickOn(c); } },
        { "Space", [&](TsuiCheckBox& c) { c.SetFocus(), Key(VK_SPACE); } },
        { "Alt+Q", [&](TsuiCheckBox&) { Key('Q', kModAlt); } },
    };
    for (const Case& c : cases) {
        auto* quit = Add<TsuiCheckBox>({ 200, 200, 293, 217 });
        quit->SetCaption("&Quit");
        quit->OnClick = [quit](TObject*) { quit->Free(); };
        auto alive = quit->AliveFlag();
        Pump();
        c.act(*quit);
        EXPECT_FALSE(*alive) << c.what;
    }
}

TEST_F(CheckBoxTest, OnClickFollowsCodeButNotLoading)
{
    RegisterCheckClasses();
    box->SetChecked(true);
    box->SetChecked(true); // the same value: nothing
    EXPECT_EQ(box_clicks, 1);

    ComponentPtr<TForm> loaded(new TForm(nullptr));
    int loaded_clicks = 0;
    loaded->RegisterHandler<TObject*>("BoxClick", std::function<void(TObject*)>([&](TObject*) { ++loaded_clicks; }));
    ReadDescription("object Form2: TForm\n"
                    "  object Box: TsuiCheckBox\n"
                    "    Caption = 'Loud'\n"
                    "    Checked = True\n"
                    "    UIStyle = WinXP\n"
                    "    OnClick = BoxClick\n"
                    "  end\n"
                    "  object Radio: TsuiRadioButton\n"
                    "    Checked = True\n"
                    "    GroupIndex = 2\n"
                    "    OnClick = BoxClick\n"
                    "  end\n"
                    "end\n",
        *loaded);
    auto* read = dynamic_cast<TsuiCheckBox*>(loaded->FindComponent("Box"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->Checked());
    EXPECT_EQ(read->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_EQ(loaded_clicks, 0);
    read->SetChecked(false);
    EXPECT_EQ(loaded_clicks, 1);
    auto* radio = dynamic_cast<TsuiRadioButton*>(loaded->FindComponent("Radio"));
    ASSERT_NE(radio, nullptr);
    EXPECT_EQ(radio->GroupIndex(), 2);
}

TEST_F(CheckBoxTest, RadioButtonsOfOneParentAndGroupExcludeEachOther)
{
    auto* panel = Add<TPanel>({ 200, 20, 380, 200 });
    auto* a = Radio({ 20, 60, 113, 77 }, 0);
    auto* b = Radio({ 20, 80, 113, 97 }, 0);
    auto* other_group = Radio({ 20, 100, 113, 117 }, 1);
    auto* other_parent = Radio({ 10, 10, 103, 27 }, 0, panel);
    int a_clicks = 0, b_clicks = 0;
    a->OnClick = [&](TObject*) { ++a_clicks; };
    b->OnClick = [&](TObject*) { ++b_clicks; };
    other_group->SetChecked(true);
    other_parent->SetChecked(true);
    Pump();

    ClickOn(*a);
    EXPECT_TRUE(a->Checked());
    ClickOn(*b);
    EXPECT_TRUE(b->Checked());
    EXPECT_FALSE(a->Checked());
    EXPECT_EQ(a_clicks, 1); // unchecked without its OnClick
    b->Click(); // already checked: nothing
    EXPECT_EQ(b_clicks, 1);
    EXPECT_TRUE(other_group->Checked());
    EXPECT_TRUE(other_parent->Checked());

    // Space and Enter leave a radio button alone.
    a->SetFocus();
    Key(VK_SPACE);
    Key(VK_RETURN);
    EXPECT_FALSE(a->Checked());
    // The arrow keys move along the group, checking as they go.
    Key(VK_DOWN);
    EXPECT_TRUE(b->Focused());
    EXPECT_TRUE(b->Checked());
    Key(VK_DOWN); // round to the first
    EXPECT_TRUE(a->Focused());
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(b->Checked());
    EXPECT_TRUE(other_group->Checked());

    // A radio button takes the second press of a double click as a double click.
    ClickOn(*other_group);
    ClickOn(*b);
    EXPECT_TRUE(b->Checked());
    a->SetChecked(true);
    ClickOn(*b);
    EXPECT_FALSE(b->Checked());
}

TEST_F(CheckBoxTest, FocusFromARadioGroupButtonChecksTheOneReached)
{
    auto* first = Add<TsuiRadioGroupButton>({ 20, 60, 113, 77 });
    auto* second = Add<TsuiRadioGroupButton>({ 20, 80, 113, 97 });
    auto* plain = Radio({ 20, 100, 113, 117 }, 5);
    first->SetFocus();
    Pump();
    Key(VK_TAB);
    EXPECT_TRUE(second->Focused());
    EXPECT_TRUE(second->Checked());
    EXPECT_FALSE(first->Checked());
    Key(VK_TAB); // from a group button to a plain radio button: that one is clicked too
    EXPECT_TRUE(plain->Focused());
    EXPECT_TRUE(plain->Checked());
    box->SetFocus();
    Key(VK_TAB);
    EXPECT_TRUE(first->Focused());
    EXPECT_FALSE(first->Checked());
}

TEST_F(CheckBoxTest, AutoSizeFitsThePictureAndCaption)
{
    box->SetUIStyle(TsuiUIStyle::MacOS);
    Pump();
    Bitmap frame = ThemeSource(nullptr, TsuiUIStyle::MacOS).Picture(ThemeItem::CheckBoxImage, 4, 1);
    Bitmap scratch(1, 1);
    Canvas measure(scratch);
    measure.font = box->Font().GetFont();
    Size expected = CheckBoxAutoSize(
        { frame.Width(), frame.Height() }, measure.TextWidth(box->Caption()), measure.TextHeight("W"));
    EXPECT_EQ(box->Width(), expected.cx);
    EXPECT_EQ(box->Height(), expected.cy);
    box->SetAutoSize(false);
    box->SetBounds(20, 20, 150, 30);
    Pump();
    EXPECT_EQ(box->Width(), 150);
}

TEST_F(CheckBoxTest, EachStateShowsItsFrame)
{
    auto* radio = Radio({ 20, 60, 113, 77 }, 0);
    TsuiFileTheme* theme = ExportedTheme(TsuiUIStyle::MacOS);
    struct Style {
        TsuiUIStyle style;
        TsuiFileTheme* file;
        TsuiUIStyle frames_of;
    } styles[] = {
        { TsuiUIStyle::MacOS, nullptr, TsuiUIStyle::MacOS },
        { TsuiUIStyle::WinXP, nullptr, TsuiUIStyle::WinXP },
        { TsuiUIStyle::FromThemeFile, theme, TsuiUIStyle::MacOS },
    };
    for (const Style& s : styles) {
        for (TsuiCheckBox* c : { box, static_cast<TsuiCheckBox*>(radio) }) {
            c->SetUIStyle(s.style);
            c->SetFileTheme(s.file);
            ThemeItem item = c == box ? ThemeItem::CheckBoxImage : ThemeItem::RadioButtonImage;
            for (int index = 1; index <= 4; ++index) {
                c->SetChecked(index == 1 || index == 3);
                c->SetEnabled(index <= 2);
                Bitmap frame = ThemeSource(nullptr, s.frames_of).Picture(item, 4, index);
                Bitmap shot = Shot(*c);
                int py = (c->Height() - frame.Height()) / 2;
                // The middle of the picture is never transparent.
                Point mid { frame.Width() / 2, frame.Height() / 2 };
                EXPECT_EQ(shot.GetPixel(1 + mid.x, py + mid.y), frame.GetPixel(mid.x, mid.y))
                    << static_cast<int>(s.style) << " item " << ThemeItemNumber(item) << " frame " << index;
            }
            c->SetEnabled(true);
        }
    }
    // The radio picture's corners are transparent: the form shows there.
    radio->SetUIStyle(TsuiUIStyle::MacOS);
    radio->SetFileTheme(nullptr);
    radio->SetColor(clYellow);
    Bitmap radio_frame = ThemeSource(nullptr, TsuiUIStyle::MacOS).Picture(ThemeItem::RadioButtonImage, 4, 1);
    int py = (radio->Height() - radio_frame.Height()) / 2;
    EXPECT_EQ(Shot(*radio).GetPixel(1, py), clYellow);
}

TEST_F(CheckBoxTest, FocusIsADottedRectangleAroundTheCaption)
{
    auto* other = Add<TsuiCheckBox>({ 20, 60, 113, 77 });
    other->SetFocus();
    Bitmap plain = Shot(*box);
    box->SetFocus();
    Bitmap focused = Shot(*box);
    int differing = 0;
    for (int y = 0; y < plain.Height(); ++y)
        for (int x = 0; x < plain.Width(); ++x)
            differing += plain.GetPixel(x, y) != focused.GetPixel(x, y);
    EXPECT_GT(differing, 20);
    // Nothing over the picture.
    for (int y = 0; y < plain.Height(); ++y)
        EXPECT_EQ(plain.GetPixel(5, y), focused.GetPixel(5, y)) << y;
}

}
}
