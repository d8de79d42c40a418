#include "tests/layering/include_rules.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <regex>
#include <string_view>

namespace pellamo::test {

namespace {

namespace fs = std::filesystem;

// The folders that hold code; build trees and the like are never walked.
constexpr std::array kCodeFolders = { "app", "bench", "catalogue", "chooser", "desktop", "fuzz", "gallery", "guide",
    "manual", "net", "packaging", "platform", "player", "resources", "skin", "stream", "tests", "tools", "viewer" };

// Files under `folder` may not include project headers under any of `above`.
struct DownwardRule {
    std::string_view folder;
    std::array<std::string_view, 10> above;
};

constexpr std::array kDownwardRules = {
    DownwardRule { "platform/",
        { "app/", "catalogue/", "net/", "player/", "skin/", "gallery/", "guide/", "viewer/", "desktop/", "chooser/" } },
    // Inside the platform, each part knows only those below it: text, loop,
    // gfx, backend, window, components.
    DownwardRule { "platform/text/",
        { "platform/loop/", "platform/gfx/", "platform/backend/", "platform/window/", "platform/components/" } },
    DownwardRule {
        "platform/loop/", { "platform/gfx/", "platform/backend/", "platform/window/", "platform/components/" } },
    DownwardRule { "platform/gfx/", { "platform/backend/", "platform/window/", "platform/components/" } },
    DownwardRule { "platform/backend/", { "platform/window/", "platform/components/" } },
    DownwardRule { "platform/window/", { "platform/components/" } },
    DownwardRule {
        "skin/", { "app/", "catalogue/", "net/", "player/", "gallery/", "guide/", "viewer/", "desktop/", "chooser/" } },
    // The file chooser serves the player and the gallery alike.
    DownwardRule {
        "chooser/", { "app/", "catalogue/", "net/", "player/", "gallery/", "guide/", "viewer/", "desktop/" } },
    // The skin gallery shows the skin engine alone.
    DownwardRule { "gallery/", { "app/", "catalogue/", "net/", "player/", "guide/", "viewer/", "desktop/" } },
    // The manuals are text: every program reads its own, none reads a program.
    DownwardRule { "manual/",
        { "app/", "catalogue/", "net/", "player/", "skin/", "gallery/", "guide/", "viewer/", "desktop/", "chooser/" } },
    // The guide reads and keeps guides; downloads and windows are the program's.
    DownwardRule {
        "guide/", { "app/", "catalogue/", "net/", "player/", "skin/", "gallery/", "viewer/", "desktop/", "chooser/" } },
    // Stream addresses are text rules that every reader of channels shares.
    DownwardRule { "stream/",
        { "app/", "catalogue/", "net/", "player/", "skin/", "gallery/", "guide/", "viewer/", "desktop/", "chooser/" } },
    // The viewer's state knows channels, not windows.
    DownwardRule { "viewer/", { "app/", "gallery/", "chooser/" } },
    // The desktop's bus services know the program only through the state
    // and commands it hands them.
    DownwardRule {
        "desktop/", { "app/", "catalogue/", "net/", "player/", "skin/", "gallery/", "guide/", "viewer/", "chooser/" } },
};

// Files under `folder` may include project headers only from these
// folders and files.
struct OnlyRule {
    std::string_view folder;
    std::array<std::string_view, 10> allowed;
};

// Theme data is tables, pictures and files: whatever reads theme files (the
// fuzz target, the exporter) links it without a component, a window or a
// control. Of the component layer it takes the streams, names and errors.
constexpr std::array<std::string_view, 10> kThemeDataIncludes = { "skin/theme_data/", "skin/draw/", "platform/gfx/",
    "platform/text/", "platform/components/component_errors.h", "platform/components/enum_info.h",
    "platform/components/file_stream.h", "platform/components/stream.h", "platform/components/system_dirs.h" };

// The skin's drawing is pure painting into bitmaps: no component, window or
// theme behind it, so every family and the theme data can share it.
constexpr std::array<std::string_view, 10> kSkinDrawIncludes = { "skin/draw/", "platform/gfx/", "platform/text/" };

constexpr std::array kOnlyRules = {
    OnlyRule { "skin/draw/", kSkinDrawIncludes },
    OnlyRule { "skin/theme_data/", kThemeDataIncludes },
    OnlyRule { "fuzz/theme_file/", kThemeDataIncludes },
};

constexpr std::string_view kDisplayHeaders = "X11/";
constexpr std::string_view kDisplayBackend = "platform/backend/x11/";
constexpr std::string_view kDisplayBackendTests = "tests/backend/x11/";
// The start-up benchmark's watcher is a client of its own that times the
// program from outside; it is no part of the program.
constexpr std::string_view kOutsideXClients = "bench/startup/";

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return !prefix.empty() && text.substr(0, prefix.size()) == prefix;
}

bool IsCode(const fs::path& file)
{
    const std::string ext = file.extension().string();
    return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc" || ext == ".c";
}

// A quoted include as a path from the source root: the project includes
// from the root, but a relative or bare name is taken from the file's folder.
std::string ProjectPath(const std::string& included, const fs::path& file)
{
    if (included.find('/') != std::string::npos && included[0] != '.')
        return included;
    return (file.parent_path() / included).lexically_normal().generic_string();
}

void CheckFile(const fs::path& root, const fs::path& file, std::vector<std::string>& violations)
{
    static const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    const fs::path relative = file.lexically_relative(root);
    const std::string name = relative.generic_string();
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        size_t first = line.find_first_not_of(" \t");
        std::smatch m;
        if (first == std::string::npos || line[first] != '#' || !std::regex_search(line, m, include_line))
            continue;
        const std::string included = m[2];
        const std::string where = name + ":" + std::to_string(number) + ": includes " + included;
        if (m[1] == "<") {
            if (StartsWith(included, kDisplayHeaders) && !StartsWith(name, kDisplayBackend)
                && !StartsWith(name, kDisplayBackendTests) && !StartsWith(name, kOutsideXClients))
                violations.push_back(where + " (only " + std::string(kDisplayBackend) + " talks to X11)");
            continue;
        }
        const std::string target = ProjectPath(included, relative);
        for (const DownwardRule& rule : kDownwardRules) {
            if (!StartsWith(name, rule.folder))
                continue;
            for (std::string_view above : rule.above)
                if (StartsWith(target, above))
                    violations.push_back(
                        where + " (" + std::string(rule.folder) + " may not reach up into " + std::string(above) + ")");
        }
        for (const OnlyRule& rule : kOnlyRules) {
            if (!StartsWith(name, rule.folder))
                continue;
            bool allowed = std::any_of(rule.allowed.begin(), rule.allowed.end(),
                [&](std::string_view prefix) { return StartsWith(target, prefix); });
            if (!allowed)
                violations.push_back(where + " (" + std::string(rule.folder) + " stays below the components)");
        }
    }
}

}

std::vector<std::string> LayerViolations(const fs::path& root)
{
    std::vector<std::string> violations;
    for (const char* folder : kCodeFolders) {
        if (!fs::is_directory(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder))
            if (entry.is_regular_file() && IsCode(entry.path()))
                CheckFile(root, entry.path(), violations);
    }
    return violations;
}

}
