#include "platform/components/controls/stored_bitmap.h"

#include "platform/components/props.h"
#include "platform/gfx/bmp_codec.h"
#include "platform/gfx/image_error.h"
#include "platform/gfx/resources.h"

#include <span>

namespace pellamo {

const ClassInfo& TStoredBitmap::StaticClass()
{
    static const ClassInfo info("TBitmap", &TPersistent::StaticClass(),
        {
            props::Stored<TStoredBitmap>(
                props::Binary<TStoredBitmap>("Data", &TStoredBitmap::Data, &TStoredBitmap::SetData),
                [](const TStoredBitmap& b) { return !b.Empty(); }),
        });
    return info;
}

void TStoredBitmap::Assign(const TPersistent& source)
{
    if (auto* b = dynamic_cast<const TStoredBitmap*>(&source)) {
        SetBitmap(b->bitmap_);
        return;
    }
    TPersistent::Assign(source);
}

void TStoredBitmap::SetBitmap(const Bitmap& bitmap)
{
    bitmap_ = bitmap;
    Changed();
}

void TStoredBitmap::LoadFromResourceName(const std::string& name) { SetBitmap(Resources::LoadBitmap(name)); }

Bytes TStoredBitmap::Data() const
{
    if (Empty())
        return {};
    Bytes file = BmpCodec::Write(bitmap_, 32);
    Bytes out;
    auto size = static_cast<uint32_t>(file.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(size >> (8 * i)));
    out.insert(out.end(), file.begin(), file.end());
    return out;
}

void TStoredBitmap::SetData(const Bytes& data)
{
    if (data.empty()) {
        Clear();
        return;
    }
    std::span<const uint8_t> bytes(data);
    if (!(bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')) {
        if (bytes.size() < 4)
            throw ImageError("Bitmap data is cut short");
        uint32_t size = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
        bytes = bytes.subspan(4);
        if (size > bytes.size())
            throw ImageError("Bitmap data is cut short");
        bytes = bytes.first(size);
    }
    SetBitmap(BmpCodec::Read(bytes));
}

void TStoredBitmap::Changed()
{
    if (OnChange)
        OnChange();
}

}
