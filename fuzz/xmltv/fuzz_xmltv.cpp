// Guides come from anywhere, plain or gzip. Whatever the bytes, reading
// ends with the guide or a GuideError, and what it hands over is bounded:
// well-formed UTF-8 texts within their lengths, times in order.
#include "guide/guide_decompressor.h"
#include "guide/guide_error.h"
#include "guide/xmltv_reader.h"
#include "platform/text/utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

void CheckText(std::string_view text, size_t limit)
{
    Check(text.size() <= limit && pellamo::IsValidUtf8(text));
    for (char c : text)
        Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
}

class Checker : public pellamo::XmltvSink {
public:
    void Channel(pellamo::GuideChannel channel) override
    {
        Check(!channel.id.empty() && channel.names.size() <= pellamo::XmltvReader::kMaxNames);
        CheckText(channel.id, pellamo::XmltvReader::kMaxName);
        for (const std::string& name : channel.names)
            CheckText(name, pellamo::XmltvReader::kMaxName);
    }
    void Programme(pellamo::GuideProgramme p) override
    {
        Check(!p.channel.empty() && (!p.stop || *p.stop > p.start));
        CheckText(p.channel, pellamo::XmltvReader::kMaxName);
        CheckText(p.title, pellamo::XmltvReader::kMaxTitle);
        CheckText(p.subtitle, pellamo::XmltvReader::kMaxTitle);
        CheckText(p.description, pellamo::XmltvReader::kMaxDescription);
    }
};

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    Checker checker;
    pellamo::XmltvReader reader(checker);
    try {
        // A small bound on the text keeps gzip bombs quick.
        pellamo::GuideDecompressor decompressor([&](std::string_view text) { reader.Feed(text); }, 8 << 20);
        // Two pieces: a split anywhere must read as the whole does.
        size_t half = size / 2;
        decompressor.Feed(input.substr(0, half));
        decompressor.Feed(input.substr(half));
        decompressor.Finish();
        reader.Finish();
    } catch (const pellamo::GuideError&) {
    }
    return 0;
}
