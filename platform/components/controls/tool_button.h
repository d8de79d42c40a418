#pragma once

#include "platform/components/controls/graphic_control.h"

namespace pellamo {

class TMenuItem;
class TPopupMenu;
class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// A button of a TToolBar. The bar places and paints it; the button keeps
// its state and takes the mouse. Bound to a menu item (MenuItem), it shows
// the item's caption and a press drops the item's sub-menu below it, or
// clicks the item when it has none. A tbsDropDown button drops its
// DropdownMenu from the arrow at its right end.
class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    TToolBar* ToolBar() const;
    void SetParent(TWinControl* parent) override;

    TToolButtonStyle Style() const { return m_style; }
    void SetStyle(TToolButtonStyle style);
    int ImageIndex() const { return m_image_index; }
    void SetImageIndex(int index);
    bool Down() const { return m_down; }
    void SetDown(bool down);
    bool Grouped() const { return m_grouped; }
    void SetGrouped(bool v) { m_grouped = v; }
    TMenuItem* MenuItem() const { return m_menu_item; }
    void SetMenuItem(TMenuItem* item);
    TPopupMenu* DropdownMenu() const { return m_dropdown; }
    void SetDropdownMenu(TPopupMenu* menu) { m_dropdown = menu; }
    // The caption shown: the menu item's when bound, else the button's own.
    std::string DisplayCaption() const;
    bool IsSeparator() const
    {
        return m_style == TToolButtonStyle::tbsSeparator || m_style == TToolButtonStyle::tbsDivider;
    }
    // Pressed by the mouse right now (or its menu dropped down).
    bool Pressed() const { return m_pressed; }
    bool Hot() const { return m_hot; }

    void Click() override;

protected:
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    // While pressed the button keeps the mouse: it is hot only with the
    // pointer over it.
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void TextChanged() override;
    void EnabledChanged() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolBar;
    void Changed(bool layout);

    TToolButtonStyle m_style = TToolButtonStyle::tbsButton;
    int m_image_index = -1;
    bool m_down = false;
    bool m_grouped = false;
    bool m_pressed = false;
    bool m_hot = false;
    TMenuItem* m_menu_item = nullptr;
    TPopupMenu* m_dropdown = nullptr;
};

}
