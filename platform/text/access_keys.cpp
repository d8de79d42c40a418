#include "platform/text/access_keys.h"

#include "platform/text/gbk.h"
#include "platform/text/gbk_chars.h"

namespace pellamo {

AccessKeyText ScanAccessKeys(std::string_view caption)
{
    AccessKeyText out;
    out.shown.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out.shown += caption[i];
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == '&') {
            out.shown += '&';
            ++i;
        } else if (i + 1 < caption.size() && out.marked < 0) {
            out.marked = static_cast<int>(out.shown.size());
        }
    }
    return out;
}

bool IsAccel(char16_t ch, std::string_view caption)
{
    AccessKeyText scanned = ScanAccessKeys(caption);
    if (scanned.marked < 0 || ch == 0)
        return false;
    auto at = static_cast<size_t>(scanned.marked);
    std::u16string key = GbkToUtf16(std::string_view(scanned.shown).substr(at, GbkCharLength(scanned.shown, at)));
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; };
    return key.size() == 1 && lower(key[0]) == lower(ch);
}

}
