#pragma once

// TStoredBitmap: a bitmap property of a component (a button's Glyph) that a
// description stores as Name.Data: the size of a BMP file as a 32-bit
// little-endian number, then the file. Plain BMP file bytes are read too.
// Assigning copies the pixels; OnChange tells the owner.

#include "platform/components/persistent.h"
#include "platform/components/prop_info.h"
#include "platform/gfx/bitmap.h"

#include <functional>
#include <string>

namespace pellamo {

class TStoredBitmap : public TPersistent {
public:
    TStoredBitmap() = default;
    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }
    void Assign(const TPersistent& source) override;

    const Bitmap& Graphic() const { return bitmap_; }
    void SetBitmap(const Bitmap& bitmap);
    void Clear() { SetBitmap(Bitmap()); }
    bool Empty() const { return bitmap_.Empty(); }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }

    // Throws ResourceError or ImageError; the bitmap is unchanged then.
    void LoadFromResourceName(const std::string& name);

    // Empty bytes clear the bitmap. Damaged data throws ImageError and
    // changes nothing.
    Bytes Data() const;
    void SetData(const Bytes& data);

    std::function<void()> OnChange;

private:
    void Changed();
    Bitmap bitmap_;
};

}
