#include "gallery/gallery_options.h"

#include "manual/help_text.h"
#include "manual/program_manuals.h"
#include "platform/text/same_text.h"

namespace pellamo {

GalleryOptions ParseGalleryOptions(const std::vector<std::string>& args, const std::vector<std::string>& pages)
{
    GalleryOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::optional<std::string> value;
        if (size_t eq = option.find('='); option.rfind("--", 0) == 0 && eq != std::string::npos) {
            value = option.substr(eq + 1);
            option.resize(eq);
        }
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option != "--style" && option != "--theme" && option != "--page" && option != "--screenshot")
            throw GalleryUsageError("unknown option \"" + args[i] + "\"");
        if (!value) {
            if (i + 1 >= args.size())
                throw GalleryUsageError(option + " needs a value");
            value = args[++i];
        }
        if (value->empty())
            throw GalleryUsageError(option + " needs a value");
        if (option == "--style") {
            options.style = BuiltInStyleNamed(*value);
            if (!options.style)
                throw GalleryUsageError("unknown style \"" + *value + "\" (the styles are " + kBuiltInStyleList + ")");
        } else if (option == "--theme") {
            options.theme_file = *value;
        } else if (option == "--page") {
            options.page = *value;
        } else {
            options.screenshot = *value;
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
