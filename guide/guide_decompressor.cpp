#include "guide/guide_decompressor.h"

#include "guide/guide_error.h"

#include <zlib.h>

#include <memory>
#include <string>

namespace pellamo {

namespace {

constexpr unsigned char kGzipMagic[] = { 0x1F, 0x8B };

}

GuideDecompressor::GuideDecompressor(Sink sink, uint64_t max_text)
    : sink_(std::move(sink))
    , max_text_(max_text)
{
}

GuideDecompressor::~GuideDecompressor()
{
    if (zip_) {
        inflateEnd(zip_);
        delete zip_;
    }
}

void GuideDecompressor::Feed(std::string_view bytes)
{
    if (bytes.empty())
        return;
    if (mode_ == Mode::kUndecided) {
        Decide(bytes);
        return;
    }
    if (mode_ == Mode::kPlain)
        Emit(bytes);
    else
        Inflate(bytes);
}

void GuideDecompressor::Decide(std::string_view bytes)
{
    if (!have_first_ && bytes.size() == 1) {
        first_ = bytes[0];
        have_first_ = true;
        return;
    }
    std::string head;
    if (have_first_) {
        head.assign(1, first_);
        head.append(bytes);
        bytes = head;
        have_first_ = false;
    }
    if (static_cast<unsigned char>(bytes[0]) == kGzipMagic[0]
        && static_cast<unsigned char>(bytes[1]) == kGzipMagic[1]) {
        mode_ = Mode::kGzip;
        zip_ = new z_stream {};
        // 16 + MAX_WBITS: a gzip wrapper, checked (CRC and length) at its end.
        if (inflateInit2(zip_, 16 + MAX_WBITS) != Z_OK) {
            delete zip_;
            zip_ = nullptr;
            throw GuideError("The guide cannot be uncompressed: zlib did not start.");
        }
        Inflate(bytes);
    } else {
        mode_ = Mode::kPlain;
        Emit(bytes);
    }
}

void GuideDecompressor::Emit(std::string_view text)
{
    text_ += text.size();
    if (text_ > max_text_)
        throw GuideError("The guide is larger than " + std::to_string(max_text_ >> 20) + " MB of text.");
    sink_(text);
}

void GuideDecompressor::Inflate(std::string_view bytes)
{
    char out[64 * 1024];
    zip_->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    zip_->avail_in = static_cast<uInt>(bytes.size());
    bool pending = false; // zlib may hold output when the last call filled `out`
    while (!trailing_ && (zip_->avail_in > 0 || pending)) {
        if (!member_open_) {
            // After a member: another member, or what gunzip ignores as
            // trailing garbage (zeros some servers pad with, for example).
            if (*zip_->next_in != kGzipMagic[0]) {
                trailing_ = true;
                break;
            }
            member_open_ = true;
        }
        zip_->next_out = reinterpret_cast<Bytef*>(out);
        zip_->avail_out = sizeof out;
        int status = inflate(zip_, Z_NO_FLUSH);
        size_t made = sizeof out - zip_->avail_out;
        pending = zip_->avail_out == 0;
        if (status == Z_STREAM_END) {
            member_open_ = false;
            pending = false;
            inflateReset(zip_);
        } else if (status == Z_BUF_ERROR) {
            pending = false; // no progress possible until more input comes
        } else if (status != Z_OK) {
            throw GuideError("The guide's gzip data is damaged.");
        }
        if (made > 0)
            Emit(std::string_view(out, made));
    }
}

void GuideDecompressor::Finish()
{
    if (mode_ == Mode::kUndecided && have_first_) {
        mode_ = Mode::kPlain;
        have_first_ = false;
        Emit(std::string_view(&first_, 1));
    }
    if (mode_ == Mode::kGzip && member_open_) {
        // Whatever zlib still holds cannot be a whole text without its end.
        throw GuideError("The guide's gzip data is cut short.");
    }
}

}
