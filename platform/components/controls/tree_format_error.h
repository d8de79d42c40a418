#pragma once

#include <stdexcept>
#include <string>

namespace pellamo {

// A stored tree value that cannot be read or a node list that cannot be stored.
class TreeFormatError : public std::runtime_error {
public:
    explicit TreeFormatError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

}
