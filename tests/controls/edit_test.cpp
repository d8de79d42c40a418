#include "tests/support/headless_app.h"

#include "platform/components/controls/edit.h"
#include "platform/components/controls/memo.h"
#include "platform/components/description_reader.h"
#include "platform/text/gbk.h"

#include <functional>

namespace pellamo::test {
namespace {

class EditTest : public HeadlessAppFixture {
protected:
    TForm* form = nullptr;
    TEdit* edit = nullptr;
    int changes = 0;
    void SetUp() override
    {
        form = app.CreateForm<TForm>();
        form->SetBounds(0, 0, 400, 300);
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 200, 21);
        edit->OnChange = [this](TObject*) { ++changes; };
        form->Show();
        Pump();
        edit->SetFocus();
        Pump();
    }
};

TEST_F(EditTest, TypedTextFromTheInputMethodArrivesAsGbk)
{
    screen.TypeText("CCTV-1 \xe7\xbd\x91\xe7\xbb\x9c"); // "网络" in UTF-8
    Pump();
    EXPECT_EQ(edit->Text(), "CCTV-1 \xcd\xf8\xc2\xe7");
    EXPECT_EQ(edit->CaretPos(), 11);
    EXPECT_EQ(changes, 9); // one change per character
    EXPECT_TRUE(edit->Modified());

    // Backspace takes a whole double-byte character.
    Keys({ { VK_BACK, 0 } });
    EXPECT_EQ(edit->Text(), "CCTV-1 \xcd\xf8");
    // Left walks over it whole too; typing lands before it.
    Keys({ { VK_LEFT, 0 } });
    EXPECT_EQ(edit->CaretPos(), 7);
    screen.TypeText("x");
    Pump();
    EXPECT_EQ(edit->Text(), "CCTV-1 x\xcd\xf8");
}

TEST_F(EditTest, ShiftArrowsSelectAndTheClipboardCarriesUtf8)
{
    edit->SetText("abc \xcd\xf8\xc2\xe7");
    changes = 0;
    Keys({ { VK_HOME, 0 }, { VK_RIGHT, 0 }, { VK_RIGHT, kModShift }, { VK_RIGHT, kModShift } });
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelText(), "bc");
    Keys({ { 'X', kModControl } });
    EXPECT_EQ(edit->Text(), "a \xcd\xf8\xc2\xe7");
    EXPECT_EQ(screen.ClipboardText(), "bc");
    Keys({ { VK_END, kModShift } });
    EXPECT_EQ(edit->SelText(), " \xcd\xf8\xc2\xe7");
    Keys({ { 'C', kModControl } });
    EXPECT_EQ(screen.ClipboardText(), " \xe7\xbd\x91\xe7\xbb\x9c");
    Keys({ { VK_END, 0 }, { 'V', kModControl } });
    EXPECT_EQ(edit->Text(), "a \xcd\xf8\xc2\xe7 \xcd\xf8\xc2\xe7");
    // A pasted line break ends a single-line paste.
    screen.SetClipboardText("one\r\ntwo");
    Keys({ { 'A', kModControl }, { 'V', kModControl } });
    EXPECT_EQ(edit->Text(), "one");
    Keys({ { 'Z', kModControl } });
    EXPECT_EQ(edit->Text(), "a \xcd\xf8\xc2\xe7 \xcd\xf8\xc2\xe7");
    EXPECT_EQ(changes, 4);
}

TEST_F(EditTest, ReadOnlyAndMaxLengthLimitTypingButNotCode)
{
    struct Case {
        const char* what;
        bool read_only;
        int max_length;
        const char* typed; // UTF-8
        const char* expected; // GBK
    } cases[] = {
        { "free", false, 0, "ab\xe7\xbd\x91", "ab\xcd\xf8" },
        { "read-only", true, 0, "ab", "" },
        { "limit in bytes", false, 3, "ab\xe7\xbd\x91", "ab" }, // no half character
        { "limit exact", false, 4, "ab\xe7\xbd\x91", "ab\xcd\xf8" },
    };
    for (const Case& c : cases) {
        edit->SetText("");
        edit->SetReadOnly(c.read_only);
        edit->SetMaxLength(c.max_length);
        screen.TypeText(c.typed);
        Pump();
        EXPECT_EQ(edit->Text(), c.expected) << c.what;
    }
    edit->SetText("");
    edit->SetMaxLength(0);
    edit->SetReadOnly(false);
    edit->SetCharCase(TEditCharCase::ecUpperCase);
    screen.TypeText("ab\xe7\xbd\x91z");
    Pump();
    EXPECT_EQ(edit->Text(), "AB\xcd\xf8Z");
    edit->SetCharCase(TEditCharCase::ecNormal);

    edit->SetMaxLength(2);
    edit->SetText("longer than two");
    EXPECT_EQ(edit->Text(), "longer than two");
    edit->SetReadOnly(true);
    Keys({ { VK_BACK, 0 }, { VK_DELETE, 0 }, { 'X', kModControl } });
    EXPECT_EQ(edit->Text(), "longer than two");
}

