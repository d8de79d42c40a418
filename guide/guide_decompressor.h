#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

struct z_stream_s;

namespace pellamo {

// Turns a guide file's bytes into its XML text as they arrive: gzip data
// (known by its magic bytes, whatever the file is called or the server
// said) is inflated, anything else passed on as it is. Several gzip
// members one after another are one text, as gunzip reads them.
class GuideDecompressor {
public:
    using Sink = std::function<void(std::string_view)>;

    // Text beyond `max_text` bytes is refused: no real guide is that large,
    // and a small gzip bomb must not fill the disk or the memory.
    explicit GuideDecompressor(Sink sink, uint64_t max_text = kMaxText);
    ~GuideDecompressor();
    GuideDecompressor(const GuideDecompressor&) = delete;
    GuideDecompressor& operator=(const GuideDecompressor&) = delete;

    // Throws GuideError for damaged gzip data or too much text.
    void Feed(std::string_view bytes);
    // The input is over: throws GuideError when a gzip stream was cut short.
    void Finish();

    bool Compressed() const { return mode_ == Mode::kGzip; }
    uint64_t TextBytes() const { return text_; }

    static constexpr uint64_t kMaxText = uint64_t(1) << 30;

private:
    enum class Mode { kUndecided, kPlain, kGzip };
    void Decide(std::string_view bytes);
    void Emit(std::string_view text);
    void Inflate(std::string_view bytes);

    Sink sink_;
    uint64_t max_text_;
    uint64_t text_ = 0;
    Mode mode_ = Mode::kUndecided;
    char first_ = 0; // a lone first byte kept until the second decides
    bool have_first_ = false;
    z_stream_s* zip_ = nullptr;
    bool member_open_ = false; // inside a gzip member, its end not seen yet
    bool trailing_ = false; // after the last member: the rest is ignored
};

}
