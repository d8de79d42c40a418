#pragma once

#include "catalogue/channel_entry.h"
#include "catalogue/resolution_rule.h"

#include <string_view>
#include <vector>

namespace pellamo {

// An ordered list of channel rows, one table per half of the catalogue.
class ChannelTable {
public:
    explicit ChannelTable(std::vector<ChannelEntry> rows);

    const std::vector<ChannelEntry>& Rows() const { return rows_; }

    // The cleared values with the fields of every row whose key equals `name`
    // byte for byte applied in order, so a later row wins. No trimming, no
    // case folding: an unknown name, a category or a near miss gives the
    // cleared values.
    ResolutionRule Lookup(std::string_view name) const;

private:
    std::vector<ChannelEntry> rows_;
};

inline ResolutionRule Lookup(const ChannelTable& table, std::string_view name) { return table.Lookup(name); }

}
