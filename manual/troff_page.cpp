#include "manual/troff_page.h"

#include <cctype>
#include <cstring>

namespace pellamo {

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A macro's argument: quotes would end it.
std::string MacroArgument(const std::string& text)
{
    std::string out;
    for (char c : TroffText(text))
        out += c == '"' ? std::string("\\(dq") : std::string(1, c);
    return out;
}

}

std::string TroffText(const std::string& text)
{
    std::string out;
    if (!text.empty() && (text[0] == '.' || text[0] == '\''))
        out += "\\&";
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char before = i == 0 ? ' ' : text[i - 1];
        if (c == '\\')
            out += "\\e";
        // A dash that starts a word is a minus (an option), one inside a
        // word ("built-in") a hyphen.
        else if (c == '-' && (std::isspace(static_cast<unsigned char>(before)) || std::strchr("-([|,=", before)))
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::string TroffPage(
    const ManualPage& page, const ManualValues& values, const std::string& source_name, const std::string& footer)
{
    std::string out = ".\\\" Made by the build from " + source_name + ": edit that file, not this one.\n";
    out += ".TH \"" + MacroArgument(Upper(page.name)) + "\" \"" + MacroArgument(page.section) + "\" \"\" \""
        + MacroArgument(footer) + "\" \"User Commands\"\n";
    // Words are never broken: the page reads as --help does.
    out += ".nh\n.ad l\n";
    out += ".SH NAME\n" + TroffText(page.name) + " \\- " + TroffText(FillManualValues(page.summary, values)) + "\n";
    out += ".SH SYNOPSIS\n.B " + MacroArgument(page.name) + "\n" + TroffText(FillManualValues(page.usage, values))
        + "\n";
    for (const ManualSection& section : page.sections) {
        out += ".SH \"" + MacroArgument(section.title) + "\"\n";
        bool first = true;
        for (const ManualBlock& block : section.blocks) {
            std::string text = TroffText(FillManualValues(block.text, values)) + "\n";
            if (!block.term.empty())
                out += ".TP\n.B " + MacroArgument(FillManualValues(block.term, values)) + "\n" + text;
            else
                out += (first ? "" : ".PP\n") + text;
            first = false;
        }
    }
    return out;
}

}
