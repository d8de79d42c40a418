#include "net/nm_uu_processor.h"

#include <sstream>
#include <stdexcept>

namespace pellamo {

namespace {
const char kMime[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kUuCode[] = "`!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_";
static_assert(sizeof kMime == 65 && sizeof kUuCode == 65);
}

void TNMUUProcessor::Encode()
{
    if (!m_source || !m_target)
        throw std::invalid_argument("Encode needs a source and a target stream");
    m_source->clear();
    m_source->seekg(0);
    if (OnBeginEncode)
        OnBeginEncode(*this);
    struct End {
        TNMUUProcessor* self;
        ~End()
        {
            self->m_target->clear();
            self->m_target->seekp(0);
            if (self->OnEndEncode) {
                try {
                    self->OnEndEncode(*self);
                } catch (...) {
                }
            }
        }
    } end { this };
    const char* alphabet = m_method == uuCode ? kUuCode : kMime;
    unsigned char block[45];
    for (;;) {
        m_source->read(reinterpret_cast<char*>(block), sizeof block);
        size_t count = static_cast<size_t>(m_source->gcount());
        if (count == 0)
            break;
        std::string line;
        if (m_method == uuCode)
            line += alphabet[count % 64];
        size_t i = 0;
        for (; i + 3 <= count; i += 3) {
            unsigned b0 = block[i], b1 = block[i + 1], b2 = block[i + 2];
            line += alphabet[b0 >> 2];
            line += alphabet[((b0 & 3) << 4) | (b1 >> 4)];
            line += alphabet[((b1 & 15) << 2) | (b2 >> 6)];
            line += alphabet[b2 & 63];
        }
        if (count - i == 1) {
            unsigned b0 = block[i];
            line += alphabet[b0 >> 2];
            line += alphabet[(b0 & 3) << 4];
            if (m_method == uuMime)
                line += "==";
        } else if (count - i == 2) {
            unsigned b0 = block[i], b1 = block[i + 1];
            line += alphabet[b0 >> 2];
            line += alphabet[((b0 & 3) << 4) | (b1 >> 4)];
            line += alphabet[(b1 & 15) << 2];
            if (m_method == uuMime)
                line += "=";
        }
        line += "\r\n";
        m_target->write(line.data(), static_cast<std::streamsize>(line.size()));
        if (count < sizeof block)
            break;
    }
    if (m_method == uuCode) {
        std::string last = std::string(1, alphabet[0]) + "\r\n";
        m_target->write(last.data(), static_cast<std::streamsize>(last.size()));
    }
    if (!*m_target)
        throw std::runtime_error("Encode could not write its target stream");
}

std::string TNMUUProcessor::Base64(std::string_view data)
{
    std::istringstream source { std::string(data) };
    std::stringstream target;
    TNMUUProcessor processor;
    processor.SetSourceStream(&source);
    processor.SetTargetStream(&target);
    processor.Encode();
    std::string text;
    for (char c : target.str())
        if (c != '\r' && c != '\n')
            text += c;
    return text;
}

}
