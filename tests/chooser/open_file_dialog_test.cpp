// Our own open-file dialog on a headless screen: a folder listed as the
// filter wants it, and a file chosen by keyboard alone (the list's keys,
// Tab into the path field, typed folders and files, Esc) and by mouse
// (double clicks, a click and Open, the button to the folder above); what
// cannot be opened is said and changes nothing.
#include "chooser/file_list.h"
#include "chooser/folder_listing.h"
#include "chooser/open_file_dialog.h"
#include "platform/text/gbk.h"
#include "skin/buttons/push_button.h"
#include "skin/edits/bordered_edit.h"
#include "tests/support/files.h"
#include "tests/support/headless_app.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace pellamo::test {
namespace {

namespace fs = std::filesystem;

// dir/  a.m3u  notes.txt  .hidden.m3u  empty/  lists/{tv.m3u, b.M3U8, readme}
class Folders {
public:
    Folders()
    {
        dir.Write("a.m3u", "#EXTM3U\n");
        dir.Write("notes.txt", "x");
        dir.Write(".hidden.m3u", "#EXTM3U\n");
        dir.Write("lists/tv.m3u", std::string(2048, '#'));
        dir.Write("lists/b.M3U8", "#EXTM3U\n");
        dir.Write("lists/readme", "x");
        fs::create_directory(Path() / "empty");
    }
    fs::path Path() const { return dir.Path(); }

    TempDir dir;
};

std::vector<std::string> Names(const std::vector<FolderEntry>& entries)
{
    std::vector<std::string> names;
    for (const FolderEntry& e : entries)
        names.push_back(e.folder ? e.name + "/" : e.name);
    return names;
}

const FileFilter kPlaylists = FileFilter::Parse("播放列表", "*.m3u;*.m3u8");

TEST(FolderListing, FoldersFirstThenTheFilesTheFilterTakesHiddenOnesLeftOut)
{
    Folders folders;
    FolderListing top = ListFolder(folders.Path(), kPlaylists);
    EXPECT_EQ(top.error, "");
    EXPECT_EQ(Names(top.entries), (std::vector<std::string> { "empty/", "lists/", "a.m3u" }));
    FolderListing lists = ListFolder(folders.Path() / "lists", kPlaylists);
    EXPECT_EQ(Names(lists.entries), (std::vector<std::string> { "b.M3U8", "tv.m3u" }));
    EXPECT_EQ(lists.entries[1].size, 2048u);
    EXPECT_EQ(SizeText(lists.entries[1]), "2 KB");
    EXPECT_EQ(SizeText(top.entries[0]), "");
    EXPECT_NE(DateText(lists.entries[1].modified), "");

    FolderListing missing = ListFolder(folders.Path() / "nowhere", kPlaylists);
    EXPECT_TRUE(missing.entries.empty());
    EXPECT_NE(missing.error, "");
}

class OpenFileDialogTest : public HeadlessAppFixture {
protected:
    void SetUp() override
    {
        setenv("HOME", folders.dir.Path().c_str(), 1);
        dialog = app.CreateForm<TOpenFileDialog>();
        dialog->Prepare({ "选择播放列表", { kPlaylists }, folders.Path() });
        dialog->SetActiveControl(&dialog->List());
        dialog->Show();
        Pump();
    }
    std::vector<std::string> Shown() { return Names(dialog->List().Entries()); }
    std::string Field() { return GbkToUtf8(dialog->PathField().Text()); }
    // The middle of a row of the list, on the screen.
    void ClickRow(int row, bool twice = false)
    {
        Point p { 40, TFileList::kHeaderHeight + 1 + (row - dialog->List().TopIndex()) * TFileList::kRowHeight + 8 };
        ClickAt(dialog->List(), p);
        if (twice)
            ClickAt(dialog->List(), p);
    }

