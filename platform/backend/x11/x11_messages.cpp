#include "platform/backend/x11/x11_messages.h"

namespace pellamo {

void SendClientMessage(Display* display, Window to, Atom type, const std::array<long, 5>& values)
{
    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.display = display;
    ev.xclient.window = to;
    ev.xclient.message_type = type;
    ev.xclient.format = 32;
    for (size_t i = 0; i < values.size(); ++i)
        ev.xclient.data.l[i] = values[i];
    XSendEvent(display, to, False, NoEventMask, &ev);
    XFlush(display);
}

void AnswerSelection(Display* display, const XSelectionRequestEvent& request, Atom property)
{
    XEvent reply {};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = request.display;
    reply.xselection.requestor = request.requestor;
    reply.xselection.selection = request.selection;
    reply.xselection.target = request.target;
    reply.xselection.time = request.time;
    reply.xselection.property = property;
    XSendEvent(display, request.requestor, False, NoEventMask, &reply);
    XFlush(display);
}

}
