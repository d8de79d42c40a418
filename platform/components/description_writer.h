#pragma once

// Writes components in the window-description format that
// DescriptionReader reads: the root, its properties in declaration order,
// then the components it owns, each nested inside the component its
// GetParentComponent() names (when that one is owned by the root too).
// Unnamed components, unset references and events, empty binary values, empty lists and
// collections, and properties whose "stored" test fails are left out.

#include <string>

namespace pellamo {

class TComponent;

class DescriptionWriter {
public:
    static std::string Write(const TComponent& root);
};

inline std::string WriteDescription(const TComponent& root) { return DescriptionWriter::Write(root); }

}
