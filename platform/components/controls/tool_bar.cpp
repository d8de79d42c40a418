#include "platform/components/controls/tool_bar.h"

#include "platform/components/controls/font.h"
#include "platform/components/controls/image_list.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/tool_button.h"
#include "platform/components/enum_info.h"
#include "platform/components/props.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/device_context.h"
#include "platform/window/window_system.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr int kSeparatorWidth = 8;

bool DropsMenu(const TToolButton* b)
{
    return b && b->Visible() && b->Enabled() && b->MenuItem() && b->MenuItem()->Count() > 0;
}

// One line of an edge on each of `sides` of `r`, drawn inside it; `r`
// shrinks past the sides drawn.
void EdgeLine(DeviceContext& dc, Rect& r, TEdgeBorders sides, TEdgeStyle style)
{
    if (style == TEdgeStyle::esNone)
        return;
    TColor light = SystemColors::Resolve(clBtnHighlight);
    TColor dark = SystemColors::Resolve(clBtnShadow);
    TColor top_left = style == TEdgeStyle::esRaised ? light : dark;
    TColor bottom_right = style == TEdgeStyle::esRaised ? dark : light;
    if (sides.Contains(TEdgeBorder::ebTop))
        dc.FillRect({ r.left, r.top, r.right, r.top + 1 }, top_left);
    if (sides.Contains(TEdgeBorder::ebLeft))
        dc.FillRect({ r.left, r.top, r.left + 1, r.bottom }, top_left);
    if (sides.Contains(TEdgeBorder::ebBottom))
        dc.FillRect({ r.left, r.bottom - 1, r.right, r.bottom }, bottom_right);
    if (sides.Contains(TEdgeBorder::ebRight))
        dc.FillRect({ r.right - 1, r.top, r.right, r.bottom }, bottom_right);
    r.top += sides.Contains(TEdgeBorder::ebTop) ? 1 : 0;
    r.left += sides.Contains(TEdgeBorder::ebLeft) ? 1 : 0;
    r.bottom -= sides.Contains(TEdgeBorder::ebBottom) ? 1 : 0;
    r.right -= sides.Contains(TEdgeBorder::ebRight) ? 1 : 0;
}

// The small black arrow of a drop-down button, centred in the arrow part
// that ends at `right`.
void DropArrow(pellamo::Canvas& c, int right, int middle)
{
    c.brush = SolidBrush(clBlack);
    int x = right - kToolButtonArrowWidth / 2 - 2;
    for (int row = 0; row < 3; ++row)
        c.FillRect({ x + row, middle - 1 + row, x + 5 - row, middle + row });
}

void Edge(pellamo::Canvas& c, const Rect& r, bool raised)
{
    TColor light = SystemColors::Resolve(clBtnHighlight);
    TColor dark = SystemColors::Resolve(clBtnShadow);
    c.brush.color = raised ? light : dark;
    c.FillRect({ r.left, r.top, r.right, r.top + 1 });
    c.FillRect({ r.left, r.top, r.left + 1, r.bottom });
    c.brush.color = raised ? dark : light;
    c.FillRect({ r.left, r.bottom - 1, r.right, r.bottom });
    c.FillRect({ r.right - 1, r.top, r.right, r.bottom });
}

}

TToolBar::TToolBar(TComponent* owner)
    : TCustomControl(owner)
{
    SetBounds(0, 0, 150, 29);
    SetColor(clBtnFace);
    TControlStyle style = ControlStyle();
    style.Include(csAcceptsControls);
    style.Include(csOpaque);
    SetControlStyle(style);
    SetAlign(TAlign::alTop);
}

TToolBar::~TToolBar()
{
    m_drop.reset();
    m_drop_button = nullptr;
}

const EnumInfo& EdgeBorderNames()
{
    static const EnumInfo info("TEdgeBorder", { "ebLeft", "ebTop", "ebRight", "ebBottom" });
    return info;
}

const EnumInfo& EdgeStyleNames()
{
    static const EnumInfo info("TEdgeStyle", { "esNone", "esRaised", "esLowered" });
    return info;
}

