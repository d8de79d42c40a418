#include "app/player_options.h"

#include "manual/help_text.h"
#include "manual/program_manuals.h"

namespace pellamo {

namespace {

constexpr CommandLineOption kPlayerOptions[] = {
    { "--style", true },
    { "--theme", true },
    { "--guide", true },
    { "--no-resume", false },
    { "--new-instance", false },
    { "--help", false },
};

}

std::span<const CommandLineOption> PlayerCommandLineOptions() { return kPlayerOptions; }

PlayerOptions ParsePlayerOptions(const std::vector<std::string>& args)
{
    PlayerOptions options;
    for (CommandLineWord& word : ReadCommandLine(args, kPlayerOptions, true)) {
        if (word.option.empty()) {
            options.operands.push_back(std::move(word.value));
        } else if (word.option == "--help") {
            options.help = true;
        } else if (word.option == "--no-resume") {
            options.resume = false;
        } else if (word.option == "--new-instance") {
            options.new_instance = true;
        } else if (word.option == "--style") {
            options.look.style = BuiltInStyleNamed(word.value);
            if (!options.look.style)
                throw PlayerUsageError(
                    "unknown style \"" + word.value + "\" (the styles are " + kBuiltInStyleList + ")");
        } else if (word.option == "--guide") {
            options.guides.push_back(std::move(word.value));
        } else {
            options.look.theme_file = std::move(word.value);
        }
    }
    if (options.look.style && !options.look.theme_file.empty())
        throw PlayerUsageError("--style and --theme cannot be used together");
    return options;
}

std::string PlayerUsage() { return HelpText(ParseManualPage(PlayerManual()), { { "styles", kBuiltInStyleList } }); }
}
