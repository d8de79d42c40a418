#include "platform/text/same_text.h"

#include "platform/text/gbk_chars.h"

namespace pellamo {

namespace {

unsigned char Fold(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c; }

}

bool SameText(std::string_view a, std::string_view b) { return a.size() == b.size() && CompareText(a, b) == 0; }

std::string LowerName(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        c = static_cast<char>(Fold(static_cast<unsigned char>(c)));
    return out;
}

int CompareText(std::string_view a, std::string_view b)
{
    size_t i = 0;
    while (i < a.size() && i < b.size()) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (IsGbkLeadByte(ca) && IsGbkLeadByte(cb) && ca == cb && i + 1 < a.size() && i + 1 < b.size()) {
            // Same lead byte: the trail bytes decide, unfolded.
            unsigned char ta = static_cast<unsigned char>(a[i + 1]);
            unsigned char tb = static_cast<unsigned char>(b[i + 1]);
            if (ta != tb)
                return ta < tb ? -1 : 1;
            i += 2;
            continue;
        }
        unsigned char fa = IsGbkLeadByte(ca) ? ca : Fold(ca);
        unsigned char fb = IsGbkLeadByte(cb) ? cb : Fold(cb);
        if (fa != fb)
            return fa < fb ? -1 : 1;
        ++i;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int CompareStr(std::string_view a, std::string_view b)
{
    int r = a.compare(b);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}