const ClassInfo& TToolBar::StaticClass()
{
    using T = TToolBar;
    static const ClassInfo info("TToolBar", &TCustomControl::StaticClass(),
        {
            props::Bool<T>("AutoSize", &T::AutoSize, &T::SetAutoSize),
            props::Int<T>("ButtonHeight", &T::ButtonHeight, &T::SetButtonHeight),
            props::Int<T>("ButtonWidth", &T::ButtonWidth, &T::SetButtonWidth),
            props::Set<T>("EdgeBorders", EdgeBorderNames(), &T::EdgeBorders, &T::SetEdgeBorders),
            props::Enum<T>("EdgeInner", EdgeStyleNames(), &T::EdgeInner, &T::SetEdgeInner),
            props::Enum<T>("EdgeOuter", EdgeStyleNames(), &T::EdgeOuter, &T::SetEdgeOuter),
            props::Bool<T>("Flat", &T::Flat, &T::SetFlat),
            props::Ref<T, TImageList>("HotImages", &T::HotImages, &T::SetHotImages),
            props::Ref<T, TImageList>("Images", &T::Images, &T::SetImages),
            props::Bool<T>("List", &T::List, &T::SetList),
            props::Bool<T>("ShowCaptions", &T::ShowCaptions, &T::SetShowCaptions),
            props::Bool<T>("Transparent", &T::Transparent, &T::SetTransparent),
            props::Bool<T>("Wrapable", &T::Wrapable, &T::SetWrapable),
            props::Event<T>("OnCustomDraw", &T::OnCustomDraw),
            props::Event<T>("OnCustomDrawButton", &T::OnCustomDrawButton),
        },
        FactoryOf<TToolBar>());
    return info;
}

std::vector<TToolButton*> TToolBar::OrderedButtons() const
{
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)))
            buttons.push_back(b);
    return buttons;
}

int TToolBar::ButtonCount() const { return static_cast<int>(OrderedButtons().size()); }

TToolButton* TToolBar::Buttons(int index) const { return OrderedButtons().at(static_cast<size_t>(index)); }

void TToolBar::SetButtonWidth(int v)
{
    m_button_width = std::max(1, v);
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int v)
{
    m_button_height = std::max(1, v);
    ArrangeButtons();
}

void TToolBar::SetAutoSize(bool v)
{
    m_auto_size = v;
    ArrangeButtons();
}

void TToolBar::SetWrapable(bool v)
{
    m_wrapable = v;
    ArrangeButtons();
}

void TToolBar::SetFlat(bool v)
{
    m_flat = v;
    Invalidate();
}

void TToolBar::SetShowCaptions(bool v)
{
    m_show_captions = v;
    ArrangeButtons();
}

void TToolBar::SetImages(TImageList* images)
{
    if (m_images && m_images != images && m_images != m_hot_images)
        RemoveFreeNotification(m_images);
    m_images = images;
    if (images)
        FreeNotification(images);
    ArrangeButtons();
}

void TToolBar::SetHotImages(TImageList* images)
{
    if (m_hot_images && m_hot_images != images && m_hot_images != m_images)
        RemoveFreeNotification(m_hot_images);
    m_hot_images = images;
    if (images)
        FreeNotification(images);
    Invalidate();
}

void TToolBar::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == m_images) {
        m_images = nullptr;
        ArrangeButtons();
    }
    if (component == m_hot_images) {
        m_hot_images = nullptr;
        Invalidate();
    }
}

void TToolBar::SetList(bool v)
{
    m_list = v;
    ArrangeButtons();
}

void TToolBar::SetTransparent(bool v)
{
    if (m_transparent == v)
        return;
    m_transparent = v;
    if (HandleAllocated()) {
        WindowSystem& ws = Windows();
        DWORD ex = ws.GetExStyle(HandleOrNull());
        ws.SetExStyle(HandleOrNull(), v ? ex | WS_EX_TRANSPARENT : ex & ~WS_EX_TRANSPARENT);
    }
    Invalidate();
}

