#include "platform/components/class_info.h"

#include "platform/components/component_errors.h"
#include "platform/text/same_text.h"

namespace pellamo {

ClassInfo::ClassInfo(std::string name, const ClassInfo* parent, std::vector<PropInfo> props, Factory factory)
    : name_(std::move(name))
    , parent_(parent)
    , own_(std::move(props))
    , factory_(std::move(factory))
{
    if (parent_) {
        all_ = parent_->all_;
        by_name_ = parent_->by_name_;
    }
    for (const PropInfo& p : own_) {
        std::string key = LowerName(p.name);
        auto it = by_name_.find(key);
        if (it != by_name_.end()) {
            for (const PropInfo*& slot : all_)
                if (slot == it->second)
                    slot = &p;
            it->second = &p;
        } else {
            all_.push_back(&p);
            by_name_.emplace(std::move(key), &p);
        }
    }
    for (const PropInfo* p : all_)
        if (p->kind == PropKind::Component || p->kind == PropKind::Object || p->kind == PropKind::Collection)
            holders_.push_back(p);
}

bool ClassInfo::InheritsFrom(const ClassInfo& ancestor) const
{
    for (const ClassInfo* c = this; c; c = c->parent_)
        if (c == &ancestor)
            return true;
    return false;
}

const PropInfo* ClassInfo::FindProp(std::string_view name) const
{
    auto it = by_name_.find(LowerName(name));
    return it == by_name_.end() ? nullptr : it->second;
}

TComponent* ClassInfo::Create(TComponent* owner) const
{
    if (!factory_)
        throw EClassNotFound("Class " + name_ + " cannot be created");
    return factory_(owner);
}

}
