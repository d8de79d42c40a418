#pragma once

// The folders the program reads from and writes to besides its own data.

#include <string>

namespace pellamo {

// The folder holding the running program, without a trailing slash; empty
// when the system does not say.
std::string ExecutableDirectory();

// $TMPDIR when set and not empty, else /tmp; without a trailing slash.
std::string TemporaryDirectory();

}
