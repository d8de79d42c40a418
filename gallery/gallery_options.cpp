#include "gallery/gallery_options.h"

#include "manual/help_text.h"
#include "manual/program_manuals.h"
#include "platform/text/same_text.h"

namespace pellamo {

namespace {

constexpr CommandLineOption kGalleryOptions[] = {
    { "--style", true },
    { "--theme", true },
    { "--page", true },
    { "--screenshot", true },
    { "--help", false },
};

}

std::span<const CommandLineOption> GalleryCommandLineOptions() { return kGalleryOptions; }

GalleryOptions ParseGalleryOptions(const std::vector<std::string>& args, const std::vector<std::string>& pages)
{
    GalleryOptions options;
    for (CommandLineWord& word : ReadCommandLine(args, kGalleryOptions, false)) {
        if (word.option == "--help") {
            options.help = true;
        } else if (word.option == "--style") {
            options.style = BuiltInStyleNamed(word.value);
            if (!options.style)
                throw GalleryUsageError(
                    "unknown style \"" + word.value + "\" (the styles are " + kBuiltInStyleList + ")");
        } else if (word.option == "--theme") {
            options.theme_file = std::move(word.value);
        } else if (word.option == "--page") {
            options.page = std::move(word.value);
        } else {
            options.screenshot = std::move(word.value);
        }
    }
    if (options.style && !options.theme_file.empty())
        throw GalleryUsageError("--style and --theme cannot be used together");
    if (!options.page.empty()) {
        bool found = false;
        for (const std::string& page : pages)
            found = found || SameText(page, options.page);
        if (!found)
            throw GalleryUsageError("unknown page \"" + options.page + "\" (the pages are " + ListOfNames(pages) + ")");
    }
    return options;
}

std::string GalleryUsage(const std::vector<std::string>& pages)
{
    return HelpText(
        ParseManualPage(GalleryManual()), { { "styles", kBuiltInStyleList }, { "pages", ListOfNames(pages) } });
}

}
