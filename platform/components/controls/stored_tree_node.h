#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellamo {

// One node of a tree view's items as stored in a window description (the
// Items.Data value): a top-level node or one of its children. Text is GBK.
struct StoredTreeNode {
    std::string Text;
    int32_t ImageIndex = 0;
    int32_t SelectedIndex = 0;
    int32_t StateIndex = -1;
    int32_t OverlayIndex = -1;
    int32_t Data = 0;
    std::vector<StoredTreeNode> Children;

    bool operator==(const StoredTreeNode&) const = default;
};

}
