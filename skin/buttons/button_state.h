#pragma once

// The pointer and key states of a skinned button, apart from any window:
// each event changes the hover and pressed flags and says what the button
// must do about it (repaint, start or stop its repeat timer, fire an event,
// take the focus, click). The button feeds it the messages it receives.
//
// Pressed means the left button or Space/Enter is held on the button, with
// the pointer over it. Dragging off clears it and dragging back while the
// mouse button is still held sets it again, so the repeat (ticks of
// OnMouseContinuouslyDown) runs only while the pointer is held over the
// button, with the pointer captured or not.

namespace pellamo {

enum class ButtonFace { Normal, MouseOn, MouseDown, Disabled };

class ButtonState {
public:
    enum Action : unsigned {
        kNothing = 0,
        kRepaint = 1u << 0,
        kStartRepeat = 1u << 1,
        kStopRepeat = 1u << 2,
        kFireEnter = 1u << 3,
        kFireExit = 1u << 4,
        kTakeFocus = 1u << 5,
        kClick = 1u << 6,
    };

    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }
    // The picture to show: disabled, then pressed, then hover, then normal.
    ButtonFace Face(bool enabled) const;
    // Whether a tick of the repeat timer fires OnMouseContinuouslyDown now.
    bool Repeating(bool enabled) const { return enabled && pressed_ && mouse_held_; }

    unsigned PointerEnter(bool designing);
    unsigned PointerLeave();
    // (x, y) in client coordinates of a button of the given size; x = width
    // and y = height still count as inside.
    unsigned PointerMove(int x, int y, int width, int height);
    unsigned LeftDown();
    unsigned LeftUp();
    // Space or Enter (other keys change nothing).
    unsigned KeyDown(unsigned key, bool focused, bool enabled);
    unsigned KeyUp(unsigned key, bool focused, bool enabled);
    // A click by any path: mouse release, key, accelerator, code.
    unsigned Clicked();
    // Focus left, or the button was disabled: a press that a key began ends
    // without a click; the mouse's own press ends at its release.
    unsigned Interrupted();

private:
    unsigned Set(bool hover, bool pressed);
    bool hover_ = false;
    bool pressed_ = false;
    bool mouse_held_ = false; // the left button went down on this button and is still down
};

}
