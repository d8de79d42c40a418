#pragma once

// An object with published properties that can be copied from another
// (Assign) and stored in a window description, alone or as the sub-object
// of a component (Font, Lines, Panels).

#include "platform/components/object.h"

namespace pellamo {

class TPersistent : public TObject {
public:
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    // Copies `source` into this object. The default asks the source
    // (AssignTo); a class that knows the source's class overrides this.
    // Throws EConvertError when neither side knows the other.
    virtual void Assign(const TPersistent& source);

    // The object this one belongs to (a collection's owner, an item's
    // collection); null for a free-standing object.
    virtual TPersistent* GetOwner() const { return nullptr; }

protected:
    virtual void AssignTo(TPersistent& dest) const;
};

}
