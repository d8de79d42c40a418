#pragma once

// The text a program's --help prints, made from its manual: the usage line,
// the description, the options in two columns, then the other sections
// marked "(help)", each under its title; lines wrap at 79 columns.

#include "manual/manual_page.h"
#include "manual/manual_values.h"

#include <string>

namespace pellamo {

std::string HelpText(const ManualPage& page, const ManualValues& values);

}
