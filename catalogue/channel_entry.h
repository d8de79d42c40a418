#pragma once

#include "catalogue/resolution_rule.h"

#include <cstdint>
#include <string>

namespace pellamo {

// One row of a channel table: a channel name (GBK) and the group of rule
// fields the row sets. Build rows with the named constructors so that a row
// never sets fields of two groups.
struct ChannelEntry {
    enum class Kind { NoAddress, Stream, Page, Real };

    std::string Key;
    Kind RowKind = Kind::NoAddress;
    std::string PageUrl;
    int32_t ScrapeStart = 0;
    int32_t ScrapeLength = 0;
    std::string StreamUrl;
    std::u16string RealSource;

    static ChannelEntry NoAddress(std::string key);
    static ChannelEntry Stream(std::string key, std::string streamUrl);
    static ChannelEntry Page(std::string key, std::string pageUrl, int32_t start, int32_t length);
    static ChannelEntry Real(std::string key, std::u16string source);

    // Sets this row's fields in `rule`, leaving the others as they are.
    void ApplyTo(ResolutionRule& rule) const;
};

}
