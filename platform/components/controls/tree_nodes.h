#pragma once

#include "platform/components/persistent.h"
#include "platform/components/prop_info.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellamo {

class TTreeNode;

// The nodes of a tree view. Published as the view's `Items`; its `Data`
// property holds the whole tree in the stored tree format (the catalogue's
// channel trees come in this way).
class TTreeNodes : public TPersistent {
public:
    // What the view must hear of: structure or text changed, a node is
    // about to go away, a node was expanded or collapsed.
    struct Listener {
        virtual ~Listener() = default;
        virtual void NodesChanged() = 0;
        virtual void NodeDeleting(TTreeNode* node) = 0;
        virtual void NodeExpansionChanged(TTreeNode* node) = 0;
        virtual bool IsNodeSelected(const TTreeNode* node) const = 0;
    };

    explicit TTreeNodes(Listener* listener = nullptr, TPersistent* owner = nullptr);
    ~TTreeNodes() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    TPersistent* GetOwner() const override { return m_owner; }
    void Assign(const TPersistent& source) override;

    // All nodes, depth first.
    int Count() const;
    // The node at a depth-first position; throws std::out_of_range.
    TTreeNode* Item(int index) const;
    int TopLevelCount() const { return static_cast<int>(m_roots.size()); }
    TTreeNode* TopLevel(int index) const;
    TTreeNode* GetFirstNode() const { return m_roots.empty() ? nullptr : m_roots.front().get(); }

    // A new last sibling of `sibling` (top level when null).
    TTreeNode* Add(TTreeNode* sibling, const std::string& text);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& text);
    // A new last child of `parent` (top level when null).
    TTreeNode* AddChild(TTreeNode* parent, const std::string& text);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& text);
    // A new node just before `sibling` (at the end of the top level when null).
    TTreeNode* Insert(TTreeNode* sibling, const std::string& text);
    // Frees the node and its children.
    void Delete(TTreeNode* node);
    void Clear();

    // Stored tree format: two levels (categories and channels). Reading
    // replaces all nodes; throws TreeFormatError and keeps the old nodes on
    // bad data. Writing throws TreeFormatError for a third level or a text
    // over 255 bytes.
    void ReadData(const Bytes& data);
    Bytes WriteData() const;

    void BeginUpdate() { ++m_update; }
    void EndUpdate();

private:
    friend class TTreeNode;
    std::vector<std::unique_ptr<TTreeNode>>& SiblingsOf(TTreeNode* parent);
    // Gives the siblings from `from` on their new positions.
    static void Renumber(std::vector<std::unique_ptr<TTreeNode>>& siblings, size_t from);
    TTreeNode* InsertAt(TTreeNode* parent, size_t position, const std::string& text);
    void Changed();
    void ExpansionChanged(TTreeNode* node);
    bool IsSelected(const TTreeNode* node) const { return m_listener && m_listener->IsNodeSelected(node); }

    Listener* m_listener;
    TPersistent* m_owner;
    std::vector<std::unique_ptr<TTreeNode>> m_roots;
    int m_update = 0;
    bool m_changed = false;
};

}
