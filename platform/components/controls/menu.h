#pragma once

#include "platform/components/component.h"
#include "platform/components/controls/control_enums.h"
#include "platform/components/controls/menu_item.h"

#include <functional>
#include <map>

namespace pellamo {

class ImageList;

// The common part of main and pop-up menus: the root of an item tree,
// owner drawing, images and shortcut dispatch.
class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // The root item; its sub-items are the menu's items.
    TMenuItem* Items() const { return m_items; }
    // Reading order of the items; right to left only matters to owner
    // drawing, and only where the system's locale reads that way.
    TBiDiMode BiDiMode() const { return m_bidi_mode; }
    void SetBiDiMode(TBiDiMode mode)
    {
        m_bidi_mode = mode;
        MenuChanged();
    }
    bool OwnerDraw() const { return m_owner_draw; }
    virtual void SetOwnerDraw(bool v) { m_owner_draw = v; }
    // Item images; a menu that has them paints its items through the item
    // drawing hooks, as an owner-drawn one does.
    const ImageList* Images() const { return m_images; }
    void SetImages(const ImageList* images)
    {
        m_images = images;
        MenuChanged();
    }

    // The enabled, visible item (at any depth) whose ShortCut is
    // `shortcut`; null when none.
    TMenuItem* FindShortCut(TShortCut shortcut) const;
    // Clicks the item of the shortcut; true when one was found.
    bool DispatchShortCut(TShortCut shortcut);

    // Told after any change of the items (menu bars repaint).
    uint64_t AddChangeListener(std::function<void()> listener);
    void RemoveChangeListener(uint64_t id);
    void MenuChanged();

    void InsertNestedChild(TComponent& child) override;

private:
    TMenuItem* m_items;
    TBiDiMode m_bidi_mode = TBiDiMode::bdLeftToRight;
    bool m_owner_draw = false;
    const ImageList* m_images = nullptr;
    std::map<uint64_t, std::function<void()>> m_listeners;
    uint64_t m_next_listener = 1;
};

}
