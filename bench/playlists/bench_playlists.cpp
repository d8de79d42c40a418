// A viewer's playlist of 10,000 channels: reading it, building the third
// tree from it in the main window (the target is under 100 ms), and then
// scrolling a page and finding a channel by typing, which must each fit
// well inside one frame.

#include "app/main_window.h"
#include "app/startup.h"
#include "catalogue/playlist_reader.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/window/window_system.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace pellamo {
namespace {

constexpr int kChannels = 10000;

// Titles in Chinese and in Latin letters, in 25 groups, as big provider
// lists are; `grouped` false gives one long flat list.
std::string MakePlaylist(bool grouped)
{
    const char* words[] = { "新闻", "体育", "电影", "Sport", "News", "Music", "少儿", "财经" };
    std::string text = "#EXTM3U x-tvg-url=\"http://epg.example/guide.xml\"\n";
    for (int i = 0; i < kChannels; ++i) {
        std::string n = std::to_string(i);
        text += "#EXTINF:-1 tvg-id=\"ch" + n + "\" tvg-logo=\"http://logo.example/" + n + ".png\"";
        if (grouped) {
            text += " group-title=\"";
            text += words[i % 8];
            text += ' ';
            text += std::to_string(i % 25);
            text += '"';
        }
        text += ',';
        text += words[(i / 8) % 8];
        text += ' ';
        text += n;
        text += " HD\n";
        text += "http://streams.example:8080/live/user/pass/" + n + ".ts\n";
    }
    return text;
}

// The main window on a headless screen with the list in its playlist folder.
struct Window {
    explicit Window(bool grouped)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pellamo-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        std::filesystem::create_directories(root / "pellamo" / "playlists");
        std::ofstream(root / "pellamo" / "playlists" / "provider.m3u") << MakePlaylist(grouped);
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        windows = CreatePellamoWindows(app);
        windows.main->Show();
        Pump();
        tree = dynamic_cast<TCustomTreeView*>(windows.main->FindComponent("TreeView3"));
        windows.main->MyChannels1Click(nullptr);
    }
    ~Window() { std::filesystem::remove_all(root); }
    void Pump()
    {
        for (int i = 0; i < 20 && EventLoop::Main().ProcessMessages(); ++i) { }
    }

    std::filesystem::path root;
    HeadlessBackend screen;
    TApplication app { screen };
    PellamoWindows windows;
    TCustomTreeView* tree = nullptr;
};

void BM_ReadPlaylist(benchmark::State& state)
{
    std::string text = MakePlaylist(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPlaylist(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadPlaylist)->Unit(benchmark::kMillisecond);

// From the files to a filled tree: what start-up and every change cost.
void BM_LoadIntoTheTree(benchmark::State& state)
{
    Window window(state.range(0) != 0);
    for (auto _ : state)
        window.windows.main->Playlists().Reload();
    state.counters["nodes"] = static_cast<double>(window.tree->Items().Count());
}
BENCHMARK(BM_LoadIntoTheTree)->Arg(1)->Arg(0)->ArgNames({ "grouped" })->Unit(benchmark::kMillisecond);

// One page down through the open 10,000-channel list, painted.
void BM_ScrollAPage(benchmark::State& state)
{
    Window window(false);
    window.tree->Items().GetFirstNode()->Expand();
    window.Pump();
    WindowSystem& ws = window.app.Windows();
    HWND tree = window.tree->Handle();
    int pages = 0;
    for (auto _ : state) {
        bool back = ++pages % 400 == 0;
        ws.SendMessage(tree, WM_VSCROLL, back ? SB_TOP : SB_PAGEDOWN, 0);
        ws.PaintPending();
    }
}
BENCHMARK(BM_ScrollAPage)->Unit(benchmark::kMicrosecond);

// Typing a channel's first letters in the open list: each key walks the
// visible rows once.
void BM_TypeAhead(benchmark::State& state)
{
    Window window(false);
    window.tree->Items().GetFirstNode()->Expand();
    window.tree->SetFocus();
    window.Pump();
    int turn = 0;
    for (auto _ : state) {
        // A pause of more than a second between searches starts a new one.
        auto later = std::chrono::steady_clock::now() + std::chrono::seconds(2 * ++turn);
        window.tree->Clock = [later] { return later; };
        window.screen.TypeText(turn % 2 ? "M" : "S");
        window.app.Windows().PaintPending();
    }
}
BENCHMARK(BM_TypeAhead)->Unit(benchmark::kMicrosecond);

}
}

BENCHMARK_MAIN();
