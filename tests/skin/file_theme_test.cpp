#include "platform/components/component_errors.h"
#include "platform/components/system_dirs.h"
#include "platform/window/window_system.h"
#include "skin/theme/file_theme.h"
#include "skin/theme/theme_source.h"
#include "skin/theme_data/theme_search.h"
#include "tests/skin/styled_samples.h"
#include "tests/skin/theme_file_bytes.h"
#include "tests/skin/theme_fixture.h"

#include <fstream>
#include <set>

namespace pellamo::test {
namespace {

using S = TsuiUIStyle;

class FileThemeTest : public ThemeFixture {
protected:
    void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(File(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
};

TEST_F(FileThemeTest, ALoadedThemeAnswersByItemNameAndDefaultsWhatItLacks)
{
    ComponentPtr<TsuiFileTheme> theme(new TsuiFileTheme(nullptr));
    // Nothing loaded yet.
    EXPECT_FALSE(theme->CanUse());
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0);
    EXPECT_EQ(theme->GetInt(ThemeItem::FormMinWidthInt), 0);
    EXPECT_FALSE(theme->GetBool(ThemeItem::ButtonTransparentBool));

    std::string path = WriteTheme("small.sui");
    theme->SetThemeFile(path);
    EXPECT_TRUE(theme->CanUse());
    EXPECT_EQ(theme->ThemeFile(), path);
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0x112233);
    EXPECT_EQ(theme->GetInt(ThemeItem::FormMinWidthInt), 200);
    EXPECT_TRUE(theme->GetBool(ThemeItem::ButtonTransparentBool));
    // Missing items, and numbers outside 1..48.
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBorderColor), -1);
    EXPECT_EQ(theme->GetInt(ThemeItem::FormRoundCornerInt), -1);
    EXPECT_FALSE(theme->GetBool(ThemeItem::TitleBarButtonTransparentBool));
    EXPECT_EQ(theme->GetInt(static_cast<ThemeItem>(0)), -1);
    EXPECT_EQ(theme->GetColor(static_cast<ThemeItem>(49)), -1);

    struct Case {
        const char* what;
        ThemeItem item;
        int count;
        int index;
        Size size; // {-1, -1}: untouched
        int first_column;
    } cases[] = {
        { "whole strip", ThemeItem::ButtonImage, 0, 0, { 6, 2 }, 0 },
        { "frame 2 of 3", ThemeItem::ButtonImage, 3, 2, { 2, 2 }, 2 },
        { "count without index loads the whole", ThemeItem::ButtonImage, 3, 0, { 6, 2 }, 0 },
        { "missing picture", ThemeItem::CheckBoxImage, 0, 0, { -1, -1 }, 0 },
        { "missing picture, a frame", ThemeItem::CheckBoxImage, 4, 1, { 0, 0 }, 0 },
        { "item 0", ThemeItem {}, 0, 0, { -1, -1 }, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap target(5, 5, kPaper);
        theme->GetBitmap(c.item, &target, c.count, c.index);
        if (c.size.cx < 0) {
            EXPECT_EQ(target, Bitmap(5, 5, kPaper));
            continue;
        }
        EXPECT_EQ(target.Width(), c.size.cx);
        EXPECT_EQ(target.Height(), c.size.cy);
        if (!target.Empty()) {
            EXPECT_EQ(SourceOf(target.GetPixel(0, 0)), (Point { c.first_column, 0 }));
        }
    }
    theme->GetBitmap(ThemeItem::ButtonImage, nullptr);
}

TEST_F(FileThemeTest, SettingThemeFileChangesNothingUnlessAGoodFileIsFound)
{
    ComponentPtr<TsuiFileTheme> theme(new TsuiFileTheme(nullptr));
    std::string first = WriteTheme("first.sui", 0x010101);
    theme->SetThemeFile(first);

    WriteBytes("plain.txt", std::vector<uint8_t>(40, 'x'));
    WriteBytes("damaged.sui", ThemeBytes::WithHeader().Record("FormBackgroundColor", 1, { 1, 2 }).End().bytes);
    WriteBytes("bad_picture.sui", ThemeBytes::WithHeader().Record("ButtonImage", 0, { 'B', 'M', 0 }).End().bytes);
    struct Case {
        const char* what;
        std::string name;
        const char* error; // null: quietly ignored
    } cases[] = {
        { "found nowhere", File("nowhere.sui"), nullptr },
        { "empty name", "", nullptr },
        { "a folder", dir.string(), nullptr },
        { "no theme file", File("plain.txt"), "Invalid skin file for PelSkin!" },
        { "damaged records", File("damaged.sui"), "an integer of 2 bytes instead of 4" },
        { "damaged picture", File("bad_picture.sui"), "the picture \"ButtonImage\" cannot be read" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.error) {
            try {
                theme->SetThemeFile(c.name);
                ADD_FAILURE() << "accepted";
            } catch (const ThemeFileError& e) {
                EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
            }
        } else {
            theme->SetThemeFile(c.name);
        }
        EXPECT_EQ(theme->ThemeFile(), first);
        EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0x010101);
    }

    // The same name again is not read again, even when the file changed.
    WriteTheme("first.sui", 0x020202);
    theme->SetThemeFile(first);
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0x010101);
}

