#pragma once

// TPicture: a BMP or JPEG picture, recognised by its signature, loaded from
// a file, a stream, a named resource or the bytes a description stores
// (Picture.Data). The original bytes are kept so a description can store
// the picture again as it came.

#include "platform/components/persistent.h"
#include "platform/components/prop_info.h"
#include "platform/gfx/bitmap.h"

#include <functional>
#include <span>
#include <string>

namespace pellamo {

class TStream;

class TPicture : public TPersistent {
public:
    enum class Format { None, Bmp, Jpeg };

    TPicture() = default;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    void Assign(const TPersistent& source) override;

    // Each throws ImageError (bad or unknown data) or a file/stream error;
    // the picture is unchanged then.
    void LoadFromBytes(std::span<const uint8_t> bytes);
    void LoadFromFile(const std::string& path);
    void LoadFromStream(TStream& stream);
    void LoadFromResourceName(const std::string& name);
    void SetBitmap(const Bitmap& bitmap);
    void Clear();

    const Bitmap& Graphic() const { return bitmap_; }
    Format GetFormat() const { return format_; }
    bool Empty() const { return bitmap_.Width() == 0 || bitmap_.Height() == 0; }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    // The graphic's own transparency: drawn, it leaves out the pixels of
    // its bottom-left pixel's colour. A newly loaded graphic is opaque.
    bool Transparent() const { return bitmap_.Transparent(); }
    void SetTransparent(bool on);

    // Description form: a length-prefixed class name ("TBitmap",
    // "TJPEGImage"), a 32-bit little-endian size, then the file bytes. Plain
    // file bytes are accepted too.
    Bytes Data() const;
    void SetData(const Bytes& data);

    static Format Detect(std::span<const uint8_t> bytes);

    std::function<void()> OnChange;

private:
    void Changed();
    Bitmap bitmap_;
    Format format_ = Format::None;
    Bytes original_;
};

}
