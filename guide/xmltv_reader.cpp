#include "guide/xmltv_reader.h"

#include "guide/guide_error.h"
#include "guide/xmltv_time.h"
#include "platform/text/gbk.h"
#include "platform/text/utf8.h"

#include <expat.h>

#include <algorithm>
#include <cstring>

namespace pellamo {

namespace {

// Programmes outside these years are typing errors or worse.
const int64_t kEarliest = DaysFromCivil(1990, 1, 1) * 86400;
const int64_t kLatest = DaysFromCivil(2100, 1, 1) * 86400;
// No broadcast runs longer than this.
constexpr int64_t kLongestProgramme = 7 * 86400;

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
        return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) == (y >= 'A' && y <= 'Z' ? y - 'A' + 'a' : y);
    });
}

const char* Attribute(const char** attributes, std::string_view name)
{
    for (const char** a = attributes; a && a[0]; a += 2)
        if (name == a[0])
            return a[1];
    return nullptr;
}

bool Blank(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F;
}

// Whitespace runs (line breaks in descriptions, indentation) become one
// blank; control characters go: the text is drawn on one line or wrapped.
// Words are copied whole, not byte by byte: every title and description
// of a large guide comes through here.
std::string Tidy(std::string_view text, size_t limit)
{
    std::string out;
    out.reserve(std::min(text.size(), limit + 1));
    size_t i = 0;
    while (i < text.size() && out.size() <= limit) {
        while (i < text.size() && Blank(text[i]))
            ++i;
        size_t end = i;
        while (end < text.size() && !Blank(text[end]))
            ++end;
        if (end == i)
            break;
        if (!out.empty())
            out += ' ';
        out.append(text.substr(i, end - i));
        i = end;
    }
    // The cut looks no further than the byte after the limit.
    out.resize(CutUtf8(out, limit).size());
    return out;
}

// GBK and its relatives, which expat does not know: one byte for ASCII,
// two for the rest, decoded pair by pair.
int ConvertGbk(void*, const char* s)
{
    std::u16string unit = GbkToUtf16(std::string_view(s, 2));
    if (unit.size() != 1 || unit[0] == u'\uFFFD')
        return -1;
    return unit[0];
}

int OnUnknownEncoding(void*, const XML_Char* name, XML_Encoding* info)
{
    static constexpr std::string_view kGbkNames[] = { "GBK", "GB2312", "CP936", "GB18030", "EUC-CN", "x-gbk" };
    if (std::none_of(std::begin(kGbkNames), std::end(kGbkNames), [&](std::string_view n) { return SameName(n, name); }))
        return XML_STATUS_ERROR;
    for (int b = 0; b < 256; ++b)
        info->map[b] = b < 0x80 ? b : (b >= 0x81 && b <= 0xFE ? -2 : -1);
    info->data = nullptr;
    info->convert = &ConvertGbk;
    info->release = nullptr;
    return XML_STATUS_OK;
}

}

XmltvReader::XmltvReader(XmltvSink& sink)
    : sink_(sink)
{
    parser_ = XML_ParserCreate(nullptr);
    if (!parser_)
        throw GuideError("There is not enough memory to read the guide.");
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &XmltvReader::OnStart, &XmltvReader::OnEnd);
    XML_SetCharacterDataHandler(parser_, &XmltvReader::OnText);
    XML_SetUnknownEncodingHandler(parser_, &OnUnknownEncoding, nullptr);
    // External entities and DTDs are never fetched (expat's default);
    // entity expansion is bounded by expat's amplification limit.
}

XmltvReader::~XmltvReader() { XML_ParserFree(parser_); }

template <typename F> void XmltvReader::Guarded(F&& f)
{
    if (failure_)
        return;
    try {
        f();
    } catch (...) {
        failure_ = std::current_exception();
        XML_StopParser(parser_, XML_FALSE);
    }
}

void XmltvReader::OnStart(void* self, const char* name, const char** attributes)
{
    auto* reader = static_cast<XmltvReader*>(self);
    reader->quiet_ = 0;
    reader->Guarded([&] { reader->Start(name, attributes); });
}

void XmltvReader::OnEnd(void* self, const char* name)
{
    auto* reader = static_cast<XmltvReader*>(self);
    reader->quiet_ = 0;
    reader->Guarded([&] { reader->End(name); });
}

void XmltvReader::OnText(void* self, const char* text, int length)
{
    auto* reader = static_cast<XmltvReader*>(self);
    reader->quiet_ = 0;
    reader->Guarded([&] { reader->Text(std::string_view(text, static_cast<size_t>(length))); });
}

