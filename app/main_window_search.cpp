// The channel search: a field over the tree area, the channels of every
// tree that match what is typed below it, Enter plays, Esc gives the trees
// back as they were.
#include "app/main_window.h"

#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/edit.h"
#include "platform/components/controls/tree_node.h"
#include "platform/text/gbk.h"
#include "platform/text/utf8.h"

namespace pellamo {

namespace {

// More rows than a viewer reads; the status tells how many there were.
constexpr size_t kMaxShown = 300;

std::string TreeLabel(ChannelTree tree)
{
    return tree == ChannelTree::Television ? "电视" : tree == ChannelTree::Radio ? "电台" : "我的";
}

}

void TForm1::SetUpSearch()
{
    SearchEdit->OnChange = [this](TObject*) { RunSearch(); };
    SearchEdit->OnKeyDown = [this](TObject*, UINT& key, TShiftState) { SearchKeyDown(key); };
    SearchList->OnKeyDown = [this](TObject*, UINT& key, TShiftState) { SearchKeyDown(key); };
    SearchList->OnDblClick = [this](TObject*) { PlaySearchResult(); };
}

bool TForm1::Searching() const { return SearchEdit->Visible(); }

void TForm1::FindChannel1Click(TObject*) { OpenSearch(); }

void TForm1::OpenSearch()
{
    if (!Searching()) {
        search_return_ = ShownTree();
        BuildSearchIndex();
        for (TCustomTreeView* tree : { TreeView1, TreeView2, TreeView3 })
            tree->SetVisible(false);
        SearchEdit->SetText("");
        SearchList->Items().Clear();
        search_shown_.clear();
        SearchEdit->SetVisible(true);
        SearchList->SetVisible(true);
        ShowStatus("查找频道：输入名称，↑↓ 选择，Enter 播放，Esc 返回");
    }
    SearchEdit->SetFocus();
    SearchEdit->SelectAll();
}

void TForm1::CloseSearch()
{
    if (!Searching())
        return;
    SearchEdit->SetVisible(false);
    SearchList->SetVisible(false);
    SearchList->Items().Clear();
    search_shown_.clear();
    search_.Clear();
    TCustomTreeView* back = search_return_ ? search_return_ : TreeView1;
    search_return_ = nullptr;
    // As they were: the same tree, its selection untouched.
    back->SetVisible(true);
    back->SetFocus();
}

void TForm1::BuildSearchIndex()
{
    search_.Clear();
    search_.Reserve(playlists_->Channels().ChannelCount() + 1024);
    for (TCustomTreeView* tree : { TreeView1, TreeView2 })
        for (TTreeNode* node = tree->Items().GetFirstNode(); node; node = node->GetNext())
            if (std::optional<ChannelRef> channel = ChannelOf(tree, node))
                search_.Add(std::move(*channel));
    const auto& rows = playlists_->Channels().Rows();
    for (size_t row = 0; row < rows.size(); ++row) {
        // The favourites are in their own trees already.
        if (playlists_->IsFavourites(static_cast<size_t>(rows[row].playlist)))
            continue;
        if (std::optional<ChannelRef> channel = playlists_->ChannelAt(row)) {
            if (channel->group.empty())
                channel->group = playlists_->Channels().Playlists()[static_cast<size_t>(rows[row].playlist)].name;
            search_.Add(std::move(*channel));
        }
    }
}

void TForm1::RunSearch()
{
    ChannelSearch::Found found = search_.Find(GbkToUtf8(SearchEdit->Text()), kMaxShown);
    search_shown_ = found.indices;
    std::string labels;
    for (size_t index : found.indices) {
        const ChannelRef& c = search_.At(index);
        // Cut as UTF-8: the GBK form is never longer, and a label holds 255 bytes.
        std::string label = c.name + "  [" + TreeLabel(c.tree) + (c.group.empty() ? "" : "·" + c.group) + "]";
        labels += std::string(CutUtf8(label, 255)) + "\n";
    }
    std::string gbk = Utf8ToGbk(labels); // one conversion for every row
    TTreeNodes& items = SearchList->Items();
    items.BeginUpdate();
    items.Clear();
    for (size_t start = 0, end; (end = gbk.find('\n', start)) != std::string::npos; start = end + 1)
        items.AddChild(nullptr, gbk.substr(start, end - start));
    items.EndUpdate();
    if (TTreeNode* first = items.GetFirstNode())
        SearchList->SetSelected(first);
    if (SearchEdit->Text().empty())
        ShowStatus("查找频道：输入名称，↑↓ 选择，Enter 播放，Esc 返回");
    else if (found.total > found.indices.size())
        ShowStatus(
            "找到 " + std::to_string(found.total) + " 个频道，显示前 " + std::to_string(found.indices.size()) + " 个");
    else
        ShowStatus("找到 " + std::to_string(found.total) + " 个频道");
}

std::optional<ChannelRef> TForm1::SearchSelection() const
{
    TTreeNode* node = SearchList->Selected();
    if (!node)
        return std::nullopt;
    size_t row = static_cast<size_t>(node->Index());
    if (row >= search_shown_.size())
        return std::nullopt;
    return search_.At(search_shown_[row]);
}

void TForm1::SearchKeyDown(UINT& key)
{
    switch (key) {
    case VK_ESCAPE:
        key = 0;
        CloseSearch();
        return;
    case VK_RETURN:
        key = 0;
        PlaySearchResult();
        return;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
        if (SearchList->Items().Count() == 0)
            return;
        int count = SearchList->Items().Count();
        int row = SearchList->Selected() ? SearchList->Selected()->Index() : -1;
        int step = std::max(1, SearchList->VisibleRowCount() - 1);
        int to = key == VK_UP ? row - 1 : key == VK_DOWN ? row + 1 : key == VK_PRIOR ? row - step : row + step;
        to = std::clamp(to, 0, count - 1);
        SearchList->SetSelected(SearchList->Items().Item(to));
        key = 0;
        return;
    }
    default:
        return;
    }
}

void TForm1::PlaySearchResult()
{
    std::optional<ChannelRef> channel = SearchSelection();
    if (!channel)
        return;
    CloseSearch();
    PlayChannel(*channel);
}

}
