#include "platform/components/component_errors.h"
#include "platform/components/string_list.h"
#include "platform/text/same_text.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

std::vector<std::string> Lines(std::initializer_list<const char*> l)
{
    return std::vector<std::string>(l.begin(), l.end());
}

TEST(StringListTest, SortedAddKeepsOrderUnderEachDuplicatesPolicy)
{
    struct Case {
        TDuplicates policy;
        std::vector<std::string> expected;
        bool throws;
    };
    const Case cases[] = {
        { TDuplicates::dupIgnore, Lines({ "apple", "Banana", "cherry" }), false },
        { TDuplicates::dupAccept, Lines({ "apple", "Banana", "BANANA", "cherry" }), false },
        { TDuplicates::dupError, Lines({ "apple", "Banana", "cherry" }), true },
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetSorted(true);
        list.SetDuplicates(c.policy);
        list.Add("cherry");
        list.Add("Banana");
        list.Add("apple");
        if (c.throws) {
            EXPECT_THROW(list.Add("BANANA"), EStringListError);
        } else {
            int index = list.Add("BANANA");
            EXPECT_EQ(list.Get(index).size(), 6u);
        }
        EXPECT_EQ(list.ToVector(), c.expected);
        EXPECT_EQ(list.IndexOf("banana"), 1);
        EXPECT_EQ(list.IndexOf("date"), -1);
    }
}

TEST(StringListTest, SortedListRefusesPositionalWrites)
{
    TStringList list;
    list.Add("b");
    list.Add("a");
    list.SetSorted(true);
    EXPECT_EQ(list.ToVector(), Lines({ "a", "b" }));
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);
    EXPECT_THROW(list.Put(0, "z"), EStringListError);
    int index = -1;
    EXPECT_FALSE(list.Find("ab", index));
    EXPECT_EQ(index, 1);
}

TEST(StringListTest, CaseSensitivityDecidesMatches)
{
    TStringList list;
    list.Add("Alpha");
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
    EXPECT_EQ(list.IndexOf("Alpha"), 0);
}

// GBK trail bytes may lie in the ASCII letter range; folding them would
// make different characters equal.
TEST(StringListTest, CaseFoldingNeverTouchesGbkTrailBytes)
{
    const std::string upper_trail = "\xB0\x41"; // one character
    const std::string lower_trail = "\xB0\x61"; // another character
    EXPECT_NE(CompareText(upper_trail, lower_trail), 0);
    EXPECT_EQ(CompareText("A" + upper_trail, "a" + upper_trail), 0);

    TStringList list;
    list.Add(upper_trail);
    EXPECT_EQ(list.IndexOf(lower_trail), -1);
    list.SetSorted(true);
    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_NO_THROW(list.Add(lower_trail));
    EXPECT_EQ(list.Count(), 2);
}

TEST(StringListTest, NameValuePairs)
{
    TStringList list;
    list.Add("FormBorderColor=8355711");
    list.Add("plain line");
    list.Add("Empty=");
    list.Add("url=http://x/?a=b");

    EXPECT_EQ(list.Values("formbordercolor"), "8355711");
    EXPECT_EQ(list.Values("URL"), "http://x/?a=b"); // split at the first '='
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Names(2), "Empty");
    EXPECT_EQ(list.ValueFromIndex(3), "http://x/?a=b");
    EXPECT_EQ(list.IndexOfName("plain line"), -1);

    list.SetValues("FormBorderColor", "1");
    EXPECT_EQ(list.Get(list.IndexOfName("FormBorderColor")), "FormBorderColor=1");
    list.SetValues("New", "2");
    EXPECT_EQ(list.Get(list.Count() - 1), "New=2");
    list.SetValues("url", ""); // an empty value deletes the entry
    EXPECT_EQ(list.IndexOfName("url"), -1);

    // On a sorted list a changed value keeps the list in order.
    TStringList sorted;
    sorted.SetSorted(true);
    sorted.Add("a=1");
    sorted.Add("b=2");
    sorted.SetValues("a", "9");
    EXPECT_EQ(sorted.ToVector(), Lines({ "a=9", "b=2" }));
}

TEST(StringListTest, TextSplitsAtEveryKindOfLineBreak)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        { "", {} },
        { "one", Lines({ "one" }) },
        { "one\n", Lines({ "one" }) },
        { "one\r\ntwo\rthree\nfour", Lines({ "one", "two", "three", "four" }) },
        { "\n\n", Lines({ "", "" }) },
        { "a\r\n\r\nb", Lines({ "a", "", "b" }) },
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(list.ToVector(), c.lines) << c.text;
    }
    TStringList list;
    list.Add("x");
    list.Add("");
    EXPECT_EQ(list.Text(), "x\n\n");
}

TEST(StringListTest, CommaTextQuotesWhatNeedsItAndReadsItBack)
{
    TStringList list;
    for (const char* s : { "plain", "with space", "a,b", "say \"hi\"", "", "\xCD\xF8\xC2\xE7" })
        list.Add(s);
    std::string text = list.CommaText();
    EXPECT_EQ(text, "plain,\"with space\",\"a,b\",\"say \"\"hi\"\"\",\"\",\xCD\xF8\xC2\xE7");

    TStringList back;
    back.SetCommaText(text);
    EXPECT_EQ(back.ToVector(), list.ToVector());

    back.SetCommaText("  a  b,c,,d ");
    EXPECT_EQ(back.ToVector(), Lines({ "a", "b", "c", "", "d" }));
}

TEST(StringListTest, ChangeEventsComeOncePerUpdate)
{
    TStringList list;
    int changes = 0;
    int changing = 0;
    list.OnChange = [&](TObject*) { ++changes; };
    list.OnChanging = [&](TObject*) { ++changing; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changing, 1);

    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changing, 2);

    list.SetText("x\ny\nz");
    EXPECT_EQ(changes, 3);
}

TEST(StringListTest, IndexErrorsAndObjects)
{
    TStringList list;
    TStringList payload;
    list.AddObject("a", &payload);
    EXPECT_EQ(list.GetObject(0), &payload);
    EXPECT_EQ(list.IndexOfObject(&payload), 0);
    for (int bad : { -1, 1 })
        EXPECT_THROW(list.Get(bad), EStringListError) << bad;
    EXPECT_THROW(list.Delete(5), EStringListError);
    EXPECT_THROW(list.Insert(2, "x"), EStringListError);
    EXPECT_NO_THROW(list.Insert(1, "x"));

    TStringList copy;
    copy.Assign(list);
    EXPECT_TRUE(copy.Equals(list));
    copy.AddStrings(copy);
    EXPECT_EQ(copy.ToVector(), Lines({ "a", "x", "a", "x" }));
}

}
}
