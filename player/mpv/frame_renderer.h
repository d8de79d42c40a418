#pragma once

#include "platform/gfx/bitmap.h"
#include "player/mpv/mpv_library.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace pellamo {

// Draws the engine's video frames in software on a thread of its own. The
// engine's core waits for each frame to be drawn, so the thread that draws
// must never wait for the core; the loop's thread makes calls that do, and
// a frame drawn there would stall both until a time-out (a switch of
// channel then took a quarter of a second or more).
//
// Pictures belong to a stream: the loop's thread names the stream it wants
// to see with Accept(). Until the first new frame of that stream has been
// drawn nothing is, so a frame or a redraw of the stream before it never
// shows after a switch.
class FrameRenderer {
public:
    // `ready` is called on the drawing thread when a picture can be taken.
    FrameRenderer(const MpvApi& api, mpv_render_context* context, std::function<void()> ready);
    // Stops drawing and detaches from the context, which stays the caller's.
    ~FrameRenderer();
    FrameRenderer(const FrameRenderer&) = delete;
    FrameRenderer& operator=(const FrameRenderer&) = delete;

    // The size pictures are drawn at; an empty size draws none.
    void SetSize(int width, int height);
    // Frames from now on are drawn for `stream` (0: none are). A new stream
    // shows from its first new frame on.
    void Accept(uint64_t stream);
    // Takes the latest picture drawn for the accepted stream at the current
    // size into `picture` (its old pixels are reused). False when there is
    // none that has not been taken.
    bool Take(Bitmap& picture);

private:
    struct Target {
        int width = 0;
        int height = 0;
        uint64_t stream = 0;
    };

    static void UpdateThunk(void* self);
    void Run();
    // Drawing thread: one update of the engine, or a redraw we asked for.
    void DrawOne(bool update, bool redraw, const Target& target);
    bool Render(Bitmap* target);

    const MpvApi& m_api;
    mpv_render_context* m_context;
    std::function<void()> m_ready;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_quit = false;
    bool m_update = false;
    bool m_redraw = false;
    Target m_target;
    Bitmap m_finished;
    uint64_t m_finished_stream = 0;
    bool m_finished_new = false;

    // The drawing thread's own.
    Bitmap m_drawing;
    uint64_t m_shown_stream = 0; // the stream whose first new frame was drawn

    std::thread m_thread;
};

}
