#pragma once

// A program's manual, as written in manual/<program>.txt: the one text from
// which both its manual page and its --help text are made.
//
//   name: pellamo                       the header: name, summary and usage
//   summary: network television player  are needed, section defaults to 1
//   usage: [OPTION]... [FILE]...
//
//   = DESCRIPTION (help)                a section; "(help)" puts it in --help
//   A paragraph, on as many lines as it likes.
//
//   --style NAME                        a line followed by indented lines is
//     what the option does              a term and its description
//
// Lines starting with "#" are comments. Text may hold {name} for a value the
// program knows only when it runs (its styles, its pages); "{{" is a "{".

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

struct ManualBlock {
    std::string term; // empty for a paragraph
    std::string text; // lines joined by single spaces
};

struct ManualSection {
    std::string title; // as written: "EXIT STATUS"
    bool in_help = false;
    std::vector<ManualBlock> blocks;
};

struct ManualPage {
    std::string name;
    std::string section = "1";
    std::string summary;
    std::string usage;
    std::vector<ManualSection> sections;

    // The terms of the OPTIONS section, in order: the program's options.
    std::vector<ManualBlock> Options() const;
};

// The source cannot be read as a manual; the message names the line.
class ManualSourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws ManualSourceError for text before the header ends, an unknown
// header key, a missing name, summary or usage, a term without description,
// an indented line with no term above it, or an unclosed "{".
ManualPage ParseManualPage(std::string_view source);

}
