#include "app/player_options.h"
#include "app/startup.h"
#include "skin/theme_data/theme_file_check.h"

#include <cstdio>

namespace pellamo {

int RunPellamoCommandLine(const std::vector<std::string>& args)
{
    PlayerOptions options;
    try {
        options = ParsePlayerOptions(args);
    } catch (const PlayerUsageError& e) {
        std::fprintf(stderr, "pellamo: %s\nTry \"pellamo --help\" for more information.\n", e.what());
        return 2;
    }
    if (options.help) {
        std::fputs(PlayerUsage().c_str(), stdout);
        return 0;
    }
    // Checked whole before any window exists: never a half-dressed window.
    if (!options.look.theme_file.empty()) {
        if (std::string problem = ThemeFileProblem(options.look.theme_file); !problem.empty()) {
            std::fprintf(stderr, "pellamo: %s\n", problem.c_str());
            return 2;
        }
    }
    return RunPellamo(options);
}

}
