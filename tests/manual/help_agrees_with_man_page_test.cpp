// Each program's --help says what its manual page says: every paragraph and
// option list it prints is found, word for word, in the page as man shows
// it; and troff reads each page without a warning.
#include "tests/support/command_output.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

namespace pellamo::test {
namespace {

struct Program {
    const char* name;
    const char* path;
};

const Program kPrograms[] = {
    { "pellamo", PELLAMO_PLAYER },
    { "pellamo-gallery", PELLAMO_GALLERY },
    { "pellamo-export-theme", PELLAMO_EXPORT_THEME },
};

std::string ManPage(const std::string& program) { return std::string(PELLAMO_MAN_DIR) + "/" + program + ".1"; }

// Runs of white space as one space: line breaks and indents differ.
std::string Words(const std::string& text)
{
    std::string out;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        out += (out.empty() ? "" : " ") + word;
    return out;
}

std::vector<std::string> Paragraphs(const std::string& text)
{
    std::vector<std::string> paragraphs { "" };
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (Words(line).empty())
            paragraphs.push_back("");
        else
            paragraphs.back() += line + "\n";
    }
    std::erase(paragraphs, "");
    return paragraphs;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

TEST(HelpAndManPage, EveryParagraphOfHelpIsInTheManPage)
{
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        std::string help = CommandOutput(
            std::string("env -u DISPLAY -u WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=0 ") + program.path + " --help");
        std::string man = Words(CommandOutput("groff -man -Tascii -P-cbou " + ManPage(program.name) + " 2>&1"));
        ASSERT_FALSE(help.empty());
        ASSERT_NE(man.find("NAME " + std::string(program.name) + " - "), std::string::npos) << man;

        std::vector<std::string> paragraphs = Paragraphs(help);
        // The usage line is the synopsis; the description may follow it.
        std::string usage = paragraphs[0].substr(0, paragraphs[0].find('\n'));
        ASSERT_TRUE(usage.starts_with("Usage: ")) << usage;
        EXPECT_NE(man.find("SYNOPSIS " + Words(usage.substr(7))), std::string::npos) << usage << "\n" << man;
        paragraphs[0].erase(0, usage.size() + 1);
        for (std::string paragraph : paragraphs) {
            paragraph = Words(paragraph);
            if (paragraph.empty())
                continue;
            // "Exit status: 0 on ..." is the section EXIT STATUS there.
            if (size_t colon = paragraph.find(": "); colon != std::string::npos
                && man.find(Upper(paragraph.substr(0, colon)) + " " + paragraph.substr(colon + 2)) != std::string::npos)
                continue;
            EXPECT_NE(man.find(paragraph), std::string::npos) << paragraph << "\nnot in\n" << man;
        }
    }
}

TEST(HelpAndManPage, TroffReadsEachPageWithoutAWarning)
{
    for (const Program& program : kPrograms)
        EXPECT_EQ(CommandOutput("groff -man -ww -z " + ManPage(program.name) + " 2>&1"), "") << program.name;
}

}
}
