// Window slides (AnimateWindow): one at a time per window, ended early by
// ShowWindow or destruction.
#include "platform/window/window_system.h"

namespace pellamo {

// ---------------------------------------------------------------- animation

bool WindowSystem::AnimateWindow(HWND hwnd, UINT milliseconds, DWORD flags, std::function<void()> done)
{
    WindowObject* w = Find(hwnd);
    if (!w || w->parent || !WindowSlide::Playable(flags))
        return false;
    EndAnimation(hwnd);
    w = Find(hwnd);
    if (!w || ((w->style & WS_VISIBLE) != 0) == !(flags & AW_HIDE))
        return false;
    auto slide = std::make_unique<WindowSlide>(*this, hwnd, std::chrono::milliseconds(milliseconds), flags);
    if (!IsWindow(hwnd))
        return false;
    WindowSlide& started = *slide;
    m_slides[hwnd] = { std::move(slide), std::move(done) };
    started.Start([this, hwnd] { EndAnimation(hwnd); });
    return true;
}

void WindowSystem::EndAnimation(HWND hwnd)
{
    auto it = m_slides.find(hwnd);
    if (it == m_slides.end())
        return;
    Animation ending = std::move(it->second);
    m_slides.erase(it);
    ending.slide->Complete();
    ending.slide.reset();
    if (ending.done)
        Guarded(ending.done);
}

}
