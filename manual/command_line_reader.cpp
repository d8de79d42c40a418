#include "manual/command_line_reader.h"

#include <algorithm>

namespace pellamo {

std::vector<CommandLineWord> ReadCommandLine(
    const std::vector<std::string>& args, std::span<const CommandLineOption> options, bool takes_operands)
{
    std::vector<CommandLineWord> words;
    bool operands_only = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (operands_only) {
            words.push_back({ {}, arg });
            continue;
        }
        if (arg == "-h") {
            words.push_back({ "--help", {} });
            continue;
        }
        if (arg.rfind("--", 0) != 0 || (arg == "--" && takes_operands)) {
            if (!takes_operands)
                throw CommandLineError("unknown option \"" + arg + "\"");
            if (arg == "--")
                operands_only = true;
            else
                words.push_back({ {}, arg });
            continue;
        }
        std::string_view name = arg;
        const bool has_value = name.find('=') != std::string_view::npos;
        std::string value;
        if (has_value) {
            value = name.substr(name.find('=') + 1);
            name = name.substr(0, name.find('='));
        }
        auto known = std::find_if(
            options.begin(), options.end(), [&](const CommandLineOption& option) { return option.name == name; });
        if (known == options.end() || (has_value && !known->takes_value))
            throw CommandLineError("unknown option \"" + arg + "\"");
        if (known->takes_value && !has_value) {
            if (i + 1 >= args.size())
                throw CommandLineError(std::string(known->name) + " needs a value");
            value = args[++i];
        }
        if (known->takes_value && value.empty())
            throw CommandLineError(std::string(known->name) + " needs a value");
        words.push_back({ known->name, std::move(value) });
    }
    return words;
}

std::string CommandLineDisagreement(std::span<const CommandLineOption> options, const ManualPage& manual)
{
    const std::vector<ManualBlock> terms = manual.Options();
    std::vector<std::string_view> documented; // views into `terms`
    for (const ManualBlock& block : terms) {
        // "-h, --help" and "--style NAME": the long name, then what it takes.
        std::string_view term = block.term;
        if (term.rfind("-h, ", 0) == 0)
            term.remove_prefix(4);
        if (term == "--")
            continue;
        const size_t space = term.find(' ');
        const std::string_view name = term.substr(0, space);
        const bool takes_value = space != std::string_view::npos;
        documented.push_back(name);
        auto known = std::find_if(
            options.begin(), options.end(), [&](const CommandLineOption& option) { return option.name == name; });
        if (known == options.end())
            return "the manual lists " + std::string(name) + ", which the program does not take";
        if (known->takes_value != takes_value)
            return std::string(name)
                + (known->takes_value ? " takes a value the manual does not name"
                                      : " takes no value, yet the manual names one");
    }
    for (const CommandLineOption& option : options)
        if (std::find(documented.begin(), documented.end(), option.name) == documented.end())
            return "the manual does not list " + std::string(option.name);
    return {};
}

}
