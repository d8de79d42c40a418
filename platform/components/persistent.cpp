#include "platform/components/persistent.h"

#include "platform/components/class_info.h"
#include "platform/components/component_errors.h"

namespace pellamo {

const ClassInfo& TObject::StaticClass()
{
    static const ClassInfo info("TObject", nullptr);
    return info;
}

const std::string& TObject::ClassName() const { return Class().Name(); }

bool TObject::InheritsFrom(const ClassInfo& ancestor) const { return Class().InheritsFrom(ancestor); }

bool TObject::InheritsFromClassNamed(std::string_view name) const
{
    for (const ClassInfo* c = &Class(); c; c = c->Parent())
        if (c->Name() == name)
            return true;
    return false;
}

const ClassInfo& TPersistent::StaticClass()
{
    static const ClassInfo info("TPersistent", &TObject::StaticClass());
    return info;
}

void TPersistent::Assign(const TPersistent& source) { source.AssignTo(*this); }

void TPersistent::AssignTo(TPersistent& dest) const
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + dest.ClassName());
}

}
