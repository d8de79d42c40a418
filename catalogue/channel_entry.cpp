#include "catalogue/channel_entry.h"

#include <utility>

namespace pellamo {

ChannelEntry ChannelEntry::NoAddress(std::string key)
{
    ChannelEntry entry;
    entry.Key = std::move(key);
    return entry;
}

ChannelEntry ChannelEntry::Stream(std::string key, std::string streamUrl)
{
    ChannelEntry entry;
    entry.Key = std::move(key);
    entry.RowKind = Kind::Stream;
    entry.StreamUrl = std::move(streamUrl);
    return entry;
}

ChannelEntry ChannelEntry::Page(std::string key, std::string pageUrl, int32_t start, int32_t length)
{
    ChannelEntry entry;
    entry.Key = std::move(key);
    entry.RowKind = Kind::Page;
    entry.PageUrl = std::move(pageUrl);
    entry.ScrapeStart = start;
    entry.ScrapeLength = length;
    return entry;
}

ChannelEntry ChannelEntry::Real(std::string key, std::u16string source)
{
    ChannelEntry entry;
    entry.Key = std::move(key);
    entry.RowKind = Kind::Real;
    entry.RealSource = std::move(source);
    return entry;
}

void ChannelEntry::ApplyTo(ResolutionRule& rule) const
{
    switch (RowKind) {
    case Kind::NoAddress:
        break;
    case Kind::Stream:
        rule.StreamUrl = StreamUrl;
        break;
    case Kind::Page:
        rule.PageUrl = PageUrl;
        rule.ScrapeStart = ScrapeStart;
        rule.ScrapeLength = ScrapeLength;
        break;
    case Kind::Real:
        rule.UseReal = true;
        rule.RealSource = RealSource;
        break;
    }
}

}
