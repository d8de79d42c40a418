#pragma once

#include "catalogue/page_source.h"
#include "net/nm_http.h"

namespace pellamo {

// Tuning's page source: the main window's HTTP client doing a GET. The
// client keeps the body after the fetch, as the window's other code expects.
class PageFetch : public PageSource {
public:
    explicit PageFetch(TNMHTTP& http)
        : http_(http)
    {
    }

    std::string Get(const std::string& url) override;
    // Only raises the client's abort flag: the running Get ends with its
    // abort error once control is back in its wait.
    void Cancel() override;

private:
    TNMHTTP& http_;
};

}
