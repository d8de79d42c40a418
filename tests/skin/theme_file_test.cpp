#include "platform/components/component_errors.h"
#include "platform/components/file_stream.h"
#include "skin/theme_data/theme_file_format.h"
#include "skin/theme_data/theme_file_reader.h"
#include "skin/theme_data/theme_file_writer.h"
#include "tests/skin/temp_folder.h"
#include "tests/skin/theme_file_bytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace pellamo::test {
namespace {

using Bytes = std::vector<uint8_t>;

class ThemeFileTest : public ::testing::Test {
protected:
    std::string File(const std::string& name) const { return folder.File(name); }

    void Write(const std::string& name, const Bytes& bytes) const
    {
        std::ofstream out(File(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    Bytes Read(const std::string& name) const
    {
        std::ifstream in(File(name), std::ios::binary);
        return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
    }

    TempFolder folder;
    const std::filesystem::path& dir = folder.Path();
};

TEST_F(ThemeFileTest, OneEmbeddedFileOf100BytesMakesTheKnown278ByteFile)
{
    Bytes picture(100);
    for (size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<uint8_t>(i * 7 + 1);
    Write("picture.bmp", picture);
    {
        TsuiThemeFileWriter writer(File("one.sui"));
        writer.AddFile("ButtonImage", File("picture.bmp"));
        writer.Save();
    }
    // Header; the record at 24 (data at 101, 100 bytes, next at 201); the
    // bytes; the end record at 201.
    Bytes expected = ThemeBytes::WithHeader().RecordHeader("ButtonImage", 0, 101, 100, 201).bytes;
    expected.insert(expected.end(), picture.begin(), picture.end());
    Bytes end = ThemeBytes().RecordHeader("", 2, 0, 0, 0).bytes;
    expected.insert(expected.end(), end.begin(), end.end());
    ASSERT_EQ(expected.size(), 278u);
    EXPECT_EQ(Read("one.sui"), expected);

    TsuiThemeFileReader reader(File("one.sui"));
    ASSERT_EQ(reader.Files().size(), 1u);
    EXPECT_EQ(reader.Files()[0].first, "ButtonImage");
    ASSERT_TRUE(reader.GetFile("ButtonImage").has_value());
    EXPECT_EQ(Bytes(reader.GetFile("ButtonImage")->begin(), reader.GetFile("ButtonImage")->end()), picture);
    EXPECT_TRUE(reader.Integers().empty() && reader.Bools().empty() && reader.Strings().empty());
    // The reader holds everything: the file may go.
    std::filesystem::remove(File("one.sui"));
    EXPECT_EQ(reader.GetFile("buttonimage")->size(), 100u);
}

TEST_F(ThemeFileTest, WhatTheWriterWritesTheReaderReadsBackInOrder)
{
    const std::string long_name(70, 'N');
    TsuiThemeFileWriter writer(File("all.sui"));
    // Added out of order: the file groups them files, strings, integers, flags.
    writer.AddInteger("FormBorderColor", 0x7F7F7F);
    writer.AddBool("ButtonTransparentBool", true);
    writer.AddFileData("CheckBoxImage", Bytes { 1, 2, 3 });
    writer.AddStr("Comment", "dark \xC9\xEE\xC0\xB6"); // GBK text
    writer.AddInteger("TitleBarButtonRightOffsetInt", -2);
    writer.AddInteger("Lowest", INT32_MIN);
    writer.AddBool("Off", false);
    writer.AddFileData("Empty", Bytes {});
    writer.AddInteger(long_name, 5);
    writer.Save();

    TsuiThemeFileReader reader(File("all.sui"));
    using Named = std::vector<std::string>;
    auto names = [](const auto& entries) {
        Named out;
        for (const auto& e : entries)
            out.push_back(e.first);
        return out;
    };
    EXPECT_EQ(names(reader.Files()), (Named { "CheckBoxImage", "Empty" }));
    EXPECT_EQ(names(reader.Strings()), (Named { "Comment" }));
    EXPECT_EQ(names(reader.Integers()),
        (Named { "FormBorderColor", "TitleBarButtonRightOffsetInt", "Lowest", std::string(64, 'N') }));
    EXPECT_EQ(names(reader.Bools()), (Named { "ButtonTransparentBool", "Off" }));

    // Look-ups ignore case; what is missing reads as the default.
    EXPECT_EQ(reader.GetInteger("formbordercolor"), 0x7F7F7F);
    EXPECT_EQ(reader.GetInteger("TITLEBARBUTTONRIGHTOFFSETINT"), -2);
    EXPECT_EQ(reader.GetInteger("Lowest"), INT32_MIN);
    EXPECT_EQ(reader.GetInteger("FormMinWidthInt"), -1);
    EXPECT_TRUE(reader.GetBool("buttontransparentbool"));
    EXPECT_FALSE(reader.GetBool("Off"));
    EXPECT_FALSE(reader.GetBool("Missing"));
    EXPECT_EQ(reader.GetStr("comment"), "dark \xC9\xEE\xC0\xB6");
    EXPECT_EQ(reader.GetStr("Missing"), "");
    EXPECT_EQ(reader.GetFile("checkboximage")->size(), 3u);
    EXPECT_EQ(reader.GetFile("Empty")->size(), 0u);
    EXPECT_FALSE(reader.GetFile("FormBorderColor").has_value());
}

TEST_F(ThemeFileTest, ARepeatedNameWritesItsFirstValueAndTheFirstAnswers)
{
    TsuiThemeFileWriter writer(File("twice.sui"));
    writer.AddInteger("Width", 1);
    writer.AddInteger("WIDTH", 2);
    writer.Save();
    TsuiThemeFileReader reader(File("twice.sui"));
    ASSERT_EQ(reader.Integers().size(), 2u);
    EXPECT_EQ(reader.Integers()[1].second, 1);
    EXPECT_EQ(reader.GetInteger("width"), 1);
}

TEST_F(ThemeFileTest, HeaderAndEndRecordAloneGiveFourEmptyLists)
{
    Bytes bytes = ThemeBytes::WithHeader().End().bytes;
    TsuiThemeFileReader reader(bytes);
    EXPECT_TRUE(
        reader.Files().empty() && reader.Integers().empty() && reader.Bools().empty() && reader.Strings().empty());
    // A record past a larger header is found through the first-record offset.
    Bytes padded = ThemeBytes::WithHeader(32, 32).U32(0).U32(0).Record("A", 1, { 9, 0, 0, 0 }).End().bytes;
    EXPECT_EQ(TsuiThemeFileReader(padded).GetInteger("A"), 9);
}

TEST(ThemeFileReader, DamagedFilesAreRefusedWithAClearError)
{
    auto valid = [] { return ThemeBytes::WithHeader().Record("A", 1, { 1, 0, 0, 0 }); };
    struct Case {
        const char* what;
        Bytes bytes;
        const char* message;
    } cases[] = {
        { "empty", {}, "only 0 bytes, shorter than the 24-byte header" },
        { "capital mark",
            [] {
                auto b = ThemeBytes::WithHeader().End().bytes;
                b[1] = 'E';
                return b;
            }(),
            "does not begin with \"PelSkin_TB\"" },
        { "header size 12", ThemeBytes::WithHeader(12).End().bytes, "header size 12 is not between 24" },
        { "header larger than the file", ThemeBytes::WithHeader(4000).End().bytes, "header size 4000" },
        { "first record inside the header", ThemeBytes::WithHeader(24, 8).End().bytes,
            "the first record at byte 8 lies inside the header" },
        { "first record past the end", ThemeBytes::WithHeader(24, 5000).End().bytes,
            "record at byte 5000 is cut short" },
        { "no end record", valid().bytes, "record at byte 105 is cut short" },
        { "end record cut short",
            [&] {
                auto b = valid().End().bytes;
                b.resize(b.size() - 1);
                return b;
            }(),
            "record at byte 105 is cut short" },
        { "integer of 8 bytes", ThemeBytes::WithHeader().Record("Wide", 1, Bytes(8, 1)).End().bytes,
            "record \"Wide\" at byte 24: an integer of 8 bytes instead of 4" },
        { "integer of 2 bytes", ThemeBytes::WithHeader().Record("Narrow", 1, Bytes(2, 1)).End().bytes,
            "an integer of 2 bytes instead of 4" },
        { "flag of 2 bytes", ThemeBytes::WithHeader().Record("F", 2, Bytes(2, 1)).End().bytes,
            "a flag of 2 bytes instead of 1" },
        { "flag of no bytes", ThemeBytes::WithHeader().Record("F", 2, {}).End().bytes, "a flag of 0 bytes" },
        { "data past the end", ThemeBytes::WithHeader().RecordHeader("Big", 0, 101, 0xFFFFFFFF, 400).End().bytes,
            "its 4294967295 bytes of data at byte 101 run past the end of the file at byte 178" },
        { "data offset past the end", ThemeBytes::WithHeader().RecordHeader("Far", 3, 0xFFFFFFF0, 16, 101).End().bytes,
            "run past the end" },
        { "next record pointing back", ThemeBytes::WithHeader().RecordHeader("Loop", 2, 101, 1, 24).U32(0).bytes,
            "record \"Loop\" at byte 24: its next record at byte 24 does not lie after it" },
        { "next record inside its own header",
            ThemeBytes::WithHeader().RecordHeader("Overlap", 3, 101, 0, 60).End().bytes,
            "at byte 60 does not lie after it" },
        { "unknown kind", ThemeBytes::WithHeader().Record("Odd", 7, { 0 }).End().bytes, "unknown kind 7" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            TsuiThemeFileReader reader(c.bytes, "sample.sui");
            ADD_FAILURE() << "accepted";
        } catch (const ThemeFileError& e) {
            std::string message = e.what();
            EXPECT_EQ(message.rfind("sample.sui: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
        }
    }
}

TEST_F(ThemeFileTest, ReadingAFileNamesItInTheErrors)
{
    EXPECT_THROW(TsuiThemeFileReader(File("missing.sui")), EFOpenError);
    EXPECT_THROW(TsuiThemeFileReader(dir.string()), EFOpenError);
    Write("short.sui", { 'P', 'e', 'l' });
    try {
        TsuiThemeFileReader reader(File("short.sui"));
        ADD_FAILURE() << "accepted";
    } catch (const ThemeFileError& e) {
        EXPECT_NE(
            std::string(e.what()).find("Theme file \"" + File("short.sui") + "\": only 3 bytes"), std::string::npos);
    }
}

TEST_F(ThemeFileTest, IsSUIThemeFileTestsOnlyTheMark)
{
    auto with = [](std::string head, size_t size) {
        Bytes b(head.begin(), head.end());
        b.resize(size, 0xEE);
        return b;
    };
    struct Case {
        const char* what;
        Bytes bytes;
        bool expected;
    } cases[] = {
        { "mark, two zeros, anything", with(std::string("PelSkin_TB\0\0", 12), 16), true },
        { "mark, a zero, then a letter", with(std::string("PelSkin_TB\0X", 12), 40), true },
        { "capitals", with(std::string("PELSKIN_TB\0\0", 12), 40), false },
        { "mark run on", with("PelSkin_TBXY", 40), false },
        { "shorter mark", with(std::string("PelSkin_T\0\0\0", 12), 40), false },
        { "fewer than 16 bytes", with(std::string("PelSkin_TB\0\0", 12), 15), false },
        { "empty", {}, false },
    };
    for (const Case& c : cases) {
        Write("t.sui", c.bytes);
        EXPECT_EQ(IsSUIThemeFile(File("t.sui")), c.expected) << c.what;
    }
    EXPECT_FALSE(IsSUIThemeFile(File("missing.sui")));
    EXPECT_FALSE(IsSUIThemeFile(dir.string()));
    EXPECT_FALSE(IsSUIThemeFile(""));
}

TEST_F(ThemeFileTest, TheWriterSavesOnceMoreOnlyWhatIsUnsavedAndNeverThrowsOnTheWayOut)
{
    {
        TsuiThemeFileWriter writer(File("late.sui"));
        writer.AddInteger("A", 1);
    }
    EXPECT_EQ(TsuiThemeFileReader(File("late.sui")).GetInteger("A"), 1);

    {
        TsuiThemeFileWriter writer(File("saved.sui"));
        writer.AddInteger("A", 1);
        writer.Save();
        std::filesystem::remove(File("saved.sui"));
    }
    EXPECT_FALSE(std::filesystem::exists(File("saved.sui")));

    {
        // The folder does not exist: the destructor's save fails quietly.
        TsuiThemeFileWriter writer(File("no/such/dir/x.sui"));
        writer.AddInteger("A", 1);
        EXPECT_THROW(writer.Save(), EFOpenError);
    }

    // A file to embed that is missing: Save throws and the output stays as it was.
    Write("keep.sui", { 1, 2, 3 });
    TsuiThemeFileWriter writer(File("keep.sui"));
    writer.AddFile("ButtonImage", File("missing.bmp"));
    EXPECT_THROW(writer.Save(), EFOpenError);
    EXPECT_EQ(Read("keep.sui"), (Bytes { 1, 2, 3 }));
    writer.AddFileData("CheckBoxImage", Bytes { 4 });
}

}
}
