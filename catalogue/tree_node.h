#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pellamo {

// One node of a channel tree as stored in a window description: a category
// (top level) or a channel (its child). Text is GBK.
struct TreeNode {
    std::string Text;
    int32_t ImageIndex = 0;
    int32_t SelectedIndex = 0;
    int32_t StateIndex = -1;
    int32_t OverlayIndex = -1;
    int32_t Data = 0;
    std::vector<TreeNode> Children;

    bool operator==(const TreeNode&) const = default;
};

}
