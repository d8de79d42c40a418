#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace pellamo {

enum UUMethods { uuMime = 0, uuCode = 1 };

// Encodes a byte stream as base64 (uuMime) or uuencode (uuCode) text in
// lines of 45 input bytes, each ending in CR LF.
class TNMUUProcessor {
public:
    using TNotifyEvent = std::function<void(TNMUUProcessor& sender)>;

    UUMethods Method() const { return m_method; }
    void SetMethod(UUMethods method) { m_method = method; }
    // Not owned.
    std::istream* SourceStream() const { return m_source; }
    void SetSourceStream(std::istream* stream) { m_source = stream; }
    std::ostream* TargetStream() const { return m_target; }
    void SetTargetStream(std::ostream* stream) { m_target = stream; }

    TNotifyEvent OnBeginEncode;
    TNotifyEvent OnEndEncode;
    TNotifyEvent OnBeginDecode;
    TNotifyEvent OnEndDecode;

    // Reads the whole source from its start, writes the encoded lines to the
    // target and rewinds the target to position 0.
    void Encode();

    // Base64 of `data` without line breaks.
    static std::string Base64(std::string_view data);

private:
    UUMethods m_method = uuMime;
    std::istream* m_source = nullptr;
    std::ostream* m_target = nullptr;
};

}
