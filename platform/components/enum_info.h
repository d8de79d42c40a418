#pragma once

// The value names of an enumeration type, in ordinal order from 0
// (alNone, alTop, ...). Descriptions and name-based access use the names.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellamo {

class EnumInfo {
public:
    EnumInfo(std::string type_name, std::vector<std::string> value_names);

    const std::string& TypeName() const { return type_name_; }
    int Count() const { return static_cast<int>(names_.size()); }
    // The name of an ordinal; empty when out of range.
    std::string Name(long long ordinal) const;
    // The ordinal of a name, case-insensitively.
    std::optional<int> Ordinal(std::string_view name) const;

private:
    std::string type_name_;
    std::vector<std::string> names_;
};

}
