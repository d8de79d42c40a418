// Stored channel trees come from window descriptions; the reader must refuse
// any damaged value with an error, and whatever it accepts must store back to
// the very same bytes.
#include "platform/components/controls/stored_tree_reader.h"
#include "platform/components/controls/stored_tree_writer.h"
#include "platform/components/controls/tree_format_error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::span<const uint8_t> input(data, size);
    std::vector<pellamo::StoredTreeNode> tree;
    try {
        tree = pellamo::ReadTree(input);
    } catch (const pellamo::TreeFormatError&) {
        return 0;
    }
    std::vector<uint8_t> stored = pellamo::WriteTree(tree);
    if (!std::equal(stored.begin(), stored.end(), input.begin(), input.end()))
        std::abort();
    return 0;
}
