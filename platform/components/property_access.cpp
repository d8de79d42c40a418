#include "platform/components/property_access.h"

#include "platform/components/class_info.h"
#include "platform/components/component.h"
#include "platform/components/component_errors.h"
#include "platform/components/enum_info.h"

namespace pellamo {

namespace {

constexpr int kMaxPathParts = 16;

[[noreturn]] void Missing(const TPersistent& object, std::string_view path)
{
    throw EPropertyError("Property \"" + std::string(path) + "\" does not exist in " + object.ClassName());
}

[[noreturn]] void WrongKind(const TPersistent& object, std::string_view path, const PropInfo& info, const char* wanted)
{
    throw EPropertyError("Property \"" + std::string(path) + "\" of " + object.ClassName() + " is "
        + PropKindName(info.kind) + ", not " + wanted);
}

// Walks the path; null info when a part is missing.
PropTarget Walk(const TPersistent& start, std::string_view path, bool throw_missing)
{
    TPersistent* object = const_cast<TPersistent*>(&start);
    std::string_view rest = path;
    for (int part = 0; part < kMaxPathParts; ++part) {
        size_t dot = rest.find('.');
        std::string_view name = rest.substr(0, dot);
        const PropInfo* info = object->Class().FindProp(name);
        if (!info) {
            if (throw_missing)
                Missing(start, path);
            return { object, nullptr };
        }
        if (dot == std::string_view::npos)
            return { object, info };
        if (info->kind != PropKind::Object && info->kind != PropKind::Collection) {
            if (throw_missing)
                throw EPropertyError("Property \"" + std::string(path.substr(0, path.size() - rest.size() + dot))
                    + "\" of " + start.ClassName() + " is " + PropKindName(info->kind) + ", not an object");
            return { object, nullptr };
        }
        object = info->get_object(*object);
        if (!object) {
            if (throw_missing)
                throw EPropertyError(
                    "Property \"" + std::string(name) + "\" of " + start.ClassName() + " holds no object");
            return { nullptr, nullptr };
        }
        rest = rest.substr(dot + 1);
    }
    if (throw_missing)
        Missing(start, path);
    return { object, nullptr };
}

bool IsOrdinal(PropKind kind)
{
    return kind == PropKind::Integer || kind == PropKind::Boolean || kind == PropKind::Enumeration
        || kind == PropKind::Color || kind == PropKind::Set;
}

PropTarget Expect(const TPersistent& object, std::string_view path, PropKind kind, const char* wanted)
{
    PropTarget t = Walk(object, path, true);
    if (t.info->kind != kind)
        WrongKind(object, path, *t.info, wanted);
    return t;
}

void CheckOrdinal(const TPersistent& object, std::string_view path, const PropInfo& info, std::int64_t value)
{
    bool ok = true;
    switch (info.kind) {
    case PropKind::Set:
        ok = info.enum_info->Count() == 64 || (static_cast<std::uint64_t>(value) >> info.enum_info->Count()) == 0;
        break;
    default:
        ok = value >= info.min_value && value <= info.max_value;
        break;
    }
    if (!ok)
        throw EPropertyError("Value " + std::to_string(value) + " is out of range for property \"" + std::string(path)
            + "\" of " + object.ClassName());
}

}

PropTarget ResolveProp(TPersistent& object, std::string_view path) { return Walk(object, path, true); }

const PropInfo* FindPropInfo(const TPersistent& object, std::string_view path)
{
    return Walk(object, path, false).info;
}

bool IsPublishedProp(const TPersistent& object, std::string_view path) { return FindPropInfo(object, path) != nullptr; }

std::int64_t GetOrdProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Walk(object, path, true);
    if (!IsOrdinal(t.info->kind))
        WrongKind(object, path, *t.info, "an ordinal");
    return t.info->get_ord(*t.object);
}

void SetOrdProp(TPersistent& object, std::string_view path, std::int64_t value)
{
    PropTarget t = Walk(object, path, true);
    if (!IsOrdinal(t.info->kind))
        WrongKind(object, path, *t.info, "an ordinal");
    CheckOrdinal(object, path, *t.info, value);
    t.info->set_ord(*t.object, value);
}

double GetFloatProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Expect(object, path, PropKind::Float, "a floating-point number");
    return t.info->get_float(*t.object);
}

void SetFloatProp(TPersistent& object, std::string_view path, double value)
{
    PropTarget t = Expect(object, path, PropKind::Float, "a floating-point number");
    t.info->set_float(*t.object, value);
}

std::string GetEnumProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Walk(object, path, true);
    if (t.info->kind == PropKind::Boolean)
        return t.info->get_ord(*t.object) ? "True" : "False";
    if (t.info->kind != PropKind::Enumeration)
        WrongKind(object, path, *t.info, "an enumeration");
    return t.info->enum_info->Name(t.info->get_ord(*t.object));
}

