#include "manual/help_text.h"

#include <cctype>

namespace pellamo {

namespace {

constexpr size_t kWidth = 79;
constexpr size_t kTermIndent = 2;
constexpr size_t kTextColumn = 23;

// Characters on screen: UTF-8 continuation bytes take no column.
size_t Columns(std::string_view text)
{
    size_t columns = 0;
    for (unsigned char c : text)
        columns += (c & 0xC0) != 0x80;
    return columns;
}

// `text` wrapped into lines of at most kWidth columns, every line led by
// `indent` spaces except the first, which the caller has placed at `column`.
std::string Wrapped(const std::string& text, size_t column, size_t indent)
{
    std::string out;
    size_t start = 0;
    bool line_empty = true;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view word(text.data() + start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        if (!line_empty && column + 1 + Columns(word) > kWidth) {
            out += '\n' + std::string(indent, ' ');
            column = indent;
            line_empty = true;
        }
        if (!line_empty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += Columns(word);
        line_empty = false;
    }
    return out + '\n';
}

std::string Definition(const std::string& term, const std::string& text)
{
    std::string out = std::string(kTermIndent, ' ') + term;
    size_t column = kTermIndent + Columns(term);
    if (column + 2 > kTextColumn) {
        out += '\n';
        column = 0;
    }
    out += std::string(kTextColumn - column, ' ');
    return out + Wrapped(text, kTextColumn, kTextColumn);
}

// "EXIT STATUS" as a heading in running text: "Exit status".
std::string SentenceCase(const std::string& title)
{
    std::string out = title;
    for (size_t i = 1; i < out.size(); ++i)
        out[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(out[i])));
    return out;
}

std::string Blocks(const ManualSection& section, const ManualValues& values, bool first_joins_above)
{
    std::string out;
    for (size_t i = 0; i < section.blocks.size(); ++i) {
        const ManualBlock& block = section.blocks[i];
        // Two paragraphs in a row stand apart; a definition list stays packed.
        bool apart = i > 0 && (block.term.empty() || section.blocks[i - 1].term.empty());
        if (apart || (i == 0 && !first_joins_above))
            out += '\n';
        std::string text = FillManualValues(block.text, values);
        out += block.term.empty() ? Wrapped(text, 0, 0) : Definition(FillManualValues(block.term, values), text);
    }
    return out;
}

}

std::string HelpText(const ManualPage& page, const ManualValues& values)
{
    std::string out = Wrapped("Usage: " + page.name + " " + FillManualValues(page.usage, values), 0, 2);
    for (const ManualSection& section : page.sections) {
        if (!section.in_help)
            continue;
        if (section.title == "DESCRIPTION") {
            out += Blocks(section, values, true);
            continue;
        }
        // The options need no title; another section leads with its own,
        // "Exit status: 0 on success, ...".
        if (section.title == "OPTIONS") {
            out += Blocks(section, values, false);
            continue;
        }
        std::string title = SentenceCase(section.title) + ":";
        if (section.blocks.empty() || !section.blocks[0].term.empty()) {
            out += "\n" + title + "\n" + Blocks(section, values, true);
            continue;
        }
        ManualSection rest = section;
        rest.blocks.erase(rest.blocks.begin());
        out += '\n';
        out += Wrapped(title + " " + FillManualValues(section.blocks[0].text, values), 0, 0);
        out += Blocks(rest, values, false);
    }
    return out;
}

}