    Folders folders;
    TOpenFileDialog* dialog = nullptr;
};

TEST_F(OpenFileDialogTest, AFileIsChosenByKeyboardAlone)
{
    EXPECT_EQ(Field(), folders.Path().string());
    EXPECT_EQ(Shown(), (std::vector<std::string> { "empty/", "lists/", "a.m3u" }));
    EXPECT_EQ(dialog->Message(), "文件类型：播放列表 (*.m3u;*.m3u8)");
    // Down to "lists", Enter into it, End to the last file, Enter.
    Keys({ { VK_DOWN, 0 }, { VK_RETURN, 0 } });
    EXPECT_EQ(dialog->Folder(), folders.Path() / "lists");
    EXPECT_EQ(Field(), (folders.Path() / "lists").string());
    Keys({ { VK_END, 0 }, { VK_RETURN, 0 } });
    ASSERT_TRUE(dialog->Chosen());
    EXPECT_EQ(*dialog->Chosen(), folders.Path() / "lists/tv.m3u");
    EXPECT_EQ(dialog->ModalResult(), mrOk);
}

TEST_F(OpenFileDialogTest, TheListsKeysMoveJumpAndGoUp)
{
    Keys({ { VK_END, 0 } });
    EXPECT_EQ(dialog->List().ItemIndex(), 2);
    Keys({ { VK_HOME, 0 } });
    EXPECT_EQ(dialog->List().ItemIndex(), 0);
    // A letter jumps to the next name starting with it.
    screen.TypeText("a");
    Pump();
    EXPECT_EQ(dialog->List().Selected()->name, "a.m3u");
    screen.TypeText("l");
    Pump();
    EXPECT_EQ(dialog->List().Selected()->name, "lists");
    Keys({ { VK_RETURN, 0 }, { VK_BACK, 0 } });
    EXPECT_EQ(dialog->Folder(), folders.Path());
    // Up past the root stays at the root.
    dialog->ShowFolder("/");
    Keys({ { VK_BACK, 0 } });
    EXPECT_EQ(dialog->Folder(), fs::path("/"));
}

TEST_F(OpenFileDialogTest, TypedPathsOpenFoldersAndFilesAndWhatIsMissingIsSaid)
{
    // Shift+Tab from the list to the button above, again into the field,
    // whose text is then selected whole.
    Keys({ { VK_TAB, kModShift }, { VK_TAB, kModShift } });
    ASSERT_TRUE(dialog->PathField().Focused());
    screen.TypeText("lists");
    Keys({ { VK_RETURN, 0 } });
    EXPECT_EQ(dialog->Folder(), folders.Path() / "lists");
    EXPECT_FALSE(dialog->Chosen());

    dialog->PathField().SetText("nothing/here.m3u");
    Keys({ { VK_RETURN, 0 } });
    EXPECT_EQ(dialog->Message(), "找不到 " + (folders.Path() / "lists/nothing/here.m3u").string());
    EXPECT_EQ(dialog->Folder(), folders.Path() / "lists");
    EXPECT_FALSE(dialog->Chosen());

    // "~" is the home folder; a file outside the filter can be typed.
    dialog->PathField().SetText("~/notes.txt");
    Keys({ { VK_RETURN, 0 } });
    ASSERT_TRUE(dialog->Chosen());
    EXPECT_EQ(*dialog->Chosen(), folders.Path() / "notes.txt");
}

TEST_F(OpenFileDialogTest, EscCancels)
{
    Keys({ { VK_ESCAPE, 0 } });
    EXPECT_EQ(dialog->ModalResult(), mrCancel);
    EXPECT_FALSE(dialog->Chosen());
}

TEST_F(OpenFileDialogTest, TheMouseOpensFoldersChoosesFilesAndGoesUp)
{
    ClickRow(1, true); // "lists/"
    EXPECT_EQ(dialog->Folder(), folders.Path() / "lists");
    ClickAt(dialog->UpButton(), { 10, 10 });
    EXPECT_EQ(dialog->Folder(), folders.Path());
    // One click selects, Open opens.
    ClickRow(2);
    EXPECT_EQ(dialog->List().Selected()->name, "a.m3u");
    EXPECT_FALSE(dialog->Chosen());
    ClickAt(dialog->OpenButton(), { 10, 10 });
    ASSERT_TRUE(dialog->Chosen());
    EXPECT_EQ(*dialog->Chosen(), folders.Path() / "a.m3u");
}

TEST_F(OpenFileDialogTest, TheWheelAndPagesScrollALongList)
{
    for (int i = 0; i < 60; ++i)
        folders.dir.Write("many/f" + std::to_string(100 + i) + ".m3u", "");
    dialog->ShowFolder(folders.Path() / "many");
    Pump();
    const int page = dialog->List().VisibleRows();
    ASSERT_LT(page, 60);
    Keys({ { VK_NEXT, 0 } });
    EXPECT_EQ(dialog->List().ItemIndex(), page);
    EXPECT_EQ(dialog->List().TopIndex(), 1);
    screen.MoveMouse(ScreenOf(dialog->List(), { 50, 100 }));
    screen.Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(dialog->List().TopIndex(), 4);
    Keys({ { VK_END, 0 } });
    EXPECT_EQ(dialog->List().TopIndex(), 60 - page);
    // The row under the pointer is the one drawn there.
    ClickRow(58);
    EXPECT_EQ(dialog->List().Selected()->name, "f158.m3u");
}

TEST_F(OpenFileDialogTest, AFolderThatCannotBeReadKeepsTheOneShown)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    fs::path locked = folders.Path() / "locked";
    fs::create_directory(locked);
    fs::permissions(locked, fs::perms::none);
    dialog->ShowFolder(locked);
    EXPECT_EQ(dialog->Folder(), folders.Path());
    EXPECT_NE(dialog->Message().find("不能打开"), std::string::npos);
    fs::permissions(locked, fs::perms::owner_all);
}

TEST_F(OpenFileDialogTest, AskedModallyItAnswersTheFileOrNothing)
{
    dialog->Hide();
    loop.Post([&] {
        screen.PressKey(VK_END);
        screen.PressKey(VK_RETURN);
    });
    std::optional<fs::path> chosen = dialog->Ask({ "t", { kPlaylists }, folders.Path() }, { 0, 0, 800, 600 });
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folders.Path() / "a.m3u");
    loop.Post([&] { screen.PressKey(VK_ESCAPE); });
    EXPECT_FALSE(dialog->Ask({ "t", { kPlaylists }, folders.Path() }, { 0, 0, 800, 600 }));
}

}
}
