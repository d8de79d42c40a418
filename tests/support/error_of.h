#pragma once

#include <exception>
#include <functional>
#include <string>

namespace pellamo::test {

// The message of what `action` throws, or "(no error)".
inline std::string ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no error)";
}

}
