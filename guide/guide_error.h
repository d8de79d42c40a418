#pragma once

#include <stdexcept>
#include <string>

namespace pellamo {

// Why a guide could not be read or kept, as a sentence for the status bar.
class GuideError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}
