// The settings file may be anything a disk or an editor left. Whatever the
// bytes, reading ends; what was read is written back as it stood.
#include "viewer/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    pellamo::Settings settings("/nonexistent/pellamo.ini");
    if (!settings.LoadText(input)) {
        if (settings.Problem().empty() || settings.Get("player", "volume"))
            std::abort();
        return 0;
    }
    std::string text = settings.Text();
    pellamo::Settings again("/nonexistent/pellamo.ini");
    if (!again.LoadText(text) || again.Text() != text)
        std::abort();
    settings.Set("player", "volume", std::string(input.substr(0, 64)));
    pellamo::Settings changed("/nonexistent/pellamo.ini");
    if (!changed.LoadText(settings.Text()))
        std::abort();
    return 0;
}
