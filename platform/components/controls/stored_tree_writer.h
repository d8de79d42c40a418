#pragma once

#include "platform/components/controls/stored_tree_node.h"

#include <cstdint>
#include <vector>

namespace pellamo {

// Stores a two-level node list in the format ReadTree reads. Throws
// TreeFormatError for a text longer than 255 bytes or a third level.
std::vector<uint8_t> WriteTree(const std::vector<StoredTreeNode>& nodes);

}