TEST_F(EditTest, MouseClickPlacesTheCaretAndDragSelects)
{
    edit->SetText("WWWWWWWWWW");
    Point start = edit->ClientToScreen({ 2, 8 });
    screen.Click(start);
    Pump();
    EXPECT_EQ(edit->CaretPos(), 0);
    EXPECT_EQ(edit->SelLength(), 0);
    screen.MoveMouse(start);
    screen.PressButton();
    screen.MoveMouse(edit->ClientToScreen({ 190, 8 }));
    screen.ReleaseButton();
    Pump();
    EXPECT_EQ(edit->SelText(), "WWWWWWWWWW");

    // Tabbing in selects everything.
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetTop(40);
    other->SetText("next");
    Keys({ { VK_TAB, 0 } });
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(other->SelText(), "next");
}

TEST_F(EditTest, MemoKeepsTextAndLinesInStepAndScrollsItsLines)
{
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 50, 200, 60);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    // Text keeps its breaks exactly (positions in it count bytes).
    memo->SetText("a\nb\r\nc");
    EXPECT_EQ(memo->Text(), "a\nb\r\nc");
    EXPECT_EQ(memo->Lines().Count(), 3);
    EXPECT_EQ(memo->Lines().Get(2), "c");
    memo->Lines().Add("d");
    EXPECT_EQ(memo->Text(), "a\r\nb\r\nc\r\nd");

    std::string many;
    for (int i = 0; i < 40; ++i)
        many += "line " + std::to_string(i) + "\r\n";
    memo->SetText(many);
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(ws().GetScrollInfo(memo->Handle(), SB_VERT, &si));
    EXPECT_EQ(si.nMax, 40); // 41 lines, the last one empty
    int page = static_cast<int>(si.nPage);
    EXPECT_GT(page, 1);
    EXPECT_EQ(si.nPos, 0);

    ws().SendMessage(memo->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10), 0);
    EXPECT_EQ(memo->TopLine(), 10);
    ws().SendMessage(memo->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(memo->TopLine(), 41 - page);
    ASSERT_TRUE(ws().GetScrollInfo(memo->Handle(), SB_VERT, &si));
    EXPECT_EQ(si.nPos, 41 - page);
    ws().SendMessage(memo->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(memo->TopLine(), 41 - page - 3);

    // Typing at the end scrolls the caret into view; Enter breaks lines.
    memo->SetFocus();
    memo->SetSelStart(0);
    EXPECT_EQ(memo->TopLine(), 0);
    Keys({ { VK_END, kModControl } });
    screen.TypeText("x");
    Keys({ { VK_RETURN, 0 } });
    screen.TypeText("y");
    Pump();
    EXPECT_EQ(memo->Text(), many + "x\r\ny");
    EXPECT_EQ(memo->TopLine(), 42 - page);
}

TEST_F(EditTest, MemoWrapsLongLinesAtItsWidth)
{
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 50, 80, 200);
    memo->SetText("aaaa bbbb cccc dddd eeee ffff gggg");
    int wrapped = memo->LineCount();
    EXPECT_GT(wrapped, 2);
    memo->SetWordWrap(false);
    EXPECT_EQ(memo->LineCount(), 1);
    memo->SetWordWrap(true);
    memo->SetWidth(400);
    EXPECT_EQ(memo->LineCount(), 1);
    EXPECT_EQ(memo->Lines().Count(), 1); // Lines are the text's own lines
}

