#include "platform/components/component_errors.h"
#include "platform/components/file_stream.h"
#include "platform/components/memory_stream.h"
#include "platform/components/string_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace pellamo {
namespace {

// Each test gets its own folder under the system's temporary directory.
class StreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path()
            / ("pellamo_stream_" + std::to_string(::getpid()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string File(const char* name) const { return (dir / name).string(); }

    std::filesystem::path dir;
};

TEST_F(StreamTest, MemoryStreamReadsWritesSeeksAndGrows)
{
    TMemoryStream s;
    s.WriteBuffer("hello", 5);
    EXPECT_EQ(s.Size(), 5);
    EXPECT_EQ(s.Position(), 5);

    char buf[8] = {};
    s.SetPosition(1);
    EXPECT_EQ(s.Read(buf, 8), 4u); // short read at the end
    EXPECT_EQ(std::string(buf, 4), "ello");
    EXPECT_EQ(s.Read(buf, 8), 0u);

    // Writing past the end fills the gap with zeros.
    s.Seek(2, SeekOrigin::End);
    s.WriteBuffer("!", 1);
    EXPECT_EQ(s.Data(), (std::vector<std::uint8_t> { 'h', 'e', 'l', 'l', 'o', 0, 0, '!' }));

    EXPECT_EQ(s.Seek(-3, SeekOrigin::Current), 5);
    EXPECT_THROW(s.Seek(-1, SeekOrigin::Begin), EStreamError);
    EXPECT_EQ(s.Position(), 5);

    s.SetSize(3);
    EXPECT_EQ(s.Position(), 3);
    EXPECT_EQ(s.Size(), 3);
}

TEST_F(StreamTest, ReadBufferThrowsOnShortRead)
{
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.SetPosition(0);
    char buf[4];
    EXPECT_THROW(s.ReadBuffer(buf, 4), EReadError);
    s.SetPosition(0);
    EXPECT_NO_THROW(s.ReadBuffer(buf, 3));
    EXPECT_THROW(s.ReadBuffer(buf, 1), EReadError);
}

TEST_F(StreamTest, FileStreamRoundTripAndModes)
{
    std::string name = File("data.bin");
    {
        TFileStream out(name, TFileStream::fmCreate);
        out.WriteBuffer("0123456789", 10);
        out.SetSize(6);
        EXPECT_EQ(out.Size(), 6);
    }
    {
        TFileStream in(name, TFileStream::fmOpenRead);
        EXPECT_EQ(in.Size(), 6);
        in.Seek(-2, SeekOrigin::End);
        char buf[2];
        in.ReadBuffer(buf, 2);
        EXPECT_EQ(std::string(buf, 2), "45");
        EXPECT_THROW(in.ReadBuffer(buf, 1), EReadError);
        EXPECT_THROW(in.WriteBuffer("x", 1), EWriteError);
    }
    TMemoryStream copy;
    copy.LoadFromFile(name);
    EXPECT_EQ(copy.Size(), 6);
    EXPECT_EQ(copy.Position(), 0);

    TMemoryStream appended;
    appended.WriteBuffer("ab", 2);
    EXPECT_EQ(appended.CopyFrom(copy, 0), 6);
    EXPECT_EQ(appended.Size(), 8);
    copy.SetPosition(4);
    EXPECT_THROW(appended.CopyFrom(copy, 3), EReadError);
}

TEST_F(StreamTest, OpeningMissingFilesOrFoldersFails)
{
    EXPECT_THROW(TFileStream(File("missing"), TFileStream::fmOpenRead), EFOpenError);
    EXPECT_THROW(TFileStream(File("no/such/dir/file"), TFileStream::fmCreate), EFOpenError);
    EXPECT_THROW(TFileStream(dir.string(), TFileStream::fmOpenRead), EFOpenError);
    try {
        TFileStream(File("missing"), TFileStream::fmOpenRead);
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("Cannot open file"), std::string::npos);
    }
}

TEST_F(StreamTest, CreateNewTakesOnlyAFreeNameAndKeepsTheFilePrivate)
{
    std::string name = File("new.bin");
    auto created = TFileStream::CreateNew(name);
    ASSERT_NE(created, nullptr);
    created->WriteBuffer("abc", 3);
    struct stat st { };
    ASSERT_EQ(::lstat(name.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    created.reset();
    EXPECT_EQ(TFileStream::CreateNew(name), nullptr);

    // A planted link is a taken name, even one that points nowhere: the
    // file it names is never created or written.
    std::string target = File("victim");
    std::filesystem::create_symlink(target, File("planted.bin"));
    EXPECT_EQ(TFileStream::CreateNew(File("planted.bin")), nullptr);
    EXPECT_FALSE(std::filesystem::exists(target));

    EXPECT_THROW(TFileStream::CreateNew(File("no/such/dir/file")), EFOpenError);
}

TEST_F(StreamTest, StringListsSaveAndLoadThroughFiles)
{
    TStringList list;
    list.Add("ButtonImage=1");
    list.Add("\xCD\xF8\xC2\xE7");
    list.SaveToFile(File("list.txt"));
    TStringList back;
    back.LoadFromFile(File("list.txt"));
    EXPECT_TRUE(back.Equals(list));
}

}
}
