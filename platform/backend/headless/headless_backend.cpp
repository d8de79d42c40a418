#include "platform/backend/headless/headless_backend.h"

#include <algorithm>

namespace pellamo {

namespace {

bool ShapeContains(const std::optional<std::vector<Rect>>& shape, Point p)
{
    if (!shape)
        return true;
    return std::any_of(shape->begin(), shape->end(), [&](const Rect& r) { return r.Contains(p); });
}

unsigned ButtonBit(MouseButton button)
{
    switch (button) {
    case MouseButton::Left:
        return kModLeftButton;
    case MouseButton::Right:
        return kModRightButton;
    case MouseButton::Middle:
        return kModMiddleButton;
    }
    return 0;
}

unsigned ModifierOfKey(unsigned vk)
{
    switch (vk) {
    case 0x10:
        return kModShift;
    case 0x11:
        return kModControl;
    case 0x12:
        return kModAlt;
    }
    return 0;
}

}

HeadlessBackend::HeadlessBackend(Size screen, Rect work_area)
    : m_screen(screen)
    , m_work_area(work_area)
{
}

DisplayWindowId HeadlessBackend::CreateWindow(const DisplayWindowParams& params)
{
    DisplayWindowId id = m_next_id++;
    WindowState& w = m_windows[id];
    w.bounds = params.bounds;
    w.title = params.title;
    w.popup = params.popup;
    w.topmost = params.topmost;
    w.pixels = Bitmap(std::max(0, params.bounds.Width()), std::max(0, params.bounds.Height()));
    m_z_order.push_back(id);
    return id;
}

void HeadlessBackend::DestroyWindow(DisplayWindowId id)
{
    m_windows.erase(id);
    m_z_order.erase(std::remove(m_z_order.begin(), m_z_order.end(), id), m_z_order.end());
    if (m_focus == id)
        m_focus = 0;
    if (m_capture == id)
        m_capture = 0;
    if (m_under_pointer == id)
        m_under_pointer = 0;
}

void HeadlessBackend::SetBounds(DisplayWindowId id, const Rect& bounds)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end())
        return;
    it->second.bounds = bounds;
    it->second.pixels.Resize(std::max(0, bounds.Width()), std::max(0, bounds.Height()));
}

void HeadlessBackend::SetTitle(DisplayWindowId id, const std::string& title)
{
    if (auto it = m_windows.find(id); it != m_windows.end())
        it->second.title = title;
}

void HeadlessBackend::Show(DisplayWindowId id, bool show)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end())
        return;
    it->second.visible = show;
    if (show)
        it->second.minimized = false;
    if (show)
        Raise(id);
    else if (m_focus == id)
        m_focus = 0;
}

void HeadlessBackend::Minimize(DisplayWindowId id)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end())
        return;
    it->second.minimized = true;
    if (m_focus == id)
        m_focus = 0;
}

void HeadlessBackend::Activate(DisplayWindowId id)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end() || it->second.popup)
        return;
    Raise(id);
    m_focus = id;
}

void HeadlessBackend::Raise(DisplayWindowId id)
{
    auto it = std::find(m_z_order.begin(), m_z_order.end(), id);
    if (it == m_z_order.end())
        return;
    m_z_order.erase(it);
    // Top-most windows stay above the others.
    auto pos = m_z_order.end();
    if (!m_windows[id].topmost) {
        pos = std::find_if(
            m_z_order.begin(), m_z_order.end(), [&](DisplayWindowId other) { return m_windows[other].topmost; });
    }
    m_z_order.insert(pos, id);
}

void HeadlessBackend::SetShape(DisplayWindowId id, const std::optional<std::vector<Rect>>& rects)
{
    if (auto it = m_windows.find(id); it != m_windows.end())
        it->second.shape = rects;
}

void HeadlessBackend::Present(DisplayWindowId id, const Bitmap& pixels, const Rect& dirty)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end())
        return;
    Bitmap& own = it->second.pixels;
    Rect area
        = dirty.Intersect({ 0, 0, own.Width(), own.Height() }).Intersect({ 0, 0, pixels.Width(), pixels.Height() });
    for (int y = area.top; y < area.bottom; ++y)
        std::copy(pixels.Row(y) + area.left, pixels.Row(y) + area.right, own.Row(y) + area.left);
    ++it->second.presents;
}

