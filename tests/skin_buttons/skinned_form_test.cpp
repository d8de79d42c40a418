// A form of skinned buttons and check boxes as a user meets it: stored in
// a window description, tabbed through, worked by keyboard and mouse, each
// state visible.

#include "platform/components/component_errors.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "platform/components/property_access.h"
#include "skin/buttons/arrow_button.h"
#include "skin/buttons/button_classes.h"
#include "skin/buttons/control_button.h"
#include "skin/buttons/image_button.h"
#include "skin/buttons/push_button.h"
#include "skin/buttons/tool_bar_speed_button.h"
#include "skin/checks/check_classes.h"
#include "skin/checks/radio_button.h"
#include "tests/skin/skin_fixture.h"

#include <functional>
#include <vector>

namespace pellamo::test {
namespace {

class SkinnedFormTest : public SkinFixture {
protected:
    void SetUp() override
    {
        RegisterButtonClasses();
        RegisterCheckClasses();
    }
};

TEST_F(SkinnedFormTest, EveryClassIsStoredAndReadByName)
{
    form->SetName("Form1");
    auto named = [&](TComponent* c, const char* name) {
        c->SetName(name);
        return c;
    };
    auto* ok = Add<TsuiButton>({ 10, 10, 90, 37 });
    named(ok, "Ok");
    ok->SetCaption("&OK");
    ok->SetUIStyle(TsuiUIStyle::WinXP);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    ok->SetLayout(TButtonLayout::blGlyphTop);
    ok->SetSpacing(2);
    Bitmap glyph(16, 16, clRed);
    ok->Glyph().SetBitmap(glyph);
    ok->SetMouseContinuouslyDownInterval(70);
    ok->SetResHandle(1234); // kept for old forms, never stored as anything but 0
    auto* arrow = Add<TsuiArrowButton>({ 100, 10, 116, 26 });
    named(arrow, "Up");
    arrow->SetArrow(TsuiArrowButtonType::suiDown);
    auto* picture = Add<TsuiImageButton>({ 120, 10, 160, 40 });
    named(picture, "Pic");
    picture->PicNormal().SetBitmap(Bitmap(4, 4, clLime));
    picture->SetStretch(true);
    auto* frame = Add<TsuiControlButton>({ 170, 10, 187, 27 });
    named(frame, "Close");
    frame->SetThemeID(ThemeItem::TitleBarButtonImage);
    frame->SetPicCount(18);
    frame->SetPicIndex(2);
    auto* speed = Add<TsuiToolBarSpeedButton>({ 190, 10, 208, 28 });
    named(speed, "Speed");
    speed->Glyph().SetBitmap(Bitmap(16, 16, clBlue));
    auto* box = Add<TsuiCheckBox>({ 10, 50, 103, 67 });
    named(box, "Box");
    box->SetChecked(true);
    box->SetUIStyle(TsuiUIStyle::Protein);
    auto* radio = Add<TsuiRadioButton>({ 10, 70, 103, 87 });
    named(radio, "Radio");
    radio->SetGroupIndex(3);

    std::string text = WriteDescription(*form);
    EXPECT_EQ(text.find("ResHandle = 1234"), std::string::npos);
    ComponentPtr<TForm> copy(new TForm(nullptr));
    ReadDescription(text, *copy);
    auto* ok2 = dynamic_cast<TsuiButton*>(copy->FindComponent("Ok"));
    ASSERT_NE(ok2, nullptr) << text;
    EXPECT_EQ(ok2->Caption(), "&OK");
    EXPECT_EQ(ok2->UIStyle(), TsuiUIStyle::WinXP);
    EXPECT_TRUE(ok2->Default());
    EXPECT_EQ(ok2->ModalResult(), mrOk);
    EXPECT_EQ(ok2->Layout(), TButtonLayout::blGlyphTop);
    EXPECT_EQ(ok2->Spacing(), 2);
    EXPECT_EQ(ok2->Glyph().Graphic(), glyph);
    EXPECT_EQ(ok2->MouseContinuouslyDownInterval(), 70);
    EXPECT_EQ(ok2->ResHandle(), 0u);
    auto* arrow2 = dynamic_cast<TsuiArrowButton*>(copy->FindComponent("Up"));
    ASSERT_NE(arrow2, nullptr);
    EXPECT_EQ(arrow2->Arrow(), TsuiArrowButtonType::suiDown);
    auto* picture2 = dynamic_cast<TsuiImageButton*>(copy->FindComponent("Pic"));
    ASSERT_NE(picture2, nullptr);
    EXPECT_EQ(picture2->PicNormal().Graphic().GetPixel(1, 1), clLime);
    EXPECT_TRUE(picture2->Stretch());
    auto* frame2 = dynamic_cast<TsuiControlButton*>(copy->FindComponent("Close"));
    ASSERT_NE(frame2, nullptr);
    EXPECT_EQ(frame2->ThemeID(), ThemeItem::TitleBarButtonImage);
    EXPECT_EQ(frame2->PicCount(), 18);
    EXPECT_EQ(frame2->PicIndex(), 2);
    auto* speed2 = dynamic_cast<TsuiToolBarSpeedButton*>(copy->FindComponent("Speed"));
    ASSERT_NE(speed2, nullptr);
    EXPECT_EQ(speed2->Glyph().Graphic().GetPixel(3, 3), clBlue);
    auto* box2 = dynamic_cast<TsuiCheckBox*>(copy->FindComponent("Box"));
    ASSERT_NE(box2, nullptr);
    EXPECT_TRUE(box2->Checked());
    EXPECT_EQ(box2->UIStyle(), TsuiUIStyle::Protein);
    auto* radio2 = dynamic_cast<TsuiRadioButton*>(copy->FindComponent("Radio"));
    ASSERT_NE(radio2, nullptr);
    EXPECT_EQ(radio2->GroupIndex(), 3);

    // A stored value the class cannot take is refused with the line.
    ComponentPtr<TForm> bad(new TForm(nullptr));
    EXPECT_THROW(ReadDescription(
                     "object Form1: TForm\n  object B: TsuiArrowButton\n    Arrow = suiSideways\n  end\nend\n", *bad),
        EDescriptionError);
}

TEST_F(SkinnedFormTest, TabThroughAndWorkEachControlByKeyboardAndMouse)
{
    auto* play = Add<TsuiButton>({ 10, 10, 90, 37 });
    play->SetCaption("Play");
    auto* subtitles = Add<TsuiCheckBox>({ 10, 50, 103, 67 });
    subtitles->SetCaption("Subtitles");
    auto* tv = Add<TsuiRadioButton>({ 10, 80, 103, 97 });
    tv->SetCaption("TV");
    auto* radio = Add<TsuiRadioButton>({ 10, 100, 103, 117 });
    radio->SetCaption("Radio");
    auto* picture = Add<TsuiImageButton>({ 120, 10, 160, 40 });
    picture->PicNormal().SetBitmap(Bitmap(40, 30, clRed));
    picture->SetDrawFocused(true);
    auto* volume_up = Add<TsuiArrowButton>({ 120, 50, 136, 66 });
    volume_up->SetTabStop(false);
    for (TControl* c : std::vector<TControl*> { play, subtitles, tv, radio, volume_up })
        SetOrdProp(*c, "UIStyle", static_cast<int64_t>(TsuiUIStyle::MacOS));
    int plays = 0, ups = 0, pictures = 0;
    play->OnClick = [&](TObject*) { ++plays; };
    picture->OnClick = [&](TObject*) { ++pictures; };
    volume_up->OnClick = [&](TObject*) { ++ups; };
    Show();

    // Tab visits every control with a tab stop, in order, and wraps.
    play->SetFocus();
    std::vector<TWinControl*> order { play };
    for (int i = 0; i < 5; ++i) {
        Key(VK_TAB);
        order.push_back(form->ActiveControl());
    }
    std::vector<TWinControl*> expected { play, subtitles, tv, radio, picture, play };
    EXPECT_EQ(order, expected);

    // Keyboard.
    Key(VK_SPACE);
    EXPECT_EQ(plays, 1);
    Key(VK_TAB);
    Key(VK_SPACE);
    EXPECT_TRUE(subtitles->Checked());
    Key(VK_TAB);
    Key(VK_DOWN);
    EXPECT_TRUE(radio->Checked());
    Key(VK_UP);
    EXPECT_TRUE(tv->Checked());
    EXPECT_FALSE(radio->Checked());
    picture->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(pictures, 1);

    // Mouse.
    for (TControl* c : std::vector<TControl*> { play, subtitles, radio, picture, volume_up }) {
        Press(*c, { 5, 5 });
        Release();
    }
    EXPECT_EQ(plays, 2);
    EXPECT_FALSE(subtitles->Checked());
    EXPECT_TRUE(radio->Checked());
    EXPECT_EQ(pictures, 2);
    EXPECT_EQ(ups, 1);
    EXPECT_FALSE(volume_up->Focused()); // no tab stop, no focus from a click

    // Hover, press, focus and disabled each look different.
    MoveTo(*form, { 390, 290 });
    subtitles->SetFocus();
    Bitmap normal = Shot(*play);
    MoveTo(*play, { 20, 10 });
    Bitmap hover = Shot(*play);
    screen.PressButton();
    Bitmap pressed = Shot(*play);
    Release();
    MoveTo(*form, { 390, 290 });
    Bitmap focused = Shot(*play);
    subtitles->SetFocus();
    play->SetEnabled(false);
    Bitmap disabled = Shot(*play);
    std::vector<Bitmap> states { normal, hover, pressed, focused, disabled };
    for (size_t i = 0; i < states.size(); ++i)
        for (size_t j = i + 1; j < states.size(); ++j)
            EXPECT_NE(states[i], states[j]) << i << " " << j;
}

}
}
