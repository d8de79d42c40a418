#pragma once

// One published property: its name, its kind and the accessors that read and
// write it on an instance. Classes build these with the helpers of props.h.

#include <any>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace pellamo {

class ClassInfo;
class EnumInfo;
class TComponent;
class TPersistent;

using Bytes = std::vector<std::uint8_t>;

enum class PropKind {
    Integer,
    Float,
    Boolean,
    Enumeration,
    Color,
    String,
    Set,
    Component, // a reference to another component, not owned
    Object, // an owned sub-object (Font, Lines), addressed as Font.Name
    Collection, // an owned TCollection (Panels)
    Binary,
    Event,
};

// "integer", "Boolean", ... for error messages.
const char* PropKindName(PropKind kind);

struct PropInfo {
    std::string name;
    PropKind kind = PropKind::Integer;
    // Enumeration and Set: the value names.
    const EnumInfo* enum_info = nullptr;
    // Component: the class a referenced component must derive from (a
    // function, so a class may refer to its own kind).
    const ClassInfo& (*ref_class)() = nullptr;
    // Integer: the range of the underlying type.
    std::int64_t min_value = 0;
    std::int64_t max_value = 0;

    // Integer, Boolean, Enumeration, Color, Set (as a bit mask).
    std::function<std::int64_t(const TPersistent&)> get_ord;
    std::function<void(TPersistent&, std::int64_t)> set_ord;
    // Float.
    std::function<double(const TPersistent&)> get_float;
    std::function<void(TPersistent&, double)> set_float;
    // String.
    std::function<std::string(const TPersistent&)> get_str;
    std::function<void(TPersistent&, const std::string&)> set_str;
    // Component.
    std::function<TComponent*(const TPersistent&)> get_component;
    std::function<void(TPersistent&, TComponent*)> set_component;
    // Object and Collection: the sub-object itself (null only for an
    // absent optional part, which access by name reports).
    std::function<TPersistent*(const TPersistent&)> get_object;
    // Binary.
    std::function<Bytes(const TPersistent&)> get_bytes;
    std::function<void(TPersistent&, const Bytes&)> set_bytes;
    // Event: the bound handler's name, and binding. `handler` holds a
    // std::function of the event's signature, or is null to clear; returns
    // false when the handler has another signature.
    std::function<std::string(const TPersistent&)> get_handler_name;
    std::function<bool(TPersistent&, const std::string& name, const std::any* handler)> set_handler;

    // Whether a writer stores the value; absent means always.
    std::function<bool(const TPersistent&)> stored;
};

}