void TToolBar::CreateParams(TCreateParams& params)
{
    TCustomControl::CreateParams(params);
    // The parent paints beneath a transparent bar.
    if (m_transparent)
        params.ex_style |= WS_EX_TRANSPARENT;
}

void TToolBar::Invalidate()
{
    // Nothing of a transparent bar's old picture may stay behind its
    // buttons: the parent paints that part afresh, and the bar over it.
    TWinControl* parent = Parent();
    if (m_transparent && HandleAllocated() && parent && parent->HandleAllocated()) {
        Rect r = BoundsRect();
        Windows().InvalidateRect(parent->HandleOrNull(), &r, true);
    }
    TCustomControl::Invalidate();
}

void TToolBar::SetEdgeBorders(TEdgeBorders sides)
{
    m_edge_borders = sides;
    FrameChanged();
    Invalidate();
}

void TToolBar::SetEdgeInner(TEdgeStyle style)
{
    m_edge_inner = style;
    FrameChanged();
    Invalidate();
}

void TToolBar::SetEdgeOuter(TEdgeStyle style)
{
    m_edge_outer = style;
    FrameChanged();
    Invalidate();
}

Rect TToolBar::NonClientInset() const
{
    int lines = (m_edge_inner != TEdgeStyle::esNone ? 1 : 0) + (m_edge_outer != TEdgeStyle::esNone ? 1 : 0);
    auto side = [&](TEdgeBorder b) { return m_edge_borders.Contains(b) ? lines : 0; };
    return { side(TEdgeBorder::ebLeft), side(TEdgeBorder::ebTop), side(TEdgeBorder::ebRight),
        side(TEdgeBorder::ebBottom) };
}

void TToolBar::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCCALCSIZE: {
        TCustomControl::WndProc(message);
        Rect* r = message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(message.LParam)->rgrc[0]
                                 : reinterpret_cast<Rect*>(message.LParam);
        if (r) {
            Rect inset = NonClientInset();
            r->left += inset.left;
            r->top += inset.top;
            r->right = std::max(r->left, r->right - inset.right);
            r->bottom = std::max(r->top, r->bottom - inset.bottom);
        }
        return;
    }
    case WM_NCPAINT:
        TCustomControl::WndProc(message);
        PaintEdges();
        return;
    default:
        TCustomControl::WndProc(message);
    }
}

void TToolBar::PaintEdges()
{
    if (!HandleAllocated() || m_edge_borders.Empty())
        return;
    WindowSystem& ws = Windows();
    DeviceContext* dc = ws.GetWindowDC(HandleOrNull());
    if (!dc)
        return;
    Rect client = ws.GetClientRectInWindow(HandleOrNull());
    Rect inset = NonClientInset();
    Rect r { client.left - inset.left, client.top - inset.top, client.right + inset.right,
        client.bottom + inset.bottom };
    EdgeLine(*dc, r, m_edge_borders, m_edge_outer);
    EdgeLine(*dc, r, m_edge_borders, m_edge_inner);
    ws.ReleaseDC(HandleOrNull(), dc);
}

void TToolBar::FontChanged()
{
    TCustomControl::FontChanged();
    ArrangeButtons();
}

Size TToolBar::ButtonSize(TToolButton* button) const
{
    if (button->IsSeparator())
        return { kSeparatorWidth, m_button_height };
    int width = m_button_width;
    if (m_show_captions || button->MenuItem()) {
        Bitmap scratch(1, 1);
        pellamo::Canvas c(scratch);
        c.font = Font().GetFont();
        int text = c.TextWidth(StripHotkey(button->DisplayCaption()));
        // Beside the image, or under it.
        int needed = m_list ? (m_images ? m_images->Width() + 7 : 8) + text + 8 : text + 12;
        width = std::max(width, needed);
    }
    if (button->Style() == TToolButtonStyle::tbsDropDown)
        width += kToolButtonArrowWidth;
    return { width, m_button_height };
}

void TToolBar::AlignControls(TControl* trigger, Rect rect)
{
    TCustomControl::AlignControls(trigger, rect);
    ArrangeButtons();
}

