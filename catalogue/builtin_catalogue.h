#pragma once

#include "catalogue/channel_table.h"

#include <cstdint>
#include <span>

namespace pellamo {

// The shipped catalogue, compiled from catalogue/data at build time.

// Channel tables of the television and the radio half (GBK keys).
const ChannelTable& TelevisionTable();
const ChannelTable& RadioTable();

// The two channel trees in the stored tree format (see platform/components/controls/stored_tree_reader.h); the
// same bytes are written to <build>/catalogue/television.tree and radio.tree.
std::span<const uint8_t> TelevisionTreeData();
std::span<const uint8_t> RadioTreeData();

}
