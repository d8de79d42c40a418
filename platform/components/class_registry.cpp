#include "platform/components/class_registry.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"
#include "platform/text/same_text.h"

#include <string>
#include <unordered_map>

namespace pellamo {

namespace {

std::unordered_map<std::string, const ClassInfo*>& Registry()
{
    static std::unordered_map<std::string, const ClassInfo*> registry;
    return registry;
}

}

void RegisterClass(const ClassInfo& info)
{
    auto [it, added] = Registry().emplace(LowerName(info.Name()), &info);
    if (!added && it->second != &info)
        throw EComponentError("A class named " + info.Name() + " is already registered");
}

void RegisterClasses(std::initializer_list<const ClassInfo*> infos)
{
    for (const ClassInfo* info : infos)
        RegisterClass(*info);
}

const ClassInfo* GetClass(std::string_view name)
{
    auto it = Registry().find(LowerName(name));
    return it == Registry().end() ? nullptr : it->second;
}

const ClassInfo& FindClass(std::string_view name)
{
    const ClassInfo* info = GetClass(name);
    if (!info)
        throw EClassNotFound("Class " + std::string(name) + " not found");
    return *info;
}

TComponent* CreateComponent(std::string_view class_name, TComponent* owner)
{
    return FindClass(class_name).Create(owner);
}

}