bool HeadlessBackend::OpenUrl(const std::string& url)
{
    if (url.empty())
        return false;
    m_opened_urls.push_back(url);
    return true;
}

void HeadlessBackend::SetCursor(DisplayWindowId id, CursorShape shape)
{
    if (auto it = m_windows.find(id); it != m_windows.end())
        it->second.cursor = shape;
}

void HeadlessBackend::SetAcceptDrops(DisplayWindowId id, bool accept)
{
    if (auto it = m_windows.find(id); it != m_windows.end())
        it->second.accepts_drops = accept;
}

bool HeadlessBackend::Drop(Point screen, std::vector<std::string> items)
{
    DisplayWindowId target = WindowAt(screen);
    if (target == 0 || !m_windows.at(target).accepts_drops)
        return false;
    DisplayEvent e;
    e.type = DisplayEvent::Type::Drop;
    e.window = target;
    e.screen = screen;
    e.items = std::move(items);
    Emit(e);
    return true;
}

const HeadlessBackend::WindowState* HeadlessBackend::Window(DisplayWindowId id) const
{
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : &it->second;
}

DisplayWindowId HeadlessBackend::WindowAt(Point screen) const
{
    for (auto it = m_z_order.rbegin(); it != m_z_order.rend(); ++it) {
        const WindowState& w = m_windows.at(*it);
        if (!w.visible || w.minimized || !w.bounds.Contains(screen))
            continue;
        if (ShapeContains(w.shape, { screen.x - w.bounds.left, screen.y - w.bounds.top }))
            return *it;
    }
    return 0;
}

Bitmap HeadlessBackend::Screenshot() const
{
    Bitmap screen(m_screen.cx, m_screen.cy, m_desktop);
    for (DisplayWindowId id : m_z_order) {
        const WindowState& w = m_windows.at(id);
        if (!w.visible || w.minimized)
            continue;
        // Whole runs of a row at once: tests take many screenshots, and a
        // per-pixel shape test made each one slow.
        Rect painted { w.bounds.left, w.bounds.top, w.bounds.left + w.pixels.Width(),
            w.bounds.top + w.pixels.Height() };
        Rect area = w.bounds.Intersect(painted).Intersect({ 0, 0, m_screen.cx, m_screen.cy });
        for (int y = area.top; y < area.bottom; ++y) {
            Pixel* out = screen.Row(y);
            const Pixel* in = w.pixels.Row(y - w.bounds.top);
            auto copy = [&](int from, int to) {
                if (from < to)
                    std::copy(in + (from - w.bounds.left), in + (to - w.bounds.left), out + from);
            };
            if (!w.shape) {
                copy(area.left, area.right);
                continue;
            }
            int local_y = y - w.bounds.top;
            for (const Rect& r : *w.shape)
                if (local_y >= r.top && local_y < r.bottom)
                    copy(std::max(area.left, r.left + w.bounds.left), std::min(area.right, r.right + w.bounds.left));
        }
    }
    return screen;
}

void HeadlessBackend::Emit(DisplayEvent event)
{
    if (m_sink)
        m_sink(event);
}

unsigned HeadlessBackend::ButtonModifiers() const { return m_buttons | m_key_modifiers; }

DisplayWindowId HeadlessBackend::PointerTarget() const
{
    if (m_capture != 0)
        return m_capture;
    if (m_buttons != 0)
        return m_under_pointer;
    return WindowAt(m_cursor);
}

void HeadlessBackend::UpdateUnderPointer()
{
    // While a button is held the window under the press keeps the pointer,
    // as an X server's implicit grab does; it learns of a leave afterwards.
    if (m_capture != 0 || m_buttons != 0)
        return;
    DisplayWindowId under = WindowAt(m_cursor);
    if (under != m_under_pointer && m_under_pointer != 0 && m_windows.count(m_under_pointer)) {
        DisplayEvent leave;
        leave.type = DisplayEvent::Type::PointerLeave;
        leave.window = m_under_pointer;
        leave.screen = m_cursor;
        leave.modifiers = ButtonModifiers();
        Emit(leave);
    }
    m_under_pointer = under;
}

