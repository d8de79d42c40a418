#pragma once

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace pellamo {

// Presents bitmaps through a segment of memory shared with the X server
// (MIT-SHM) where the server offers it, as video players do: the pixels are
// copied once into the segment and the server reads them from there,
// instead of every frame travelling through the socket. One segment serves
// all windows of a display, grown to the largest bitmap presented.
class X11ShmImage {
public:
    X11ShmImage(Display* display, Visual* visual, int depth);
    ~X11ShmImage();
    X11ShmImage(const X11ShmImage&) = delete;
    X11ShmImage& operator=(const X11ShmImage&) = delete;

    // False when shared memory cannot be used (a remote display, no
    // extension, no segment): the caller sends the pixels itself.
    bool Put(::Window window, GC gc, const Bitmap& pixels, const Rect& area);

private:
    bool Fit(int width, int height);
    void Release();
    void WaitForServer();

    Display* display_;
    Visual* visual_;
    int depth_;
    bool usable_;
    XShmSegmentInfo segment_ {};
    XImage* image_ = nullptr;
    // The server may still be reading the segment from the last put.
    bool pending_ = false;
};

}
