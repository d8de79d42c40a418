#include "platform/window/key_messages.h"

#include "platform/backend/display_backend.h"

namespace pellamo {

KeyMessages TranslateKey(UINT vk, unsigned modifiers, bool down, bool repeat)
{
    KeyMessages k;
    bool alt = modifiers & kModAlt;
    bool control = modifiers & kModControl;
    bool sys = (alt && !control) || vk == VK_F10 || vk == VK_MENU;
    uint32_t bits = 1u | (alt ? 1u << 29 : 0u);
    if (down && repeat)
        bits |= 1u << 30;
    if (!down)
        bits |= (1u << 30) | (1u << 31);
    k.lparam = static_cast<int32_t>(bits);
    k.message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    if (!down)
        return k;
    if (k.message == WM_KEYDOWN && !control) {
        switch (vk) {
        case VK_RETURN:
            k.ch = '\r';
            break;
        case VK_ESCAPE:
            k.ch = 0x1B;
            break;
        case VK_BACK:
            k.ch = '\b';
            break;
        case VK_TAB:
            k.ch = '\t';
            break;
        }
        if (k.ch)
            k.char_message = WM_CHAR;
    } else if (k.message == WM_SYSKEYDOWN && alt) {
        if (vk == VK_SPACE || (vk >= '0' && vk <= '9'))
            k.ch = vk;
        else if (vk >= 'A' && vk <= 'Z')
            k.ch = (modifiers & kModShift) ? vk : vk + ('a' - 'A');
        if (k.ch)
            k.char_message = WM_SYSCHAR;
    }
    return k;
}

}
