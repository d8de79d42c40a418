#include "catalogue/extinf_line.h"

#include <algorithm>

namespace pellamo {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}

ExtInfLine SplitExtInf(std::string_view rest)
{
    ExtInfLine line;
    size_t i = 0;
    auto skip_blanks = [&] {
        while (i < rest.size() && IsBlank(rest[i]))
            ++i;
    };
    skip_blanks();
    while (i < rest.size() && !IsBlank(rest[i]) && rest[i] != ',')
        ++i; // the duration
    while (i < rest.size()) {
        skip_blanks();
        if (i >= rest.size())
            break;
        if (rest[i] == ',') {
            line.title = rest.substr(i + 1);
            break;
        }
        size_t key_start = i;
        while (i < rest.size() && rest[i] != '=' && rest[i] != ',' && !IsBlank(rest[i]))
            ++i;
        std::string_view key = rest.substr(key_start, i - key_start);
        if (i >= rest.size() || rest[i] != '=')
            continue; // a word without a value
        ++i;
        std::string_view value;
        if (i < rest.size() && (rest[i] == '"' || rest[i] == '\'')) {
            char quote = rest[i++];
            size_t end = rest.find(quote, i);
            if (end == std::string_view::npos)
                end = rest.size();
            value = rest.substr(i, end - i);
            i = std::min(rest.size(), end + 1);
        } else {
            size_t start = i;
            while (i < rest.size() && rest[i] != ',' && !IsBlank(rest[i]))
                ++i;
            value = rest.substr(start, i - start);
        }
        line.attributes.emplace_back(key, value);
    }
    return line;
}

}
