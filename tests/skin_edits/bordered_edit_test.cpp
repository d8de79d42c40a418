#include "platform/components/description_reader.h"
#include "skin/edits/bordered_edit.h"
#include "skin/edits/edit_classes.h"
#include "skin/edits/number_edit.h"
#include "tests/skin/skinned_form_fixture.h"

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class BorderedEditTest : public SkinnedFormFixture {
protected:
    TsuiEdit* edit = nullptr;
    void SetUp() override
    {
        SkinnedFormFixture::SetUp();
        edit = new TsuiEdit(form);
        edit->SetParent(form);
        edit->SetBounds(20, 20, 120, 21);
        Pump();
    }
    // The window's outer edge and the line inside it, at half height.
    std::pair<TColor, TColor> Border(TWinControl& control)
    {
        Pump();
        Bitmap shot = screen.Screenshot();
        Point o = control.Parent()->ClientToScreen({ control.Left(), control.Top() + 10 });
        return { shot.GetPixel(o.x, o.y), shot.GetPixel(o.x + 1, o.y) };
    }
};

TEST_F(BorderedEditTest, TheBorderTakesTheStyleOrTheThemeFile)
{
    struct Case {
        S style;
        TColor border;
    } cases[] = {
        { S::MacOS, 0x7F7F7F },
        { S::WinXP, 0x686868 },
        { S::DeepBlue, 0x000000 },
    };
    edit->SetColor(0xF0F0F0);
    for (const auto& c : cases) {
        edit->SetUIStyle(c.style);
        EXPECT_EQ(edit->BorderColor(), c.border);
        EXPECT_EQ(Border(*edit), std::make_pair(c.border, TColor(0xF0F0F0)));
    }
    // The same border on the masked edit, whose frame is also 2 pixels.
    auto* masked = new TsuiMaskEdit(form);
    masked->SetParent(form);
    masked->SetBounds(20, 60, 120, 21);
    masked->SetUIStyle(S::MacOS);
    EXPECT_EQ(masked->BorderWidth(), 2);
    EXPECT_EQ(Border(*masked).first, 0x7F7F7F);

    edit->SetUIStyle(S::MacOS);
    Bitmap built_in = Shot(*edit);
    TsuiFileTheme* theme = ExportedTheme(S::MacOS);
    edit->SetUIStyle(S::FromThemeFile);
    edit->SetFileTheme(theme);
    EXPECT_EQ(Border(*edit).first, 0x7F7F7F);
    EXPECT_EQ(Shot(*edit), built_in);
    theme->Free();
    EXPECT_EQ(edit->UIStyle(), S::DeepBlue);
    EXPECT_EQ(Border(*edit).first, 0x000000);
}

TEST_F(BorderedEditTest, TabGoesThroughTheEditsAndEachTakesTyping)
{
    auto* masked = new TsuiMaskEdit(form);
    masked->SetParent(form);
    masked->SetBounds(20, 50, 120, 21);
    masked->SetEditMask("00-00");
    auto* number = new TsuiNumberEdit(form);
    number->SetParent(form);
    number->SetBounds(20, 80, 120, 21);
    number->SetLocale(NumberLocale());
    edit->SetFocus();
    Pump();
    screen.TypeText("ab");
    screen.PressKey(VK_TAB);
    Pump();
    EXPECT_TRUE(masked->Focused());
    screen.TypeText("1234");
    screen.PressKey(VK_TAB);
    Pump();
    EXPECT_TRUE(number->Focused());
    EXPECT_EQ(number->SelText(), "00"); // the decimals
    screen.TypeText("5");
    screen.PressKey(VK_TAB, kModShift);
    Pump();
    EXPECT_TRUE(masked->Focused());
    EXPECT_EQ(edit->Text(), "ab");
    EXPECT_EQ(masked->Text(), "12-34");
    EXPECT_EQ(number->Text(), "0.50");
}

TEST_F(BorderedEditTest, DescriptionsNameTheEditsWithTheirStoredValues)
{
    RegisterSkinEditClasses();
    ReadDescription(R"(
object Form1: TForm
  object Edit1: TsuiEdit
    Left = 38
    Top = 480
    Width = 289
    Height = 21
    UIStyle = MacOS
    BorderColor = 8355711
    TabOrder = 9
    Text = 'Edit1'
    Visible = False
  end
  object Amount: TsuiNumberEdit
    UIStyle = WinXP
    Mask = '0.000'
    Value = 2.71828
    AutoSelectSigns = 3
  end
  object Code: TsuiMaskEdit
    UIStyle = MacOS
    EditMask = '000'
  end
end)",
        *form);
    auto* edit1 = dynamic_cast<TsuiEdit*>(form->FindComponent("Edit1"));
    auto* amount = dynamic_cast<TsuiNumberEdit*>(form->FindComponent("Amount"));
    auto* code = dynamic_cast<TsuiMaskEdit*>(form->FindComponent("Code"));
    ASSERT_TRUE(edit1 && amount && code);
    EXPECT_EQ(edit1->UIStyle(), S::MacOS);
    EXPECT_EQ(edit1->BorderColor(), 8355711);
    EXPECT_EQ(edit1->Text(), "Edit1");
    EXPECT_FALSE(edit1->Visible());
    EXPECT_EQ(amount->Mask(), "0.000");
    EXPECT_EQ(amount->AutoSelectSigns(), 3);
    EXPECT_EQ(amount->Text(), "2.718");
    EXPECT_EQ(amount->BorderColor(), 0x686868);
    EXPECT_EQ(code->EditMask(), "000");
}

}
}
