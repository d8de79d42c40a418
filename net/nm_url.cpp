#include "net/nm_url.h"

#include <stdexcept>

namespace pellamo {

std::string TNMURL::EncodedText()
{
    try {
        // The byte count was 16 bits wide; longer input is refused as a whole
        // rather than encoded in part.
        if (m_input.size() > kMaxInput)
            throw std::length_error("Input of " + std::to_string(m_input.size()) + " bytes is longer than 65535 bytes");
        static const char hex[] = "0123456789ABCDEF";
        std::string out;
        out.reserve(m_input.size() * 3);
        for (unsigned char c : m_input) {
            if (c == ' ') {
                out += '+';
            } else if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
                out += static_cast<char>(c);
            } else {
                out += '%';
                out += hex[c >> 4];
                out += hex[c & 15];
            }
        }
        return out;
    } catch (const std::exception& e) {
        if (OnError)
            OnError(*this, "Error during encode", e.what());
        return m_input;
    }
}

}
