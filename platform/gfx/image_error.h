#pragma once

#include <stdexcept>

namespace pellamo {

// A picture file that cannot be read: damaged, truncated, too large or of a
// kind we do not decode. The message says which.
class ImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}
