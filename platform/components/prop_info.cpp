#include "platform/components/prop_info.h"

namespace pellamo {

const char* PropKindName(PropKind kind)
{
    switch (kind) {
    case PropKind::Integer:
        return "an integer";
    case PropKind::Float:
        return "a floating-point number";
    case PropKind::Boolean:
        return "a Boolean";
    case PropKind::Enumeration:
        return "an enumeration";
    case PropKind::Color:
        return "a colour";
    case PropKind::String:
        return "a string";
    case PropKind::Set:
        return "a set";
    case PropKind::Component:
        return "a component reference";
    case PropKind::Object:
        return "an object";
    case PropKind::Collection:
        return "a collection";
    case PropKind::Binary:
        return "binary data";
    case PropKind::Event:
        return "an event";
    }
    return "unknown";
}

}
