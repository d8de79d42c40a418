#include "catalogue/playlist_stream_options.h"

#include "platform/text/same_text.h"
#include "platform/text/utf8.h"

namespace pellamo {

namespace {

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && SameText(s.substr(0, prefix.size()), prefix);
}

bool IsJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class JsonText {
public:
    explicit JsonText(std::string_view text)
        : text_(text)
    {
    }

    void SkipSpace()
    {
        while (at_ < text_.size() && IsJsonSpace(text_[at_]))
            ++at_;
    }
    bool Eat(char c)
    {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool AtEnd()
    {
        SkipSpace();
        return at_ == text_.size();
    }

    std::optional<std::string> String()
    {
        if (!Eat('"'))
            return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            char c = text_[at_++];
            if (c == '"')
                return out;
            if (static_cast<unsigned char>(c) < 0x20)
                return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size())
                return std::nullopt;
            switch (char e = text_[at_++]) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                std::optional<char32_t> c1 = Hex4();
                if (!c1)
                    return std::nullopt;
                char32_t code = *c1;
                if (code >= 0xD800 && code < 0xDC00) {
                    if (text_.substr(at_, 2) != "\\u")
                        return std::nullopt;
                    at_ += 2;
                    std::optional<char32_t> c2 = Hex4();
                    if (!c2 || *c2 < 0xDC00 || *c2 >= 0xE000)
                        return std::nullopt;
                    code = 0x10000 + ((code - 0xD800) << 10) + (*c2 - 0xDC00);
                } else if (code >= 0xDC00 && code < 0xE000) {
                    return std::nullopt;
                }
                AppendUtf8(out, code);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt;
    }

private:
    std::optional<char32_t> Hex4()
    {
        if (at_ + 4 > text_.size())
            return std::nullopt;
        char32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            char c = text_[at_++];
            int digit = (c >= '0' && c <= '9') ? c - '0'
                : (c >= 'a' && c <= 'f')       ? c - 'a' + 10
                : (c >= 'A' && c <= 'F')       ? c - 'A' + 10
                                               : -1;
            if (digit < 0)
                return std::nullopt;
            value = value * 16 + static_cast<char32_t>(digit);
        }
        return value;
    }

    std::string_view text_;
    size_t at_ = 0;
};

}

std::optional<std::vector<std::pair<std::string, std::string>>> ParseTextObject(std::string_view json)
{
    JsonText text(json);
    std::vector<std::pair<std::string, std::string>> members;
    if (!text.Eat('{'))
        return std::nullopt;
    if (!text.Eat('}')) {
        do {
            std::optional<std::string> key = text.String();
            if (!key || !text.Eat(':'))
                return std::nullopt;
            std::optional<std::string> value = text.String();
            if (!value || members.size() >= kMaxHeaderFields)
                return std::nullopt;
            members.emplace_back(std::move(*key), std::move(*value));
        } while (text.Eat(','));
        if (!text.Eat('}'))
            return std::nullopt;
    }
    if (!text.AtEnd())
        return std::nullopt;
    return members;
}

PlaylistStreamOptions::Tag PlaylistStreamOptions::Read(std::string_view line)
{
    constexpr std::string_view kVlcOption = "#EXTVLCOPT:";
    constexpr std::string_view kHttp = "#EXTHTTP:";
    if (StartsWithNoCase(line, kVlcOption)) {
        std::string_view option = line.substr(kVlcOption.size());
        size_t eq = option.find('=');
        std::string_view name = option.substr(0, eq);
        std::string_view value = eq == std::string_view::npos ? std::string_view() : option.substr(eq + 1);
        const char* header = SameText(name, "http-user-agent")                    ? "User-Agent"
            : (SameText(name, "http-referrer") || SameText(name, "http-referer")) ? "Referer"
                                                                                  : nullptr;
        if (!header)
            return Tag::NotOurs; // the player's own settings (caching, deinterlacing): style
        StreamOptions next = pending_;
        if (eq == std::string_view::npos || !next.Set(header, value))
            return Tag::Ignored;
        pending_ = std::move(next);
        return Tag::Taken;
    }
    if (StartsWithNoCase(line, kHttp)) {
        auto members = ParseTextObject(line.substr(kHttp.size()));
        if (!members)
            return Tag::Ignored;
        // All or nothing: half a set of headers fails as surely as none.
        StreamOptions next = pending_;
        for (const auto& [name, value] : *members)
            if (!next.Set(name, value))
                return Tag::Ignored;
        pending_ = std::move(next);
        return Tag::Taken;
    }
    return Tag::NotOurs;
}

StreamOptions PlaylistStreamOptions::Take()
{
    StreamOptions taken = std::move(pending_);
    pending_ = {};
    return taken;
}

}
