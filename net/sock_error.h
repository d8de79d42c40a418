#pragma once

#include <stdexcept>
#include <string>

namespace pellamo {

// Socket, lookup and connect failures of the socket connection.
class ESockError : public std::runtime_error {
public:
    explicit ESockError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

// An operation ended by Abort/Cancel (or by the time-out, which aborts).
class EAbortError : public std::runtime_error {
public:
    explicit EAbortError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

}
