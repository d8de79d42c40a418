#pragma once

// Whether a file can dress windows, checked before anything is dressed.

#include <string>

namespace pellamo {

// Why `path` cannot dress a window ("... is no theme file" and the like),
// or empty when it is a whole theme file. The whole file is read and every
// picture decoded, so that no control is dressed before a damaged part is found.
std::string ThemeFileProblem(const std::string& path);

}
