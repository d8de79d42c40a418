#include "platform/components/controls/picture.h"

#include "platform/components/props.h"
#include "platform/components/stream.h"
#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/image_error.h"
#include "platform/gfx/jpeg_decoder.h"
#include "platform/gfx/resources.h"

#include <fstream>
#include <iterator>

namespace pellamo {

const ClassInfo& TPicture::StaticClass()
{
    static const ClassInfo info("TPicture", &TPersistent::StaticClass(),
        {
            props::Stored<TPicture>(props::Binary<TPicture>("Data", &TPicture::Data, &TPicture::SetData),
                [](const TPicture& p) { return !p.Empty(); }),
        });
    return info;
}

void TPicture::Assign(const TPersistent& source)
{
    if (auto* p = dynamic_cast<const TPicture*>(&source)) {
        bitmap_ = p->bitmap_;
        format_ = p->format_;
        original_ = p->original_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TPicture::Format TPicture::Detect(std::span<const uint8_t> bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return Format::Bmp;
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
        return Format::Jpeg;
    return Format::None;
}

void TPicture::LoadFromBytes(std::span<const uint8_t> bytes)
{
    Format f = Detect(bytes);
    Bitmap b;
    switch (f) {
    case Format::Bmp:
        b = BmpCodec::Read(bytes);
        break;
    case Format::Jpeg:
        b = JpegDecoder::Decode(bytes);
        break;
    case Format::None:
        throw ImageError("Unknown picture format");
    }
    bitmap_ = std::move(b);
    format_ = f;
    original_.assign(bytes.begin(), bytes.end());
    Changed();
}

void TPicture::LoadFromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ImageError("Cannot open picture file " + path);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LoadFromBytes(bytes);
}

void TPicture::LoadFromStream(TStream& stream)
{
    std::int64_t left = stream.Size() - stream.Position();
    if (left < 0)
        left = 0;
    Bytes bytes(static_cast<size_t>(left));
    if (!bytes.empty())
        stream.ReadBuffer(bytes.data(), bytes.size());
    LoadFromBytes(bytes);
}

void TPicture::LoadFromResourceName(const std::string& name) { LoadFromBytes(Resources::Get(name)); }

void TPicture::SetBitmap(const Bitmap& bitmap)
{
    bitmap_ = bitmap;
    format_ = Empty() ? Format::None : Format::Bmp;
    original_.clear();
    Changed();
}

void TPicture::SetTransparent(bool on)
{
    if (bitmap_.Transparent() == on)
        return;
    bitmap_.SetTransparent(on);
    Changed();
}

void TPicture::Clear()
{
    bitmap_ = Bitmap();
    format_ = Format::None;
    original_.clear();
    Changed();
}

Bytes TPicture::Data() const
{
    if (Empty())
        return {};
    Bytes file = original_;
    if (file.empty())
        file = BmpCodec::Write(bitmap_);
    const std::string name = format_ == Format::Jpeg ? "TJPEGImage" : "TBitmap";
    Bytes out;
    out.push_back(static_cast<uint8_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    auto size = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(size >> (8 * i)));
    out.insert(out.end(), file.begin(), file.end());
    return out;
}

void TPicture::SetData(const Bytes& data)
{
    if (data.empty()) {
        Clear();
        return;
    }
    std::span<const uint8_t> bytes(data);
    if (Detect(bytes) == Format::None) {
        // A class name, then (usually) the size of what follows.
        size_t name_length = bytes[0];
        if (name_length + 1 > bytes.size())
            throw ImageError("Picture data is cut short");
        bytes = bytes.subspan(name_length + 1);
        if (Detect(bytes) == Format::None && bytes.size() >= 4) {
            uint32_t size = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
            bytes = bytes.subspan(4);
            if (size < bytes.size())
                bytes = bytes.first(size);
        }
    }
    LoadFromBytes(bytes);
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}

}
