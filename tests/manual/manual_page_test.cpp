// Reading a program's manual text, and the --help text and manual page made
// from it.
#include "manual/help_text.h"
#include "manual/manual_page.h"
#include "manual/troff_page.h"

#include <gtest/gtest.h>

namespace pellamo::test {
namespace {

constexpr const char* kSource = R"(# a comment
name: demo
summary: shows {what}
usage: [OPTION]... FILE

= DESCRIPTION (help)
Shows things.

A second paragraph that is long enough to be wrapped once it is printed, for it
has more than seventy-nine columns.
= OPTIONS (help)
--colour NAME
  paint in NAME: {colours}
--a-very-long-option=VALUE
  the text starts on the next line
-h, --help
  show this text

Each option also takes its value after "=".

= EXIT STATUS (help)
0 on success, 2 when the command line cannot be used.

= FILES
~/.demo
  where {{braces} are kept

.hidden starts with a dot
)";

const ManualValues kValues = { { "what", "things" }, { "colours", "red, green or blue" } };

TEST(ManualPage, HeaderSectionsParagraphsAndTermsAreRead)
{
    ManualPage page = ParseManualPage(kSource);
    EXPECT_EQ(page.name, "demo");
    EXPECT_EQ(page.section, "1");
    EXPECT_EQ(page.summary, "shows {what}");
    EXPECT_EQ(page.usage, "[OPTION]... FILE");
    ASSERT_EQ(page.sections.size(), 4u);
    EXPECT_EQ(page.sections[0].title, "DESCRIPTION");
    EXPECT_TRUE(page.sections[0].in_help);
    ASSERT_EQ(page.sections[0].blocks.size(), 2u);
    EXPECT_EQ(page.sections[0].blocks[1].text,
        "A second paragraph that is long enough to be wrapped once it is printed, for it has more than seventy-nine "
        "columns.");
    EXPECT_EQ(page.sections[2].title, "EXIT STATUS");
    EXPECT_FALSE(page.sections[3].in_help);
    ASSERT_EQ(page.sections[3].blocks.size(), 2u);
    EXPECT_EQ(page.sections[3].blocks[0].term, "~/.demo");
    EXPECT_EQ(page.sections[3].blocks[1].term, "");

    std::vector<ManualBlock> options = page.Options();
    ASSERT_EQ(options.size(), 3u);
    EXPECT_EQ(options[0].term, "--colour NAME");
    EXPECT_EQ(options[0].text, "paint in NAME: {colours}");
    EXPECT_EQ(options[2].term, "-h, --help");
}

TEST(ManualPage, ASourceThatIsNoManualIsRefusedWithItsLine)
{
    struct Case {
        std::string source;
        std::string message_part;
    };
    const std::string header = "name: x\nsummary: y\nusage: z\n";
    const std::vector<Case> cases = {
        { "", "no \"= SECTION\"" },
        { header, "no \"= SECTION\"" },
        { "name: x\nsummary: y\n= OPTIONS\n", "line 3: the header needs name, summary and usage" },
        { "name: x\ncolour: red\n", "line 2: unknown key \"colour\"" },
        { "just words\n", "line 1: expected \"key: value\"" },
        { header + "=\n", "line 4: a section needs a title" },
        { header + "= A\n  indented first\n", "line 5: an indented line needs a term above it" },
        { header + "= A\n--term\n  text\nnot indented\n", "line 7: \"not indented\" needs an indented description" },
        { header + "= A\n--a\n  text\n--b\n  more\n", "" }, // terms in a row
        { header + "= A\nparagraph\n  indented\n", "" }, // a term with its description: fine
        { header + "= A\none\ntwo\n  three\n", "line 7: an indented line needs a term above it, and a blank" },
        { header + "= A\nan open { brace\n", "line 5: \"{\" opens no {name}" },
        { header + "= A\nempty {} braces\n", "line 5: \"{\" opens no {name}" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        if (c.message_part.empty()) {
            EXPECT_NO_THROW(ParseManualPage(c.source));
            continue;
        }
        try {
            ParseManualPage(c.source);
            ADD_FAILURE() << "accepted";
        } catch (const ManualSourceError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message_part), std::string::npos) << e.what();
        }
    }
}

TEST(ManualValues, NamesAreFilledAndOneWithoutValueIsAnError)
{
    EXPECT_EQ(FillManualValues("a {what} b {{c} {what}", kValues), "a things b {c} things");
    EXPECT_EQ(FillManualValues("no names", {}), "no names");
    EXPECT_THROW(FillManualValues("a {nothing}", kValues), ManualValueError);
    EXPECT_THROW(FillManualValues("a {what", kValues), ManualValueError);

    EXPECT_EQ(ListOfNames({}), "");
    EXPECT_EQ(ListOfNames({ "A" }), "A");
    EXPECT_EQ(ListOfNames({ "A", "B" }), "A or B");
    EXPECT_EQ(ListOfNames({ "A", "B", "C" }), "A, B or C");
}

TEST(HelpText, UsageDescriptionOptionsInTwoColumnsAndTheOtherHelpSectionsWrapped)
{
    EXPECT_EQ(HelpText(ParseManualPage(kSource), kValues),
        "Usage: demo [OPTION]... FILE\n"
        "Shows things.\n"
        "\n"
        "A second paragraph that is long enough to be wrapped once it is printed, for it\n"
        "has more than seventy-nine columns.\n"
        "\n"
        "  --colour NAME        paint in NAME: red, green or blue\n"
        "  --a-very-long-option=VALUE\n"
        "                       the text starts on the next line\n"
        "  -h, --help           show this text\n"
        "\n"
        "Each option also takes its value after \"=\".\n"
        "\n"
        "Exit status: 0 on success, 2 when the command line cannot be used.\n");
}

TEST(HelpText, ADescriptionWrapsUnderItsColumnCountingCharactersNotBytes)
{
    ManualPage page = ParseManualPage("name: d\nsummary: s\nusage: u\n= OPTIONS (help)\n--x\n  " + std::string(10, 'a')
        + " éééééééééééééééééééééééééééé " + "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\n");
    std::string help = HelpText(page, {});
    EXPECT_EQ(help,
        "Usage: d u\n"
        "\n"
        "  --x                  aaaaaaaaaa éééééééééééééééééééééééééééé\n"
        "                       bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb\n");
}

TEST(TroffText, DashesThatStartAnOptionBackslashesAndLeadingDotsAreEscaped)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "--style NAME", "\\-\\-style NAME" },
        { "-h, --help", "\\-h, \\-\\-help" },
        { "a built-in style, --style=WinXP", "a built-in style, \\-\\-style=WinXP" }, // only the option's dash
        { "(--all) [-h] a|-b x=-1", "(\\-\\-all) [\\-h] a|\\-b x=\\-1" },
        { "C:\\themes", "C:\\ethemes" },
        { ".hidden", "\\&.hidden" },
        { "'quoted", "\\&'quoted" },
        { "a.b 'c'", "a.b 'c'" },
    };
    for (const auto& [text, troff] : cases)
        EXPECT_EQ(TroffText(text), troff) << text;
    EXPECT_EQ(TroffText("built-in"), "built-in");
}

TEST(TroffPage, SectionsParagraphsAndTermsBecomeManMacros)
{
    std::string page = TroffPage(ParseManualPage(kSource), kValues, "manual/demo.txt", "Demo 1.0");
    for (const char* part : {
             ".\\\" Made by the build from manual/demo.txt",
             ".TH \"DEMO\" \"1\" \"\" \"Demo 1.0\" \"User Commands\"\n",
             ".SH NAME\ndemo \\- shows things\n",
             ".SH SYNOPSIS\n.B demo\n[OPTION]... FILE\n",
             ".SH \"DESCRIPTION\"\nShows things.\n.PP\nA second paragraph",
             ".TP\n.B \\-\\-colour NAME\npaint in NAME: red, green or blue\n",
             ".TP\n.B \\-h, \\-\\-help\nshow this text\n.PP\nEach option also takes its value after \"=\".\n",
             ".SH \"EXIT STATUS\"\n0 on success",
             ".TP\n.B ~/.demo\nwhere {braces} are kept\n.PP\n\\&.hidden starts with a dot\n",
         })
        EXPECT_NE(page.find(part), std::string::npos) << part << "\nin\n" << page;
}

}
}
