#include "platform/components/controls/stored_tree_reader.h"

#include "platform/components/controls/tree_format_error.h"

#include <cstddef>
#include <string>

namespace pellamo {

namespace {

// Fixed part of a record after its size field: six integers and the text length byte.
constexpr int32_t kFixedRecordBytes = 6 * 4 + 1;

class Cursor {
public:
    explicit Cursor(std::span<const uint8_t> data)
        : data_(data)
    {
    }

    size_t Offset() const { return offset_; }
    size_t Left() const { return data_.size() - offset_; }

    int32_t ReadInt32(const char* what)
    {
        Need(4, what);
        uint32_t value = static_cast<uint32_t>(data_[offset_]) | static_cast<uint32_t>(data_[offset_ + 1]) << 8
            | static_cast<uint32_t>(data_[offset_ + 2]) << 16 | static_cast<uint32_t>(data_[offset_ + 3]) << 24;
        offset_ += 4;
        return static_cast<int32_t>(value);
    }

    uint8_t ReadByte(const char* what)
    {
        Need(1, what);
        return data_[offset_++];
    }

    std::string ReadBytes(size_t count, const char* what)
    {
        Need(count, what);
        std::string bytes(reinterpret_cast<const char*>(data_.data() + offset_), count);
        offset_ += count;
        return bytes;
    }

private:
    void Need(size_t count, const char* what) const
    {
        if (Left() < count)
            throw TreeFormatError("Tree data truncated at byte " + std::to_string(data_.size()) + " while reading "
                + what + " at byte " + std::to_string(offset_));
    }

    std::span<const uint8_t> data_;
    size_t offset_ = 0;
};

// Reads one record (not its children); returns its child count.
int32_t ReadRecord(Cursor& in, StoredTreeNode& node)
{
    size_t start = in.Offset();
    int32_t size = in.ReadInt32("a node size");
    node.ImageIndex = in.ReadInt32("ImageIndex");
    node.SelectedIndex = in.ReadInt32("SelectedIndex");
    node.StateIndex = in.ReadInt32("StateIndex");
    node.OverlayIndex = in.ReadInt32("OverlayIndex");
    node.Data = in.ReadInt32("Data");
    int32_t childCount = in.ReadInt32("a child count");
    uint8_t textLength = in.ReadByte("a text length");
    // Check the size before the text so that a damaged record is named as such
    // rather than as a truncation further on.
    if (size != kFixedRecordBytes + textLength)
        throw TreeFormatError("Tree node at byte " + std::to_string(start) + " has size " + std::to_string(size)
            + " but its text of " + std::to_string(textLength) + " bytes makes "
            + std::to_string(kFixedRecordBytes + textLength));
    node.Text = in.ReadBytes(textLength, "a node text");
    if (childCount < 0)
        throw TreeFormatError(
            "Tree node at byte " + std::to_string(start) + " has a negative child count " + std::to_string(childCount));
    return childCount;
}

}

std::vector<StoredTreeNode> ReadTree(std::span<const uint8_t> data)
{
    Cursor in(data);
    int32_t count = in.ReadInt32("the node count");
    if (count < 0)
        throw TreeFormatError("Tree data has a negative node count " + std::to_string(count));

    // No reserve() from the stored counts: they are not trusted. Every record
    // takes at least 29 bytes, so a huge count ends in a truncation error.
    std::vector<StoredTreeNode> nodes;
    for (int32_t i = 0; i < count; ++i) {
        StoredTreeNode& category = nodes.emplace_back();
        int32_t childCount = ReadRecord(in, category);
        for (int32_t k = 0; k < childCount; ++k) {
            size_t childStart = in.Offset();
            StoredTreeNode& channel = category.Children.emplace_back();
            if (ReadRecord(in, channel) != 0)
                throw TreeFormatError(
                    "Tree node at byte " + std::to_string(childStart) + " has children: channel trees have two levels");
        }
    }
    if (in.Left() != 0)
        throw TreeFormatError(
            "Tree data has " + std::to_string(in.Left()) + " bytes left over at byte " + std::to_string(in.Offset()));
    return nodes;
}

}
