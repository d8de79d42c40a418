#pragma once

// Run-time description of a class: its name, its parent, its published
// properties in declaration order, and (for components) how to create one.
// Each class keeps one as a function-local static, built in its .cpp next
// to the class, and returns it from Class().

#include "platform/components/prop_info.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pellamo {

class TComponent;

class ClassInfo {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;

    ClassInfo(std::string name, const ClassInfo* parent, std::vector<PropInfo> props = {}, Factory factory = nullptr);
    ClassInfo(const ClassInfo&) = delete;
    ClassInfo& operator=(const ClassInfo&) = delete;

    const std::string& Name() const { return name_; }
    const ClassInfo* Parent() const { return parent_; }
    bool InheritsFrom(const ClassInfo& ancestor) const;

    // A property of this class or an ancestor, by name, case-insensitively;
    // a class may redeclare an inherited property. Null when missing.
    const PropInfo* FindProp(std::string_view name) const;
    // Every property, the ancestors' first, in declaration order; a
    // redeclared property keeps its inherited place.
    const std::vector<const PropInfo*>& Props() const { return all_; }
    // The component references, sub-objects and collections among them:
    // where references to a removed component may hide.
    const std::vector<const PropInfo*>& ReferenceHolders() const { return holders_; }

    bool CanCreate() const { return static_cast<bool>(factory_); }
    // A new instance owned by `owner`; throws EClassNotFound for a class
    // without a factory (abstract or not a component).
    TComponent* Create(TComponent* owner) const;

private:
    std::string name_;
    const ClassInfo* parent_;
    std::vector<PropInfo> own_;
    Factory factory_;
    std::vector<const PropInfo*> all_;
    std::vector<const PropInfo*> holders_;
    std::unordered_map<std::string, const PropInfo*> by_name_;
};

// The usual factory of a component class.
template <class T> ClassInfo::Factory FactoryOf()
{
    return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

}
