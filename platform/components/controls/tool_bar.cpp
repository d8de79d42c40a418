#include "platform/components/controls/tool_bar.h"

#include "platform/components/controls/font.h"
#include "platform/components/controls/menu_item.h"
#include "platform/components/controls/tool_button.h"
#include "platform/components/props.h"
#include "platform/gfx/canvas.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_colors.h"
#include "platform/window/window_system.h"

#include <algorithm>

namespace pellamo {

namespace {

constexpr int kSeparatorWidth = 8;

bool DropsMenu(const TToolButton* b)
{
    return b && b->Visible() && b->Enabled() && b->MenuItem() && b->MenuItem()->Count() > 0;
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

const ClassInfo& TToolBar::StaticClass()
{
    using T = TToolBar;
    static const ClassInfo info("TToolBar", &TCustomControl::StaticClass(),
        {
            props::Bool<T>("AutoSize", &T::AutoSize, &T::SetAutoSize),
            props::Int<T>("ButtonHeight", &T::ButtonHeight, &T::SetButtonHeight),
            props::Int<T>("ButtonWidth", &T::ButtonWidth, &T::SetButtonWidth),
            props::Bool<T>("Flat", &T::Flat, &T::SetFlat),
            props::Bool<T>("ShowCaptions", &T::ShowCaptions, &T::SetShowCaptions),
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

int TToolBar::ButtonCount() const
{
    return static_cast<int>(OrderedButtons().size());
}

TToolButton* TToolBar::Buttons(int index) const
{
    return OrderedButtons().at(static_cast<size_t>(index));
}

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

void TToolBar::SetImages(ImageList* images)
{
    m_images = images;
    ArrangeButtons();
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
        width = std::max(width, c.TextWidth(StripHotkey(button->DisplayCaption())) + 12);
    }
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

void TToolBar::Paint()
{
    pellamo::Canvas& c = Canvas();
    bool default_draw = true;
    Rect client = ClientRect();
    OnCustomDraw(this, client, default_draw);
    if (default_draw) {
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
    OnCustomDrawButton(this, b, state, default_draw);
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
    std::string caption = b->DisplayCaption();
    bool show_text = m_show_captions || b->MenuItem();
    bool show_image = m_images && b->ImageIndex() >= 0 && b->ImageIndex() < m_images->Count();
    int text_height = show_text ? c.TextHeight("Wg") : 0;
    int content = (show_image ? m_images->Height() : 0) + (show_image && show_text ? 2 : 0) + text_height;
    int top = r.top + (r.Height() - content) / 2 + offset;
    if (show_image) {
        m_images->Draw(c, r.left + (r.Width() - m_images->Width()) / 2 + offset, top, b->ImageIndex(), b->Enabled());
        top += m_images->Height() + 2;
    }
    if (show_text) {
        c.font = Font().GetFont();
        c.font.color = SystemColors::Resolve(b->Enabled() ? clBtnText : clGrayText);
        c.brush.style = BrushStyle::Clear;
        Rect text { r.left + offset, top, r.right + offset, top + text_height };
        c.DrawText(caption, text, kTextCenter | kTextSingleLine);
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
