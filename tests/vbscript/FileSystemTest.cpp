// What scripts cannot see of FileSystemObject: the bytes on disk, file
// handles after a run, and what a failing script leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "TestHost.h"
#include "common/textcodec/TextCodec.h"

namespace {

namespace fs = std::filesystem;

#define FSO u"Set fso = CreateObject(\"Scripting.FileSystemObject\")\n"

class FileSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        home_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vbsfs_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override
    {
        fs::current_path(home_);
        fs::remove_all(dir_);
    }

    static std::string bytes(const char* path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void put(const char* path, const std::string& data) { std::ofstream(path, std::ios::binary) << data; }
    static std::size_t openFiles() { return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {})); }
    static std::size_t entries() { return static_cast<std::size_t>(std::distance(fs::directory_iterator("."), {})); }

    // Runs a script; the echoed lines joined by "|".
    static std::string run(const std::u16string& script, bool ok = true)
    {
        TestHost host;
        vbs::Engine engine(host);
        EXPECT_EQ(engine.execute(script), ok) << textcodec::EncodeUtf8(engine.errorText()).bytes;
        std::string out;
        for (const auto& e : host.echoes) {
            if (!out.empty()) out += '|';
            out += textcodec::EncodeUtf8(e).bytes;
        }
        return out;
    }

private:
    fs::path home_, dir_;
};

TEST_F(FileSystem, WritesGbkAndUtf16Bytes)
{
    run(FSO u"Set t = fso.CreateTextFile(\"a.txt\")\nt.WriteLine \"中文A\"\nt.Close\n"
        u"Set t = fso.CreateTextFile(\"u.txt\", True, True)\nt.WriteLine \"中文A\"\nt.Close\n"
        u"Set t = fso.OpenTextFile(\"u.txt\", 8, False, -1)\nt.Write \"B\"\nt.Close");
    EXPECT_EQ(bytes("a.txt"), "\xD6\xD0\xCE\xC4" "A\r\n");
    EXPECT_EQ(bytes("u.txt"), std::string("\xFF\xFE\x2D\x4E\x87\x65" "A\0\r\0\n\0B\0", 14));
}

TEST_F(FileSystem, ReadsMarksAndBytesThatAreNotGbk)
{
    struct Case {
        std::string data;
        const char16_t* format;
        std::string text;
    } cases[] = {
        {"\xEF\xBB\xBF\xE4\xB8\xAD", u"0", "中"},                 // UTF-8 mark
        {"\xEF\xBB\xBF" "a\xE4\xB8" "b\xFF\xF0\x9F\x98\x80", u"-2",  // after it, bad UTF-8
         "a\xEF\xBF\xBD\xEF\xBF\xBD" "b\xEF\xBF\xBD\xF0\x9F\x98\x80"},
        {"\xFF\xFE\x2D\x4E", u"-2", "中"},                         // UTF-16LE mark
        {"\xD6\xD0\x81\x20\xFF", u"0", "中\xEF\xBF\xBD \xEF\xBF\xBD"},  // not GBK: U+FFFD
        {"\xD6", u"0", "\xEF\xBF\xBD"},                            // a lead byte at the end
        {std::string("\x2D\x4E\x41", 3), u"-1", "中\xEF\xBF\xBD"},  // odd UTF-16 length
    };
    for (const Case& c : cases) {
        put("in.txt", c.data);
        EXPECT_EQ(run(FSO u"WScript.Echo fso.OpenTextFile(\"in.txt\", 1, False, " + std::u16string(c.format) +
                      u").ReadAll"),
                  c.text);
    }
}

TEST_F(FileSystem, ChunkBoundariesSplitNeitherCharactersNorLineEnds)
{
    const std::size_t chunk = 1 << 20;
    put("gbk.txt", std::string(chunk - 1, 'a') + "\xD6\xD0" "b");
    EXPECT_EQ(run(FSO u"s = fso.OpenTextFile(\"gbk.txt\").ReadAll\nWScript.Echo Len(s), Right(s, 2)"),
              std::to_string(chunk + 1) + " 中b");
    put("crlf.txt", std::string(chunk - 1, 'a') + "\r\nb");
    EXPECT_EQ(run(FSO u"Set t = fso.OpenTextFile(\"crlf.txt\")\nWScript.Echo Len(t.ReadLine), t.ReadLine, t.Line"),
              std::to_string(chunk - 1) + " b 2");
    put("u8.txt", "\xEF\xBB\xBF" + std::string(chunk - 4, 'a') + "\xE4\xB8\xAD");
    EXPECT_EQ(run(FSO u"s = fso.OpenTextFile(\"u8.txt\").ReadAll\nWScript.Echo Len(s), Right(s, 1)"),
              std::to_string(chunk - 3) + " 中");
}

