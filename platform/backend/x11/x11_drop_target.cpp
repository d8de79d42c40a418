#include "platform/backend/x11/x11_drop_target.h"

#include "platform/backend/x11/x11_dropped_items.h"
#include "platform/backend/x11/x11_messages.h"

#include <X11/Xatom.h>

namespace pellamo {

namespace {

constexpr long kVersion = 5;
// Older sources speak a protocol without the parts relied on here.
constexpr long kOldestVersion = 3;
// Dropped data larger than this is not a list of files or links.
constexpr long kMaxDataLongs = 1 << 20;

}

X11DropTarget::X11DropTarget(Display* display, DropHandler on_drop)
    : display_(display)
    , on_drop_(std::move(on_drop))
{
    auto atom = [&](const char* name) { return XInternAtom(display_, name, False); };
    aware_atom_ = atom("XdndAware");
    enter_ = atom("XdndEnter");
    position_ = atom("XdndPosition");
    status_ = atom("XdndStatus");
    leave_ = atom("XdndLeave");
    drop_ = atom("XdndDrop");
    finished_ = atom("XdndFinished");
    selection_ = atom("XdndSelection");
    type_list_ = atom("XdndTypeList");
    action_copy_ = atom("XdndActionCopy");
    uri_list_ = atom("text/uri-list");
    moz_url_ = atom("text/x-moz-url");
    utf8_string_ = atom("UTF8_STRING");
    text_plain_utf8_ = atom("text/plain;charset=utf-8");
    text_plain_ = atom("text/plain");
    property_ = atom("PELLAMO_DROP");
}

void X11DropTarget::SetAware(::Window window, bool aware)
{
    if (aware) {
        long version = kVersion;
        XChangeProperty(
            display_, window, aware_atom_, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&version), 1);
        aware_.insert(window);
    } else {
        XDeleteProperty(display_, window, aware_atom_);
        aware_.erase(window);
    }
}

bool X11DropTarget::Handle(const XEvent& event)
{
    if (event.type == SelectionNotify && event.xselection.selection == selection_) {
        DataArrived(event.xselection);
        return true;
    }
    if (event.type != ClientMessage)
        return false;
    const XClientMessageEvent& message = event.xclient;
    if (message.message_type == enter_)
        Enter(message);
    else if (message.message_type == position_)
        Position(message);
    else if (message.message_type == leave_)
        source_ = None;
    else if (message.message_type == drop_)
        Drop(message);
    else
        return false;
    return true;
}

void X11DropTarget::Enter(const XClientMessageEvent& message)
{
    source_ = None;
    type_ = None;
    waiting_for_data_ = false;
    long version = (message.data.l[1] >> 24) & 0xFF;
    if (!Aware(message.window) || version < kOldestVersion)
        return;
    source_ = static_cast<::Window>(message.data.l[0]);
    target_ = message.window;
    std::vector<Atom> offered;
    if (message.data.l[1] & 1) {
        // More than three types: the source lists them on its window.
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(
                display_, source_, type_list_, 0, 1024, False, XA_ATOM, &type, &format, &count, &after, &data)
                == Success
            && data) {
            if (format == 32)
                offered.assign(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
            XFree(data);
        }
    } else {
        for (int i = 2; i <= 4; ++i)
            if (message.data.l[i])
                offered.push_back(static_cast<Atom>(message.data.l[i]));
    }
    type_ = ChooseType(offered);
}

Atom X11DropTarget::ChooseType(const std::vector<Atom>& offered) const
{
    for (Atom wanted :
        { uri_list_, moz_url_, utf8_string_, text_plain_utf8_, text_plain_, static_cast<Atom>(XA_STRING) })
        for (Atom a : offered)
            if (a == wanted)
                return a;
    return None;
}

void X11DropTarget::Position(const XClientMessageEvent& message)
{
    if (source_ == None || static_cast<::Window>(message.data.l[0]) != source_)
        return;
    root_ = { static_cast<int>((message.data.l[2] >> 16) & 0xFFFF), static_cast<int>(message.data.l[2] & 0xFFFF) };
    bool accept = type_ != None;
    // An empty rectangle: tell us of every move.
    SendToSource(status_, accept ? 1 : 0, 0, 0, accept ? static_cast<long>(action_copy_) : None);
}

void X11DropTarget::Drop(const XClientMessageEvent& message)
{
    if (source_ == None || static_cast<::Window>(message.data.l[0]) != source_)
        return;
    if (type_ == None) {
        Finish(false);
        return;
    }
    Time time = static_cast<Time>(message.data.l[2]);
    XDeleteProperty(display_, target_, property_);
    XConvertSelection(display_, selection_, type_, property_, target_, time ? time : CurrentTime);
    waiting_for_data_ = true;
}

void X11DropTarget::DataArrived(const XSelectionEvent& event)
{
    if (!waiting_for_data_ || event.requestor != target_)
        return;
    waiting_for_data_ = false;
    std::string data;
    if (event.property != None) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* bytes = nullptr;
        if (XGetWindowProperty(display_, target_, property_, 0, kMaxDataLongs, True, AnyPropertyType, &type, &format,
                &count, &after, &bytes)
                == Success
            && bytes) {
            if (format == 8)
                data.assign(reinterpret_cast<const char*>(bytes), count);
            XFree(bytes);
        }
    }
    DropFormat format = type_ == uri_list_ ? DropFormat::UriList
        : type_ == moz_url_                ? DropFormat::MozUrl
                                           : DropFormat::Text;
    std::vector<std::string> items = DroppedItems(format, data);
    ::Window target = target_;
    Point root = root_;
    Finish(!items.empty());
    if (!items.empty() && on_drop_)
        on_drop_(target, root, std::move(items));
}

void X11DropTarget::Finish(bool accepted)
{
    SendToSource(finished_, accepted ? 1 : 0, accepted ? static_cast<long>(action_copy_) : None, 0, 0);
    source_ = None;
    type_ = None;
}

void X11DropTarget::SendToSource(Atom type, long l1, long l2, long l3, long l4)
{
    SendClientMessage(display_, source_, type, { static_cast<long>(target_), l1, l2, l3, l4 });
}

}
