#include "catalogue/builtin_catalogue.h"
#include "platform/components/controls/stored_tree_reader.h"
#include "platform/text/gbk.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace pellamo;

namespace {

TEST(TreeReader, ReadsTheShippedTrees)
{
    struct Case {
        const char* half;
        std::span<const uint8_t> data;
        const char* file;
        size_t categories;
        size_t channels;
        std::string first;
        std::string last;
    };
    const Case cases[] = {
        { "television", TelevisionTreeData(), "television.tree", 14, 128, "精选频道", "其它地区" },
        { "radio", RadioTreeData(), "radio.tree", 16, 92, "北京", "港澳" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.half);
        // ReadTree refuses leftovers, so success means the value was consumed to its last byte.
        std::vector<StoredTreeNode> tree = ReadTree(c.data);
        ASSERT_EQ(tree.size(), c.categories);
        size_t channels = 0;
        for (const StoredTreeNode& category : tree) {
            channels += category.Children.size();
            EXPECT_FALSE(category.Children.empty()) << GbkToUtf8(category.Text);
            for (const StoredTreeNode* node : { &category, &category.Children.front(), &category.Children.back() }) {
                EXPECT_EQ(node->ImageIndex, 0);
                EXPECT_EQ(node->SelectedIndex, 0);
                EXPECT_EQ(node->StateIndex, -1);
                EXPECT_EQ(node->OverlayIndex, -1);
                EXPECT_EQ(node->Data, 0);
            }
        }
        EXPECT_EQ(channels, c.channels);
        EXPECT_EQ(tree.front().Text, Utf8ToGbk(c.first));
        EXPECT_EQ(tree.back().Text, Utf8ToGbk(c.last));

        // The build leaves the same bytes at a fixed place for the window description.
        std::ifstream file(std::string(PELLAMO_TREE_DIR) + "/" + c.file, std::ios::binary);
        ASSERT_TRUE(file) << c.file;
        std::vector<uint8_t> stored((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(stored, std::vector<uint8_t>(c.data.begin(), c.data.end()));
    }
}

}
