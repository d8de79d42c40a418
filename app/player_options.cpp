#include "app/player_options.h"

#include "manual/help_text.h"
#include "manual/program_manuals.h"

namespace pellamo {

PlayerOptions ParsePlayerOptions(const std::vector<std::string>& args)
{
    PlayerOptions options;
    bool operands_only = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (operands_only || arg.rfind("--", 0) != 0) {
            if (!operands_only && arg == "-h")
                options.help = true;
            else
                options.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            operands_only = true;
            continue;
        }
        std::string option = arg;
        std::optional<std::string> value;
        if (size_t eq = option.find('='); eq != std::string::npos) {
            value = option.substr(eq + 1);
            option.resize(eq);
        }
        if (option == "--help" && !value) {
            options.help = true;
            continue;
        }
        if (option == "--no-resume" && !value) {
            options.resume = false;
            continue;
        }
        if (option != "--style" && option != "--theme")
            throw PlayerUsageError("unknown option \"" + arg + "\"");
        if (!value) {
            if (i + 1 >= args.size())
                throw PlayerUsageError(option + " needs a value");
            value = args[++i];
        }
        if (value->empty())
            throw PlayerUsageError(option + " needs a value");
        if (option == "--style") {
            options.look.style = BuiltInStyleNamed(*value);
            if (!options.look.style)
                throw PlayerUsageError("unknown style \"" + *value + "\" (the styles are " + kBuiltInStyleList + ")");
        } else {
            options.look.theme_file = *value;
        }
    }
    if (options.look.style && !options.look.theme_file.empty())
        throw PlayerUsageError("--style and --theme cannot be used together");
    return options;
}

std::string PlayerUsage() { return HelpText(ParseManualPage(PlayerManual()), { { "styles", kBuiltInStyleList } }); }
}
