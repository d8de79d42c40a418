#pragma once

// One reading of the programs' command lines, so that every program takes
// its options the same way: "--name value" or "--name=value", "-h" for
// "--help", and (where a program takes files) "--" ending the options.

#include "manual/manual_page.h"

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

struct CommandLineOption {
    std::string_view name; // "--style"
    bool takes_value = false;
};

// One word of the command line as the program should act on it: an option
// of the table with its value (empty for a flag), or an operand.
struct CommandLineWord {
    std::string_view option; // the table's name; empty for an operand
    std::string value; // the option's value, or the operand itself
};

// What the user wrote cannot be used; the message says why.
class CommandLineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Words in the order written. Throws CommandLineError for a "--" word the
// table lacks, a flag given a value, a missing or empty value, and (when the
// program takes no operands) any word that is not an option. A value after a
// space is taken as it is, even when it looks like an option.
std::vector<CommandLineWord> ReadCommandLine(
    const std::vector<std::string>& args, std::span<const CommandLineOption> options, bool takes_operands);

// Empty when `options` are exactly the options the manual's OPTIONS section
// lists (the "-h" and "--" terms aside), each taking a value when its term
// names one ("--style NAME"); otherwise a sentence naming the first
// difference. The programs' tests hold their tables to their manuals.
std::string CommandLineDisagreement(std::span<const CommandLineOption> options, const ManualPage& manual);

}
