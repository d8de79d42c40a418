#pragma once

#include <cstdint>
#include <string>

namespace pellamo {

// The working values of one tuning: what to fetch, where to cut, and what
// each player receives. A default-constructed rule holds the cleared values.
struct ResolutionRule {
    std::string PageUrl; // GBK; station page to fetch
    int32_t ScrapeStart = 0; // 1-based byte position in the page
    int32_t ScrapeLength = 0; // byte count in the page
    std::string StreamUrl; // GBK; address for the media player
    bool UseReal = false; // choose the Real player
    std::u16string RealSource; // address for the Real player

    bool operator==(const ResolutionRule&) const = default;
};

}