void TToolBar::ArrangeButtons()
{
    if (m_arranging || HasState(csLoading) || HasState(csDestroying))
        return;
    m_arranging = true;
    int limit = ClientWidth();
    int x = 0, y = 0;
    bool any = false;
    for (TToolButton* b : OrderedButtons()) {
        if (!b->Visible())
            continue;
        Size s = ButtonSize(b);
        if (m_wrapable && x > 0 && x + s.cx > limit) {
            x = 0;
            y += m_button_height;
        }
        if (b->BoundsRect() != Rect::FromSize(x, y, s.cx, s.cy))
            b->SetBounds(x, y, s.cx, s.cy);
        x += s.cx;
        any = true;
    }
    m_rows = any ? y / m_button_height + 1 : 0;
    if (m_auto_size) {
        int frame = Height() - ClientHeight();
        int height = std::max(m_rows, 1) * m_button_height + frame;
        if (height != Height())
            SetHeight(height);
    }
    m_arranging = false;
    Invalidate();
}

void TToolBar::CustomDraw(const Rect& client, bool& default_draw) { OnCustomDraw(this, client, default_draw); }

void TToolBar::CustomDrawButton(TToolButton* button, TCustomDrawState state, bool& default_draw)
{
    OnCustomDrawButton(this, button, state, default_draw);
}

void TToolBar::Paint()
{
    pellamo::Canvas& c = Canvas();
    bool default_draw = true;
    Rect client = ClientRect();
    CustomDraw(client, default_draw);
    if (default_draw && !m_transparent) {
        c.brush.style = BrushStyle::Solid;
        c.brush.color = SystemColors::Resolve(Color());
        c.FillRect(client);
    }
    for (TToolButton* b : OrderedButtons())
        if (b->Visible())
            DrawButton(c, b);
}

void TToolBar::DrawButton(pellamo::Canvas& c, TToolButton* b)
{
    TCustomDrawState state = 0;
    bool dropped = b == DroppedButton();
    if (b->Pressed() || dropped)
        state |= cdsSelected;
    if (b->Down())
        state |= cdsChecked;
    if (b->Hot())
        state |= cdsHot;
    if (!b->Enabled())
        state |= cdsDisabled | cdsGrayed;
    bool default_draw = true;
    int saved = c.SaveState();
    CustomDrawButton(b, state, default_draw);
    c.RestoreState(saved);
    if (!default_draw)
        return;

    Rect r = b->BoundsRect();
    c.brush.style = BrushStyle::Solid;
    if (b->IsSeparator()) {
        if (b->Style() == TToolButtonStyle::tbsDivider || m_flat) {
            int x = r.left + r.Width() / 2 - 1;
            Edge(c, { x, r.top + 2, x + 2, r.bottom - 2 }, false);
        }
        return;
    }
    bool sunken = (state & (cdsSelected | cdsChecked)) != 0;
    if (sunken)
        Edge(c, r, false);
    else if (!m_flat || (state & cdsHot))
        Edge(c, r, true);

    int offset = sunken ? 1 : 0;
    if (b->Style() == TToolButtonStyle::tbsDropDown) {
        r.right -= kToolButtonArrowWidth;
        if (sunken || !m_flat || (state & cdsHot))
            Edge(c, { r.right - 1, r.top + 2, r.right + 1, r.bottom - 2 }, false);
        DropArrow(c, r.right + kToolButtonArrowWidth + offset, r.top + r.Height() / 2 + offset);
    }
    std::string caption = b->DisplayCaption();
    TImageList* images = (state & cdsHot) && m_hot_images ? m_hot_images : m_images;
    bool show_text = m_show_captions || b->MenuItem();
    bool show_image = images && b->ImageIndex() >= 0 && b->ImageIndex() < images->Count();
    c.font = Font().GetFont();
    c.font.color = SystemColors::Resolve(b->Enabled() ? clBtnText : clGrayText);
    int text_height = show_text ? c.TextHeight("Wg") : 0;
    Rect text;
    if (m_list) {
        // The image at the left, the caption beside it, both centred down.
        int left = r.left + 4 + offset;
        if (show_image)
            images->Draw(c, left, r.top + (r.Height() - images->Height()) / 2 + offset, b->ImageIndex(), b->Enabled());
        if (m_images)
            left += m_images->Width() + 3;
        int top = r.top + (r.Height() - text_height) / 2 + offset;
        text = { left, top, r.right + offset, top + text_height };
    } else {
        int content = (show_image ? images->Height() : 0) + (show_image && show_text ? 2 : 0) + text_height;
        int top = r.top + (r.Height() - content) / 2 + offset;
        if (show_image) {
            images->Draw(c, r.left + (r.Width() - images->Width()) / 2 + offset, top, b->ImageIndex(), b->Enabled());
            top += images->Height() + 2;
        }
        text = { r.left + offset, top, r.right + offset, top + text_height };
    }
    if (show_text) {
        c.brush.style = BrushStyle::Clear;
        c.DrawText(caption, text, (m_list ? kTextLeft : kTextCenter) | kTextSingleLine);
        c.brush.style = BrushStyle::Solid;
    }
}

