#include "skin/buttons/button_state.h"

#include "platform/window/messages.h"

namespace pellamo {

namespace {

bool IsPressKey(unsigned key) { return key == VK_SPACE || key == VK_RETURN; }

}

ButtonFace ButtonState::Face(bool enabled) const
{
    if (!enabled)
        return ButtonFace::Disabled;
    if (pressed_)
        return ButtonFace::MouseDown;
    return hover_ ? ButtonFace::MouseOn : ButtonFace::Normal;
}

unsigned ButtonState::Set(bool hover, bool pressed)
{
    bool changed = hover != hover_ || pressed != pressed_;
    hover_ = hover;
    pressed_ = pressed;
    return changed ? kRepaint : kNothing;
}

unsigned ButtonState::PointerEnter(bool designing)
{
    if (designing)
        return kNothing;
    return Set(true, pressed_) | kFireEnter;
}

unsigned ButtonState::PointerLeave()
{
    mouse_held_ = false;
    return Set(false, false) | kStopRepeat | kFireExit;
}

unsigned ButtonState::PointerMove(int x, int y, int width, int height)
{
    bool inside = x >= 0 && y >= 0 && x <= width && y <= height;
    if (!inside)
        return Set(false, false);
    if (mouse_held_)
        return Set(true, true);
    return kNothing;
}

unsigned ButtonState::LeftDown()
{
    mouse_held_ = true;
    return Set(hover_, true) | kStartRepeat | kTakeFocus;
}

unsigned ButtonState::LeftUp()
{
    mouse_held_ = false;
    return Set(hover_, false) | kStopRepeat;
}

unsigned ButtonState::KeyDown(unsigned key, bool focused, bool enabled)
{
    if (!IsPressKey(key) || !focused || !enabled)
        return kNothing;
    return Set(hover_, true);
}

unsigned ButtonState::KeyUp(unsigned key, bool focused, bool enabled)
{
    if (!IsPressKey(key) || !focused || !pressed_ || !enabled)
        return kNothing;
    return Set(hover_, false) | kClick;
}

unsigned ButtonState::Clicked()
{
    if (!pressed_)
        return kNothing;
    return Set(hover_, false) | kStopRepeat;
}

unsigned ButtonState::Interrupted()
{
    if (mouse_held_)
        return kNothing;
    return Set(hover_, false);
}

}
