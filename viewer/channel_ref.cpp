#include "viewer/channel_ref.h"

namespace pellamo {

std::string_view TreeKey(ChannelTree tree)
{
    switch (tree) {
    case ChannelTree::Television:
        return "television";
    case ChannelTree::Radio:
        return "radio";
    case ChannelTree::Mine:
        break;
    }
    return "mine";
}

std::optional<ChannelTree> TreeFromKey(std::string_view key)
{
    for (ChannelTree tree : { ChannelTree::Television, ChannelTree::Radio, ChannelTree::Mine })
        if (key == TreeKey(tree))
            return tree;
    return std::nullopt;
}

bool ChannelRef::Same(const ChannelRef& other) const
{
    if (tree != other.tree)
        return false;
    return BuiltIn() ? name == other.name : address == other.address;
}

}