TEST_F(FileThemeTest, ABareNameIsFoundNextToTheProgram)
{
    std::string bare = "pellamo_test_" + std::to_string(::getpid()) + ".sui";
    std::string beside = ExecutableDirectory() + "/" + bare;
    std::filesystem::copy_file(WriteTheme("x.sui", 0x030303), beside);
    // From elsewhere, so the name does not find it in the current folder.
    std::filesystem::path cwd = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    ComponentPtr<TsuiFileTheme> theme(new TsuiFileTheme(nullptr));
    theme->SetThemeFile(bare);
    std::filesystem::current_path(cwd);
    std::filesystem::remove(beside);
    EXPECT_EQ(theme->ThemeFile(), beside);
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0x030303);
}

TEST(ThemeSearch, TheNameThenItsLastPartInEachFolderInTurn)
{
    std::set<std::string> files = { "/work/a.sui", "/exe/b.sui", "/share/b.sui", "/share/c.sui", "/home/d.sui" };
    auto is_file = [&](const std::string& p) { return files.count(p) != 0; };
    std::vector<std::string> dirs = { "/exe", "/share", "/home" };
    struct Case {
        std::string name;
        std::optional<std::string> found;
    } cases[] = {
        { "/work/a.sui", "/work/a.sui" },
        { "b.sui", "/exe/b.sui" },
        { "/elsewhere/c.sui", "/share/c.sui" },
        { "d.sui", "/home/d.sui" },
        { "e.sui", std::nullopt },
        { "", std::nullopt },
        { "/share/", std::nullopt },
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindThemeFile(c.name, dirs, is_file), c.found) << c.name;

    std::vector<std::string> real = ThemeSearchDirectories();
    ASSERT_GE(real.size(), 2u);
    EXPECT_EQ(real[0], ExecutableDirectory());
    EXPECT_NE(real[1].find("share/pellamo/themes"), std::string::npos);
}

TEST_F(FileThemeTest, UsingFileThemeAndThemeSourcePickWhereItemsComeFrom)
{
    ComponentPtr<TsuiFileTheme> loaded(new TsuiFileTheme(nullptr));
    loaded->SetThemeFile(WriteTheme("t.sui"));
    ComponentPtr<TsuiFileTheme> empty(new TsuiFileTheme(nullptr));
    struct Case {
        const char* what;
        const TsuiFileTheme* theme;
        TsuiUIStyle style;
        bool uses_file;
        TsuiUIStyle effective;
        TColor background; // FormBackgroundColor as the source reads it
    } cases[] = {
        { "no theme", nullptr, S::FromThemeFile, false, S::DeepBlue, 0xE8E8E8 },
        { "theme not loaded", empty.get(), S::FromThemeFile, false, S::DeepBlue, 0xE8E8E8 },
        { "loaded theme", loaded.get(), S::FromThemeFile, true, S::FromThemeFile, 0x112233 },
        { "built-in style beside a theme", loaded.get(), S::Protein, false, S::Protein, 0xFBFBFB },
        { "built-in style alone", nullptr, S::MacOS, false, S::MacOS, 0xE7E7E7 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TsuiUIStyle effective = S::WinXP;
        EXPECT_EQ(UsingFileTheme(c.theme, c.style, effective), c.uses_file);
        EXPECT_EQ(effective, c.effective);
        ThemeSource source(c.theme, c.style);
        EXPECT_EQ(source.UsesFileTheme(), c.uses_file);
        EXPECT_EQ(source.Color(ThemeItem::FormBackgroundColor), c.background);
    }
    ThemeSource file(loaded.get(), S::FromThemeFile);
    EXPECT_EQ(file.Int(ThemeItem::FormMinWidthInt), 200);
    EXPECT_TRUE(file.Bool(ThemeItem::ButtonTransparentBool));
    EXPECT_EQ(file.Picture(ThemeItem::ButtonImage, 3, 3).Width(), 2);
    EXPECT_TRUE(file.Picture(ThemeItem::CheckBoxImage).Empty());
}

TEST_F(FileThemeTest, LoadingHandsTheThemeAgainToTheFormsSkinnedComponents)
{
    auto* form = app.CreateForm<TForm>();
    auto* theme = new TsuiFileTheme(form);
    theme->SetName("Theme");
    auto add = [&](TStyledSample* c, const char* name) {
        c->SetName(name);
        c->SetParent(form);
        c->SetFileTheme(theme);
        c->log.clear();
        return c;
    };
    auto* skinned = add(new TsuiSample(form), "Skinned");
    auto* other_kind = add(new TStyledSample(form), "OtherKind");
    auto* frame = add(new TSampleFrame(form), "Frame");
    auto* unrelated = new TsuiSample(form);
    unrelated->SetName("Unrelated");

    int frame_changes = 0;
    auto old_proc = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_NCCALCSIZE)
            ++frame_changes;
        old_proc(m);
    };

    theme->SetThemeFile(WriteTheme("a.sui"));
    EXPECT_EQ(skinned->log, (std::vector<std::string> { "FileTheme=Theme" }));
    EXPECT_EQ(frame->log, (std::vector<std::string> { "FileTheme=Theme" }));
    EXPECT_TRUE(other_kind->log.empty()); // its class name does not begin with "Tsui"
    EXPECT_TRUE(unrelated->log.empty());
    EXPECT_EQ(frame_changes, 0); // the theme had no file before

    theme->SetThemeFile(WriteTheme("b.sui"));
    EXPECT_EQ(skinned->log.size(), 2u);
    EXPECT_GE(frame_changes, 1);
    form->WindowProc = old_proc;
}

}
}
