#include "platform/components/class_registry.h"
#include "platform/components/description_reader.h"
#include "platform/components/description_writer.h"
#include "skin/theme/built_in_file_theme.h"
#include "skin/theme/theme_classes.h"
#include "tests/skin/theme_fixture.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>

namespace pellamo::test {
namespace {

// TMPDIR pointed at a folder of the test's own for one scope.
class ScopedTmpdir {
public:
    explicit ScopedTmpdir(const std::string& dir)
    {
        if (const char* old = std::getenv("TMPDIR"))
            old_ = old;
        ::setenv("TMPDIR", dir.c_str(), 1);
    }
    ~ScopedTmpdir()
    {
        if (old_)
            ::setenv("TMPDIR", old_->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

private:
    std::optional<std::string> old_;
};

class BuiltInFileThemeTest : public ThemeFixture {
protected:
    void SetUp() override
    {
        ThemeFixture::SetUp();
        std::filesystem::create_directories(dir / "tmp");
        RegisterSkinThemeClasses();
    }
    std::set<std::string> TemporaryFiles() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir / "tmp"))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::vector<uint8_t> Bytes(const std::string& path) const
    {
        std::ifstream in(path, std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }
    std::string Tmp(const std::string& name) const { return (dir / "tmp" / name).string(); }
};

TEST_F(BuiltInFileThemeTest, SkinDataLoadsThroughTheFirstFreePrivateTemporaryNameAndDeletesIt)
{
    ScopedTmpdir tmpdir((dir / "tmp").string());
    std::ofstream(Tmp("PELSKNT.sui")) << "mine";
    std::ofstream(Tmp("PELSKNT1.sui")) << "mine too";

    ComponentPtr<TsuiBuiltInFileTheme> theme(new TsuiBuiltInFileTheme(nullptr));
    theme->SetSkinData(Bytes(WriteTheme("t.sui", 0x445566)));
    EXPECT_TRUE(theme->CanUse());
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0x445566);
    EXPECT_EQ(theme->LoadedFile(), Tmp("PELSKNT2.sui"));
    EXPECT_EQ(TemporaryFiles(), (std::set<std::string> { "PELSKNT.sui", "PELSKNT1.sui" }));
    EXPECT_EQ(Bytes(Tmp("PELSKNT1.sui")), (std::vector<uint8_t> { 'm', 'i', 'n', 'e', ' ', 't', 'o', 'o' }));

    // A link planted under the next name is passed over, and the file it
    // points to is never made. The same name as last time loads again.
    std::filesystem::create_symlink(File("victim"), Tmp("PELSKNT2.sui"));
    theme->SetSkinData(Bytes(WriteTheme("u.sui", 0x778899)));
    EXPECT_EQ(theme->LoadedFile(), Tmp("PELSKNT3.sui"));
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0x778899);
    EXPECT_FALSE(std::filesystem::exists(File("victim")));
    std::filesystem::remove(Tmp("PELSKNT2.sui"));
    theme->SetSkinData(Bytes(WriteTheme("v.sui", 0x0A0B0C)));
    EXPECT_EQ(theme->LoadedFile(), Tmp("PELSKNT2.sui"));
    EXPECT_EQ(theme->GetColor(ThemeItem::FormBackgroundColor), 0x0A0B0C);
}

TEST_F(BuiltInFileThemeTest, BadSkinDataIsRefusedAndItsTemporaryFileStillDeleted)
{
    ScopedTmpdir tmpdir((dir / "tmp").string());
    ComponentPtr<TsuiBuiltInFileTheme> theme(new TsuiBuiltInFileTheme(nullptr));
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        const char* error;
    } cases[] = {
        { "no theme file", std::vector<uint8_t>(30, 'x'), "Invalid skin file for PelSkin!" },
        { "empty", {}, "Invalid skin file for PelSkin!" },
        { "damaged",
            [] {
                auto b = std::vector<uint8_t>(40, 0);
                std::string m = "PelSkin_TB";
                std::copy(m.begin(), m.end(), b.begin());
                return b;
            }(),
            "header size 0" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            theme->SetSkinData(c.bytes);
            ADD_FAILURE() << "accepted";
        } catch (const ThemeFileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << e.what();
        }
        EXPECT_TRUE(TemporaryFiles().empty());
        EXPECT_FALSE(theme->CanUse());
    }
}

TEST_F(BuiltInFileThemeTest, TheThemeTravelsInsideTheWindowDescription)
{
    ScopedTmpdir tmpdir((dir / "tmp").string());
    std::string path = WriteTheme("embedded.sui", 0x5A5A5A);
    auto* form = app.CreateForm<TForm>();
    form->SetName("Form1");
    auto* theme = new TsuiBuiltInFileTheme(form);
    theme->SetName("Skin");
    theme->SetThemeFile(path);
    EXPECT_EQ(theme->ThemeFile(), path);
    EXPECT_FALSE(theme->CanUse()); // only named, not loaded

    std::string text = WriteDescription(*form);
    EXPECT_NE(text.find("SkinData"), std::string::npos);
    // Neither a file nor data read: nothing is stored.
    theme->SetThemeFile(File("none.sui"));
    EXPECT_EQ(WriteDescription(*form).find("SkinData"), std::string::npos);
    form->Free();

    // Read on a machine without the file: the theme comes from the description.
    std::filesystem::remove(path);
    auto* copy = app.CreateForm<TForm>();
    ReadDescription(text, *copy);
    auto* read = dynamic_cast<TsuiBuiltInFileTheme*>(copy->FindComponent("Skin"));
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(read->CanUse());
    EXPECT_EQ(read->GetColor(ThemeItem::FormBackgroundColor), 0x5A5A5A);
    EXPECT_EQ(read->ThemeFile(), path);
    EXPECT_TRUE(TemporaryFiles().empty());

    // Written again there, it keeps the data it was read with.
    std::string again = WriteDescription(*copy);
    EXPECT_NE(again.find("SkinData"), std::string::npos);
}

}
}
