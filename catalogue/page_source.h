#pragma once

#include <string>

namespace pellamo {

// Where tuning gets station pages: the main window's HTTP client.
class PageSource {
public:
    virtual ~PageSource() = default;

    // GETs `url` (GBK) and returns the reply body, whatever the reply's status.
    // Throws an exception carrying a message when the page cannot be fetched.
    // While it waits the message loop may run, so tuning can be re-entered.
    virtual std::string Get(const std::string& url) = 0;

    // Asks a running Get to end soon. That Get may then throw or return;
    // tuning discards either outcome quietly. Never called without a running Get.
    virtual void Cancel() = 0;
};

}
