// The command line: bad input is reported and never leaves a broken or
// partial database behind.
#include "ReaderSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace mkmdbtest;
namespace fs = std::filesystem;

namespace {
struct BadSource {
    const char* what;
    std::function<void(const fs::path& dir)> write;  // dir does not exist yet
    const char* message;
};

void One(const fs::path& dir, const std::string& file, const std::string& text)
{
    fs::create_directories(dir);
    WriteFile(dir / file, text);
}

const std::vector<BadSource> kBadSources = {
    {"missing folder", [](const fs::path&) {}, "no such source folder"},
    {"file name without id", [](const fs::path& d) { One(d, "字符串函数.txt", ""); }, "is named \"<id>-<name>.txt\""},
    {"malformed entry line", [](const fs::path& d) { One(d, "1-甲.txt", "== 1 a\nx\n==2 b\n"); }, "1-甲.txt:3: an entry line"},
    {"text before any entry", [](const fs::path& d) { One(d, "1-甲.txt", "x\n"); }, "1-甲.txt:1: text before"},
    {"invalid UTF-8", [](const fs::path& d) { One(d, "1-甲.txt", "== 1 a\n\xFF\n"); }, "not valid UTF-8"},
    {"same table twice",
     [](const fs::path& d) {
         One(d, "1-Abc.txt", "");
         One(d, "2-aBC.txt", "");
     },
     "1-Abc.txt and 2-aBC.txt: two categories are both named"},
    {"same id twice",
     [](const fs::path& d) {
         One(d, "1-甲.txt", "");
         One(d, "01-乙.txt", "");
     },
     "01-乙.txt and 1-甲.txt: two categories have the id 1"},
    {"name not allowed for a table", [](const fs::path& d) { One(d, "1-a.b.txt", ""); }, "1-a.b.txt: category \"a.b\": a table name cannot contain"},
    {"folder named like a category",
     [](const fs::path& d) { fs::create_directories(d / "1-甲.txt"); },
     "not a regular file"},
};

std::vector<fs::path> Listing(const fs::path& dir)
{
    std::vector<fs::path> files;
    for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path().filename());
    std::sort(files.begin(), files.end());
    return files;
}
}  // namespace

TEST(Cli, BadSourcesFailWithoutTouchingTheOutput)
{
    for (const BadSource& bad : kBadSources) {
        TempDir scratch;
        fs::path src = scratch.path() / "src";
        fs::path out = scratch.path() / "out" / "help.mdb";
        fs::create_directories(out.parent_path());
        bad.write(src);

        CommandResult fresh = RunMkmdb(out, src);
        EXPECT_EQ(fresh.exitCode, 1) << bad.what;
        EXPECT_NE(fresh.err.find(bad.message), std::string::npos) << bad.what << ": " << fresh.err;
        EXPECT_TRUE(Listing(out.parent_path()).empty()) << bad.what << ": output or temporary file left behind";

        WriteFile(out, "the previous database");
        EXPECT_EQ(RunMkmdb(out, src).exitCode, 1) << bad.what;
        EXPECT_EQ(Listing(out.parent_path()), std::vector<fs::path>{"help.mdb"}) << bad.what;
        EXPECT_EQ(ReadFile(out), "the previous database") << bad.what;
    }
}

TEST(Cli, UnwritableOutputIsAnError)
{
    TempDir scratch;
    WriteSources(scratch.path() / "src", {{1, "甲", {}}});
    fs::create_directories(scratch.path() / "out" / "help.mdb");
    struct Case {
        fs::path out;
        const char* message;
    } cases[] = {
        {scratch.path() / "no-such-dir" / "help.mdb", "cannot create a file in"},
        {scratch.path() / "out" / "help.mdb", "cannot replace"},  // a folder is in the way
    };
    for (const Case& c : cases) {
        CommandResult r = RunMkmdb(c.out, scratch.path() / "src");
        EXPECT_EQ(r.exitCode, 1) << c.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(Listing(scratch.path() / "out"), std::vector<fs::path>{"help.mdb"});
    EXPECT_TRUE(fs::is_directory(scratch.path() / "out" / "help.mdb"));
}

// Same sources, same bytes: nothing from the clock or from stale memory gets in.
TEST(Cli, OutputIsReproducible)
{
    TempDir scratch;
    WriteSources(scratch.path() / "src", {{1, "甲", {{1, "a", {MixedText(30000, 1)}}, {2, "b", {"c"}}}}, {2, "乙", {}}});
    ASSERT_EQ(RunMkmdb(scratch.path() / "1.mdb", scratch.path() / "src").exitCode, 0);
    ASSERT_EQ(RunMkmdb(scratch.path() / "2.mdb", scratch.path() / "src").exitCode, 0);
    EXPECT_TRUE(ReadFile(scratch.path() / "1.mdb") == ReadFile(scratch.path() / "2.mdb"));
}

TEST(Cli, SuccessReplacesTheOldFileAndLeavesNothingElse)
{
    TempDir scratch;
    WriteSources(scratch.path() / "src", {{1, "甲", {{1, "a", {"b"}}}}});
    fs::path out = scratch.path() / "out" / "help.mdb";
    fs::create_directories(out.parent_path());
    WriteFile(out, "old");
    CommandResult r = RunMkmdb(out, scratch.path() / "src");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Listing(out.parent_path()), std::vector<fs::path>{"help.mdb"});
    EXPECT_EQ(fs::file_size(out) % 4096, 0u);
    EXPECT_EQ(Shell("mdb-ver " + Quote(out)).out, "JET4\n");
}

TEST(Cli, UsageMistakesExitWithTwo)
{
    for (const char* args : {"", "--out", "--out x.mdb", "src", "--out x.mdb a b", "--bogus --out x.mdb src"}) {
        CommandResult r = Shell(Quote(MKMDB_PATH) + " " + args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("usage: mkmdb --out FILE SOURCE_DIR"), std::string::npos) << args;
    }
    EXPECT_EQ(Shell(Quote(MKMDB_PATH) + " --help").exitCode, 0);
}
