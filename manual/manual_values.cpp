#include "manual/manual_values.h"

namespace pellamo {

std::string FillManualValues(const std::string& text, const ManualValues& values)
{
    std::string filled;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '{') {
            filled += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '{') {
            filled += '{';
            ++i;
            continue;
        }
        size_t close = text.find('}', i);
        if (close == std::string::npos)
            throw ManualValueError("\"{\" opens no {name} in \"" + text + "\"");
        std::string name = text.substr(i + 1, close - i - 1);
        auto value = values.find(name);
        if (value == values.end())
            throw ManualValueError("no value for {" + name + "}");
        filled += value->second;
        i = close;
    }
    return filled;
}

std::string ListOfNames(const std::vector<std::string>& names)
{
    std::string list;
    for (size_t i = 0; i < names.size(); ++i)
        list += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return list;
}

}
