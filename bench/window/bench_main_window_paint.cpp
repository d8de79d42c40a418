// A full repaint of the program's main window, dressed in its skin, with
// every category of the television tree open, on the headless screen: the
// frame, title and menu bars, caption panel, tree and status bar, all
// painted and presented.

#include "app/main_window.h"
#include "app/startup.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/loop/event_loop.h"
#include "platform/window/window_system.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace pellamo {
namespace {

void BM_MainWindowFullRepaintHeadless(benchmark::State& state)
{
    // The viewer's playlists of the machine stay out of the figure.
    std::string config = (std::filesystem::temp_directory_path() / "pellamo-bench-config").string();
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    HeadlessBackend screen;
    TApplication app { screen };
    app.MessageBoxFunction = [](const std::string&, const std::string&, UINT) { return IDOK; };
    PellamoWindows windows = CreatePellamoWindows(app);
    windows.main->Show();
    auto* tree = dynamic_cast<TCustomTreeView*>(windows.main->FindComponent("TreeView1"));
    for (TTreeNode* n = tree->Items().GetFirstNode(); n; n = n->GetNextSibling())
        n->Expand();
    WindowSystem& ws = TControl::Windows();
    for (int i = 0; i < 5; ++i)
        app.Loop().ProcessMessages();
    for (auto _ : state) {
        ws.RedrawWindow(windows.main->Handle(), nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        ws.PaintPending();
    }
}
BENCHMARK(BM_MainWindowFullRepaintHeadless)->Unit(benchmark::kMillisecond);

}
}

BENCHMARK_MAIN();
