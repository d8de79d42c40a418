#pragma once

#include "platform/components/component.h"
#include "platform/components/event.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/gfx/font.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/window_system.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

namespace pellamo {

class Canvas;
class ImageList;

enum class TBorderStyle { bsNone, bsSingle };

// Where a point lies relative to the rows (one value, not a set).
enum class THitTest { htNowhere, htOnButton, htOnIndent, htOnIcon, htOnLabel, htOnRight };

// A tree of GBK-labelled nodes in a child window of its own: expand and
// collapse buttons and dotted lines, one selected node, keyboard and wheel
// navigation, type-ahead, in-place label editing and a window vertical
// scroll bar whose state (GetScrollInfo) tells a bound skinned bar what to
// show. Rows are one ItemHeight() tall; scrolling is by whole rows.
class TCustomTreeView : public TComponent, private TTreeNodes::Listener {
public:
    explicit TCustomTreeView(TComponent* owner);
    ~TCustomTreeView() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Placement. The window exists once a parent window is given.
    void SetParentWindow(HWND parent);
    HWND ParentWindow() const { return m_parent; }
    HWND Handle() const { return m_hwnd; }
    bool HandleAllocated() const { return m_hwnd != nullptr; }
    void SetBounds(int left, int top, int width, int height);
    int Left() const { return m_bounds.left; }
    int Top() const { return m_bounds.top; }
    int Width() const { return m_bounds.Width(); }
    int Height() const { return m_bounds.Height(); }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    void SetFocus();
    bool Focused() const;
    void Invalidate();

    TTreeNodes& Items() { return m_items; }
    const TTreeNodes& Items() const { return m_items; }

    TTreeNode* Selected() const { return m_selected; }
    // Selects (null clears), scrolls it into view and raises OnChange.
    void SetSelected(TTreeNode* node);
    // The node in the first visible row.
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* node);
    // Scrolls so that the node's row is in view, expanding its ancestors.
    void MakeVisible(TTreeNode* node);

    int Indent() const { return m_indent; }
    void SetIndent(int indent);
    bool ShowButtons() const { return m_show_buttons; }
    void SetShowButtons(bool v) { m_show_buttons = v; Invalidate(); }
    bool ShowLines() const { return m_show_lines; }
    void SetShowLines(bool v) { m_show_lines = v; Invalidate(); }
    bool ShowRoot() const { return m_show_root; }
    void SetShowRoot(bool v) { m_show_root = v; Invalidate(); }
    bool ReadOnly() const { return m_read_only; }
    void SetReadOnly(bool v) { m_read_only = v; }
    bool HideSelection() const { return m_hide_selection; }
    void SetHideSelection(bool v) { m_hide_selection = v; Invalidate(); }
    bool RowSelect() const { return m_row_select; }
    void SetRowSelect(bool v) { m_row_select = v; Invalidate(); }
    TColor Color() const { return m_color; }
    void SetColor(TColor c) { m_color = c; Invalidate(); }
    TBorderStyle BorderStyle() const { return m_border_style; }
    void SetBorderStyle(TBorderStyle style);
    const pellamo::Font& Font() const { return m_font; }
    void SetFont(const pellamo::Font& font);
    ImageList* Images() const { return m_images; }
    void SetImages(ImageList* images) { m_images = images; UpdateScrollInfo(); Invalidate(); }

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
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;

    // Paints the client area (the window's WM_PAINT comes here).
    virtual void Paint(Canvas& canvas);
    // The view's message handler; subclasses call it for what they leave.
    virtual LRESULT WndProc(UINT msg, WPARAM wparam, LPARAM lparam);

protected:
    void Loaded() override;

private:
    class LabelEdit;

    // TTreeNodes::Listener
    void NodesChanged() override;
    void NodeDeleting(TTreeNode* node) override;
    void NodeExpansionChanged(TTreeNode* node) override;
    bool IsNodeSelected(const TTreeNode* node) const override { return node == m_selected; }

    void CreateHandle();
    void DestroyHandle();
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;
    // Visible rows: index of a visible node, node at a row index.
    int RowOf(const TTreeNode* node) const;
    TTreeNode* NodeAtRow(int row) const;
    int VisibleCount() const;
    int MaxTop() const;
    void ScrollTo(int top);
    void UpdateScrollInfo();
    int LabelLeft(const TTreeNode* node) const;
    int LabelWidth(const TTreeNode* node) const;
    bool ToggleNode(TTreeNode* node);
    bool ExpandNode(TTreeNode* node, bool expand);
    void SelectByUser(TTreeNode* node);
    void KeyDown(UINT vk);
    void CharInput(std::string gbk);
    void MouseDown(int x, int y, bool dbl);
    void PaintNode(Canvas& canvas, TTreeNode* node, int row);

    TTreeNodes m_items;
    HWND m_parent = nullptr;
    HWND m_hwnd = nullptr;
    Rect m_bounds;
    bool m_visible = true;
    bool m_enabled = true;
    TTreeNode* m_selected = nullptr;
    int m_top = 0; // first visible row
    int m_indent = 19;
    bool m_show_buttons = true;
    bool m_show_lines = true;
    bool m_show_root = true;
    bool m_read_only = false;
    bool m_hide_selection = true;
    bool m_row_select = false;
    TColor m_color = clWindow;
    TBorderStyle m_border_style = TBorderStyle::bsSingle;
    pellamo::Font m_font;
    ImageList* m_images = nullptr;
    int m_wheel_rest = 0;
    std::string m_typed; // GBK
    std::chrono::steady_clock::time_point m_typed_at;
    char16_t m_high_surrogate = 0;
    bool m_swallow_char = false; // the WM_CHAR of a numeric-pad key already handled
    TTreeNode* m_edit_pending = nullptr; // slow second click
    std::unique_ptr<LabelEdit> m_edit;
    TTreeNode* m_edit_node = nullptr;
    bool m_in_change = false;
};

}
