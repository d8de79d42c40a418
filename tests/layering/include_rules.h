#pragma once

// The layer rules of the source tree, checked on its #include lines: the
// platform knows nothing of the subsystems above it, the skin nothing of
// the program that uses it, and only the X11 backend (and its
// tests) sees X11 headers.

#include <filesystem>
#include <string>
#include <vector>

namespace pellamo::test {

// Every include under `root` that breaks a rule, as "file:line: what".
std::vector<std::string> LayerViolations(const std::filesystem::path& root);

}
