#include "platform/components/component_errors.h"
#include "platform/text/float_format.h"
#include "platform/text/gbk.h"
#include "skin/edits/number_edit.h"
#include "tests/skin/skinned_form_fixture.h"

#include <cmath>

namespace pellamo::test {
namespace {

class NumberEditTest : public SkinnedFormFixture {
protected:
    TsuiNumberEdit* edit = nullptr;
    TEdit* next = nullptr;
    void SetUp() override
    {
        SkinnedFormFixture::SetUp();
        edit = new TsuiNumberEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 120, 21);
        edit->SetLocale(NumberLocale());
        next = new TEdit(form);
        next->SetParent(form);
        next->SetBounds(10, 40, 120, 21);
        Pump();
        edit->SetFocus();
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
        next->SetFocus();
        Pump();
    }
    void Enter()
    {
        edit->SetFocus();
        Pump();
    }
};

TEST_F(NumberEditTest, ValueShowsThroughThePatternAndEnteringSelectsTheDecimals)
{
    EXPECT_EQ(edit->Text(), "0.00");
    EXPECT_EQ(edit->Alignment(), TAlignment::taRightJustify);
    Leave();
    edit->SetValue(3.14159);
    EXPECT_EQ(edit->Text(), "3.14");
    EXPECT_DOUBLE_EQ(edit->Value(), 3.14); // read back from the text
    Enter();
    EXPECT_EQ(edit->SelText(), "14");
    // A click selects them again.
    ClickAt(*edit, { 5, 5 });
    EXPECT_EQ(edit->SelText(), "14");
    Type("5");
    EXPECT_EQ(edit->Text(), "3.5");
    EXPECT_DOUBLE_EQ(edit->Value(), 3.5);
    Leave();
    EXPECT_EQ(edit->Text(), "3.50");
}

TEST_F(NumberEditTest, KeysOutsideANumberBeepAndInsertNothing)
{
    struct Case {
        const char* what;
        const char* mask;
        const char* start; // text before typing
        int caret;
        const char* typed;
        const char* expected;
        int beeps;
    } cases[] = {
        { "digits", "0.00", "", 0, "12", "12", 0 },
        { "a second separator", "0.00", "3.1", 3, ".", "3.1", 1 },
        { "letters and blanks", "0.00", "3", 1, "a b", "3", 3 },
        { "minus without one in the pattern", "0.00", "3", 0, "-", "3", 1 },
        { "minus at the start", "0.00;-0.00", "3", 0, "-", "-3", 0 },
        { "minus after the start", "0.00;-0.00", "3", 1, "-", "3", 1 },
        { "a second minus", "0.00;-0.00", "-3", 0, "-", "-3", 1 },
        { "no separator in the pattern", "0", "3", 1, ".", "3", 1 },
    };
    for (const auto& c : cases) {
        edit->SetMask(c.mask);
        edit->SetText(c.start);
        edit->SetSelStart(c.caret);
        int beeps = screen.Beeps();
        Type(c.typed);
        EXPECT_EQ(edit->Text(), c.expected) << c.what;
        EXPECT_EQ(screen.Beeps() - beeps, c.beeps) << c.what;
    }
    // Backspace passes; Enter beeps.
    edit->SetMask("0.00");
    edit->SetText("12");
    edit->SetSelStart(2);
    int beeps = screen.Beeps();
    Keys({ { VK_BACK, 0 }, { VK_RETURN, 0 } });
    EXPECT_EQ(edit->Text(), "1");
    EXPECT_EQ(screen.Beeps() - beeps, 1);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NumberEditTest, LeavingTheStartOfANumberMakesItZero)
{
    for (const char* start : { "", "-", ".", "-." }) {
        Enter();
        edit->SetMask("0.00;-0.00");
        edit->SetValue(7);
        edit->SelectAll();
        Keys({ { VK_DELETE, 0 } });
        Type(start);
        EXPECT_EQ(edit->Text(), start);
        EXPECT_DOUBLE_EQ(edit->Value(), 7) << start; // not a number yet: Value waits
        Leave();
        EXPECT_EQ(edit->Text(), "0.00") << '"' << start << '"';
        EXPECT_DOUBLE_EQ(edit->Value(), 0);
    }
    // Typing on from a lone separator.
    Enter();
    edit->SelectAll();
    Keys({ { VK_DELETE, 0 } });
    Type(".5");
    EXPECT_DOUBLE_EQ(edit->Value(), 0.5);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(NumberEditTest, TheUsersSeparatorsAreWrittenReadAndTyped)
{
    struct Case {
        NumberLocale locale;
        const char* mask;
        const char* by_code; // text set by code (or pasted)
        double value;
        const char* shown; // Value written back
        char16_t separator_key;
        char16_t refused_key;
    } cases[] = {
        { NumberLocale(".", ","), "#,##0.00", "1,234.50", 1234.5, "1,234.50", u'.', u',' },
        { NumberLocale(",", "."), "#,##0.00", "1.234,50", 1234.5, "1.234,50", u',', u'.' },
        { NumberLocale(",", " "), "0.00", "1 234,5", 1234.5, "1234,50", u',', u' ' },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.by_code);
        edit->SetLocale(c.locale);
        edit->SetMask(c.mask);
        edit->SetText(c.by_code);
        EXPECT_DOUBLE_EQ(edit->Value(), c.value);
        edit->SetValue(edit->Value());
        EXPECT_EQ(edit->Text(), c.shown);

        edit->SetText("12");
        edit->SetSelStart(2);
        int beeps = screen.Beeps();
        screen.TypeText(Utf16ToUtf8(std::u16string(1, c.refused_key)));
        Pump();
        EXPECT_EQ(screen.Beeps() - beeps, 1);
        screen.TypeText(Utf16ToUtf8(std::u16string(1, c.separator_key)));
        Type("7");
        EXPECT_DOUBLE_EQ(edit->Value(), 12.7);
    }
}

TEST_F(NumberEditTest, TextThatIsNotANumberIsReplacedByValueAndTheErrorGoesOn)
{
    edit->SetValue(2.5);
    // By code: the caller gets the error.
    try {
        edit->SetText("abc");
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid floating point value");
    }
    EXPECT_EQ(edit->Text(), "2.50");
    EXPECT_DOUBLE_EQ(edit->Value(), 2.5);

    // Pasted: the error is shown, the text restored, the caret after it.
    screen.SetClipboardText("12x");
    edit->SelectAll();
    Keys({ { 'V', kModControl } });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("'12x' is not a valid floating point value"), std::string::npos);
    EXPECT_EQ(edit->Text(), "2.50");
    EXPECT_EQ(edit->SelStart(), 4);
    EXPECT_EQ(edit->SelLength(), 0);
    Type("1");
    EXPECT_EQ(edit->Text(), "2.501");
}

TEST_F(NumberEditTest, ANumberTooLargeForADoubleMidTypingLeavesTheEditConsistent)
{
    edit->SetText("");
    Type(std::string(308, '9'));
    ASSERT_TRUE(boxes.empty());
    double largest = edit->Value();
    EXPECT_TRUE(std::isfinite(largest));
    Type("9"); // 309 nines: past the largest double
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_DOUBLE_EQ(edit->Value(), largest);
    EXPECT_EQ(edit->Text(), FormatFloat("0.00", largest, NumberLocale()));
    EXPECT_EQ(edit->SelStart(), static_cast<int>(edit->Text().size()));
    // It goes on working.
    edit->SelectAll();
    Type("42");
    EXPECT_DOUBLE_EQ(edit->Value(), 42);
    Leave();
    EXPECT_EQ(edit->Text(), "42.00");
    EXPECT_EQ(boxes.size(), 1u);
}

}
}
