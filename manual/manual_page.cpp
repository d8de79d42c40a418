#include "manual/manual_page.h"

#include <utility>

namespace pellamo {

namespace {

bool IsIndented(std::string_view line) { return !line.empty() && (line[0] == ' ' || line[0] == '\t'); }

std::string_view Trimmed(std::string_view text)
{
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

[[noreturn]] void Fail(int line, const std::string& message)
{
    throw ManualSourceError("line " + std::to_string(line) + ": " + message);
}

// Braces must pair up before the text reaches a program that fills them.
void CheckBraces(std::string_view text, int line)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{')
            continue;
        if (i + 1 < text.size() && text[i + 1] == '{') {
            ++i;
            continue;
        }
        size_t close = text.find('}', i);
        if (close == std::string_view::npos || close == i + 1)
            Fail(line, "\"{\" opens no {name}");
        i = close;
    }
}

// A line's words joined to `text` by one space.
void AppendWords(std::string& text, std::string_view line)
{
    if (!text.empty())
        text += ' ';
    text.append(Trimmed(line));
}

struct Line {
    int number;
    std::string_view text;
};

// The lines between two blank lines: one paragraph, or a list of terms,
// each with its indented description.
std::vector<ManualBlock> BlocksOf(const std::vector<Line>& lines)
{
    auto indented = [&](size_t i) { return i < lines.size() && IsIndented(lines[i].text); };
    if (indented(0))
        Fail(lines[0].number, "an indented line needs a term above it");
    std::vector<ManualBlock> blocks;
    if (!indented(1)) {
        ManualBlock paragraph;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (indented(i))
                Fail(lines[i].number, "an indented line needs a term above it, and a blank line above that");
            AppendWords(paragraph.text, lines[i].text);
        }
        blocks.push_back(paragraph);
        return blocks;
    }
    for (size_t i = 0; i < lines.size();) {
        if (!indented(i + 1)) {
            std::string message = "\"";
            message.append(Trimmed(lines[i].text)).append("\" needs an indented description (or a blank line above)");
            Fail(lines[i].number, message);
        }
        ManualBlock definition { std::string(Trimmed(lines[i].text)), "" };
        for (++i; indented(i); ++i)
            AppendWords(definition.text, lines[i].text);
        blocks.push_back(definition);
    }
    return blocks;
}

}

std::vector<ManualBlock> ManualPage::Options() const
{
    for (const ManualSection& section : sections)
        if (section.title == "OPTIONS") {
            std::vector<ManualBlock> options;
            for (const ManualBlock& block : section.blocks)
                if (!block.term.empty())
                    options.push_back(block);
            return options;
        }
    return {};
}

ManualPage ParseManualPage(std::string_view source)
{
    ManualPage page;
    std::vector<Line> block;
    auto end_block = [&] {
        if (!block.empty())
            for (ManualBlock& made : BlocksOf(block))
                page.sections.back().blocks.push_back(std::move(made));
        block.clear();
    };
    int number = 0;
    while (!source.empty()) {
        size_t end = source.find('\n');
        std::string_view text = source.substr(0, end);
        source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
        ++number;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        if (!text.empty() && text[0] == '#')
            continue;
        CheckBraces(text, number);
        if (text.starts_with("=")) {
            if (page.sections.empty() && (page.name.empty() || page.summary.empty() || page.usage.empty()))
                Fail(number, "the header needs name, summary and usage before the first section");
            end_block();
            std::string_view title = Trimmed(text.substr(1));
            bool in_help = title.ends_with("(help)");
            if (in_help)
                title = Trimmed(title.substr(0, title.size() - 6));
            if (title.empty())
                Fail(number, "a section needs a title");
            page.sections.push_back({ std::string(title), in_help, {} });
            continue;
        }
        if (page.sections.empty()) {
            if (Trimmed(text).empty())
                continue;
            size_t colon = text.find(':');
            if (colon == std::string_view::npos || IsIndented(text))
                Fail(number, "expected \"key: value\" or a \"= SECTION\" line");
            std::string_view key = text.substr(0, colon);
            std::string value(Trimmed(text.substr(colon + 1)));
            if (key == "name")
                page.name = value;
            else if (key == "section")
                page.section = value;
            else if (key == "summary")
                page.summary = value;
            else if (key == "usage")
                page.usage = value;
            else
                Fail(number, "unknown key \"" + std::string(key) + "\"");
            continue;
        }
        if (Trimmed(text).empty())
            end_block();
        else
            block.push_back({ number, text });
    }
    if (page.sections.empty())
        Fail(number, "no \"= SECTION\" line");
    end_block();
    return page;
}

}
