#include "player/mpv/frame_renderer.h"

#include <utility>

namespace pellamo {

FrameRenderer::FrameRenderer(const MpvApi& api, mpv_render_context* context, std::function<void()> ready)
    : m_api(api)
    , m_context(context)
    , m_ready(std::move(ready))
{
    m_thread = std::thread([this] { Run(); });
    m_api.render_context_set_update_callback(m_context, &FrameRenderer::UpdateThunk, this);
}

FrameRenderer::~FrameRenderer()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_one();
    m_thread.join();
    // Waits for a callback in progress; none comes after it.
    m_api.render_context_set_update_callback(m_context, nullptr, nullptr);
}

// On an engine thread: no engine calls here (the engine forbids them).
void FrameRenderer::UpdateThunk(void* self)
{
    auto* renderer = static_cast<FrameRenderer*>(self);
    {
        std::lock_guard lock(renderer->m_mutex);
        renderer->m_update = true;
    }
    renderer->m_wake.notify_one();
}

void FrameRenderer::SetSize(int width, int height)
{
    {
        std::lock_guard lock(m_mutex);
        if (width == m_target.width && height == m_target.height)
            return;
        m_target.width = width;
        m_target.height = height;
        m_redraw = true;
    }
    m_wake.notify_one();
}

void FrameRenderer::Accept(uint64_t stream)
{
    std::lock_guard lock(m_mutex);
    m_target.stream = stream;
}

bool FrameRenderer::Take(Bitmap& picture)
{
    std::lock_guard lock(m_mutex);
    if (!m_finished_new || m_finished_stream != m_target.stream || m_target.stream == 0
        || m_finished.Width() != m_target.width || m_finished.Height() != m_target.height)
        return false;
    std::swap(picture, m_finished);
    m_finished_new = false;
    return true;
}

void FrameRenderer::Run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_update || m_redraw; });
        if (m_quit)
            return;
        bool update = std::exchange(m_update, false);
        bool redraw = std::exchange(m_redraw, false);
        Target target = m_target;
        lock.unlock();
        DrawOne(update, redraw, target);
        lock.lock();
    }
}

void FrameRenderer::DrawOne(bool update, bool redraw, const Target& target)
{
    bool frame = update && (m_api.render_context_update(m_context) & MPV_RENDER_UPDATE_FRAME);
    if (!frame && !redraw)
        return;
    // A new frame, rather than the current one drawn again (a redraw can
    // still be the previous stream's last picture).
    bool new_frame = false;
    if (frame) {
        mpv_render_frame_info info {};
        mpv_render_param param { MPV_RENDER_PARAM_NEXT_FRAME_INFO, &info };
        if (m_api.render_context_get_info(m_context, param) >= 0)
            new_frame = (info.flags & MPV_RENDER_FRAME_INFO_PRESENT) && !(info.flags & MPV_RENDER_FRAME_INFO_REDRAW);
    }
    bool wanted
        = target.stream != 0 && target.width > 0 && target.height > 0 && (new_frame || m_shown_stream == target.stream);
    if (!wanted) {
        // The engine's clock still expects every frame to be rendered.
        if (frame)
            Render(nullptr);
        return;
    }
    if (m_drawing.Width() != target.width || m_drawing.Height() != target.height)
        m_drawing = Bitmap(target.width, target.height);
    if (!Render(&m_drawing))
        return;
    m_shown_stream = target.stream;

    bool publish = false;
    {
        std::lock_guard lock(m_mutex);
        // A switch or a resize since the drawing began makes it worthless.
        if (m_target.stream == target.stream && m_target.width == target.width && m_target.height == target.height) {
            std::swap(m_drawing, m_finished);
            m_finished_stream = target.stream;
            m_finished_new = true;
            publish = true;
        }
    }
    if (publish && m_ready)
        m_ready();
}

bool FrameRenderer::Render(Bitmap* target)
{
    if (!target) {
        int skip = 1;
        mpv_render_param params[] = {
            { MPV_RENDER_PARAM_SKIP_RENDERING, &skip },
            { MPV_RENDER_PARAM_INVALID, nullptr },
        };
        return m_api.render_context_render(m_context, params) >= 0;
    }
    int size[2] = { target->Width(), target->Height() };
    size_t stride = static_cast<size_t>(target->StrideBytes());
    // Pixels are 0xXXRRGGBB words: "bgr0" in memory order.
    mpv_render_param params[] = {
        { MPV_RENDER_PARAM_SW_SIZE, size },
        { MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>("bgr0") },
        { MPV_RENDER_PARAM_SW_STRIDE, &stride },
        { MPV_RENDER_PARAM_SW_POINTER, target->Data() },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    return m_api.render_context_render(m_context, params) >= 0;
}

}
