#include "platform/components/controls/stored_tree_reader.h"
#include "platform/components/controls/stored_tree_writer.h"
#include "platform/components/controls/tree_format_error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace pellamo;

namespace {

StoredTreeNode Node(const std::string& text, std::vector<StoredTreeNode> children = {})
{
    StoredTreeNode node;
    node.Text = text;
    node.Children = std::move(children);
    return node;
}

// Little-endian stored bytes, written by hand so the reader is not only
// checked against its own writer.
struct Bytes {
    std::vector<uint8_t> data;

    Bytes& Int(int32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            data.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> shift));
        return *this;
    }
    Bytes& Text(const std::string& text)
    {
        data.push_back(static_cast<uint8_t>(text.size()));
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
    // A record with the usual indices and a correct size.
    Bytes& Record(const std::string& text, int32_t children)
    {
        return Int(25 + static_cast<int32_t>(text.size()))
            .Int(0)
            .Int(0)
            .Int(-1)
            .Int(-1)
            .Int(0)
            .Int(children)
            .Text(text);
    }
};

TEST(TreeReader, MatchesHandWrittenLayout)
{
    Bytes bytes;
    bytes.Int(2).Record("A", 2).Record("a1", 0).Record("", 0).Record("B", 0);
    std::vector<StoredTreeNode> expected = { Node("A", { Node("a1"), Node("") }), Node("B") };
    EXPECT_EQ(ReadTree(bytes.data), expected);
    EXPECT_EQ(WriteTree(expected), bytes.data);
    EXPECT_TRUE(ReadTree(Bytes().Int(0).data).empty());
}

TEST(TreeWriter, RoundTripsUnusualValues)
{
    StoredTreeNode odd = Node(std::string(255, '\xB0'));
    odd.ImageIndex = INT32_MIN;
    odd.SelectedIndex = INT32_MAX;
    odd.StateIndex = 7;
    odd.OverlayIndex = 0;
    odd.Data = -123456;
    std::vector<StoredTreeNode> tree = { Node("x", { odd, Node(std::string("\0z", 2)) }), Node("") };
    EXPECT_EQ(ReadTree(WriteTree(tree)), tree);
}

TEST(TreeWriter, RefusesWhatTheFormatCannotHold)
{
    EXPECT_THROW(WriteTree({ Node(std::string(256, 'x')) }), TreeFormatError);
    EXPECT_THROW(WriteTree({ Node("c", { Node("d", { Node("e") }) }) }), TreeFormatError);
}

TEST(TreeReader, RefusesDamagedValues)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        std::string message; // part of the error text
    };
    auto badSize = [](int32_t delta) {
        return Bytes().Int(1).Int(26 + delta).Int(0).Int(0).Int(-1).Int(-1).Int(0).Int(0).Text("A").data;
    };
    auto cut = [](std::vector<uint8_t> data, size_t drop) {
        data.resize(data.size() - drop);
        return data;
    };
    const Case cases[] = {
        { "empty", {}, "truncated at byte 0" },
        { "short count", { 1, 0 }, "truncated" },
        { "negative count", Bytes().Int(-1).data, "negative node count" },
        { "count beyond the data", Bytes().Int(INT32_MAX).Record("A", 0).data, "truncated at byte 34" },
        { "size one too big", badSize(1), "has size 27" },
        { "size one too small", badSize(-1), "has size 25" },
        { "size zero", badSize(-26), "has size 0" },
        { "text beyond the end", cut(Bytes().Int(1).Record("ABCDEFGHIJ", 0).data, 3), "reading a node text" },
        { "negative child count", Bytes().Int(1).Record("A", -2).data, "negative child count" },
        { "child count beyond the data", Bytes().Int(1).Record("A", 3).Record("a", 0).data, "truncated" },
        { "third level", Bytes().Int(1).Record("A", 1).Record("a", 1).Record("x", 0).data, "two levels" },
        { "trailing byte", Bytes().Int(1).Record("A", 0).Int(0).data, "4 bytes left over" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            ReadTree(c.data);
            ADD_FAILURE() << "accepted";
        } catch (const TreeFormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

// Cutting a valid value anywhere must be noticed, never read past the end.
TEST(TreeReader, RefusesEveryTruncationOfAValidTree)
{
    std::vector<uint8_t> full = WriteTree({ Node("A", { Node("a1"), Node("a2") }), Node("B", { Node("b1") }) });
    for (size_t size = 0; size < full.size(); ++size) {
        SCOPED_TRACE(size);
        // A copy of exactly `size` bytes, so the sanitizer sees any overread.
        std::vector<uint8_t> prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(ReadTree(prefix), TreeFormatError);
    }
}

}
