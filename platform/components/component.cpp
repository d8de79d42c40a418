#include "platform/components/component.h"

#include "platform/components/class_info.h"
#include "platform/components/collection.h"
#include "platform/components/component_errors.h"
#include "platform/components/props.h"
#include "platform/text/same_text.h"

#include <algorithm>

namespace pellamo {

namespace {

// Clears published references to `removed` held by `object`, its
// sub-objects and its collection items.
void ClearReferences(TPersistent& object, TComponent* removed, int depth)
{
    if (depth > 8)
        return;
    for (const PropInfo* p : object.Class().ReferenceHolders()) {
        switch (p->kind) {
        case PropKind::Component:
            if (p->get_component(object) == removed)
                p->set_component(object, nullptr);
            break;
        case PropKind::Object:
            if (TPersistent* sub = p->get_object(object); sub && sub != &object)
                ClearReferences(*sub, removed, depth + 1);
            break;
        case PropKind::Collection:
            if (auto* coll = dynamic_cast<TCollection*>(p->get_object(object)))
                for (int i = 0; i < coll->Count(); ++i)
                    ClearReferences(*coll->Items(i), removed, depth + 1);
            break;
        default:
            break;
        }
    }
}

}

bool IsValidIdent(std::string_view name)
{
    if (name.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!alpha(name[0]))
        return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return alpha(c) || digit(c); });
}

const ClassInfo& TComponent::StaticClass()
{
    static const ClassInfo info("TComponent", &TPersistent::StaticClass(),
        {
            props::Str<TComponent>("Name", &TComponent::Name, &TComponent::SetName),
            props::Int<TComponent>("Tag", &TComponent::Tag, &TComponent::SetTag),
        },
        FactoryOf<TComponent>());
    return info;
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    BeginDestruction();
    DestroyComponents();
}

void TComponent::Free()
{
    BeginDestruction();
    DestroyComponents();
    delete this;
}

void TComponent::BeginDestruction()
{
    if (HasState(csDestroying))
        return;
    SetState(csDestroying, true);
    while (!free_notifies_.empty()) {
        TComponent* other = free_notifies_.back();
        free_notifies_.pop_back();
        auto& theirs = other->free_notifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notify(this, TOperation::opRemove);
    }
    if (owner_)
        owner_->RemoveComponent(this);
}

void TComponent::SetName(std::string_view name)
{
    if (name == name_)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("\"" + std::string(name) + "\" is not a valid component name");
    if (!name.empty() && owner_) {
        TComponent* other = owner_->FindComponent(name);
        if (other && other != this)
            throw EComponentError("A component named " + std::string(name) + " already exists");
    }
    name_ = name;
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        throw EComponentError("List index out of bounds (" + std::to_string(index) + ")");
    return components_[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (component == this)
        throw EComponentError("A component cannot own itself");
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    component->owner_ = this;
    components_.push_back(component);
    Notify(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end())
        return;
    components_.erase(it);
    component->owner_ = nullptr;
    Notify(component, TOperation::opRemove);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* last = components_.back();
        // Free() removes it from this list (and tells the siblings).
        last->Free();
    }
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    // Components of the same owner, and those this one owns, hear of each
    // other's removal through the owner already; once is enough.
    if (component->owner_ == this || (owner_ && component->owner_ == owner_))
        return;
    if (std::find(free_notifies_.begin(), free_notifies_.end(), component) == free_notifies_.end())
        free_notifies_.push_back(component);
    auto& theirs = component->free_notifies_;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    free_notifies_.erase(std::remove(free_notifies_.begin(), free_notifies_.end(), component), free_notifies_.end());
    if (component) {
        auto& theirs = component->free_notifies_;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
}

void TComponent::SetDesigning(bool designing)
{
    SetState(csDesigning, designing);
    for (TComponent* c : components_)
        c->SetDesigning(designing);
}

void TComponent::AddHandler(std::string name, std::any handler)
{
    std::string key = LowerName(name);
    handlers_[key] = { std::move(name), std::move(handler) };
}

const std::any* TComponent::FindHandler(std::string_view name) const
{
    auto it = handlers_.find(LowerName(name));
    return it == handlers_.end() ? nullptr : &it->second.second;
}

void TComponent::InsertNestedChild(TComponent&) { }

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == TOperation::opRemove)
        RemoveFreeNotification(component);
    // Pass it on; a handler may free components, so re-check the bound.
    for (size_t i = components_.size(); i-- > 0;) {
        if (i >= components_.size())
            continue;
        components_[i]->Notify(component, operation);
    }
}

void TComponent::AnnounceInsertion()
{
    if (owner_)
        owner_->Notify(this, TOperation::opInsert);
}

void TComponent::Notify(TComponent* component, TOperation operation)
{
    if (component == this)
        return;
    Notification(component, operation);
    if (operation == TOperation::opRemove)
        ClearReferences(*this, component, 0);
}

}
