#include "platform/text/access_keys.h"

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

}
