// Finding and keeping channels with a 10,000-channel playlist beside the
// built-in trees: one keystroke in the channel search, filtered and
// painted (the target is under 5 ms), the filter alone, and filling the
// tree of my channels when every logo is in the cache.

#include "app/main_window.h"
#include "app/startup.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/edit.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/gfx/png_file.h"
#include "platform/text/gbk.h"
#include "platform/window/window_system.h"
#include "viewer/logo_cache.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace pellamo {
namespace {

constexpr int kChannels = 10000;

std::string MakePlaylist()
{
    const char* words[] = { "新闻", "体育", "电影", "Sport", "News", "Music", "少儿", "财经" };
    std::string text = "#EXTM3U\n";
    for (int i = 0; i < kChannels; ++i) {
        std::string n = std::to_string(i);
        text += "#EXTINF:-1 tvg-logo=\"http://logo.example/" + n + ".png\" group-title=\"" + words[i % 8] + " "
            + std::to_string(i % 25) + "\"," + words[(i / 8) % 8] + " " + n + " HD\n";
        text += "http://streams.example:8080/live/" + n + ".ts\n";
    }
    return text;
}

// The main window on a headless screen, the list in its playlist folder
// and, when asked, every logo in its cache.
struct Window {
    explicit Window(bool logos)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "pellamo-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        std::filesystem::create_directories(root / "pellamo" / "playlists");
        std::ofstream(root / "pellamo" / "playlists" / "provider.m3u") << MakePlaylist();
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        setenv("XDG_CACHE_HOME", (root / "cache").c_str(), 1);
        if (logos) {
            Bitmap picture(24, 24, 0x3366CC);
            std::string file = (root / "logo.png").string();
            WritePngFile(picture, file);
            std::ifstream in(file, std::ios::binary);
            std::string bytes { std::istreambuf_iterator<char>(in), {} };
            LogoCache cache;
            std::filesystem::create_directories(cache.Directory());
            for (int i = 0; i < kChannels; ++i)
                std::ofstream(cache.FileFor("http://logo.example/" + std::to_string(i) + ".png"), std::ios::binary)
                    << bytes;
        }
        windows = CreatePellamoWindows(app);
        windows.main->Show();
        Pump();
        tree = dynamic_cast<TCustomTreeView*>(windows.main->FindComponent("TreeView3"));
        windows.main->MyChannels1Click(nullptr);
        if (logos) {
            // Every group open, as after a viewer browsed them all: all logos in sight.
            for (TTreeNode* node = tree->Items().GetFirstNode(); node; node = node->GetNext())
                if (node->HasChildren())
                    node->Expand();
            windows.main->Playlists().Reload();
            EventLoop& loop = EventLoop::Main();
            EventLoop::Id tick = loop.StartTimer(std::chrono::milliseconds(5), [] {});
            loop.WaitUntil([this] { return windows.main->LogosIdle(); }, std::chrono::seconds(120));
            loop.StopTimer(tick);
            Pump();
        }
    }
    ~Window() { std::filesystem::remove_all(root); }
    void Pump()
    {
        for (int i = 0; i < 50 && EventLoop::Main().ProcessMessages(); ++i) { }
    }

    std::filesystem::path root;
    HeadlessBackend screen;
    TApplication app { screen };
    PellamoWindows windows;
    TCustomTreeView* tree = nullptr;
};

// One key typed in the search field: the channels of every tree filtered,
// the result list refilled and the window painted.
void BM_SearchKeystroke(benchmark::State& state)
{
    Window window(false);
    window.windows.main->OpenSearch();
    auto* edit = dynamic_cast<TCustomEdit*>(window.windows.main->FindComponent("SearchEdit"));
    const std::string typed[] = { Utf8ToGbk("新"), Utf8ToGbk("新闻"), Utf8ToGbk("新闻 1"), Utf8ToGbk("新闻 12"), "s",
        "sp", "spo", "sport 99" };
    size_t turn = 0;
    for (auto _ : state) {
        edit->SetText(typed[turn++ % std::size(typed)]);
        window.app.Windows().PaintPending();
    }
    state.counters["channels"] = kChannels;
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

// Filling the tree of my channels again (start-up, every playlist change)
// with all 10,000 logos cached and shown.
void BM_FillTreeWithCachedLogos(benchmark::State& state)
{
    Window window(true);
    for (auto _ : state) {
        window.windows.main->Playlists().Reload();
        window.app.Windows().PaintPending();
    }
    state.counters["nodes"] = static_cast<double>(window.tree->Items().Count());
    int shown = 0;
    for (TTreeNode* node = window.tree->Items().GetFirstNode(); node; node = node->GetNext())
        shown += node->ImageIndex >= 0;
    state.counters["logos"] = shown;
}
BENCHMARK(BM_FillTreeWithCachedLogos)->Unit(benchmark::kMillisecond);

}
}

BENCHMARK_MAIN();
