#pragma once

#include "platform/components/component.h"
#include "platform/components/event.h"
#include "platform/gfx/geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pellamo {

class Canvas;
class TMenu;

// A key with its modifiers: the virtual-key code in the low byte.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;
TShortCut ShortCut(unsigned vk, TShortCut modifiers);
// "Ctrl+O", "Shift+F5", "Del"; empty for none.
std::string ShortCutToText(TShortCut shortcut);
// The inverse, case-insensitively; scNone for text it does not know.
TShortCut TextToShortCut(const std::string& text);

// The access key of a caption: the character after a single "&",
// upper-cased for ASCII; 0 when there is none ("&&" is a plain "&").
char GetHotkey(const std::string& caption);
// The caption without its "&" markers ("&&" becomes "&").
std::string StripHotkey(const std::string& caption);

// States passed to OnAdvancedDrawItem (a bit set).
enum TOwnerDrawStateFlag : unsigned {
    odSelected = 1u << 0,
    odGrayed = 1u << 1,
    odDisabled = 1u << 2,
    odChecked = 1u << 3,
    odFocused = 1u << 4,
    odDefault = 1u << 5,
    odNoAccel = 1u << 6,
};
using TOwnerDrawState = unsigned;

// One menu command or sub-menu. Items form a tree (Items/Add/Insert/
// Delete); an item frees its sub-items. A caption of "-" makes a separator.
// Captions are GBK. OnClick runs through Click().
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    bool Checked() const { return m_checked; }
    void SetChecked(bool v);
    // The default item of its sub-menu, drawn bold; setting it clears the
    // flag of its siblings, so a sub-menu has at most one.
    bool Default() const { return m_default; }
    void SetDefault(bool v);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool v);
    bool Visible() const { return m_visible; }
    void SetVisible(bool v);
    int ImageIndex() const { return m_image_index; }
    void SetImageIndex(int v);
    int ShortCutValue() const { return m_shortcut; }
    void SetShortCutValue(int v);
    TShortCut GetShortCut() const { return m_shortcut; }
    void SetShortCut(TShortCut v) { SetShortCutValue(v); }
    bool IsLine() const { return m_caption == "-"; }

    TMenuItem* Parent() const { return m_parent; }
    int Count() const { return static_cast<int>(m_items.size()); }
    // Throws std::out_of_range.
    TMenuItem* Items(int index) const;
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return m_parent ? m_parent->IndexOf(this) : -1; }
    // Takes `item` in as the last sub-item (moving it from another parent).
    void Add(TMenuItem* item);
    // Throws std::out_of_range for an index outside 0..Count().
    void Insert(int index, TMenuItem* item);
    // Frees the sub-item at `index`.
    void Delete(int index);
    // Takes the sub-item out without freeing it.
    void Remove(TMenuItem* item);
    void Clear();
    // The menu the tree belongs to (null for a loose item).
    TMenu* GetParentMenu() const;
    // The visible sub-item whose access key is `key` (any case), or null.
    TMenuItem* FindByHotkey(char key) const;

    // Runs OnClick when the item is enabled.
    virtual void Click();

    TNotifyEvent OnClick;
    TEvent<TObject*, Canvas&, int&, int&> OnMeasureItem;
    TEvent<TObject*, Canvas&, Rect, bool> OnDrawItem;
    TEvent<TObject*, Canvas&, Rect, TOwnerDrawState> OnAdvancedDrawItem;

    void InsertNestedChild(TComponent& child) override;
    TComponent* GetParentComponent() const override;

private:
    friend class TMenu;
    void Changed(bool structure);

    std::string m_caption;
    bool m_checked = false;
    bool m_default = false;
    bool m_enabled = true;
    bool m_visible = true;
    int m_image_index = -1;
    TShortCut m_shortcut = scNone;
    TMenuItem* m_parent = nullptr;
    TMenu* m_menu = nullptr; // set on a menu's root item
    std::vector<TMenuItem*> m_items;
};

}
