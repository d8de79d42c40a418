#include "catalogue/channel_table.h"

#include <utility>

namespace pellamo {

ChannelTable::ChannelTable(std::vector<ChannelEntry> rows)
    : rows_(std::move(rows))
{
}

ResolutionRule ChannelTable::Lookup(std::string_view name) const
{
    ResolutionRule rule;
    for (const ChannelEntry& row : rows_) {
        if (row.Key == name)
            row.ApplyTo(rule);
    }
    return rule;
}

}
