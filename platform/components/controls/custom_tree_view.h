#pragma once

#include "platform/components/controls/custom_control.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/components/event.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace pellamo {

class ImageList;

// Where a point lies relative to the rows (one value, not a set).
enum class THitTest { htNowhere, htOnButton, htOnIndent, htOnIcon, htOnLabel, htOnRight };

// A tree of GBK-labelled nodes in a child window of its own: expand and
// collapse buttons and dotted lines, one selected node, keyboard and wheel
// navigation, type-ahead, in-place label editing and window scroll bars
// whose state (GetScrollInfo) tells bound skinned bars what to show. Rows
// are one ItemHeight() tall and scroll by whole rows; sideways the view
// scrolls by pixels, with a horizontal bar while the widest visible node
// is wider than the client area.
class TCustomTreeView : public TCustomControl, private TTreeNodes::Listener {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TTreeNodes& Items() { return m_items; }
    const TTreeNodes& Items() const { return m_items; }

    TTreeNode* Selected() const { return m_selected; }
    // Selects (null clears), scrolls it into view and raises OnChange.
    void SetSelected(TTreeNode* node);
    // The node in the first visible row.
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);
    // Scrolls so that the node's row is in view, expanding its ancestors,
    // and sideways so that its label is (its start when it cannot all fit).
    void MakeVisible(TTreeNode* node);
    // Sideways scrolling in pixels: how far, and how wide the widest
    // visible node is from the left edge to its label's end.
    int HorzOffset() const { return m_left; }
    void SetHorzOffset(int x);
    int ContentWidth() const;

    int Indent() const { return m_indent; }
    void SetIndent(int indent);
    bool ShowButtons() const { return m_show_buttons; }
    void SetShowButtons(bool v)
    {
        m_show_buttons = v;
        Invalidate();
    }
    bool ShowLines() const { return m_show_lines; }
    void SetShowLines(bool v)
    {
        m_show_lines = v;
        Invalidate();
    }
    bool ShowRoot() const { return m_show_root; }
    void SetShowRoot(bool v)
    {
        m_show_root = v;
        Invalidate();
    }
    bool ReadOnly() const { return m_read_only; }
    void SetReadOnly(bool v) { m_read_only = v; }
    bool HideSelection() const { return m_hide_selection; }
    void SetHideSelection(bool v)
    {
        m_hide_selection = v;
        Invalidate();
    }
    // A right click selects the node under it.
    bool RightClickSelect() const { return m_right_click_select; }
    void SetRightClickSelect(bool v) { m_right_click_select = v; }
    // Kept for stored descriptions; this view has one selection, no hot
    // tracking, no tool tips, no sorting and no change delay.
    bool AutoExpand() const { return m_auto_expand; }
    void SetAutoExpand(bool v) { m_auto_expand = v; }
    bool HotTrack() const { return m_hot_track; }
    void SetHotTrack(bool v) { m_hot_track = v; }
    bool ToolTips() const { return m_tool_tips; }
    void SetToolTips(bool v) { m_tool_tips = v; }
    int ChangeDelay() const { return m_change_delay; }
    void SetChangeDelay(int v) { m_change_delay = v; }
    bool RowSelect() const { return m_row_select; }
    void SetRowSelect(bool v)
    {
        m_row_select = v;
        Invalidate();
    }
    TBorderStyle BorderStyle() const { return m_border_style; }
    void SetBorderStyle(TBorderStyle style);
    ImageList* Images() const { return m_images; }
    void SetImages(ImageList* images)
    {
        m_images = images;
        m_item_height = 0;
        UpdateScrollInfo();
        Invalidate();
    }

    // Geometry of the rows.
    int ItemHeight() const;
    int VisibleRowCount() const; // whole rows that fit
    // The row rectangle of a visible node (whole row, or only the label),
    // in client coordinates; empty when the node is scrolled away or hidden.
    Rect DisplayRect(const TTreeNode* node, bool text_only) const;
    TTreeNode* GetNodeAt(int x, int y) const;
    THitTest GetHitTest(int x, int y) const;

    // Label editing.
    bool IsEditing() const { return m_edit != nullptr; }
    // Starts editing the node's label unless ReadOnly or OnEditing refuses.
    bool EditText(TTreeNode* node);
    // Ends an edit: commit stores the text (after OnEdited), otherwise it
    // is dropped.
    void EndEdit(bool commit);
    HWND EditHandle() const;

    // The clock of type-ahead (tests replace it).
    std::function<std::chrono::steady_clock::time_point()> Clock = [] { return std::chrono::steady_clock::now(); };
    static constexpr auto kTypeAheadPause = std::chrono::milliseconds(1000);
    // Delay between a click on the selected label and the start of editing.
    static constexpr UINT kEditDelay = 500;

    TEvent<TObject*, TTreeNode*> OnChange;
    TEvent<TObject*, TTreeNode*, bool&> OnChanging;
    TEvent<TObject*, TTreeNode*, bool&> OnExpanding;
    TEvent<TObject*, TTreeNode*, bool&> OnCollapsing;
    TEvent<TObject*, TTreeNode*> OnExpanded;
    TEvent<TObject*, TTreeNode*> OnCollapsed;
    TEvent<TObject*, TTreeNode*, bool&> OnEditing;
    TEvent<TObject*, TTreeNode*, std::string&> OnEdited;
    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle() override;
    void Loaded() override;
    void Paint() override;
    void KeyDown(UINT& key, TShiftState shift) override;
    void KeyPress(char16_t& key) override;
    void FontChanged() override;
    // The list of rows changed (nodes added or deleted, a node expanded or
    // collapsed), after the view has updated its scroll bar.
    virtual void ItemsChanged() { }

