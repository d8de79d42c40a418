#pragma once

// Component classes known by name, so a window description can create them
// ("TButton" -> a new TButton). Each layer registers its classes once at
// start-up; registering the same class again is harmless.

#include <initializer_list>
#include <string_view>

namespace pellamo {

class ClassInfo;
class TComponent;

void RegisterClass(const ClassInfo& info);
void RegisterClasses(std::initializer_list<const ClassInfo*> infos);
// Case-insensitive; null when the class is not registered.
const ClassInfo* GetClass(std::string_view name);
// Throws EClassNotFound ("Class TFoo not found").
const ClassInfo& FindClass(std::string_view name);
// A new component of a registered class, owned by `owner`.
TComponent* CreateComponent(std::string_view class_name, TComponent* owner);

}
