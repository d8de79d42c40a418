#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pellamo {

class TTreeNodes;

// One node of a tree view. Text is GBK. Nodes are created and freed by
// their TTreeNodes (Add, AddChild, Delete), which also tells the view.
class TTreeNode {
public:
    TTreeNode(TTreeNodes* owner, TTreeNode* parent);
    ~TTreeNode();
    TTreeNode(const TTreeNode&) = delete;
    TTreeNode& operator=(const TTreeNode&) = delete;

    TTreeNodes* Owner() const { return m_owner; }
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& text);
    int ImageIndex = 0;
    int SelectedIndex = 0;
    int StateIndex = -1;
    int OverlayIndex = -1;
    intptr_t Data = 0;

    TTreeNode* Parent() const { return m_parent; }
    int Count() const { return static_cast<int>(m_children.size()); }
    bool HasChildren() const { return !m_children.empty(); }
    // Throws std::out_of_range for an index outside 0..Count()-1.
    TTreeNode* Item(int index) const;
    // Position among the siblings (kept up to date, so walking a long list
    // of siblings costs one step per node).
    int Index() const { return static_cast<int>(m_index); }
    // 0 for a top-level node.
    int Level() const;

    bool Expanded() const { return m_expanded; }
    // Expanding a node without children only records the wish.
    void SetExpanded(bool expanded);
    void Expand(bool recurse = false);
    void Collapse(bool recurse = false);
    // True when every ancestor is expanded.
    bool IsVisible() const;
    bool Selected() const;

    TTreeNode* GetFirstChild() const { return m_children.empty() ? nullptr : m_children.front().get(); }
    TTreeNode* GetLastChild() const { return m_children.empty() ? nullptr : m_children.back().get(); }
    TTreeNode* GetNextSibling() const;
    TTreeNode* GetPrevSibling() const;
    // Depth first, over all nodes.
    TTreeNode* GetNext() const;
    // The next and previous node a user sees (descending only into
    // expanded nodes); null at the ends.
    TTreeNode* GetNextVisible() const;
    TTreeNode* GetPrevVisible() const;
    // True when `node` is this node or below it.
    bool IsAncestorOf(const TTreeNode* node) const;

private:
    friend class TTreeNodes;
    TTreeNodes* m_owner;
    TTreeNode* m_parent;
    size_t m_index = 0; // in the parent's children (or the roots)
    std::string m_text;
    bool m_expanded = false;
    std::vector<std::unique_ptr<TTreeNode>> m_children;
};

}
