#pragma once

// Builders for the published-property lists that classes declare next to
// themselves, for example:
//
//   const ClassInfo& TSample::StaticClass()
//   {
//       static const ClassInfo info("TSample", &TComponent::StaticClass(), {
//           props::Int<TSample>("Width", &TSample::Width, &TSample::SetWidth),
//           props::Enum<TSample>("Align", AlignNames(), &TSample::align_),
//           props::Object<TSample>("Font", &TSample::font_),
//           props::Event<TSample>("OnClick", &TSample::OnClick),
//       }, FactoryOf<TSample>());
//       return info;
//   }
//
// An accessor is a getter and a setter (member functions of the class or an
// ancestor) or one data member used for both.

#include "platform/components/class_info.h"
#include "platform/components/collection.h"
#include "platform/components/component.h"
#include "platform/components/component_errors.h"
#include "platform/components/enum_info.h"
#include "platform/components/enum_set.h"
#include "platform/components/event.h"
#include "platform/components/persistent.h"

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>

namespace pellamo {

namespace props {

namespace detail {

template <class C> C& As(TPersistent& p) { return dynamic_cast<C&>(p); }

template <class C> C& AsMutable(const TPersistent& p) { return dynamic_cast<C&>(const_cast<TPersistent&>(p)); }

template <class C, class G> using ValueOf = std::remove_cvref_t<std::invoke_result_t<G, const C&>>;

template <class C, class G> decltype(auto) Read(const TPersistent& p, G get)
{
    return std::invoke(get, dynamic_cast<const C&>(p));
}

template <class C, class S, class V> void Write(TPersistent& p, S set, V&& value)
{
    C& c = As<C>(p);
    if constexpr (std::is_member_object_pointer_v<S>)
        c.*set = std::forward<V>(value);
    else
        std::invoke(set, c, std::forward<V>(value));
}

template <class T> struct IsEnumSet : std::false_type {
};
template <class E> struct IsEnumSet<EnumSet<E>> : std::true_type {
};

template <class C, class G> PropInfo Ordinal(std::string name, PropKind kind, G get)
{
    PropInfo p;
    p.name = std::move(name);
    p.kind = kind;
    p.get_ord = [get](const TPersistent& o) -> std::int64_t {
        using V = ValueOf<C, G>;
        decltype(auto) v = Read<C>(o, get);
        if constexpr (IsEnumSet<V>::value)
            return static_cast<std::int64_t>(v.Bits());
        else if constexpr (std::is_enum_v<V>)
            return static_cast<std::int64_t>(static_cast<std::underlying_type_t<V>>(v));
        else
            return static_cast<std::int64_t>(v);
    };
    return p;
}

template <class C, class V, class S> std::function<void(TPersistent&, std::int64_t)> OrdinalSetter(S set)
{
    return [set](TPersistent& o, std::int64_t v) {
        if constexpr (IsEnumSet<V>::value)
            Write<C>(o, set, V::FromBits(static_cast<std::uint64_t>(v)));
        else if constexpr (std::is_enum_v<V>)
            Write<C>(o, set, static_cast<V>(static_cast<std::underlying_type_t<V>>(v)));
        else
            Write<C>(o, set, static_cast<V>(v));
    };
}

template <class C, class G> TPersistent* SubObject(const TPersistent& o, G get)
{
    decltype(auto) r = std::invoke(get, AsMutable<C>(o));
    if constexpr (std::is_pointer_v<std::remove_cvref_t<decltype(r)>>)
        return r;
    else
        return &r;
}

}

template <class C, class G, class S> PropInfo Int(std::string name, G get, S set)
{
    using V = detail::ValueOf<C, G>;
    static_assert(std::is_integral_v<V> && !std::is_same_v<V, bool>, "integer property");
    PropInfo p = detail::Ordinal<C>(std::move(name), PropKind::Integer, get);
    p.min_value = static_cast<std::int64_t>(std::numeric_limits<V>::min());
    p.max_value = std::numeric_limits<V>::max() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
        ? std::numeric_limits<std::int64_t>::max()
        : static_cast<std::int64_t>(std::numeric_limits<V>::max());
    p.set_ord = detail::OrdinalSetter<C, V>(set);
    return p;
}
template <class C, class F> PropInfo Int(std::string name, F field) { return Int<C>(std::move(name), field, field); }

template <class C, class G, class S> PropInfo Bool(std::string name, G get, S set)
{
    using V = detail::ValueOf<C, G>;
    static_assert(std::is_same_v<V, bool>, "Boolean property");
    PropInfo p = detail::Ordinal<C>(std::move(name), PropKind::Boolean, get);
    p.min_value = 0;
    p.max_value = 1;
    p.set_ord = [set](TPersistent& o, std::int64_t v) { detail::Write<C>(o, set, v != 0); };
    return p;
}
template <class C, class F> PropInfo Bool(std::string name, F field) { return Bool<C>(std::move(name), field, field); }

// A double; descriptions write it with a decimal point or an exponent
// (integers are taken too).
template <class C, class G, class S> PropInfo Float(std::string name, G get, S set)
{
    using V = detail::ValueOf<C, G>;
    static_assert(std::is_same_v<V, double>, "floating-point property holds a double");
    PropInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Float;
    p.get_float = [get](const TPersistent& o) -> double { return detail::Read<C>(o, get); };
    p.set_float = [set](TPersistent& o, double v) { detail::Write<C>(o, set, v); };
    return p;
}
template <class C, class F> PropInfo Float(std::string name, F field)
{
    return Float<C>(std::move(name), field, field);
}

// TColor values (32-bit); descriptions may use colour names.
template <class C, class G, class S> PropInfo Color(std::string name, G get, S set)
{
    using V = detail::ValueOf<C, G>;
    static_assert(std::is_same_v<V, std::int32_t>, "colour property holds a TColor");
    PropInfo p = detail::Ordinal<C>(std::move(name), PropKind::Color, get);
    p.min_value = std::numeric_limits<std::int32_t>::min();
    p.max_value = std::numeric_limits<std::int32_t>::max();
    p.set_ord = detail::OrdinalSetter<C, V>(set);
    return p;
}
template <class C, class F> PropInfo Color(std::string name, F field)
{
    return Color<C>(std::move(name), field, field);
}

template <class C, class G, class S> PropInfo Enum(std::string name, const EnumInfo& info, G get, S set)
{
    using V = detail::ValueOf<C, G>;
    static_assert(std::is_enum_v<V>, "enumeration property");
    PropInfo p = detail::Ordinal<C>(std::move(name), PropKind::Enumeration, get);
    p.enum_info = &info;
    p.min_value = 0;
    p.max_value = info.Count() - 1;
    p.set_ord = detail::OrdinalSetter<C, V>(set);
    return p;
}
template <class C, class F> PropInfo Enum(std::string name, const EnumInfo& info, F field)
{
    return Enum<C>(std::move(name), info, field, field);
}

// A set of the values of `info`, held in an EnumSet (or an integer mask).
template <class C, class G, class S> PropInfo Set(std::string name, const EnumInfo& info, G get, S set)
{
    using V = detail::ValueOf<C, G>;
    PropInfo p = detail::Ordinal<C>(std::move(name), PropKind::Set, get);
    p.enum_info = &info;
    p.set_ord = detail::OrdinalSetter<C, V>(set);
    return p;
}
template <class C, class F> PropInfo Set(std::string name, const EnumInfo& info, F field)
{
    return Set<C>(std::move(name), info, field, field);
}

template <class C, class G, class S> PropInfo Str(std::string name, G get, S set)
{
    PropInfo p;
    p.name = std::move(name);
    p.kind = PropKind::String;
    p.get_str = [get](const TPersistent& o) { return std::string(detail::Read<C>(o, get)); };
    p.set_str = [set](TPersistent& o, const std::string& v) { detail::Write<C>(o, set, v); };
    return p;
}
template <class C, class F> PropInfo Str(std::string name, F field) { return Str<C>(std::move(name), field, field); }

template <class C, class G, class S> PropInfo Binary(std::string name, G get, S set)
{
    PropInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Binary;
    p.get_bytes = [get](const TPersistent& o) { return Bytes(detail::Read<C>(o, get)); };
    p.set_bytes = [set](TPersistent& o, const Bytes& v) { detail::Write<C>(o, set, v); };
    return p;
}
template <class C, class F> PropInfo Binary(std::string name, F field)
{
    return Binary<C>(std::move(name), field, field);
}

// A reference to a component of class T (or derived), not owned.
template <class C, class T, class G, class S> PropInfo Ref(std::string name, G get, S set)
{
    PropInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Component;
    p.ref_class = &T::StaticClass;
    p.get_component = [get](const TPersistent& o) -> TComponent* { return detail::Read<C>(o, get); };
    p.set_component = [set](TPersistent& o, TComponent* c) {
        T* t = dynamic_cast<T*>(c);
        if (c && !t)
            throw EPropertyError("Component " + c->ClassName() + " is not a " + T::StaticClass().Name());
        detail::Write<C>(o, set, t);
    };
    return p;
}
template <class C, class T, class F> PropInfo Ref(std::string name, F field)
{
    return Ref<C, T>(std::move(name), field, field);
}

// An owned sub-object: `get` yields it (pointer or reference, never null).
template <class C, class G> PropInfo Object(std::string name, G get)
{
    PropInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Object;
    p.get_object = [get](const TPersistent& o) { return detail::SubObject<C>(o, get); };
    return p;
}

// An owned TCollection.
template <class C, class G> PropInfo Collection(std::string name, G get)
{
    PropInfo p = Object<C>(std::move(name), get);
    p.kind = PropKind::Collection;
    return p;
}

// A TEvent data member of the class or an ancestor.
template <class C, class B, class... Args> PropInfo Event(std::string name, TEvent<Args...> B::*field)
{
    PropInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Event;
    p.get_handler_name = [field](const TPersistent& o) { return (dynamic_cast<const C&>(o).*field).HandlerName(); };
    p.set_handler = [field](TPersistent& o, const std::string& handler_name, const std::any* handler) {
        auto& event = detail::As<C>(o).*field;
        if (!handler) {
            event.Clear();
            return true;
        }
        auto* fn = std::any_cast<typename TEvent<Args...>::Handler>(handler);
        if (!fn)
            return false;
        event.Bind(handler_name, *fn);
        return true;
    };
    return p;
}

// An event that lives elsewhere (a part the component owns): `get` yields
// the TEvent from the component.
template <class C, class G> PropInfo EventAt(std::string name, G get)
{
    using E = std::remove_reference_t<std::invoke_result_t<G, C&>>;
    PropInfo p;
    p.name = std::move(name);
    p.kind = PropKind::Event;
    p.get_handler_name = [get](const TPersistent& o) {
        return std::invoke(get, const_cast<C&>(dynamic_cast<const C&>(o))).HandlerName();
    };
    p.set_handler = [get](TPersistent& o, const std::string& handler_name, const std::any* handler) {
        E& event = std::invoke(get, detail::As<C>(o));
        if (!handler) {
            event.Clear();
            return true;
        }
        auto* fn = std::any_cast<typename E::Handler>(handler);
        if (!fn)
            return false;
        event.Bind(handler_name, *fn);
        return true;
    };
    return p;
}

// Adds a "stored" test to a property: a writer leaves the value out when
// it returns false.
template <class C, class F> PropInfo Stored(PropInfo p, F stored)
{
    p.stored
        = [stored](const TPersistent& o) { return static_cast<bool>(std::invoke(stored, dynamic_cast<const C&>(o))); };
    return p;
}

}

}
