#pragma once

// Root of every class that can be asked for its class at run time.

#include <string>

namespace pellamo {

class ClassInfo;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const ClassInfo& StaticClass();
    virtual const ClassInfo& Class() const { return StaticClass(); }

    const std::string& ClassName() const;
    bool InheritsFrom(const ClassInfo& ancestor) const;
};

}