void HeadlessBackend::MoveMouse(Point screen)
{
    m_cursor = screen;
    UpdateUnderPointer();
    DisplayWindowId target = PointerTarget();
    if (target == 0)
        return;
    DisplayEvent e;
    e.type = DisplayEvent::Type::MouseMove;
    e.window = target;
    e.screen = screen;
    e.modifiers = ButtonModifiers();
    Emit(e);
}

void HeadlessBackend::PressButton(MouseButton button)
{
    UpdateUnderPointer();
    DisplayWindowId target = PointerTarget();
    m_buttons |= ButtonBit(button);
    if (target == 0)
        return;
    DisplayEvent e;
    e.type = DisplayEvent::Type::ButtonDown;
    e.window = target;
    e.screen = m_cursor;
    e.button = button;
    e.modifiers = ButtonModifiers();
    Emit(e);
}

void HeadlessBackend::ReleaseButton(MouseButton button)
{
    DisplayWindowId target = PointerTarget();
    m_buttons &= ~ButtonBit(button);
    if (target != 0 && m_windows.count(target)) {
        DisplayEvent e;
        e.type = DisplayEvent::Type::ButtonUp;
        e.window = target;
        e.screen = m_cursor;
        e.button = button;
        e.modifiers = ButtonModifiers();
        Emit(e);
    }
    UpdateUnderPointer();
}

void HeadlessBackend::Click(Point screen, MouseButton button)
{
    MoveMouse(screen);
    PressButton(button);
    ReleaseButton(button);
}

void HeadlessBackend::Wheel(int delta)
{
    DisplayWindowId target = PointerTarget();
    if (target == 0)
        return;
    DisplayEvent e;
    e.type = DisplayEvent::Type::Wheel;
    e.window = target;
    e.screen = m_cursor;
    e.wheel_delta = delta;
    e.modifiers = ButtonModifiers();
    Emit(e);
}

void HeadlessBackend::KeyDown(unsigned vk, unsigned modifiers)
{
    m_key_modifiers |= ModifierOfKey(vk);
    EmitKey(DisplayEvent::Type::KeyDown, vk, modifiers);
}

void HeadlessBackend::KeyUp(unsigned vk, unsigned modifiers)
{
    m_key_modifiers &= ~ModifierOfKey(vk);
    EmitKey(DisplayEvent::Type::KeyUp, vk, modifiers);
}

void HeadlessBackend::EmitKey(DisplayEvent::Type type, unsigned vk, unsigned modifiers)
{
    if (m_focus == 0)
        return;
    DisplayEvent e;
    e.type = type;
    e.window = m_focus;
    e.vk = vk;
    e.modifiers = modifiers | m_key_modifiers | m_buttons;
    e.screen = m_cursor;
    Emit(e);
}

void HeadlessBackend::PressKey(unsigned vk, unsigned modifiers)
{
    KeyDown(vk, modifiers);
    KeyUp(vk, modifiers);
}

void HeadlessBackend::TypeText(const std::string& utf8)
{
    if (m_focus == 0)
        return;
    DisplayEvent e;
    e.type = DisplayEvent::Type::Text;
    e.window = m_focus;
    e.text = utf8;
    Emit(e);
}

void HeadlessBackend::RequestClose(DisplayWindowId id)
{
    DisplayEvent e;
    e.type = DisplayEvent::Type::CloseRequest;
    e.window = id;
    Emit(e);
}

void HeadlessBackend::SetFocusWindow(DisplayWindowId id)
{
    if (id == m_focus)
        return;
    DisplayWindowId old = m_focus;
    m_focus = id;
    if (old != 0) {
        DisplayEvent e;
        e.type = DisplayEvent::Type::FocusOut;
        e.window = old;
        Emit(e);
    }
    if (id != 0) {
        DisplayEvent e;
        e.type = DisplayEvent::Type::FocusIn;
        e.window = id;
        Emit(e);
    }
}

}
