// Views: a skinned tree with its bound skinned scroll bars, and a skinned
// memo with more lines, longer lines, than it shows, so both bars appear.
#include "gallery/gallery_page.h"
#include "platform/components/controls/tree_node.h"
#include "skin/panels/group_box.h"
#include "skin/scroll/scroll_bar.h"
#include "skin/views/skin_memo.h"
#include "skin/views/skin_tree_view.h"

#include <string>

namespace pellamo {
namespace {

void BuildViewsPage(GalleryPageBuilder& page)
{
    auto* trees = page.Add<TsuiGroupBox>(Rect::FromSize(8, 8, 300, 400));
    trees->SetCaption("Tree view");
    auto* tree = page.Add<TsuiTreeView>(Rect::FromSize(12, 24, 276, 360), trees);
    tree->SetVScrollBar(page.Add<TsuiScrollBar>(Rect::FromSize(0, 0, 17, 100), trees));
    tree->SetHScrollBar(page.Add<TsuiScrollBar>(Rect::FromSize(0, 0, 100, 17), trees));
    const char* groups[] = { "News", "Sport", "Films", "Music", "Children", "Documentaries" };
    TTreeNode* first = nullptr;
    for (const char* group : groups) {
        TTreeNode* node = tree->Items().Add(nullptr, group);
        if (!first)
            first = node;
        for (int i = 1; i <= 4; ++i)
            tree->Items().AddChild(
                node, std::string(group) + " channel " + std::to_string(i) + " (a programme with a long name)");
        node->Expand(false);
    }
    tree->SetSelected(first);

    auto* memos = page.Add<TsuiGroupBox>(Rect::FromSize(320, 8, 300, 400));
    memos->SetCaption("Memo");
    auto* memo = page.Add<TsuiMemo>(Rect::FromSize(12, 24, 276, 360), memos);
    memo->SetWordWrap(false);
    memo->SetScrollBars(TScrollStyle::ssBoth);
    memo->SetVScrollBar(page.Add<TsuiScrollBar>(Rect::FromSize(0, 0, 17, 100), memos));
    memo->SetHScrollBar(page.Add<TsuiScrollBar>(Rect::FromSize(0, 0, 100, 17), memos));
    for (int i = 1; i <= 40; ++i)
        memo->Lines().Add("Line " + std::to_string(i) + " of the memo, long enough to need the horizontal bar as well");

    page.SetFocusControl(tree);
}

const GalleryPageRegistration registration("Views", 75, BuildViewsPage);

}
}
