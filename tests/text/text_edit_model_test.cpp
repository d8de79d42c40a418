// The window-free edit model: key sequences and the text, caret and
// selection they leave, over GBK double-byte characters and CR LF pairs.

#include "platform/text/gbk.h"
#include "platform/text/text_edit_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pellamo {
namespace {

// One key of a sequence: a letter names the edit, the rest is its text.
//   "t..." types, "b" backspace, "d" delete, "l"/"r" left/right,
//   "L"/"R" shift+left/right, "w"/"W" word left/right, "a" select all,
//   "h"/"e" to the start/end, "x" cut, "p..." paste, "u" undo, "c" collapse.
std::string PressKeys(TextEditModel& m, const std::vector<std::string>& keys)
{
    std::string cut;
    for (const std::string& k : keys) {
        std::string arg = k.substr(1);
        switch (k[0]) {
        case 't':
            m.Replace(arg, true);
            break;
        case 'b':
            m.Backspace();
            break;
        case 'd':
            m.DeleteForward();
            break;
        case 'l':
            m.MoveLeft(false);
            break;
        case 'r':
            m.MoveRight(false);
            break;
        case 'L':
            m.MoveLeft(true);
            break;
        case 'R':
            m.MoveRight(true);
            break;
        case 'w':
            m.MoveWordLeft(false);
            break;
        case 'W':
            m.MoveWordRight(false);
            break;
        case 'a':
            m.SelectAll();
            break;
        case 'h':
            m.MoveTo(0, false);
            break;
        case 'e':
            m.MoveTo(static_cast<int>(m.Text().size()), false);
            break;
        case 'x':
            cut += m.Cut();
            break;
        case 'p':
            m.Paste(arg);
            break;
        case 'u':
            m.Undo();
            break;
        case 'c':
            m.Collapse();
            break;
        default:
            ADD_FAILURE() << "unknown key " << k;
        }
    }
    return cut;
}

const std::string kYang = "\xD1\xEB"; // 央, two bytes
const std::string kShi = "\xCA\xD3"; // 视

TEST(TextEditModelTest, KeySequences)
{
    struct Case {
        const char* name;
        std::string start;
        int max_length;
        std::vector<std::string> keys;
        std::string text;
        int caret;
        int anchor;
    };
    const std::vector<Case> cases = {
        { "typing appends", "", 0, { "tab", "tc" }, "abc", 3, 3 },
        { "typing replaces the selection", "hello", 0, { "a", "tX" }, "X", 1, 1 },
        { "backspace steps over a double-byte character", "a" + kYang, 0, { "e", "b" }, "a", 1, 1 },
        { "delete takes the whole double-byte character", kYang + "b", 0, { "h", "d" }, "b", 0, 0 },
        { "backspace at the start does nothing", "ab", 0, { "h", "b" }, "ab", 0, 0 },
        { "delete at the end does nothing", "ab", 0, { "e", "d" }, "ab", 2, 2 },
        { "backspace removes a selection", "abcd", 0, { "e", "L", "L", "b" }, "ab", 2, 2 },
        { "left collapses a selection to its start", "abcd", 0, { "a", "l" }, "abcd", 0, 0 },
        { "right collapses a selection to its end", "abcd", 0, { "h", "R", "R", "r" }, "abcd", 2, 2 },
        { "left and right step over double-byte characters", kYang + kShi, 0, { "e", "l" }, kYang + kShi, 2, 2 },
        { "shift+left over a double-byte character", "a" + kYang, 0, { "e", "L" }, "a" + kYang, 1, 3 },
        { "a CR LF pair is one character", "a\r\nb", 0, { "h", "r", "r" }, "a\r\nb", 3, 3 },
        { "backspace takes a CR LF pair whole", "a\r\nb", 0, { "h", "r", "r", "b" }, "ab", 1, 1 },
        { "word right skips the word and the spaces", "one  two", 0, { "h", "W" }, "one  two", 5, 5 },
        { "word right at the last word goes to the end", "one two", 0, { "h", "W", "W" }, "one two", 7, 7 },
        { "word left from the end", "one two", 0, { "e", "w" }, "one two", 4, 4 },
        { "word left skips spaces first", "one two  ", 0, { "e", "w" }, "one two  ", 4, 4 },
        { "word left over double-byte words", kYang + kShi + " a", 0, { "e", "w", "w" }, kYang + kShi + " a", 0, 0 },
        { "max length stops typing", "ab", 3, { "e", "tc", "td" }, "abc", 3, 3 },
        { "max length keeps whole characters", "ab", 3, { "e", "t" + kYang }, "ab", 2, 2 },
        { "max length counts the replaced selection", "abc", 3, { "a", "txyz" }, "xyz", 3, 3 },
        { "paste cut to max length on a boundary", "", 3, { "pa" + kYang + kShi }, "a" + kYang, 3, 3 },
        { "cut removes the selection", "abcd", 0, { "h", "R", "R", "x" }, "cd", 0, 0 },
        { "cut without a selection changes nothing", "abcd", 0, { "x" }, "abcd", 0, 0 },
        { "undo restores text and caret", "abc", 0, { "e", "b", "u" }, "abc", 3, 3 },
        { "undo undoes itself", "abc", 0, { "e", "b", "u", "u" }, "ab", 2, 2 },
        { "undo with nothing to undo", "abc", 0, { "u" }, "abc", 0, 0 },
        { "collapse keeps the caret", "abc", 0, { "a", "c", "b" }, "ab", 2, 2 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TextEditModel m;
        m.SetText(c.start);
        m.SetMaxLength(c.max_length);
        PressKeys(m, c.keys);
        EXPECT_EQ(m.Text(), c.text);
        EXPECT_EQ(m.Caret(), c.caret);
        EXPECT_EQ(m.Anchor(), c.anchor);
    }
}

TEST(TextEditModelTest, CutHandsOutTheSelection)
{
    TextEditModel m;
    m.SetText("ab" + kYang + "c");
    m.Select(1, 4);
    EXPECT_EQ(m.SelText(), "b" + kYang);
    EXPECT_EQ(PressKeys(m, { "x" }), "b" + kYang);
    EXPECT_EQ(m.Text(), "ac");
    EXPECT_TRUE(m.CanUndo());
}

TEST(TextEditModelTest, PositionsSnapToCharacterBoundaries)
{
    // The trail byte of 央 (0xEB) and of "a" + lead-byte pairs must never
    // hold the caret; a trail byte that looks like a lead byte does not
    // fool the backward walk.
    TextEditModel m;
    std::string text = "x" + kYang + kShi + "\r\n" + kYang;
    m.SetText(text);
    struct Case {
        int asked;
        int snapped;
    };
    for (Case c : std::vector<Case> { { 2, 1 }, { 4, 3 }, { 6, 5 }, { 7, 7 }, { 8, 7 }, { 99, 9 }, { -3, 0 } }) {
        m.Select(c.asked, c.asked);
        EXPECT_EQ(m.Caret(), c.snapped) << "asked " << c.asked;
    }
    std::vector<int> back;
    for (int p = static_cast<int>(text.size()); p > 0; p = m.PrevPos(p))
        back.push_back(p);
    EXPECT_EQ(back, (std::vector<int> { 9, 7, 5, 3, 1 }));
    // A lone lead byte at the end stands alone.
    m.SetText("a\xD1");
    EXPECT_EQ(m.PrevPos(2), 1);
    EXPECT_EQ(m.NextPos(1), 2);
}

TEST(TextEditModelTest, WordAroundStopsAtSpacesAndLineBreaks)
{
    TextEditModel m;
    m.SetText("ab " + kYang + kShi + "\r\nz");
    struct Case {
        int pos;
        int from;
        int to;
    };
    for (Case c : std::vector<Case> { { 0, 0, 2 }, { 1, 0, 2 }, { 2, 0, 2 }, { 3, 3, 7 }, { 5, 3, 7 }, { 9, 9, 10 } }) {
        auto [from, to] = m.WordAround(c.pos);
        EXPECT_EQ(from, c.from) << "at " << c.pos;
        EXPECT_EQ(to, c.to) << "at " << c.pos;
    }
}

TEST(TextEditModelTest, SetTextForgetsUndoAndMovesTheCaretHome)
{
    TextEditModel m;
    m.SetText("abc");
    PressKeys(m, { "e", "tx" });
    ASSERT_TRUE(m.CanUndo());
    m.SetText("new");
    EXPECT_FALSE(m.CanUndo());
    EXPECT_EQ(m.Caret(), 0);
    EXPECT_FALSE(m.Undo());
}

TEST(TextEditModelTest, AdoptedTextKeepsUndoAndPullsTheCaretOntoIt)
{
    TextEditModel m;
    m.SetText("12345");
    PressKeys(m, { "e", "tx" });
    m.Adopt("a" + kYang);
    EXPECT_EQ(m.Caret(), 3) << "clamped to the new end";
    EXPECT_TRUE(m.CanUndo());
    m.Select(0, 0);
    m.MoveTo(2, false);
    m.Adopt("a" + kYang + "b");
    EXPECT_EQ(m.Caret(), 1) << "not left inside a double-byte character";
}

TEST(TextEditModelTest, TypedUnitsJoinSurrogatePairs)
{
    char16_t high = 0;
    EXPECT_EQ(TypedUnitToGbk(high, u'a'), "a");
    EXPECT_EQ(TypedUnitToGbk(high, u'\u592E'), kYang);
    EXPECT_EQ(TypedUnitToGbk(high, 0xDC00), "") << "a lone low half gives nothing";
    EXPECT_EQ(TypedUnitToGbk(high, 0xD83D), "") << "a high half waits";
    EXPECT_NE(high, 0);
    EXPECT_FALSE(TypedUnitToGbk(high, 0xDE00).empty()) << "the pair arrives, as GBK stand-ins";
    EXPECT_EQ(high, 0);
}

}
}
