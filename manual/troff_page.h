#pragma once

// A manual as a man(7) page, the form man(1) reads.

#include "manual/manual_page.h"
#include "manual/manual_values.h"

#include <string>

namespace pellamo {

// `source_name` is named in the page's leading comment, `footer` (for
// example "Pellamo 0.1") in its title line. No date: the page is the same
// whenever it is built.
std::string TroffPage(
    const ManualPage& page, const ManualValues& values, const std::string& source_name, const std::string& footer);

// Text that troff prints as written: backslashes, dashes that start an
// option, a leading "." or "'" and (in macro arguments) quotes escaped.
std::string TroffText(const std::string& text);

}
