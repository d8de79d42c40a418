// Feeds arbitrary text to the window-description reader. Errors must be
// EDescriptionError; anything else (a crash, another exception, a leak, a
// component left behind) is a fault. What was read is written back out,
// which must read again.

#include "platform/components/component_errors.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "tests/components/sample_classes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace pellamo;
    static bool registered = (sample::RegisterSampleClasses(), true);
    (void)registered;

    std::string_view text(reinterpret_cast<const char*>(data), size);
    ComponentPtr<sample::Form> form(new sample::Form());
    try {
        ReadDescription(text, *form);
    } catch (const EDescriptionError&) {
        if (form->ComponentCount() != 0)
            std::abort();
        return 0;
    }

    std::string written = WriteDescription(*form);
    ComponentPtr<sample::Form> again(new sample::Form());
    try {
        ReadDescription(written, *again);
    } catch (const EDescriptionError&) {
        std::abort();
    }
    if (WriteDescription(*again) != written)
        std::abort();
    return 0;
}
