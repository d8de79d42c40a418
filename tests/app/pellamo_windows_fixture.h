#pragma once

// The program's windows created as start-up creates them, on a headless
// screen, with the viewer's playlists kept in a temporary folder; message
// boxes are recorded and answered OK.

#include "app/about_window.h"
#include "app/load_window.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "platform/backend/headless/headless_backend.h"
#include "platform/components/controls/application.h"
#include "platform/components/controls/custom_tree_view.h"
#include "platform/components/controls/tree_node.h"
#include "platform/components/controls/tree_nodes.h"
#include "platform/loop/event_loop.h"
#include "platform/text/gbk.h"
#include "tests/net/test_servers.h"
#include "tests/support/pump.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace pellamo::test {

class PellamoWindowsFixture : public ::testing::Test {
protected:
    // `prepare` may put files into the configuration folder before the
    // windows read it; `look` is what a command line chose.
    explicit PellamoWindowsFixture(
        const std::function<void(const std::string& config_dir)>& prepare = {}, const PlayerLook& look = {})
    {
        // The viewer's playlists and guide of the machine running the tests stay out.
        setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        setenv("XDG_CACHE_HOME", (config.Path() + "/cache").c_str(), 1);
        if (prepare)
            prepare(config.Path());
        app.MessageBoxFunction = [this](const std::string& text, const std::string& caption, UINT) {
            boxes.push_back(caption + "|" + text);
            return IDOK;
        };
        windows = CreatePellamoWindows(app, look);
        windows.main->Show();
        Pump();
    }

    void Pump() { test::Pump(EventLoop::Main()); }

    TControl& Control(const char* name)
    {
        auto* control = dynamic_cast<TControl*>(windows.main->FindComponent(name));
        EXPECT_NE(control, nullptr) << name;
        return *control;
    }
    TCustomTreeView& Tree(const char* name)
    {
        auto* tree = dynamic_cast<TCustomTreeView*>(windows.main->FindComponent(name));
        EXPECT_NE(tree, nullptr) << name;
        return *tree;
    }
    TTreeNode* Node(TCustomTreeView& tree, const char* utf8)
    {
        for (TTreeNode* n = tree.Items().GetFirstNode(); n; n = n->GetNext())
            if (n->Text() == Utf8ToGbk(utf8))
                return n;
        ADD_FAILURE() << "no node " << utf8;
        return nullptr;
    }

    TempDir config;
    HeadlessBackend screen;
    TApplication app { screen };
    PellamoWindows windows;
    std::vector<std::string> boxes;
};

}
