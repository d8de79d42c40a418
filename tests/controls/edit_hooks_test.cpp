#include "tests/support/headless_app.h"

#include "platform/components/controls/edit.h"

#include <functional>

// What editors built on the edit rely on: alignment, a right margin, a
// character filter that sees backspace too, and clipboard operations that
// the keys reach through the overridable methods.

namespace pellamo::test {
namespace {

class HookedEdit : public TEdit {
public:
    using TEdit::TEdit;
    std::function<bool(char16_t)> accept = [](char16_t) { return true; };
    std::vector<char16_t> offered;
    bool allow_clipboard_changes = true;
    std::vector<std::string> calls;

    void CutToClipboard() override
    {
        calls.push_back("cut");
        if (allow_clipboard_changes)
            TEdit::CutToClipboard();
    }
    void PasteFromClipboard() override
    {
        calls.push_back("paste");
        if (allow_clipboard_changes)
            TEdit::PasteFromClipboard();
    }
    void ClearSelection() override
    {
        calls.push_back("clear");
        if (allow_clipboard_changes)
            TEdit::ClearSelection();
    }
    void Undo() override
    {
        calls.push_back("undo");
        if (allow_clipboard_changes)
            TEdit::Undo();
    }

protected:
    bool AcceptChar(char16_t ch) override
    {
        offered.push_back(ch);
        return accept(ch);
    }
};

class EditHooksTest : public HeadlessAppFixture {
protected:
    TForm* form = nullptr;
    HookedEdit* edit = nullptr;
    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBounds(0, 0, 400, 300);
        form->SetColor(clWhite);
        edit = new HookedEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        edit->SetBorderStyle(TBorderStyle::bsNone);
        edit->SetColor(clWhite);
        edit->Font().SetColor(clBlack);
        form->Show();
        Pump();
        edit->SetFocus();
        Pump();
    }
    // The leftmost and rightmost client columns with dark (text) pixels.
    std::pair<int, int> InkColumns()
    {
        Pump();
        Bitmap shot = screen.Screenshot();
        int first = -1;
        int last = -1;
        for (int x = 0; x < edit->Width(); ++x)
            for (int y = 3; y < edit->Height() - 3; ++y) {
                Point p = edit->ClientToScreen({ x, y });
                TColor c = shot.GetPixel(p.x, p.y);
                if ((c & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80) {
                    if (first < 0)
                        first = x;
                    last = x;
                }
            }
        return { first, last };
    }
};

TEST_F(EditHooksTest, AlignedTextStandsWhereItIsAlignedAndTheCaretFollows)
{
    edit->SetText("WWW");
    struct Case {
        TAlignment alignment;
        int min_first;
        int max_last;
    } cases[] = {
        { TAlignment::taLeftJustify, 0, 60 },
        { TAlignment::taRightJustify, 140, 199 },
        { TAlignment::taCenter, 60, 140 },
    };
    for (const auto& c : cases) {
        edit->SetAlignment(c.alignment);
        edit->SetSelLength(0);
        auto [first, last] = InkColumns();
        EXPECT_GE(first, c.min_first) << static_cast<int>(c.alignment);
        EXPECT_LE(last, c.max_last) << static_cast<int>(c.alignment);
    }
    // Right-aligned: a click left of the text puts the caret at its start,
    // one at the right edge at its end; typed text grows to the left.
    edit->SetAlignment(TAlignment::taRightJustify);
    ClickAt(*edit, { 20, 10 });
    EXPECT_EQ(edit->CaretPos(), 0);
    ClickAt(*edit, { 197, 10 });
    EXPECT_EQ(edit->CaretPos(), 3);
    auto [before_first, before_last] = InkColumns();
    screen.TypeText("WW");
    Pump();
    auto [after_first, after_last] = InkColumns();
    EXPECT_LT(after_first, before_first);
    EXPECT_NEAR(after_last, before_last, 1); // the caret stays at the right edge

    // Wider than the edit, aligned text scrolls like left-aligned text.
    edit->SetText(std::string(60, 'W'));
    Keys({ { VK_END, 0 } });
    EXPECT_GE(InkColumns().second, 190);
    Keys({ { VK_HOME, 0 } });
    EXPECT_LE(InkColumns().first, 3);
}

TEST_F(EditHooksTest, TextKeepsClearOfTheRightMargin)
{
    edit->SetRightMargin(50);
    for (TAlignment a : { TAlignment::taLeftJustify, TAlignment::taRightJustify }) {
        edit->SetAlignment(a);
        edit->SetText("");
        for (int i = 0; i < 40; ++i)
            screen.TypeText("W");
        Pump();
        auto [first, last] = InkColumns();
        EXPECT_LT(last, 150) << static_cast<int>(a);
        EXPECT_GT(last, 130) << static_cast<int>(a); // the caret runs along the margin
        edit->SetText("1");
        if (a == TAlignment::taRightJustify) {
            EXPECT_GT(InkColumns().first, 130);
        }
    }
    // A click in the margin lands at the end of the visible text.
    edit->SetAlignment(TAlignment::taLeftJustify);
    edit->SetText("abc");
    ClickAt(*edit, { 180, 10 });
    EXPECT_EQ(edit->CaretPos(), 3);
}

TEST_F(EditHooksTest, TheCharacterFilterSeesEveryTypedCharacterBackspaceToo)
{
    edit->SetText("12");
    edit->SetSelStart(2);
    edit->accept = [](char16_t ch) { return ch != u'\b' && ch != u'x'; };
    // OnKeyPress sees each character before the filter does.
    size_t presses = 0;
    bool key_press_first = true;
    edit->OnKeyPress
        = [&](TObject*, char16_t&) { key_press_first = key_press_first && edit->offered.size() == presses++; };
    screen.TypeText("3x");
    Keys({ { VK_BACK, 0 } });
    EXPECT_EQ(edit->Text(), "123");
    EXPECT_EQ(edit->offered, (std::vector<char16_t> { u'3', u'x', u'\b' }));
    EXPECT_TRUE(key_press_first);

    // A character OnKeyPress cleared never reaches the filter.
    edit->offered.clear();
    edit->OnKeyPress = [](TObject*, char16_t& key) { key = 0; };
    screen.TypeText("4");
    Pump();
    EXPECT_TRUE(edit->offered.empty());
    EXPECT_EQ(edit->Text(), "123");
}

TEST_F(EditHooksTest, ClipboardKeysGoThroughTheOverridableOperations)
{
    edit->SetText("abc");
    screen.SetClipboardText("zz");
    edit->allow_clipboard_changes = false;
    edit->SelectAll();
    Keys({ { 'X', kModControl }, { VK_DELETE, kModShift }, { 'V', kModControl }, { VK_INSERT, kModShift },
        { VK_DELETE, 0 }, { 'Z', kModControl } });
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(screen.ClipboardText(), "zz");
    EXPECT_EQ(edit->calls, (std::vector<std::string> { "cut", "cut", "paste", "paste", "clear", "undo" }));

    // Allowed, they do their work.
    edit->calls.clear();
    edit->allow_clipboard_changes = true;
    edit->SelectAll();
    Keys({ { 'X', kModControl } });
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(screen.ClipboardText(), "abc");
    Keys({ { 'Z', kModControl } });
    EXPECT_EQ(edit->Text(), "abc");
}

}
}
