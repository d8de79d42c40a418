#include "platform/components/controls/image_list.h"

#include "platform/components/props.h"

#include <algorithm>

namespace pellamo {

TImageList::TImageList(TComponent* owner)
    : TComponent(owner)
{
}

const ClassInfo& TImageList::StaticClass()
{
    static const ClassInfo info("TImageList", &TComponent::StaticClass(),
        {
            props::Int<TImageList>("Height", &TImageList::Height, &TImageList::SetHeight),
            props::Int<TImageList>("Width", &TImageList::Width, &TImageList::SetWidth),
        },
        FactoryOf<TImageList>());
    return info;
}

void TImageList::SetWidth(int width)
{
    width = std::max(1, width);
    if (width == Width())
        return;
    list_ = ImageList(width, Height());
    Changed();
}

void TImageList::SetHeight(int height)
{
    height = std::max(1, height);
    if (height == Height())
        return;
    list_ = ImageList(Width(), height);
    Changed();
}

int TImageList::Add(const Bitmap& bitmap)
{
    int index = list_.Add(bitmap);
    Changed();
    return index;
}

int TImageList::AddMasked(const Bitmap& bitmap, TColor mask_color)
{
    int index = list_.AddMasked(bitmap, mask_color);
    Changed();
    return index;
}

void TImageList::Clear()
{
    list_.Clear();
    Changed();
}

void TImageList::Draw(Canvas& canvas, int x, int y, int index, bool enabled) const
{
    list_.Draw(canvas, x, y, index, enabled);
}

bool TImageList::GetBitmap(int index, Bitmap& target) const { return list_.GetBitmap(index, target); }

void TImageList::Changed()
{
    if (OnChange)
        OnChange();
}

}
