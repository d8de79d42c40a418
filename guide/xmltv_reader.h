#pragma once

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct XML_ParserStruct;

namespace pellamo {

// A <channel> of a guide. Text is UTF-8.
struct GuideChannel {
    std::string id;
    std::vector<std::string> names; // its <display-name>s, in order
};

// A <programme>, its times in seconds since 1970 UTC.
struct GuideProgramme {
    std::string channel;
    int64_t start = 0;
    std::optional<int64_t> stop; // the guide may leave it to the next programme
    std::string title;
    std::string subtitle;
    std::string description;
};

// Where the reader hands what it read, one piece at a time. A handler may
// throw; reading stops and Feed() or Finish() passes the exception on.
class XmltvSink {
public:
    virtual ~XmltvSink() = default;
    virtual void Channel(GuideChannel channel) = 0;
    virtual void Programme(GuideProgramme programme) = 0;
};

// Reads XMLTV text as it arrives (expat) and holds no more than the one
// channel or programme under way: a guide of any length reads in little
// memory. Texts are cut to lengths that fit a screen; a programme whose
// times are missing, garbled, reversed or absurd is skipped and counted,
// never an error of the whole guide. The guide's encoding may be any that
// expat knows (UTF-8, UTF-16, ISO-8859-1, US-ASCII) or GBK / GB2312.
class XmltvReader {
public:
    explicit XmltvReader(XmltvSink& sink);
    ~XmltvReader();
    XmltvReader(const XmltvReader&) = delete;
    XmltvReader& operator=(const XmltvReader&) = delete;

    // Throws GuideError with a sentence when the text is not a readable
    // guide (malformed XML, an unknown encoding, another kind of file).
    void Feed(std::string_view text);
    // The text is over: throws GuideError when it ended early.
    void Finish();

    struct Counts {
        uint64_t channels = 0;
        uint64_t programmes = 0;
        uint64_t skipped = 0; // programmes and channels that could not be used
    };
    const Counts& Seen() const { return counts_; }

    static constexpr size_t kMaxName = 255;
    static constexpr size_t kMaxTitle = 255;
    static constexpr size_t kMaxDescription = 4096;
    static constexpr size_t kMaxNames = 16;
    // Input that makes no element, text or end for this long is one
    // monstrous tag or comment that expat would have to hold whole.
    static constexpr size_t kMaxQuiet = 16 * 1024 * 1024;

private:
    enum class Field { kNone, kDisplayName, kTitle, kSubtitle, kDescription };
    static void OnStart(void* self, const char* name, const char** attributes);
    static void OnEnd(void* self, const char* name);
    static void OnText(void* self, const char* text, int length);
    void Start(std::string_view name, const char** attributes);
    void End(std::string_view name);
    void Text(std::string_view text);
    void EndProgramme();
    void Parse(std::string_view text, bool final);
    [[noreturn]] void Fail();
    // Runs a handler; an exception stops the parser and is kept for later.
    template <typename F> void Guarded(F&& f);

    XmltvSink& sink_;
    XML_ParserStruct* parser_ = nullptr;
    Counts counts_;
    int depth_ = 0;
    bool seen_root_ = false;
    bool in_channel_ = false;
    bool in_programme_ = false;
    bool programme_ok_ = false;
    Field field_ = Field::kNone;
    int field_depth_ = 0;
    std::string text_; // the field under way
    size_t text_limit_ = 0;
    GuideChannel channel_;
    GuideProgramme programme_;
    bool have_title_ = false, have_subtitle_ = false, have_description_ = false;
    size_t quiet_ = 0;
    bool fed_ = false;
    std::exception_ptr failure_;
};

}
