#pragma once

#include "platform/components/controls/stored_tree_node.h"

#include <cstdint>
#include <span>
#include <vector>

namespace pellamo {

// Reads a tree view's stored items, as the channel trees are stored.
// Layout (integers 32-bit little-endian signed):
//   top-level node count, then each top-level node followed at once by its
//   children, each node being
//     size (bytes of the record after this field: 24 + 1 + text length),
//     ImageIndex, SelectedIndex, StateIndex, OverlayIndex, Data, child count,
//     one text length byte and that many GBK bytes.
// Trees have two levels. Throws TreeFormatError, naming the byte offset, for
// a truncated value, a size that disagrees with the record, a negative count,
// a third level or bytes left over; it never reads past the end of `data`.
std::vector<StoredTreeNode> ReadTree(std::span<const uint8_t> data);

}
