#include "tests/layering/include_rules.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <unistd.h>

namespace pellamo::test {
namespace {

namespace fs = std::filesystem;

// Each test has an empty tree of its own to plant includes in.
class Layering : public ::testing::Test {
protected:
    fs::path root;
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "pellamo-layers-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }
    void Plant(const std::string& file, const std::string& text)
    {
        fs::create_directories((root / file).parent_path());
        std::ofstream(root / file) << "#pragma once\n" << text << "\n";
    }
};

TEST_F(Layering, TheSourceTreeKeepsTheLayerRules)
{
    const char* dir = std::getenv("PELLAMO_SOURCE_DIR");
    ASSERT_NE(dir, nullptr) << "PELLAMO_SOURCE_DIR names the source tree";
    ASSERT_TRUE(fs::is_directory(fs::path(dir) / "platform")) << dir;
    for (const std::string& violation : LayerViolations(dir))
        ADD_FAILURE() << violation;
}

TEST_F(Layering, UpwardIncludesAndX11OutsideTheBackendAreFound)
{
    struct Case {
        const char* file;
        const char* text;
        bool breaks;
    } const cases[] = {
        { "platform/components/controls/a.cpp", "#include \"catalogue/tree_reader.h\"", true },
        { "platform/gfx/b.h", "#include \"skin/theme/look.h\"", true },
        { "platform/window/c.cpp", "  #  include \"../../player/player_view.h\"", true },
        { "platform/loop/d.cpp", "#include \"net/powersock.h\"", true },
        { "platform/text/e.cpp", "#include \"app/startup.h\"", true },
        { "skin/buttons/f.cpp", "#include \"app/main_window.h\"", true },
        { "skin/draw/g.cpp", "#include \"player/mpv/mpv_player.h\"", true },
        { "platform/window/h.cpp", "#include <X11/Xlib.h>", true },
        { "app/i.cpp", "#include <X11/Xutil.h>", true },
        { "gallery/pages/r.cpp", "#include \"app/main_window.h\"", true },
        { "gallery/s.cpp", "#include \"player/mpv/mpv_player.h\"", true },
        { "skin/buttons/t.cpp", "#include \"gallery/gallery_page.h\"", true },
        { "platform/gfx/u.cpp", "#include \"gallery/gallery_window.h\"", true },
        { "guide/x.cpp", "#include \"net/web_download.h\"", true },
        { "guide/y.cpp", "#include \"app/main_window.h\"", true },
        { "platform/loop/z.cpp", "#include \"guide/guide_view.h\"", true },
        { "skin/draw/a1.cpp", "#include \"guide/guide_view.h\"", true },
        // Theme data, and the theme-file fuzz target, stay below the controls.
        { "skin/theme_data/d1.cpp", "#include \"skin/theme/file_theme.h\"", true },
        { "skin/theme_data/d2.cpp", "#include \"platform/components/controls/form.h\"", true },
        { "skin/theme_data/d3.h", "#include \"platform/window/window_system.h\"", true },
        { "skin/theme_data/d4.cpp", "#include \"skin/buttons/button_look.h\"", true },
        { "skin/theme_data/d8.cpp", "#include \"platform/components/component.h\"", true },
        { "fuzz/theme_file/d5.cpp", "#include \"skin/theme/theme_source.h\"", true },
        { "skin/theme_data/d6.cpp",
            "#include \"theme_tables.h\"\n#include \"skin/draw/frame_strip.h\"\n"
            "#include \"platform/components/file_stream.h\"\n#include \"platform/gfx/bitmap.h\"\n#include <map>",
            false },
        { "fuzz/bmp/d7.cpp", "#include \"skin/theme/file_theme.h\"", false },
        // The platform's parts in their order, and the skin's pure drawing.
        { "platform/gfx/e1.cpp", "#include \"platform/window/window_system.h\"", true },
        { "platform/text/e2.h", "#include \"platform/loop/event_loop.h\"", true },
        { "platform/backend/e3.cpp", "#include \"platform/components/component.h\"", true },
        { "platform/window/e4.cpp", "#include \"platform/components/controls/form.h\"", true },
        { "skin/draw/e5.cpp", "#include \"skin/theme/theme_source.h\"", true },
        { "skin/draw/e6.cpp", "#include \"platform/components/component.h\"", true },
        { "platform/window/e7.cpp", "#include \"platform/backend/display_backend.h\"", false },
        { "skin/draw/e8.cpp", "#include \"nine.h\"\n#include \"platform/text/gbk.h\"", false },
        // Allowed:
        { "skin/draw/j.cpp", "#include \"platform/gfx/canvas.h\"", false },
        { "app/k.cpp", "#include \"catalogue/tuning.h\"\n#include \"skin/draw/nine.h\"", false },
        { "platform/backend/x11/l.cpp", "#include <X11/Xlib.h>\n#include <X11/extensions/shape.h>", false },
        { "tests/backend/x11/p.cpp", "#include <X11/keysym.h>", false }, // the backend's own tests
        { "bench/startup/w.cpp", "#include <X11/Xlib.h>", false }, // a watcher outside the program
        { "bench/window/w.cpp", "#include <X11/Xlib.h>", true },
        { "tests/window/q.cpp", "#include <X11/keysym.h>", true },
        { "platform/loop/m.cpp", "// #include \"net/powersock.h\"", false },
        { "platform/gfx/n.cpp", "#include \"canvas.h\"\n#include <string>", false },
        { "catalogue/o.cpp", "#include \"platform/components/controls/tree_view.h\"", false },
        { "guide/b1.cpp", "#include \"platform/loop/event_loop.h\"", false },
        { "app/c1.cpp", "#include \"guide/guide_view.h\"", false },
        { "gallery/pages/v.cpp", "#include \"skin/checks/check_box.h\"\n#include \"gallery/gallery_page.h\"", false },
    };
    std::set<std::string> expected;
    for (const Case& c : cases) {
        Plant(c.file, c.text);
        if (c.breaks)
            expected.insert(c.file);
    }
    std::set<std::string> found;
    for (const std::string& violation : LayerViolations(root))
        found.insert(violation.substr(0, violation.find(':')));
    EXPECT_EQ(found, expected);
}

}
}