TEST_F(FileSystem, StreamsCloseWhenReleased)
{
    std::size_t before = openFiles();
    run(FSO u"For i = 1 To 300\nSet t = fso.CreateTextFile(\"f\" & i & \".txt\")\nt.Write i\n"
        u"Set r = fso.OpenTextFile(\"f\" & i & \".txt\", 8)\nNext");
    EXPECT_EQ(openFiles(), before);
    // A script that fails with streams open, one kept in a global.
    run(FSO u"Set keep = fso.OpenTextFile(\"f1.txt\")\nSet w = fso.CreateTextFile(\"f2.txt\")\nErr.Raise 5", false);
    EXPECT_EQ(openFiles(), before);
    EXPECT_EQ(bytes("f300.txt"), "300");
}

TEST_F(FileSystem, FailingScriptLeavesOldContentUntilTheStreamGoes)
{
    put("keep.txt", "old content");
    {
        TestHost host;
        vbs::Engine engine(host);
        EXPECT_FALSE(engine.execute(FSO u"Set t = fso.CreateTextFile(\"keep.txt\", True)\nt.Write \"new \"\n"
                                    u"WScript.Echo fso.OpenTextFile(\"keep.txt\").ReadAll\n"
                                    u"t.Write \"bad\" & ChrW(&HE01)"));
        ASSERT_EQ(host.echoes.size(), 1u);
        EXPECT_EQ(host.echoes[0], u"old content");
        EXPECT_EQ(bytes("keep.txt"), "old content");  // the stream is still referenced
        engine.reset();
        // Released: what was written is committed whole, the refused text is not in it.
        EXPECT_EQ(bytes("keep.txt"), "new ");
    }
    EXPECT_EQ(entries(), 1u);  // no temporary file left beside it
}

TEST_F(FileSystem, ReplacedFileKeepsItsPermissionsAndLinks)
{
    put("script.sh", "old");
    fs::permissions("script.sh", fs::perms::owner_all | fs::perms::group_read);
    run(FSO u"fso.CreateTextFile(\"script.sh\").Write \"new\"");
    EXPECT_EQ(bytes("script.sh"), "new");
    EXPECT_EQ(fs::status("script.sh").permissions() & fs::perms::all, fs::perms::owner_all | fs::perms::group_read);
    // Through a link the file it points at is replaced; the link stays.
    fs::create_directory("real");
    put("real/target.txt", "old");
    fs::create_symlink("real/target.txt", "link.txt");
    put("other.txt", "copied");
    run(FSO u"fso.OpenTextFile(\"link.txt\", 2).Write \"written\"");
    EXPECT_TRUE(fs::is_symlink("link.txt"));
    EXPECT_EQ(bytes("real/target.txt"), "written");
    run(FSO u"fso.CopyFile \"other.txt\", \"link.txt\"");
    EXPECT_TRUE(fs::is_symlink("link.txt"));
    EXPECT_EQ(bytes("real/target.txt"), "copied");
}

TEST_F(FileSystem, DiskFullIsError61AndTheTargetStays)
{
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_FALSE(engine.execute(FSO u"Set t = fso.OpenTextFile(\"/dev/full\", 8)\nt.Write String(300000, \"x\")"));
    EXPECT_EQ(engine.errorNumber(), 61) << textcodec::EncodeUtf8(engine.errorText()).bytes;
    EXPECT_NE(engine.errorText().find(u"/dev/full"), std::u16string::npos);
}

TEST_F(FileSystem, ErrorTextNamesThePath)
{
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_FALSE(engine.execute(FSO u"fso.OpenTextFile \"missing.txt\""));
    EXPECT_NE(engine.errorText().find(u"：'" + fs::current_path().u16string() + u"/missing.txt'"),
              std::u16string::npos)
        << textcodec::EncodeUtf8(engine.errorText()).bytes;
    // Err.Description keeps the plain text.
    EXPECT_EQ(run(u"On Error Resume Next\n" FSO u"fso.GetFolder \"gone\"\nWScript.Echo Err.Description"), "找不到路径");
}

}  // namespace
