// The errors the standard objects raise, one table per class. Each case runs
// in a fresh empty working folder, so file cases can make what they need.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "TestHost.h"
#include "common/textcodec/TextCodec.h"

namespace {

namespace fs = std::filesystem;

struct ObjectErrorCase {
    const char16_t* script;
    int number;
    int line;
};

void PrintTo(const ObjectErrorCase& c, std::ostream* os) { *os << textcodec::EncodeUtf8(c.script).bytes; }

class ObjectErrors : public ::testing::TestWithParam<ObjectErrorCase> {
protected:
    void SetUp() override
    {
        home_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("vbsobjerr_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override
    {
        fs::current_path(home_);
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }

private:
    fs::path home_, dir_;
};

TEST_P(ObjectErrors, RaisesStandardNumber)
{
    const ObjectErrorCase& c = GetParam();
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_FALSE(engine.execute(c.script));
    EXPECT_EQ(engine.errorNumber(), c.number) << textcodec::EncodeUtf8(engine.errorText()).bytes;
    EXPECT_EQ(engine.errorLine(), c.line);
}

const ObjectErrorCase kCreation[] = {
    {u"Set o = CreateObject(\"No.Such.Class\")", 429, 1},
    {u"Set o = GetObject(\"x\")", 429, 1},
    {u"Set o = New NoSuchClass", 506, 1},
};
INSTANTIATE_TEST_SUITE_P(Creation, ObjectErrors, ::testing::ValuesIn(kCreation));

// The error text names the class that is missing; Err.Description stays the
// standard text, as scripts compare it.
TEST(ObjectCreation, UnknownProgIdIsNamedInErrorTextOnly)
{
    TestHost host;
    vbs::Engine engine(host);
    EXPECT_FALSE(engine.execute(u"Set o = CreateObject(\"Excel.Application\")"));
    EXPECT_NE(engine.errorText().find(u"'Excel.Application'"), std::u16string::npos);
    EXPECT_TRUE(engine.execute(u"On Error Resume Next\nSet o = CreateObject(\"Excel.Application\")\n"
                               u"WScript.Echo Err.Number & \"|\" & Err.Description"));
    ASSERT_EQ(host.echoes.size(), 1u);
    EXPECT_EQ(host.echoes[0], u"429|无法创建对象");
}

// A host that runs text nobody vetted can keep scripts away from files and
// processes; the harmless classes stay.
TEST(ObjectCreation, SystemObjectsCanBeRefused)
{
    TestHost host;
    vbs::Engine engine(host);
    engine.setSystemObjects(false);
    for (const char16_t* progId : {u"Scripting.FileSystemObject", u"WScript.Shell"}) {
        EXPECT_FALSE(engine.execute(u"Set o = CreateObject(\"" + std::u16string(progId) + u"\")"));
        EXPECT_EQ(engine.errorNumber(), 429);
        EXPECT_FALSE(engine.execute(u"Set o = WScript.CreateObject(\"" + std::u16string(progId) + u"\")"));
        EXPECT_EQ(engine.errorNumber(), 429);
    }
    EXPECT_TRUE(engine.execute(u"Set d = CreateObject(\"Scripting.Dictionary\")\nSet r = New RegExp"));
}

// Dictionary
#define DICT u"Set d = CreateObject(\"Scripting.Dictionary\")\nd.Add \"a\", 1\n"
const ObjectErrorCase kDictionary[] = {
    {DICT u"d.NoSuchMember", 438, 3},
    {DICT u"d.Add \"a\", 2", 457, 3},
    {DICT u"d.Add 1, 1\nd.Add 1.0, 2", 457, 4},
    {DICT u"d.Remove \"b\"", 32811, 3},
    {DICT u"d.Remove \"A\"", 32811, 3},
    {DICT u"d.Key(\"b\") = \"c\"", 32811, 3},
    {DICT u"d.Add \"b\", 2\nd.Key(\"b\") = \"a\"", 457, 4},
    {DICT u"x = d.Key(\"a\")", 438, 3},
    {DICT u"d.CompareMode = 1", 5, 3},
    {u"Set d = CreateObject(\"Scripting.Dictionary\")\nd.CompareMode = -1", 5, 2},
    {DICT u"d.Add Array(1), 2", 13, 3},
    {DICT u"x = d(Array(1))", 13, 3},
    {DICT u"d.Add \"b\"", 450, 3},
    {DICT u"x = d.Exists()", 450, 3},
    {DICT u"x = d.Item()", 450, 3},
    {DICT u"d.Count = 3", 445, 3},
    {DICT u"d.RemoveAll 1", 450, 3},
};
#undef DICT
INSTANTIATE_TEST_SUITE_P(Dictionary, ObjectErrors, ::testing::ValuesIn(kDictionary));

// RegExp
#define REGEXP u"Set r = New RegExp\n"
const ObjectErrorCase kRegExp[] = {
    {REGEXP u"r.NoSuchMember", 438, 2},
    {REGEXP u"r.Pattern = \"(a\"\nx = r.Test(\"a\")", 5020, 3},
    {REGEXP u"r.Pattern = \"[a\"\nSet m = r.Execute(\"a\")", 5019, 3},
    {REGEXP u"r.Pattern = \"+a\"\nx = r.Replace(\"a\", \"b\")", 5018, 3},
    {REGEXP u"r.Pattern = \"[b-a]\"\nx = r.Test(\"a\")", 5021, 3},
    {REGEXP u"r.Pattern = \"a\\Z\"\nx = r.Test(\"a\")", 5017, 3},
    {REGEXP u"r.Pattern = \"(?<=a)b\"\nx = r.Test(\"ab\")", 5017, 3},
    {REGEXP u"r.Pattern = \"(a+)+[bc]\"\nx = r.Test(String(40, \"a\"))", 28, 3},
    {REGEXP u"x = r.Test(Null)", 94, 2},
    {REGEXP u"x = r.Test()", 450, 2},
    {REGEXP u"x = r.Replace(\"a\")", 450, 2},
    {REGEXP u"r.Test = 1", 445, 2},
    {REGEXP u"r.Pattern = \"a\"\nSet ms = r.Execute(\"aa\")\nx = ms(1)", 5, 4},
    {REGEXP u"r.Pattern = \"a\"\nSet ms = r.Execute(\"aa\")\nx = ms(-1)", 5, 4},
    {REGEXP u"r.Pattern = \"(a)\"\nSet m = r.Execute(\"a\")(0)\nx = m.SubMatches(1)", 5, 4},
    {REGEXP u"r.Pattern = \"a\"\nSet m = r.Execute(\"a\")(0)\nm.Value = \"b\"", 445, 4},
    {REGEXP u"r.Pattern = \"a\"\nSet ms = r.Execute(\"a\")\nms.Count = 2", 445, 4},
};
#undef REGEXP
INSTANTIATE_TEST_SUITE_P(RegExp, ObjectErrors, ::testing::ValuesIn(kRegExp));

// FileSystemObject and its File, Folder, Drive and TextStream objects
#define FSO u"Set f = CreateObject(\"Scripting.FileSystemObject\")\n"
#define FSO_A FSO u"f.CreateTextFile(\"a.txt\").Close\n"
const ObjectErrorCase kFileSystem[] = {
    {FSO u"f.NoSuchMember", 438, 2},
    // missing files and folders
    {FSO u"Set t = f.OpenTextFile(\"missing.txt\")", 53, 2},
    {FSO u"Set x = f.GetFile(\"missing.txt\")", 53, 2},
    {FSO u"Set x = f.GetFolder(\"missing\")", 76, 2},
    {FSO u"Set t = f.OpenTextFile(\"missing/a.txt\", 2, True)", 76, 2},
    {FSO u"f.DeleteFile \"*.none\"", 53, 2},
    {FSO u"f.DeleteFolder \"none*\"", 76, 2},
    {FSO u"x = f.GetFile(\"C:\\a.txt\")", 76, 2},
    {FSO u"Set d = f.GetDrive(\"Q:\")", 68, 2},
    // existing targets
    {FSO_A u"Set t = f.CreateTextFile(\"a.txt\", False)", 58, 3},
    {FSO_A u"f.CreateFolder \"a.txt\"", 58, 3},
    {FSO_A u"f.CopyFile \"a.txt\", \"a.txt\"", 70, 3},
    // wrong mode, end of file
    {FSO u"Set t = f.CreateTextFile(\"a.txt\")\nx = t.ReadLine", 54, 3},
    {FSO_A u"Set t = f.OpenTextFile(\"a.txt\")\nt.Write \"x\"", 54, 4},
    {FSO_A u"Set t = f.OpenTextFile(\"a.txt\")\nt.Close\nx = t.Read(1)", 54, 5},
    {FSO_A u"Set t = f.OpenTextFile(\"a.txt\")\nx = t.ReadAll", 62, 4},
    {FSO u"Set t = f.CreateTextFile(\"a.txt\")\nt.Write \"x\"\nt.Close\nSet t = f.OpenTextFile(\"a.txt\")\nt.Skip 1\nt.SkipLine",
     62, 7},
    // read-only files refuse deletion and replacement, for root too
    {FSO_A u"f.GetFile(\"a.txt\").Attributes = 1\nf.DeleteFile \"a.txt\"", 70, 4},
    {FSO_A u"f.GetFile(\"a.txt\").Attributes = 1\nSet t = f.CreateTextFile(\"a.txt\")", 70, 4},
    {FSO_A u"f.GetFile(\"a.txt\").Attributes = 1\nSet t = f.OpenTextFile(\"a.txt\", 8)", 70, 4},
    // bad arguments
    {FSO u"Set t = f.OpenTextFile(\"a.txt\", 3, True)", 5, 2},
    {FSO u"Set t = f.OpenTextFile(\"a.txt\", 1, True, 7)", 5, 2},
    {FSO u"x = f.GetFile(\"\")", 5, 2},
    {FSO u"x = f.GetSpecialFolder(7)", 5, 2},
    {FSO u"Set t = f.CreateTextFile(\"a.txt\")\nt.Read -1", 54, 3},
    {FSO_A u"Set t = f.OpenTextFile(\"a.txt\")\nx = t.Read(-1)", 5, 4},
    {FSO u"Set t = f.CreateTextFile(\"a.txt\")\nt.WriteLine \"ok\" & ChrW(&HE01)", 5, 3},
    {FSO u"f.GetFile(\"x\").Name = \"\"", 53, 2},
    {FSO_A u"f.GetFile(\"a.txt\").Name = \"..\"", 52, 3},
};
INSTANTIATE_TEST_SUITE_P(FileSystem, ObjectErrors, ::testing::ValuesIn(kFileSystem));

// A folder without permissions stops everyone but root.
TEST_F(ObjectErrors, FileSystemPermissionDenied)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root passes permission checks";
    const char16_t* cases[] = {
        FSO u"Set t = f.CreateTextFile(\"locked/a.txt\")",
        FSO u"Set t = f.OpenTextFile(\"locked/in.txt\")",
        FSO u"x = f.GetFolder(\"locked\").Files.Count",
    };
    fs::create_directories("locked");
    std::ofstream("locked/in.txt") << "x";
    fs::permissions("locked", fs::perms::none);
    for (const char16_t* script : cases) {
        TestHost host;
        vbs::Engine engine(host);
        EXPECT_FALSE(engine.execute(script));
        EXPECT_EQ(engine.errorNumber(), 70) << textcodec::EncodeUtf8(engine.errorText()).bytes;
    }
    fs::permissions("locked", fs::perms::owner_all);
}

// WScript.Shell
#define WSH_SHELL u"Set s = CreateObject(\"WScript.Shell\")\n"
const ObjectErrorCase kShell[] = {
    {WSH_SHELL u"s.NoSuchMember", 438, 2},
    // no registry on this system
    {WSH_SHELL u"x = s.RegRead(\"HKCU\\Software\\Q\\v\")", -2147024894, 2},
    {WSH_SHELL u"s.RegWrite \"HKCU\\Software\\Q\\v\", 1, \"REG_DWORD\"", -2147024894, 2},
    {WSH_SHELL u"s.RegDelete \"HKCU\\Software\\Q\\\"", -2147024894, 2},
    {WSH_SHELL u"s.RegWrite \"HKCU\\Software\\Q\\v\"", 450, 2},
    // members that need Windows
    {WSH_SHELL u"Set l = s.CreateShortcut(\"a.lnk\")", 5, 2},
    {WSH_SHELL u"s.SendKeys \"a\"", 5, 2},
    {WSH_SHELL u"x = s.AppActivate(\"Notepad\")", 5, 2},
    {WSH_SHELL u"s.LogEvent 0, \"x\"", 5, 2},
    // commands
    {WSH_SHELL u"s.Run \"\"", 5, 2},
    {WSH_SHELL u"s.Run \"  \", 1, True", 5, 2},
    {WSH_SHELL u"s.Run", 450, 2},
    {WSH_SHELL u"Set e = s.Exec(\"\")", 5, 2},
    {WSH_SHELL u"Set e = s.Exec(\"true\")\ne.StdOut.Write \"x\"", 54, 3},
    {WSH_SHELL u"Set e = s.Exec(\"true\")\nx = e.StdIn.ReadLine", 54, 3},
    {WSH_SHELL u"Set e = s.Exec(\"true\")\nx = e.StdOut.ReadLine", 62, 3},
    {WSH_SHELL u"Set e = s.Exec(\"echo a\")\ne.StdOut.SkipLine\ne.StdOut.SkipLine", 62, 4},
    {WSH_SHELL u"Set e = s.Exec(\"cat\")\ne.StdIn.Close\ne.StdIn.Write \"x\"", 54, 4},
    {WSH_SHELL u"Set e = s.Exec(\"true\")\nDo While e.Status = 0\nLoop\ne.StdIn.Write \"x\"", 57, 5},
    {WSH_SHELL u"Set e = s.Exec(\"true\")\nx = e.StdOut.Read(-1)", 5, 3},
    {WSH_SHELL u"Set e = s.Exec(\"true\")\ne.Status = 1", 445, 3},
    {WSH_SHELL u"Set e = s.Exec(\"true\")\ne.NoSuchMember", 438, 3},
    // folders and the environment
    {WSH_SHELL u"s.CurrentDirectory = \"no_such_folder\"", 76, 2},
    {WSH_SHELL u"s.Run \"touch plain\", , True\ns.CurrentDirectory = \"plain\"", 76, 3},
    {WSH_SHELL u"x = s.CurrentDirectory(1)", 450, 2},
    {WSH_SHELL u"Set v = s.Environment(\"Nonsense\")", 5, 2},
    {WSH_SHELL u"x = s.Environment(\"Process\")(\"\")", 5, 2},
    {WSH_SHELL u"s.Environment(\"Process\").Item(\"A=B\") = 1", 5, 2},
    {WSH_SHELL u"s.Environment(\"Process\").Remove \"\"", 5, 2},
    {WSH_SHELL u"x = s.SpecialFolders(99)", 9, 2},
    {WSH_SHELL u"s.SpecialFolders.Item(\"Desktop\") = \"x\"", 445, 2},
    {WSH_SHELL u"x = s.Popup()", 450, 2},
};
#undef WSH_SHELL
INSTANTIATE_TEST_SUITE_P(Shell, ObjectErrors, ::testing::ValuesIn(kShell));

}  // namespace
