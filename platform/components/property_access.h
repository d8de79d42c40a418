#pragma once

// Reading and writing published properties by name at run time. Names are
// case-insensitive; "Font.Name" walks into the sub-object Font. A missing
// name, a value of the wrong kind or out of range throws EPropertyError.

#include "platform/components/prop_info.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace pellamo {

class EnumInfo;
class TComponent;
class TPersistent;

struct PropTarget {
    TPersistent* object; // the object holding the last part of the path
    const PropInfo* info;
};

// Throws EPropertyError when a part of the path is missing or an inner
// part is not a sub-object.
PropTarget ResolveProp(TPersistent& object, std::string_view path);
// Null when missing.
const PropInfo* FindPropInfo(const TPersistent& object, std::string_view path);
bool IsPublishedProp(const TPersistent& object, std::string_view path);

// Integer, Boolean (0/1), Enumeration (ordinal), Color, Set (bit mask).
std::int64_t GetOrdProp(const TPersistent& object, std::string_view path);
void SetOrdProp(TPersistent& object, std::string_view path, std::int64_t value);

// Enumeration by value name ("alClient"); Boolean as "True"/"False".
std::string GetEnumProp(const TPersistent& object, std::string_view path);
void SetEnumProp(TPersistent& object, std::string_view path, std::string_view value_name);

// Set as text, "[akLeft,akTop]".
std::string GetSetProp(const TPersistent& object, std::string_view path);
void SetSetProp(TPersistent& object, std::string_view path, std::string_view text);

double GetFloatProp(const TPersistent& object, std::string_view path);
void SetFloatProp(TPersistent& object, std::string_view path, double value);

std::string GetStrProp(const TPersistent& object, std::string_view path);
void SetStrProp(TPersistent& object, std::string_view path, const std::string& value);

// A component reference. Setting one on a component also asks for a free
// notification, so the reference is cleared when the target goes away.
TComponent* GetComponentProp(const TPersistent& object, std::string_view path);
void SetComponentProp(TPersistent& object, std::string_view path, TComponent* value);

// A sub-object or collection.
TPersistent* GetObjectProp(const TPersistent& object, std::string_view path);

Bytes GetBinaryProp(const TPersistent& object, std::string_view path);
void SetBinaryProp(TPersistent& object, std::string_view path, const Bytes& value);

// The name of the handler bound to an event; empty when none or unnamed.
std::string GetEventHandlerName(const TPersistent& object, std::string_view path);
// Binds the handler that `handler_owner` registered as `handler_name`; an
// empty name clears the event. Throws EPropertyError when no such handler
// exists or its signature differs from the event's.
void SetEventProp(
    TPersistent& object, std::string_view path, const TComponent& handler_owner, std::string_view handler_name);

// Set text <-> bit mask over the value names of `info`.
std::string SetToString(const EnumInfo& info, std::uint64_t bits);
std::uint64_t StringToSet(const EnumInfo& info, std::string_view text);

}
