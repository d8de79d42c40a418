#include "skin/window/bitmap_window.h"

#include "platform/gfx/region.h"
#include "platform/window/window_system.h"

namespace pellamo {

void SetBitmapWindow(HWND window, const Bitmap& bitmap, TColor key)
{
    if (WindowSystem* ws = WindowSystem::Current())
        ws->SetWindowRgn(window, Region::FromBitmap(bitmap, key), true);
}

}
