#include "platform/components/collection.h"
#include "platform/components/component_errors.h"
#include "tests/components/sample_classes.h"

#include <gtest/gtest.h>

namespace pellamo {
namespace {

using sample::PanelItem;

std::vector<int> Widths(const TCollection& c)
{
    std::vector<int> out;
    for (int i = 0; i < c.Count(); ++i)
        out.push_back(c.ItemAs<PanelItem>(i)->width);
    return out;
}

void AddPanels(TCollection& c, std::initializer_list<int> widths)
{
    for (int w : widths)
        static_cast<PanelItem*>(c.Add())->width = w;
}

TEST(CollectionTest, ItemsKeepTheirOrderAndIndices)
{
    TCollection c(nullptr, TCollection::ItemsOf<PanelItem>());
    AddPanels(c, { 1, 2, 3 });
    static_cast<PanelItem*>(c.Insert(0))->width = 0;
    EXPECT_EQ(Widths(c), (std::vector<int> { 0, 1, 2, 3 }));

    c.Items(3)->SetIndex(1);
    EXPECT_EQ(Widths(c), (std::vector<int> { 0, 3, 1, 2 }));
    EXPECT_EQ(c.Items(1)->Index(), 1);
    c.Items(0)->SetIndex(99); // clamped to the end
    EXPECT_EQ(Widths(c), (std::vector<int> { 3, 1, 2, 0 }));

    c.Delete(1);
    delete c.Items(0); // an item freed directly leaves its collection
    EXPECT_EQ(Widths(c), (std::vector<int> { 2, 0 }));
    EXPECT_THROW(c.Items(2), EComponentError);
    EXPECT_THROW(c.Insert(5), EComponentError);

    // An item may move to another collection.
    TCollection other(nullptr, TCollection::ItemsOf<PanelItem>());
    TCollectionItem* moving = c.Items(0);
    moving->SetCollection(&other);
    EXPECT_EQ(moving->Collection(), &other);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(other.Count(), 1);
}

TEST(CollectionTest, UpdatesAreReportedOnceInsideBeginEnd)
{
    TCollection c(nullptr, TCollection::ItemsOf<PanelItem>());
    int updates = 0;
    c.OnUpdate = [&](TCollectionItem*) { ++updates; };
    c.Add();
    EXPECT_EQ(updates, 1);
    c.BeginUpdate();
    c.Add();
    c.Add();
    c.Delete(0);
    EXPECT_EQ(updates, 1);
    c.EndUpdate();
    EXPECT_EQ(updates, 2);
}

TEST(CollectionTest, AssignCopiesItemsAndRefusesStrangers)
{
    TCollection target(nullptr, TCollection::ItemsOf<PanelItem>());
    TCollection source(nullptr, TCollection::ItemsOf<PanelItem>());
    AddPanels(target, { 7 });
    AddPanels(source, { 1, 2 });
    target.Assign(source);
    EXPECT_EQ(Widths(target), (std::vector<int> { 1, 2 }));
    EXPECT_NE(target.Items(0), source.Items(0));
    target.Assign(target);
    EXPECT_EQ(Widths(target), (std::vector<int> { 1, 2 }));

    sample::Font font;
    EXPECT_THROW(target.Assign(font), EConvertError);
    EXPECT_THROW(font.Assign(target), EConvertError);
}

}
}
