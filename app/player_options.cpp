#include "app/player_options.h"

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
        if (option == "--new-instance" && !value) {
            options.new_instance = true;
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

std::string PlayerUsage()
{
    return std::string("Usage: pellamo [OPTION]... [--] [FILE|ADDRESS]...\n"
                       "Network television player.\n"
                       "\n"
                       "  --style NAME         dress the windows in a built-in style: ")
        + kBuiltInStyleList + "\n"
        + "  --theme FILE.sui     dress the windows from a theme file\n"
          "  --new-instance       start another player even when one runs (otherwise the\n"
          "                       files and addresses go to the running one)\n"
          "  -h, --help           show this text and quit\n"
          "  --                   what follows is a file or address, even when it starts with \"-\"\n"
          "\n"
          "Without --style or --theme the windows look as designed.\n"
          "Each FILE or ADDRESS is opened once the window is up: playlist files and web\n"
          "playlists (.m3u, .m3u8) join the channel list, other addresses are played.\n"
          "\n"
          "Exit status: 0 on success, 1 when the display cannot be opened,\n"
          "2 when an option, style or theme file cannot be used.\n";
}

}
