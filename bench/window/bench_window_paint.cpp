// Paint and present a 640 x 435 window (the main window's size) with a few
// hundred blits and text runs, on the headless screen and on X11 (a private
// Xvfb when no DISPLAY is set).

#include "platform/backend/headless/headless_backend.h"
#include "platform/backend/x11/x11_backend.h"
#include "platform/window/window_system.h"
#include "tests/e2e/xvfb_server.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace pellamo {
namespace {

constexpr int kBlits = 300;
constexpr int kTextRuns = 60;

// A copy of `src` to (x, y) of the context, inside its clip: the cost of a
// skin bitmap draw without the drawing layer's extras.
void Blit(DeviceContext& dc, const Bitmap& src, int x, int y)
{
    Rect target = Rect::FromSize(x + dc.Origin().x, y + dc.Origin().y, src.Width(), src.Height());
    for (const Rect& clip : dc.Clip().Rects()) {
        Rect a = target.Intersect(clip);
        for (int row = a.top; row < a.bottom; ++row) {
            const Pixel* in = src.Row(row - target.top) + (a.left - target.left);
            std::copy(in, in + a.Width(), dc.Target().Row(row) + a.left);
        }
    }
}

struct Scene {
    explicit Scene(DisplayBackend& backend, EventLoop& loop)
        : ws(backend, loop)
        , tile(24, 24, Rgb(90, 120, 200))
    {
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                tile.SetPixel(x, y, Rgb(static_cast<uint8_t>(x * 10), static_cast<uint8_t>(y * 10), 128));
        ws.RegisterClass({ "Form", [this](HWND h, UINT m, WPARAM w, LPARAM l) { return Proc(h, m, w, l); }, 0, -1 });
        CreateWindowParams p;
        p.class_name = "Form";
        p.style = WS_POPUP | WS_VISIBLE;
        p.ex_style = WS_EX_DLGMODALFRAME;
        p.bounds = Rect::FromSize(50, 50, 640, 435);
        top = ws.CreateWindowEx(p);
        // A title bar, a menu bar, a tree and a status bar, as on the main window.
        const Rect kids[] = { { 0, 0, 634, 20 }, { 0, 20, 634, 42 }, { 400, 42, 634, 410 }, { 0, 410, 634, 429 } };
        for (const Rect& r : kids) {
            p.style = WS_CHILD | WS_VISIBLE;
            p.ex_style = 0;
            p.bounds = r;
            p.parent = top;
            ws.CreateWindowEx(p);
        }
        for (int i = 0; i < 3; ++i)
            loop.ProcessMessages();
    }

    LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m != WM_PAINT)
            return ws.DefWindowProc(h, m, w, l);
        PAINTSTRUCT ps;
        DeviceContext* dc = ws.BeginPaint(h, &ps);
        Rect client = ws.GetClientRect(h);
        dc->FillRect(client, Rgb(231, 231, 231));
        // The blits and text runs are spread over the windows by their share of the area.
        int area = client.Width() * client.Height();
        int blits = kBlits * area / (634 * 429) + 1;
        int runs = kTextRuns * area / (634 * 429) + 1;
        for (int i = 0; i < blits; ++i)
            Blit(*dc, tile, (i * 37) % std::max(1, client.Width()), (i * 53) % std::max(1, client.Height()));
        Canvas& canvas = dc->GetCanvas();
        canvas.font.name = "Tahoma";
        canvas.brush.style = BrushStyle::Clear;
        for (int i = 0; i < runs; ++i)
            canvas.TextOutUtf8(
                (i * 71) % std::max(1, client.Width()), (i * 17) % std::max(1, client.Height()), "CCTV-1 中央电视台");
        ws.EndPaint(h, &ps);
        return 0;
    }

    void Frame()
    {
        ws.RedrawWindow(top, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        ws.PaintPending();
    }

    WindowSystem ws;
    Bitmap tile;
    HWND top = nullptr;
};

void BM_PaintPresentHeadless(benchmark::State& state)
{
    EventLoop loop;
    HeadlessBackend screen;
    Scene scene(screen, loop);
    for (auto _ : state)
        scene.Frame();
}
BENCHMARK(BM_PaintPresentHeadless)->Unit(benchmark::kMillisecond);

void BM_PaintPresentX11(benchmark::State& state)
{
    std::unique_ptr<XvfbServer> server;
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    if (display.empty()) {
        server = std::make_unique<XvfbServer>();
        if (!server->Running()) {
            state.SkipWithError("no DISPLAY and Xvfb could not be started");
            return;
        }
        display = server->Display();
    }
    EventLoop loop;
    X11Backend x11(loop, display.c_str());
    Scene scene(x11, loop);
    for (auto _ : state) {
        scene.Frame();
        x11.Sync(); // the frame is on the screen
    }
}
BENCHMARK(BM_PaintPresentX11)->Unit(benchmark::kMillisecond);

}
}

BENCHMARK_MAIN();
