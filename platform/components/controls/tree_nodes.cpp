#include "platform/components/controls/tree_nodes.h"

#include "platform/components/controls/stored_tree_reader.h"
#include "platform/components/controls/stored_tree_writer.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/props.h"

#include <stdexcept>

namespace pellamo {

namespace {

void CopyFrom(TTreeNode& node, const StoredTreeNode& stored);

StoredTreeNode ToStored(const TTreeNode& node)
{
    StoredTreeNode stored;
    stored.Text = node.Text();
    stored.ImageIndex = node.ImageIndex;
    stored.SelectedIndex = node.SelectedIndex;
    stored.StateIndex = node.StateIndex;
    stored.OverlayIndex = node.OverlayIndex;
    stored.Data = static_cast<int32_t>(node.Data);
    for (int i = 0; i < node.Count(); ++i)
        stored.Children.push_back(ToStored(*node.Item(i)));
    return stored;
}

}

TTreeNodes::TTreeNodes(Listener* listener, TPersistent* owner)
    : m_listener(listener)
    , m_owner(owner)
{
}

TTreeNodes::~TTreeNodes()
{
    // The view is going away too: no notifications from here on.
    m_listener = nullptr;
    m_roots.clear();
}

const ClassInfo& TTreeNodes::StaticClass()
{
    static const ClassInfo info("TTreeNodes", &TPersistent::StaticClass(),
        {
            props::Binary<TTreeNodes>("Data", &TTreeNodes::WriteData, &TTreeNodes::ReadData),
        });
    return info;
}

void TTreeNodes::Assign(const TPersistent& source)
{
    if (auto* other = dynamic_cast<const TTreeNodes*>(&source)) {
        std::vector<StoredTreeNode> stored;
        for (auto& root : other->m_roots)
            stored.push_back(ToStored(*root));
        BeginUpdate();
        Clear();
        for (auto& s : stored)
            CopyFrom(*AddChild(nullptr, s.Text), s);
        EndUpdate();
        return;
    }
    TPersistent::Assign(source);
}

int TTreeNodes::Count() const
{
    int n = 0;
    for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext())
        ++n;
    return n;
}

TTreeNode* TTreeNodes::Item(int index) const
{
    if (index >= 0) {
        TTreeNode* node = GetFirstNode();
        for (int i = 0; node && i < index; ++i)
            node = node->GetNext();
        if (node)
            return node;
    }
    throw std::out_of_range("Tree node index " + std::to_string(index) + " out of bounds");
}

TTreeNode* TTreeNodes::TopLevel(int index) const
{
    if (index < 0 || index >= TopLevelCount())
        throw std::out_of_range("Tree node index " + std::to_string(index) + " out of bounds");
    return m_roots[static_cast<size_t>(index)].get();
}

void TTreeNodes::Renumber(std::vector<std::unique_ptr<TTreeNode>>& siblings, size_t from)
{
    for (size_t i = from; i < siblings.size(); ++i)
        siblings[i]->m_index = i;
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNodes::SiblingsOf(TTreeNode* parent)
{
    return parent ? parent->m_children : m_roots;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* parent, size_t position, const std::string& text)
{
    if (parent && parent->m_owner != this)
        throw std::invalid_argument("Tree node belongs to another tree");
    auto& siblings = SiblingsOf(parent);
    auto node = std::make_unique<TTreeNode>(this, parent);
    node->m_text = text;
    TTreeNode* raw = node.get();
    position = std::min(position, siblings.size());
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(position), std::move(node));
    Renumber(siblings, position);
    Changed();
    return raw;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& text)
{
    TTreeNode* parent = sibling ? sibling->Parent() : nullptr;
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& text)
{
    return InsertAt(sibling ? sibling->Parent() : nullptr, 0, text);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& text)
{
    return InsertAt(parent, SiblingsOf(parent).size(), text);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& text) { return InsertAt(parent, 0, text); }

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& text)
{
    if (!sibling)
        return AddChild(nullptr, text);
    return InsertAt(sibling->Parent(), static_cast<size_t>(sibling->Index()), text);
}

void TTreeNodes::Delete(TTreeNode* node)
{
    if (!node || node->m_owner != this)
        return;
    if (m_listener)
        m_listener->NodeDeleting(node);
    auto& siblings = SiblingsOf(node->Parent());
    size_t index = node->m_index;
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(index));
    Renumber(siblings, index);
    Changed();
}

void TTreeNodes::Clear()
{
    if (m_roots.empty())
        return;
    if (m_listener)
        for (auto& root : m_roots)
            m_listener->NodeDeleting(root.get());
    m_roots.clear();
    Changed();
}

namespace {

void CopyFrom(TTreeNode& node, const StoredTreeNode& stored)
{
    node.ImageIndex = stored.ImageIndex;
    node.SelectedIndex = stored.SelectedIndex;
    node.StateIndex = stored.StateIndex;
    node.OverlayIndex = stored.OverlayIndex;
    node.Data = stored.Data;
    for (auto& child : stored.Children)
        CopyFrom(*node.Owner()->AddChild(&node, child.Text), child);
}

}

void TTreeNodes::ReadData(const Bytes& data)
{
    // Parse first: bad data leaves the current nodes alone.
    std::vector<StoredTreeNode> stored = ReadTree(data);
    BeginUpdate();
    Clear();
    for (auto& s : stored)
        CopyFrom(*AddChild(nullptr, s.Text), s);
    EndUpdate();
}

Bytes TTreeNodes::WriteData() const
{
    std::vector<StoredTreeNode> stored;
    for (auto& root : m_roots)
        stored.push_back(ToStored(*root));
    return WriteTree(stored);
}

void TTreeNodes::EndUpdate()
{
    if (m_update > 0 && --m_update == 0 && m_changed) {
        m_changed = false;
        if (m_listener)
            m_listener->NodesChanged();
    }
}

void TTreeNodes::Changed()
{
    if (m_update > 0) {
        m_changed = true;
        return;
    }
    if (m_listener)
        m_listener->NodesChanged();
}

void TTreeNodes::ExpansionChanged(TTreeNode* node)
{
    if (m_listener)
        m_listener->NodeExpansionChanged(node);
}

}