TToolButton* TToolBar::MenuButtonAt(Point screen) const
{
    Point p = ScreenToClient(screen);
    for (TToolButton* b : OrderedButtons())
        if (DropsMenu(b) && b->BoundsRect().Contains(p))
            return b;
    return nullptr;
}

void TToolBar::DropButtonMenu(TToolButton* button, bool select_first)
{
    if (!DropsMenu(button) || button->ToolBar() != this)
        return;
    if (m_drop && m_drop->IsOpen()) {
        m_switching = true;
        m_drop->CloseAll(nullptr);
        m_switching = false;
    }
    if (m_drop_button)
        m_drop_button->m_pressed = false;
    m_drop_button = button;
    button->m_pressed = true;
    Rect r = button->BoundsRect();
    Point tl = ClientToScreen({ r.left, r.top });
    Rect screen_rect = Rect::FromSize(tl.x, tl.y, r.Width(), r.Height());
    // The previous chain may be on the call stack (a switch by the mouse).
    std::unique_ptr<TMenuWindow> previous = std::move(m_drop);
    m_drop = std::make_unique<TMenuWindow>(*button->MenuItem(), Point { screen_rect.left, screen_rect.bottom },
        static_cast<TMenuWindow::Host*>(this), screen_rect);
    if (select_first)
        for (int i = 0; i < button->MenuItem()->Count() && m_drop->HotIndex() < 0; ++i)
            m_drop->SetHot(i);
    Invalidate();
    if (previous)
        Windows().Loop().Post([dead = previous.release()] { delete dead; });
}

void TToolBar::CloseMenu()
{
    if (m_drop && m_drop->IsOpen())
        m_drop->CloseAll(nullptr);
}

bool TToolBar::MenuOutsideMouse(UINT msg, Point screen)
{
    TToolButton* b = MenuButtonAt(screen);
    if (!b)
        return false;
    if (msg == WM_MOUSEMOVE) {
        if (b != m_drop_button)
            DropButtonMenu(b, false);
    } else if (msg == WM_LBUTTONDOWN) {
        if (b == m_drop_button)
            CloseMenu();
        else
            DropButtonMenu(b, false);
    }
    return true;
}

void TToolBar::MenuSideways(int dir)
{
    std::vector<TToolButton*> menus;
    for (TToolButton* b : OrderedButtons())
        if (DropsMenu(b))
            menus.push_back(b);
    auto it = std::find(menus.begin(), menus.end(), m_drop_button);
    if (menus.size() < 2 || it == menus.end())
        return;
    int n = static_cast<int>(menus.size());
    int i = static_cast<int>(it - menus.begin());
    DropButtonMenu(menus[static_cast<size_t>((i + dir + n) % n)], true);
}

void TToolBar::MenuClosed(TMenuItem*)
{
    if (m_switching)
        return;
    if (m_drop_button)
        m_drop_button->m_pressed = false;
    m_drop_button = nullptr;
    Invalidate();
}

}
