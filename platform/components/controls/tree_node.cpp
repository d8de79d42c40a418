#include "platform/components/controls/tree_node.h"

#include "platform/components/controls/tree_nodes.h"

#include <stdexcept>

namespace pellamo {

TTreeNode::TTreeNode(TTreeNodes* owner, TTreeNode* parent)
    : m_owner(owner)
    , m_parent(parent)
{
}

TTreeNode::~TTreeNode() = default;

void TTreeNode::SetText(const std::string& text)
{
    if (text == m_text)
        return;
    m_text = text;
    if (m_owner)
        m_owner->Changed();
}

TTreeNode* TTreeNode::Item(int index) const
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("Tree node index " + std::to_string(index) + " out of bounds");
    return m_children[static_cast<size_t>(index)].get();
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode* p = m_parent; p; p = p->m_parent)
        ++level;
    return level;
}

void TTreeNode::SetExpanded(bool expanded)
{
    if (expanded == m_expanded)
        return;
    m_expanded = expanded;
    if (m_owner)
        m_owner->ExpansionChanged(this);
}

void TTreeNode::Expand(bool recurse)
{
    SetExpanded(true);
    if (recurse)
        for (auto& child : m_children)
            child->Expand(true);
}

void TTreeNode::Collapse(bool recurse)
{
    SetExpanded(false);
    if (recurse)
        for (auto& child : m_children)
            child->Collapse(true);
}

bool TTreeNode::IsVisible() const
{
    for (TTreeNode* p = m_parent; p; p = p->m_parent)
        if (!p->m_expanded)
            return false;
    return true;
}

bool TTreeNode::Selected() const { return m_owner && m_owner->IsSelected(this); }

TTreeNode* TTreeNode::GetNextSibling() const
{
    const auto& siblings = m_parent ? m_parent->m_children : m_owner->m_roots;
    return m_index + 1 < siblings.size() ? siblings[m_index + 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    const auto& siblings = m_parent ? m_parent->m_children : m_owner->m_roots;
    return m_index > 0 ? siblings[m_index - 1].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!m_children.empty())
        return m_children.front().get();
    for (const TTreeNode* n = this; n; n = n->m_parent)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetNextVisible() const
{
    if (m_expanded && !m_children.empty())
        return m_children.front().get();
    for (const TTreeNode* n = this; n; n = n->m_parent)
        if (TTreeNode* s = n->GetNextSibling())
            return s;
    return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const
{
    TTreeNode* prev = GetPrevSibling();
    if (!prev)
        return m_parent;
    while (prev->m_expanded && !prev->m_children.empty())
        prev = prev->m_children.back().get();
    return prev;
}

bool TTreeNode::IsAncestorOf(const TTreeNode* node) const
{
    for (; node; node = node->m_parent)
        if (node == this)
            return true;
    return false;
}

}