void SetEnumProp(TPersistent& object, std::string_view path, std::string_view value_name)
{
    PropTarget t = Walk(object, path, true);
    if (t.info->kind == PropKind::Boolean) {
        static const EnumInfo booleans("Boolean", { "False", "True" });
        auto v = booleans.Ordinal(value_name);
        if (!v)
            throw EPropertyError("\"" + std::string(value_name) + "\" is not a Boolean value");
        t.info->set_ord(*t.object, *v);
        return;
    }
    if (t.info->kind != PropKind::Enumeration)
        WrongKind(object, path, *t.info, "an enumeration");
    auto v = t.info->enum_info->Ordinal(value_name);
    if (!v)
        throw EPropertyError("\"" + std::string(value_name) + "\" is not a value of " + t.info->enum_info->TypeName());
    t.info->set_ord(*t.object, *v);
}

std::string GetSetProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Expect(object, path, PropKind::Set, "a set");
    return SetToString(*t.info->enum_info, static_cast<std::uint64_t>(t.info->get_ord(*t.object)));
}

void SetSetProp(TPersistent& object, std::string_view path, std::string_view text)
{
    PropTarget t = Expect(object, path, PropKind::Set, "a set");
    t.info->set_ord(*t.object, static_cast<std::int64_t>(StringToSet(*t.info->enum_info, text)));
}

std::string GetStrProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Expect(object, path, PropKind::String, "a string");
    return t.info->get_str(*t.object);
}

void SetStrProp(TPersistent& object, std::string_view path, const std::string& value)
{
    PropTarget t = Expect(object, path, PropKind::String, "a string");
    t.info->set_str(*t.object, value);
}

TComponent* GetComponentProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Expect(object, path, PropKind::Component, "a component reference");
    return t.info->get_component(*t.object);
}

void SetComponentProp(TPersistent& object, std::string_view path, TComponent* value)
{
    PropTarget t = Expect(object, path, PropKind::Component, "a component reference");
    if (value && !value->InheritsFrom(t.info->ref_class()))
        throw EPropertyError("Property \"" + std::string(path) + "\" of " + object.ClassName() + " needs a "
            + t.info->ref_class().Name() + ", not a " + value->ClassName());
    if (value && value->HasState(csDestroying))
        throw EPropertyError("Component " + value->Name() + " is being destroyed");
    t.info->set_component(*t.object, value);
    if (auto* holder = dynamic_cast<TComponent*>(&object); holder && value)
        holder->FreeNotification(value);
}

TPersistent* GetObjectProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Walk(object, path, true);
    if (t.info->kind != PropKind::Object && t.info->kind != PropKind::Collection)
        WrongKind(object, path, *t.info, "an object");
    return t.info->get_object(*t.object);
}

Bytes GetBinaryProp(const TPersistent& object, std::string_view path)
{
    PropTarget t = Expect(object, path, PropKind::Binary, "binary data");
    return t.info->get_bytes(*t.object);
}

void SetBinaryProp(TPersistent& object, std::string_view path, const Bytes& value)
{
    PropTarget t = Expect(object, path, PropKind::Binary, "binary data");
    t.info->set_bytes(*t.object, value);
}

std::string GetEventHandlerName(const TPersistent& object, std::string_view path)
{
    PropTarget t = Expect(object, path, PropKind::Event, "an event");
    return t.info->get_handler_name(*t.object);
}

void SetEventProp(
    TPersistent& object, std::string_view path, const TComponent& handler_owner, std::string_view handler_name)
{
    PropTarget t = Expect(object, path, PropKind::Event, "an event");
    if (handler_name.empty()) {
        t.info->set_handler(*t.object, {}, nullptr);
        return;
    }
    const std::any* handler = handler_owner.FindHandler(handler_name);
    if (!handler)
        throw EPropertyError(handler_owner.ClassName() + " has no handler named " + std::string(handler_name));
    if (!t.info->set_handler(*t.object, std::string(handler_name), handler))
        throw EPropertyError("Handler " + std::string(handler_name) + " does not fit event \"" + std::string(path)
            + "\" of " + object.ClassName());
}

std::string SetToString(const EnumInfo& info, std::uint64_t bits)
{
    std::string out = "[";
    bool first = true;
    for (int i = 0; i < info.Count(); ++i) {
        if (!(bits & (std::uint64_t { 1 } << i)))
            continue;
        if (!first)
            out += ',';
        out += info.Name(i);
        first = false;
    }
    return out + "]";
}

std::uint64_t StringToSet(const EnumInfo& info, std::string_view text)
{
    auto trim = [](std::string_view s) {
        while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
            s.remove_prefix(1);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
            s.remove_suffix(1);
        return s;
    };
    text = trim(text);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        throw EPropertyError("\"" + std::string(text) + "\" is not a set; write [value, ...]");
    std::string_view inner = trim(text.substr(1, text.size() - 2));
    std::uint64_t bits = 0;
    while (!inner.empty()) {
        size_t comma = inner.find(',');
        std::string_view name = trim(inner.substr(0, comma));
        auto v = info.Ordinal(name);
        if (!v)
            throw EPropertyError("\"" + std::string(name) + "\" is not a value of " + info.TypeName());
        bits |= std::uint64_t { 1 } << *v;
        if (comma == std::string_view::npos)
            break;
        inner = inner.substr(comma + 1);
        if (trim(inner).empty())
            throw EPropertyError("Missing value after ',' in set");
    }
    return bits;
}

}
