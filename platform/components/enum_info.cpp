#include "platform/components/enum_info.h"

#include "platform/text/same_text.h"

#include <stdexcept>

namespace pellamo {

EnumInfo::EnumInfo(std::string type_name, std::vector<std::string> value_names)
    : type_name_(std::move(type_name))
    , names_(std::move(value_names))
{
    // Sets are held in 64 bits.
    if (names_.empty() || names_.size() > 64)
        throw std::logic_error("Enumeration " + type_name_ + " needs 1 to 64 values");
}

std::string EnumInfo::Name(long long ordinal) const
{
    if (ordinal < 0 || ordinal >= Count())
        return {};
    return names_[static_cast<size_t>(ordinal)];
}

std::optional<int> EnumInfo::Ordinal(std::string_view name) const
{
    for (size_t i = 0; i < names_.size(); ++i)
        if (SameText(names_[i], name))
            return static_cast<int>(i);
    return std::nullopt;
}

}
