#include "platform/backend/x11/x11_shm_image.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstring>

namespace pellamo {

namespace {

bool g_attach_failed = false;

int NoteAttachError(Display*, XErrorEvent*)
{
    g_attach_failed = true;
    return 0;
}

}

X11ShmImage::X11ShmImage(Display* display, Visual* visual, int depth)
    : display_(display)
    , visual_(visual)
    , depth_(depth)
    , usable_(XShmQueryExtension(display) && depth == 24)
{
}

X11ShmImage::~X11ShmImage() { Release(); }

void X11ShmImage::WaitForServer()
{
    if (pending_)
        XSync(display_, False);
    pending_ = false;
}

void X11ShmImage::Release()
{
    if (!image_)
        return;
    WaitForServer();
    XShmDetach(display_, &segment_);
    XSync(display_, False);
    image_->data = nullptr;
    XDestroyImage(image_);
    shmdt(segment_.shmaddr);
    image_ = nullptr;
    segment_ = {};
}

bool X11ShmImage::Fit(int width, int height)
{
    if (image_ && image_->width >= width && image_->height >= height)
        return true;
    // Grown with some room, so that a window resized by a few pixels at a
    // time does not make a segment each time.
    int new_width = std::max(width, image_ ? image_->width : 0);
    int new_height = std::max(height, image_ ? image_->height : 0);
    Release();
    image_ = XShmCreateImage(display_, visual_, static_cast<unsigned>(depth_), ZPixmap, nullptr, &segment_,
        static_cast<unsigned>(new_width), static_cast<unsigned>(new_height));
    if (!image_)
        return false;
    if (image_->bits_per_pixel != 32 || image_->byte_order != LSBFirst) {
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    segment_.shmid
        = shmget(IPC_PRIVATE, static_cast<size_t>(image_->bytes_per_line) * image_->height, IPC_CREAT | 0600);
    if (segment_.shmid < 0) {
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    segment_.shmaddr = image_->data = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
    segment_.readOnly = False;
    if (segment_.shmaddr == reinterpret_cast<char*>(-1)) {
        shmctl(segment_.shmid, IPC_RMID, nullptr);
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
        return false;
    }
    // A server on another machine cannot attach: it says so with an error.
    g_attach_failed = false;
    XErrorHandler previous = XSetErrorHandler(NoteAttachError);
    XShmAttach(display_, &segment_);
    XSync(display_, False);
    XSetErrorHandler(previous);
    // Marked for removal now: it goes when both sides have let go, even if
    // the program does not end well.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (g_attach_failed) {
        shmdt(segment_.shmaddr);
        image_->data = nullptr;
        XDestroyImage(image_);
        image_ = nullptr;
        segment_ = {};
        return false;
    }
    return true;
}

bool X11ShmImage::Put(::Window window, GC gc, const Bitmap& pixels, const Rect& area)
{
    if (!usable_)
        return false;
    if (!Fit(pixels.Width(), pixels.Height())) {
        usable_ = false;
        return false;
    }
    WaitForServer();
    // Only the rows of the area: the rest of the segment is never shown.
    size_t bytes = static_cast<size_t>(area.Width()) * sizeof(Pixel);
    for (int y = area.top; y < area.bottom; ++y) {
        const char* from = reinterpret_cast<const char*>(pixels.Data()) + static_cast<size_t>(y) * pixels.StrideBytes()
            + static_cast<size_t>(area.left) * sizeof(Pixel);
        char* to = image_->data + static_cast<size_t>(y) * image_->bytes_per_line
            + static_cast<size_t>(area.left) * sizeof(Pixel);
        std::memcpy(to, from, bytes);
    }
    XShmPutImage(display_, window, gc, image_, area.left, area.top, area.left, area.top,
        static_cast<unsigned>(area.Width()), static_cast<unsigned>(area.Height()), False);
    XFlush(display_);
    pending_ = true;
    return true;
}

}
