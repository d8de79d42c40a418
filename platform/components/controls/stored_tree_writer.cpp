#include "platform/components/controls/stored_tree_writer.h"

#include "platform/components/controls/tree_format_error.h"

#include <string>

namespace pellamo {

namespace {

void PutInt32(std::vector<uint8_t>& out, int32_t value)
{
    uint32_t bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(bits >> shift));
}

void PutRecord(std::vector<uint8_t>& out, const StoredTreeNode& node)
{
    if (node.Text.size() > 255)
        throw TreeFormatError(
            "Tree node text of " + std::to_string(node.Text.size()) + " bytes is longer than 255 bytes");
    if (node.Children.size() > static_cast<size_t>(INT32_MAX))
        throw TreeFormatError("Tree node has too many children");
    PutInt32(out, static_cast<int32_t>(6 * 4 + 1 + node.Text.size()));
    PutInt32(out, node.ImageIndex);
    PutInt32(out, node.SelectedIndex);
    PutInt32(out, node.StateIndex);
    PutInt32(out, node.OverlayIndex);
    PutInt32(out, node.Data);
    PutInt32(out, static_cast<int32_t>(node.Children.size()));
    out.push_back(static_cast<uint8_t>(node.Text.size()));
    out.insert(out.end(), node.Text.begin(), node.Text.end());
}

}

std::vector<uint8_t> WriteTree(const std::vector<StoredTreeNode>& nodes)
{
    if (nodes.size() > static_cast<size_t>(INT32_MAX))
        throw TreeFormatError("Tree has too many nodes");
    std::vector<uint8_t> out;
    PutInt32(out, static_cast<int32_t>(nodes.size()));
    for (const StoredTreeNode& category : nodes) {
        PutRecord(out, category);
        for (const StoredTreeNode& channel : category.Children) {
            if (!channel.Children.empty())
                throw TreeFormatError("Tree node \"" + channel.Text + "\" has children: channel trees have two levels");
            PutRecord(out, channel);
        }
    }
    return out;
}

}
