#include "platform/text/gbk.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace pellamo {

namespace {

// One iconv conversion from `from` to `to`; invalid or incomplete input
// sequences are replaced by `replacement` (already in the target encoding)
// and skipped by `source_unit` bytes.
std::string Convert(
    const char* from, const char* to, std::string_view input, std::string_view replacement, size_t source_unit)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("No text conversion from ") + from + " to " + to);

    std::string output;
    output.resize(input.size() * 4 + 16);
    char* in = const_cast<char*>(input.data());
    size_t in_left = input.size();
    size_t out_used = 0;
    while (in_left > 0) {
        char* out = output.data() + out_used;
        size_t out_left = output.size() - out_used;
        size_t result = iconv(cd, &in, &in_left, &out, &out_left);
        out_used = output.size() - out_left;
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        // EILSEQ or EINVAL: replace one unit and go on.
        if (output.size() - out_used < replacement.size() + 16)
            output.resize(output.size() * 2);
        output.replace(out_used, replacement.size(), replacement);
        out_used += replacement.size();
        size_t skip = std::min(source_unit, in_left);
        if (source_unit == 1 && std::string_view(from) == "UTF-8") {
            // Skip the whole UTF-8 sequence, not just its lead byte.
            while (skip < in_left && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
                ++skip;
        }
        in += skip;
        in_left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    output.resize(out_used);
    return output;
}

std::string_view Bytes(std::u16string_view text)
{
    return { reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t) };
}

std::u16string ToU16(const std::string& bytes)
{
    std::u16string result(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = static_cast<char16_t>(
            static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return result;
}

const std::string_view kUtf8Replacement = "\xEF\xBF\xBD";
const std::string_view kUtf16Replacement("\xFD\xFF", 2);

}

std::string GbkToUtf8(std::string_view gbk) { return Convert("CP936", "UTF-8", gbk, kUtf8Replacement, 1); }
std::string Utf8ToGbk(std::string_view utf8) { return Convert("UTF-8", "CP936", utf8, "?", 1); }
std::u16string GbkToUtf16(std::string_view gbk)
{
    return ToU16(Convert("CP936", "UTF-16LE", gbk, kUtf16Replacement, 1));
}
std::string Utf16ToGbk(std::u16string_view utf16) { return Convert("UTF-16LE", "CP936", Bytes(utf16), "?", 2); }
std::u16string Utf8ToUtf16(std::string_view utf8)
{
    return ToU16(Convert("UTF-8", "UTF-16LE", utf8, kUtf16Replacement, 1));
}
std::string Utf16ToUtf8(std::u16string_view utf16)
{
    return Convert("UTF-16LE", "UTF-8", Bytes(utf16), kUtf8Replacement, 2);
}

}
