#pragma once

#include "platform/gfx/geometry.h"

#include <X11/Xlib.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace pellamo {

// The receiving side of the X drag-and-drop protocol (XDND, version 5) for
// our top-level windows: it answers the source's enter, position, leave
// and drop messages, fetches the dropped data through the XdndSelection
// and hands it on as a list of items (the URIs of a text/uri-list, or the
// lines of dropped text).
class X11DropTarget {
public:
    using DropHandler = std::function<void(::Window target, Point root, std::vector<std::string> items)>;

    X11DropTarget(Display* display, DropHandler on_drop);

    // Announces (XdndAware) or withdraws a window's willingness to take drops.
    void SetAware(::Window window, bool aware);
    bool Aware(::Window window) const { return aware_.count(window) != 0; }
    // Handles the event when it belongs to the protocol; false otherwise.
    bool Handle(const XEvent& event);

private:
    void Enter(const XClientMessageEvent& message);
    void Position(const XClientMessageEvent& message);
    void Drop(const XClientMessageEvent& message);
    void DataArrived(const XSelectionEvent& event);
    void SendToSource(Atom type, long l1, long l2, long l3, long l4);
    void Finish(bool accepted);
    Atom ChooseType(const std::vector<Atom>& offered) const;

    Display* display_;
    DropHandler on_drop_;
    std::set<::Window> aware_;
    Atom aware_atom_, enter_, position_, status_, leave_, drop_, finished_, selection_, type_list_, action_copy_,
        uri_list_, moz_url_, utf8_string_, text_plain_utf8_, text_plain_, property_;

    // The drag under way.
    ::Window source_ = None;
    ::Window target_ = None;
    Atom type_ = None;
    Point root_;
    bool waiting_for_data_ = false;
};

}