TEST_F(EditTest, MemoScrollsLongLinesSidewaysWhenTheyAreNotWrapped)
{
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 50, 120, 80);
    memo->SetWordWrap(false);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    std::string long_line(60, 'w');
    memo->SetText("short\r\n" + long_line + "\r\nend");
    Pump();
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(ws().GetScrollInfo(memo->Handle(), SB_HORZ, &si));
    const int page = static_cast<int>(si.nPage);
    EXPECT_GT(si.nMax + 1, page); // the widest line in pixels, the caret's column too
    EXPECT_EQ(si.nPos, 0);
    const int max_pos = si.nMax - page + 1;

    struct Step {
        const char* what;
        std::function<void()> act;
        std::function<bool(int)> pos_ok;
    };
    const std::vector<Step> steps = {
        { "line right", [&] { ws().SendMessage(memo->Handle(), WM_HSCROLL, SB_LINERIGHT, 0); },
            [](int p) { return p > 0 && p < 20; } },
        { "page right", [&] { ws().SendMessage(memo->Handle(), WM_HSCROLL, SB_PAGERIGHT, 0); },
            [&](int p) { return p >= page || p == max_pos; } },
        { "thumb", [&] { ws().SendThumbPosition(memo->Handle(), SB_HORZ, 30); }, [](int p) { return p == 30; } },
        { "far right", [&] { ws().SendMessage(memo->Handle(), WM_HSCROLL, SB_BOTTOM, 0); },
            [&](int p) { return p == max_pos; } },
        { "back to the left", [&] { ws().SendMessage(memo->Handle(), WM_HSCROLL, SB_TOP, 0); },
            [](int p) { return p == 0; } },
        // The caret at the end of the long line drags the text with it.
        { "End on the long line",
            [&] {
                memo->SetFocus();
                memo->SetSelStart(8);
                Keys({ { VK_END, 0 } });
            },
            [&](int p) { return p == max_pos; } },
        { "Home",
            [&] {
                Keys({ { VK_HOME, 0 } });
            },
            [](int p) { return p == 0; } },
    };
    for (const Step& step : steps) {
        step.act();
        ASSERT_TRUE(ws().GetScrollInfo(memo->Handle(), SB_HORZ, &si));
        EXPECT_TRUE(step.pos_ok(si.nPos)) << step.what << ": " << si.nPos;
    }

    // Wrapped lines always fit: the bar stays but has nothing to scroll.
    memo->SetWordWrap(true);
    Pump();
    SCROLLBARINFO info;
    ASSERT_TRUE(ws().GetScrollBarInfo(memo->Handle(), OBJID_HSCROLL, &info));
    EXPECT_EQ(info.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
}

TEST_F(EditTest, DescriptionTextAndLines)
{
    ReadDescription(R"(
object Form1: TForm
  object Memo1: TMemo
    Left = 38
    Top = 412
    Width = 289
    Height = 41
    Lines = ('Memo1')
    ScrollBars = ssVertical
    TabOrder = 7
    Visible = False
  end
  object Edit2: TEdit
    Left = 38
    Top = 456
    Width = 289
    Height = 21
    TabOrder = 8
    Text = 'Edit2'
    Visible = False
  end
end)",
        *form);
    auto* memo = dynamic_cast<TMemo*>(form->FindComponent("Memo1"));
    auto* edit2 = dynamic_cast<TEdit*>(form->FindComponent("Edit2"));
    ASSERT_TRUE(memo && edit2);
    EXPECT_EQ(memo->Text(), "Memo1");
    EXPECT_EQ(edit2->Text(), "Edit2");
    EXPECT_TRUE(ws().GetStyle(memo->Handle()) & WS_VSCROLL);
    EXPECT_FALSE(ws().IsWindowVisible(memo->Handle()));
}

}
}

#include "platform/components/controls/mask_edit.h"

namespace pellamo::test {
namespace {

TEST_F(EditTest, MaskEditTakesOnlyWhatFitsAndAddsLiterals)
{
    auto* masked = new TMaskEdit(form);
    masked->SetParent(form);
    masked->SetTop(40);
    struct Case {
        const char* mask;
        const char* typed;
        const char* expected;
    } cases[] = {
        { "000-0000;1;_", "5551234", "555-1234" },
        { "000-0000;1;_", "55a1234", "551-234" }, // the letter is refused
        { ">LL00", "ab12", "AB12" },
        { "\\(00\\)", "12", "(12)" },
        { "00", "123", "12" }, // the mask is the length limit
        { "", "anything", "anything" },
    };
    masked->SetFocus();
    for (const Case& c : cases) {
        masked->SetEditMask(c.mask);
        masked->SetText("");
        for (const char* p = c.typed; *p; ++p)
            screen.TypeText(std::string(1, *p));
        Pump();
        EXPECT_EQ(masked->Text(), c.expected) << c.mask << " <- " << c.typed;
    }
}

}
}

namespace pellamo::test {
namespace {

// A station page is put into a hidden memo whole; any bytes must do.
TEST_F(EditTest, MemoTakesALargePageOfArbitraryBytes)
{
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(38, 412, 289, 41);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    std::string page;
    unsigned seed = 7;
    for (int i = 0; i < 100000; ++i) {
        seed = seed * 1103515245u + 12345u;
        page += static_cast<char>((seed >> 16) & 0xFF);
    }
    memo->SetText(page);
    EXPECT_EQ(memo->Text(), page);
    memo->SetVisible(false);
    memo->SetText(page + "x");
    EXPECT_EQ(memo->Text().size(), page.size() + 1);
}

}
}