void XmltvReader::Start(std::string_view name, const char** attributes)
{
    ++depth_;
    if (depth_ == 1) {
        seen_root_ = true;
        if (name != "tv")
            throw GuideError(
                "The file is not an XMLTV guide: it starts with <" + std::string(CutUtf8(name, 40)) + ">.");
        return;
    }
    if (depth_ == 2) {
        if (name == "channel") {
            in_channel_ = true;
            channel_ = {};
            if (const char* id = Attribute(attributes, "id"))
                channel_.id = Tidy(id, kMaxName);
        } else if (name == "programme") {
            in_programme_ = true;
            programme_ = {};
            have_title_ = have_subtitle_ = have_description_ = false;
            const char* channel = Attribute(attributes, "channel");
            const char* start = Attribute(attributes, "start");
            const char* stop = Attribute(attributes, "stop");
            std::optional<int64_t> start_time = start ? ParseXmltvTime(start) : std::nullopt;
            std::optional<int64_t> stop_time = stop ? ParseXmltvTime(stop) : std::nullopt;
            programme_ok_ = channel && start_time.has_value() && (!stop || stop_time.has_value());
            if (programme_ok_) {
                const int64_t from = start_time.value_or(0);
                programme_.channel = Tidy(channel, kMaxName);
                programme_.start = from;
                programme_.stop = stop_time;
                programme_ok_ = !programme_.channel.empty() && from >= kEarliest && from < kLatest;
                if (stop_time) {
                    const int64_t to = stop_time.value_or(0);
                    programme_ok_ = programme_ok_ && to > from && to - from <= kLongestProgramme;
                }
            }
        }
        return;
    }
    if (depth_ != 3 || field_ != Field::kNone)
        return;
    if (in_channel_ && name == "display-name" && channel_.names.size() < kMaxNames) {
        field_ = Field::kDisplayName;
        text_limit_ = kMaxName;
    } else if (in_programme_ && name == "title" && !have_title_) {
        field_ = Field::kTitle;
        text_limit_ = kMaxTitle;
    } else if (in_programme_ && name == "sub-title" && !have_subtitle_) {
        field_ = Field::kSubtitle;
        text_limit_ = kMaxTitle;
    } else if (in_programme_ && name == "desc" && !have_description_) {
        field_ = Field::kDescription;
        text_limit_ = kMaxDescription;
    } else {
        return;
    }
    field_depth_ = depth_;
    text_.clear();
}

void XmltvReader::Text(std::string_view text)
{
    if (field_ == Field::kNone)
        return;
    // Room for whitespace that Tidy() folds away; the rest is cut there.
    size_t room = text_limit_ * 2 + 8;
    if (text_.size() < room)
        text_.append(text.substr(0, room - text_.size()));
}

void XmltvReader::End(std::string_view name)
{
    if (field_ != Field::kNone && depth_ == field_depth_) {
        std::string value = Tidy(text_, text_limit_);
        switch (field_) {
        case Field::kDisplayName:
            if (!value.empty())
                channel_.names.push_back(std::move(value));
            break;
        case Field::kTitle:
            programme_.title = std::move(value);
            have_title_ = true;
            break;
        case Field::kSubtitle:
            programme_.subtitle = std::move(value);
            have_subtitle_ = true;
            break;
        case Field::kDescription:
            programme_.description = std::move(value);
            have_description_ = true;
            break;
        case Field::kNone:
            break;
        }
        field_ = Field::kNone;
        text_.clear();
    }
    if (depth_ == 2 && in_channel_ && name == "channel") {
        in_channel_ = false;
        if (channel_.id.empty()) {
            ++counts_.skipped;
        } else {
            ++counts_.channels;
            sink_.Channel(std::move(channel_));
        }
    } else if (depth_ == 2 && in_programme_ && name == "programme") {
        in_programme_ = false;
        EndProgramme();
    }
    --depth_;
}

void XmltvReader::EndProgramme()
{
    if (!programme_ok_) {
        ++counts_.skipped;
        return;
    }
    ++counts_.programmes;
    sink_.Programme(std::move(programme_));
}

void XmltvReader::Parse(std::string_view text, bool final)
{
    // Slices keep expat's buffer small and let quiet input be noticed.
    constexpr size_t kSlice = 1 << 20;
    do {
        std::string_view slice = text.substr(0, kSlice);
        text.remove_prefix(slice.size());
        bool last = final && text.empty();
        if (XML_Parse(parser_, slice.data(), static_cast<int>(slice.size()), last) != XML_STATUS_OK)
            Fail();
        quiet_ += slice.size();
        if (quiet_ > kMaxQuiet)
            throw GuideError("The guide holds a single tag or comment longer than " + std::to_string(kMaxQuiet >> 20)
                + " MB: it is not a real guide.");
    } while (!text.empty());
}

void XmltvReader::Feed(std::string_view text)
{
    if (text.empty())
        return;
    fed_ = true;
    Parse(text, false);
}

void XmltvReader::Finish()
{
    if (!fed_)
        throw GuideError("The guide is empty.");
    Parse({}, true);
}

void XmltvReader::Fail()
{
    if (failure_)
        std::rethrow_exception(failure_);
    const XML_Error code = XML_GetErrorCode(parser_);
    const std::string line = std::to_string(XML_GetCurrentLineNumber(parser_));
    switch (code) {
    case XML_ERROR_UNKNOWN_ENCODING:
    case XML_ERROR_INCORRECT_ENCODING:
        throw GuideError("The guide is written in a text encoding the program does not know.");
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_PARTIAL_CHAR:
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
        if (seen_root_)
            throw GuideError("The guide ends early, at line " + line + ": it was cut short.");
        throw GuideError("The file is not an XMLTV guide: it holds no XML.");
    default:
        if (!seen_root_)
            throw GuideError(
                "The file is not an XMLTV guide: it is not XML (" + std::string(XML_ErrorString(code)) + ").");
        throw GuideError("The guide is not well-formed at line " + line + ": " + XML_ErrorString(code) + ".");
    }
}

}
