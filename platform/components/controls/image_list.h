#pragma once

// TImageList: a component holding images of one size (tool bar buttons,
// tree nodes, menu items) on top of the drawing layer's ImageList.

#include "platform/components/component.h"
#include "platform/gfx/image_list.h"

#include <functional>

namespace pellamo {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* owner);

    static const ClassInfo& StaticClass();
    const ClassInfo& Class() const override { return StaticClass(); }

    int Width() const { return list_.Width(); }
    int Height() const { return list_.Height(); }
    // Changing the size empties the list.
    void SetWidth(int width);
    void SetHeight(int height);
    int Count() const { return list_.Count(); }

    // A bitmap as wide as several images adds them all; returns the first
    // index, -1 when nothing was added.
    int Add(const Bitmap& bitmap);
    int AddMasked(const Bitmap& bitmap, TColor mask_color);
    void Clear();
    void Draw(Canvas& canvas, int x, int y, int index, bool enabled = true) const;
    bool GetBitmap(int index, Bitmap& target) const;
    const ImageList& Images() const { return list_; }

    std::function<void()> OnChange;

private:
    void Changed();
    ImageList list_ { 16, 16 };
};

}