private:
    class LabelEdit;

    // TTreeNodes::Listener
    void NodesChanged() override;
    void NodeDeleting(TTreeNode* node) override;
    void NodeExpansionChanged(TTreeNode* node) override;
    bool IsNodeSelected(const TTreeNode* node) const override { return node == m_selected; }

    HWND Wnd() const { return HandleOrNull(); }
    // Visible rows: index of a visible node, node at a row index.
    int RowOf(const TTreeNode* node) const;
    TTreeNode* NodeAtRow(int row) const;
    int VisibleCount() const;
    int MaxTop() const;
    int MaxLeft() const;
    void ScrollTo(int top);
    void SetScrollBar(int bar);
    // Where a scroll message's request takes a bar's position.
    int ScrollTarget(int bar, WPARAM request, int pos, int line, int page, int max) const;
    void UpdateScrollInfo();
    int LabelLeft(const TTreeNode* node) const;
    int LabelWidth(const TTreeNode* node) const;
    bool ToggleNode(TTreeNode* node);
    bool ExpandNode(TTreeNode* node, bool expand);
    void SelectByUser(TTreeNode* node);
    void Navigate(UINT vk);
    void CharInput(std::string gbk);
    void LeftButtonDown(int x, int y, bool dbl);
    void PaintRows(pellamo::Canvas& canvas);
    void PaintNode(pellamo::Canvas& canvas, TTreeNode* node, int row);

    TTreeNodes m_items;
    TTreeNode* m_selected = nullptr;
    int m_top = 0; // first visible row
    int m_left = 0; // pixels scrolled sideways
    int m_scroll_depth = 0; // UpdateScrollInfo runs again when a bar comes or goes
    mutable std::map<std::string, int> m_label_widths; // measured once per font
    int m_indent = 19;
    bool m_show_buttons = true;
    bool m_show_lines = true;
    bool m_show_root = true;
    bool m_read_only = false;
    bool m_hide_selection = true;
    bool m_row_select = false;
    bool m_right_click_select = false;
    bool m_auto_expand = false;
    bool m_hot_track = false;
    bool m_tool_tips = true;
    int m_change_delay = 0;
    TBorderStyle m_border_style = TBorderStyle::bsSingle;
    ImageList* m_images = nullptr;
    int m_wheel_rest = 0;
    mutable int m_item_height = 0; // measured on demand
    std::string m_typed; // GBK
    std::chrono::steady_clock::time_point m_typed_at;
    char16_t m_high_surrogate = 0;
    bool m_swallow_char = false; // the WM_CHAR of a numeric-pad key already handled
    TTreeNode* m_edit_pending = nullptr; // slow second click
    std::unique_ptr<LabelEdit> m_edit;
    TTreeNode* m_edit_node = nullptr;
    bool m_in_change = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}
