#include "skin/edits/number_key_filter.h"

#include "platform/text/gbk.h"

namespace pellamo {

namespace {

bool Holds(std::string_view text, std::string_view part)
{
    return !part.empty() && text.find(part) != std::string_view::npos;
}

}

bool NumberEditAcceptsKey(
    char16_t key, std::string_view text, int caret, std::string_view pattern, const NumberLocale& locale)
{
    if (key >= u'0' && key <= u'9')
        return true;
    const std::string& separator = locale.DecimalSeparator();
    if (Holds(pattern, ".") && Utf16ToGbk(std::u16string(1, key)) == separator && !Holds(text, separator))
        return true;
    if (key == u'\b')
        return true;
    return key == u'-' && Holds(pattern, "-") && caret == 0 && !Holds(text, "-");
}

}
