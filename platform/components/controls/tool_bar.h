#pragma once

#include "platform/components/controls/custom_control.h"
#include "platform/components/controls/menu_window.h"
#include "platform/components/enum_set.h"

#include <memory>
#include <vector>

namespace pellamo {

class EnumInfo;
class TImageList;
class TToolBar;
class TToolButton;

// States handed to OnCustomDrawButton (a bit set).
enum TCustomDrawStateFlag : unsigned {
    cdsSelected = 1u << 0, // pressed, or its menu is down
    cdsGrayed = 1u << 1,
    cdsDisabled = 1u << 2,
    cdsChecked = 1u << 3, // Down
    cdsFocused = 1u << 4,
    cdsDefault = 1u << 5,
    cdsHot = 1u << 6, // under the pointer
};
using TCustomDrawState = unsigned;

// The sides of a bar that carry an edge, and what each of its two lines
// looks like (the outer one, then the inner one).
enum class TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = EnumSet<TEdgeBorder>;
enum class TEdgeStyle { esNone, esRaised, esLowered };
const EnumInfo& EdgeBorderNames();
const EnumInfo& EdgeStyleNames();

// The part of a drop-down button (tbsDropDown) that holds its arrow, at
// its right end.
constexpr int kToolButtonArrowWidth = 14;

using TToolBarCustomDrawEvent = TEvent<TToolBar*, const Rect&, bool&>;
using TToolBarCustomDrawButtonEvent = TEvent<TToolBar*, TToolButton*, TCustomDrawState, bool&>;

// A bar of tool buttons laid out left to right in rows of ButtonHeight,
// wrapping when Wrapable; AutoSize fits the height to the rows. It paints
// itself and its buttons; OnCustomDraw and OnCustomDrawButton (or a
// derived bar's CustomDraw and CustomDrawButton) may paint instead (on
// Canvas(), bar coordinates) and say whether the default drawing still
// runs. Buttons show their image from Images (from HotImages under the
// pointer, when set) above their caption, or beside it when List is on.
// A Transparent bar leaves its background to its parent. EdgeBorders puts
// an edge of up to two lines (EdgeOuter, EdgeInner) on the chosen sides,
// outside the client area. Buttons bound to menu items drop their
// sub-menus like a menu bar: while one is down, moving to another
// switches, and Left/Right move along the bar.
class TToolBar : public TCustomControl, private TMenuWindow::Host {
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int ButtonCount() const;
    // Buttons in bar order.
    TToolButton* Buttons(int index) const;

    int ButtonWidth() const { return m_button_width; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return m_button_height; }
    void SetButtonHeight(int v);
    bool AutoSize() const { return m_auto_size; }
    void SetAutoSize(bool v);
    bool Wrapable() const { return m_wrapable; }
    void SetWrapable(bool v);
    bool Flat() const { return m_flat; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return m_show_captions; }
    void SetShowCaptions(bool v);
    // Image lists are references: not owned, forgotten when freed.
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);
    TImageList* HotImages() const { return m_hot_images; }
    void SetHotImages(TImageList* images);
    bool List() const { return m_list; }
    void SetList(bool v);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v);
    TEdgeBorders EdgeBorders() const { return m_edge_borders; }
    void SetEdgeBorders(TEdgeBorders sides);
    TEdgeStyle EdgeInner() const { return m_edge_inner; }
    void SetEdgeInner(TEdgeStyle style);
    TEdgeStyle EdgeOuter() const { return m_edge_outer; }
    void SetEdgeOuter(TEdgeStyle style);
    // Rows the buttons take now.
    int RowCount() const { return m_rows; }

    // Places the buttons again (after changes to them).
    void ArrangeButtons();
    // Drops the sub-menu of a button bound to a menu item.
    void DropButtonMenu(TToolButton* button, bool select_first);
    bool IsMenuDropped() const { return m_drop && m_drop->IsOpen(); }
    TMenuWindow* DropDown() const { return IsMenuDropped() ? m_drop.get() : nullptr; }
    TToolButton* DroppedButton() const { return IsMenuDropped() ? m_drop_button : nullptr; }
    void CloseMenu();

    TToolBarCustomDrawEvent OnCustomDraw;
    TToolBarCustomDrawButtonEvent OnCustomDrawButton;

    void Invalidate() override;
    void WndProc(TMessage& message) override;

protected:
    // Before the bar is painted: raises OnCustomDraw.
    virtual void CustomDraw(const Rect& client, bool& default_draw);
    // Before each button is painted: raises OnCustomDrawButton.
    virtual void CustomDrawButton(TToolButton* button, TCustomDrawState state, bool& default_draw);

    void Paint() override;
    void AlignControls(TControl* trigger, Rect rect) override;
    void FontChanged() override;
    void CreateParams(TCreateParams& params) override;
    Rect NonClientInset() const override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TToolButton;
    bool MenuOutsideMouse(UINT msg, Point screen) override;
    void MenuSideways(int dir) override;
    void MenuClosed(TMenuItem* chosen) override;

    std::vector<TToolButton*> OrderedButtons() const;
    Size ButtonSize(TToolButton* button) const;
    void DrawButton(pellamo::Canvas& canvas, TToolButton* button);
    TToolButton* MenuButtonAt(Point screen) const;
    void PaintEdges();

    int m_button_width = 23;
    int m_button_height = 22;
    bool m_auto_size = false;
    bool m_wrapable = true;
    bool m_flat = false;
    bool m_show_captions = false;
    TImageList* m_images = nullptr;
    TImageList* m_hot_images = nullptr;
    bool m_list = false;
    bool m_transparent = false;
    TEdgeBorders m_edge_borders { TEdgeBorder::ebTop };
    TEdgeStyle m_edge_inner = TEdgeStyle::esRaised;
    TEdgeStyle m_edge_outer = TEdgeStyle::esLowered;
    int m_rows = 0;
    bool m_arranging = false;
    std::unique_ptr<TMenuWindow> m_drop;
    TToolButton* m_drop_button = nullptr;
    bool m_switching = false;
};

}
