#include "platform/components/controls/menu_bar_keys.h"

#include "platform/backend/display_backend.h"
#include "platform/components/controls/menu.h"

namespace pellamo {

int MenuBarKeys::NextSelectable(const Bar& bar, int from, int dir)
{
    int count = bar.BarMenu().Items()->Count();
    int i = from;
    for (int step = 0; step < count; ++step) {
        i = i < 0 ? (dir > 0 ? 0 : count - 1) : (i + dir + count) % count;
        if (bar.BarItemSelectable(i))
            return i;
    }
    return -1;
}

void MenuBarKeys::Enter()
{
    m_in_bar = true;
    m_bar.SetBarHotItem(NextSelectable(m_bar, -1, 1));
}

void MenuBarKeys::Leave()
{
    bool was = m_in_bar;
    m_in_bar = false;
    if (was)
        m_bar.SetBarHotItem(-1);
}

void MenuBarKeys::Drop(int index)
{
    m_in_bar = false;
    m_bar.DropBarItem(index, true);
}

bool MenuBarKeys::Key(const MSG& msg, unsigned held)
{
    TMenu& menu = m_bar.BarMenu();
    switch (msg.message) {
    case WM_SYSKEYDOWN:
        if (msg.wParam == VK_MENU) {
            m_alt_pending = true;
            return false;
        }
        m_alt_pending = false;
        // Shift+F10 is the context menu's key, not the bar's.
        if (msg.wParam == VK_F10 && !(held & kModShift)) {
            if (m_in_bar)
                Leave();
            else
                Enter();
            return true;
        }
        break;
    case WM_SYSKEYUP:
        if (msg.wParam == VK_MENU && m_alt_pending) {
            m_alt_pending = false;
            if (m_in_bar)
                Leave();
            else
                Enter();
            return true;
        }
        return m_in_bar;
    case WM_SYSCHAR:
        if (msg.wParam < 0x80)
            if (TMenuItem* item = menu.Items()->FindByHotkey(static_cast<char>(msg.wParam))) {
                Drop(item->MenuIndex());
                return true;
            }
        return m_in_bar;
    default:
        m_alt_pending = m_alt_pending && msg.message != WM_KEYDOWN;
        break;
    }
    if (m_in_bar) {
        if (msg.message == WM_KEYDOWN) {
            switch (msg.wParam) {
            case VK_LEFT:
            case VK_RIGHT:
                m_bar.SetBarHotItem(NextSelectable(m_bar, m_bar.BarHotItem(), msg.wParam == VK_RIGHT ? 1 : -1));
                break;
            case VK_DOWN:
            case VK_RETURN:
                Drop(m_bar.BarHotItem());
                break;
            case VK_ESCAPE:
                Leave();
                break;
            default:
                break;
            }
            return true;
        }
        if (msg.message == WM_CHAR) {
            if (msg.wParam < 0x80)
                if (TMenuItem* item = menu.Items()->FindByHotkey(static_cast<char>(msg.wParam)))
                    Drop(item->MenuIndex());
            return true;
        }
        if (msg.message == WM_KEYUP)
            return true;
    }
    TShortCut shortcut = ShortCutOf(msg, held);
    return shortcut != scNone && menu.DispatchShortCut(shortcut);
}

TShortCut MenuBarKeys::ShortCutOf(const MSG& msg, unsigned held)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return scNone;
    UINT vk = static_cast<UINT>(msg.wParam);
    if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU)
        return scNone;
    TShortCut modifiers = ((held & kModShift) ? scShift : 0) | ((held & kModControl) ? scCtrl : 0)
        | ((held & kModAlt) || msg.message == WM_SYSKEYDOWN ? scAlt : 0);
    if (msg.message == WM_SYSKEYDOWN && vk == VK_F10)
        modifiers &= static_cast<TShortCut>(~scAlt);
    return ShortCut(vk, modifiers);
}

}
