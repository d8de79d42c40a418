#pragma once

#include <string>

namespace pellamo {

// Values for the optional request headers of the HTTP client.
struct THeaderInfo {
    std::string LocalMailAddress; // From
    std::string LocalProgram; // User-Agent
    std::string Cookie;
    std::string Referer;
    std::string UserId; // with Password: basic authorization
    std::string Password;
};

}
