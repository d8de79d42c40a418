#pragma once

// Small X messages that both ends of a data transfer send.

#include <X11/Xlib.h>

#include <array>

namespace pellamo {

// A 32-bit client message of `type` to the window `to`, with its five values.
void SendClientMessage(Display* display, Window to, Atom type, const std::array<long, 5>& values);

// Answers a selection request: `property` is where the data was put, None
// refuses the request.
void AnswerSelection(Display* display, const XSelectionRequestEvent& request, Atom property);

}
