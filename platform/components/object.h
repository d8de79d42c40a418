#pragma once

// Root of every class that can be asked for its class at run time.

#include <string>
#include <string_view>

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
    // The same by the ancestor's name (exact case), for a class that lives
    // in a layer the caller cannot include.
    bool InheritsFromClassNamed(std::string_view name) const;
};

}
