// The generated database, read back by programs that share no code with the
// writer: mdbtools' command-line tools and the npm package mdb-reader.
#include "Fixtures.h"
#include "ReaderSupport.h"

#include "textcodec/TextCodec.h"

#include <gtest/gtest.h>

#include <functional>

using namespace mkmdbtest;
namespace fs = std::filesystem;

namespace {

struct Reader {
    const char* name;
    std::function<Dump(const fs::path&)> read;
};

const std::vector<Reader> kReaders = {{"mdbtools", ReadWithMdbTools}, {"mdb-reader", ReadWithMdbReader}};

// Builds a database from sources in a scratch folder.
class Built {
public:
    explicit Built(const std::vector<SourceCategory>& sources)
    {
        WriteSources(dir_.path() / "src", sources);
        CommandResult r = RunMkmdb(mdb(), dir_.path() / "src");
        EXPECT_EQ(r.exitCode, 0) << r.err;
    }
    fs::path mdb() const { return dir_.path() / "帮助.mdb"; }

private:
    TempDir dir_;
};

void ExpectEveryReaderSees(const fs::path& mdb, const Dump& want)
{
    for (const Reader& reader : kReaders) {
        EXPECT_EQ(FirstDifference(want, reader.read(mdb)), "") << "read with " << reader.name;
    }
    // mdb-count takes the row count from the table definition, not the rows.
    for (const auto& [name, table] : want) {
        EXPECT_EQ(Shell("mdb-count " + Quote(mdb) + " " + Quote(name)).out, std::to_string(table.rows.size()) + "\n") << name;
    }
}

}  // namespace

TEST(ReadBack, EveryTableAndValueOfTheEdgeCases)
{
    Built db(EdgeCaseSources());
    ExpectEveryReaderSees(db.mdb(), ExpectedDump(EdgeCaseSources()));
}

TEST(ReadBack, NoCategoriesGiveAnEmptyIndexTable)
{
    Built db({});
    ExpectEveryReaderSees(db.mdb(), ExpectedDump({}));
}

// Enough rows and long values (one long-value page each) that the table's
// pages run far past what a 64-byte usage map from page 0 covers, and its rows
// span many data pages.
TEST(ReadBack, TableSpreadOverManyPages)
{
    SourceCategory big{5, "大表", {}};
    for (int i = 0; i < 700; ++i) big.entries.push_back({i, "条目" + std::to_string(i), {MixedText(1500 + i % 7, i)}});
    SourceCategory after{6, "后面的表", {{1, "最后", {"在大表之后"}}}};
    Built db({big, after});
    EXPECT_GT(fs::file_size(db.mdb()), 600u * 4096u);
    ExpectEveryReaderSees(db.mdb(), ExpectedDump({big, after}));
}

// So many tables that the catalogue spans several data pages and the usage
// maps overflow page 1 onto pages of their own.
TEST(ReadBack, ManyCategories)
{
    std::vector<SourceCategory> sources;
    for (int i = 0; i < 150; ++i) sources.push_back({i, "类别" + std::to_string(i), {{i, "词" + std::to_string(i), {"第 " + std::to_string(i) + " 类"}}}});
    Built db(sources);
    ExpectEveryReaderSees(db.mdb(), ExpectedDump(sources));
}

TEST(Schema, ColumnsHaveTheHelpTypes)
{
    Built db(EdgeCaseSources());
    CommandResult schema = Shell("mdb-schema " + Quote(db.mdb()));
    ASSERT_EQ(schema.exitCode, 0) << schema.err;
    for (const char* expected :
         {"CREATE TABLE [函数索引目录]\n (\n\t[id]\t\t\tLong Integer, \n\t[索引目录]\t\t\tText (255)\n);",
          "CREATE TABLE [字符串 函数(旧)-2]\n (\n\t[id]\t\t\tLong Integer, \n\t[关键字]\t\t\tText (255), \n\t[备注]\t\t\tMemo/Hyperlink (255)\n);"}) {
        EXPECT_NE(schema.out.find(expected), std::string::npos) << expected << "\nin\n" << schema.out;
    }

    CommandResult js = Shell("node " + Quote(READER_SCRIPT) + " " + Quote(NODE_DEPS_DIR) + " " + Quote(db.mdb()));
    ASSERT_EQ(js.exitCode, 0) << js.err;
    // Column lines of the index table and of a category table, names in hex.
    EXPECT_NE(js.out.find("C 6964 long\nC e7b4a2e5bc95e79baee5bd95 text\n"), std::string::npos) << js.out.substr(0, 300);
    EXPECT_NE(js.out.find("C 6964 long\nC e585b3e994aee5ad97 text\nC e5a487e6b3a8 memo\n"), std::string::npos);
}

TEST(Catalog, SystemTableIsHiddenAndListedOnRequest)
{
    Built db({{1, "甲", {}}});
    EXPECT_EQ(Shell("mdb-tables -1 " + Quote(db.mdb())).out, "函数索引目录\n甲\n");
    EXPECT_EQ(Shell("mdb-tables -1 -S " + Quote(db.mdb())).out, "MSysObjects\n函数索引目录\n甲\n");
    EXPECT_EQ(Shell("mdb-ver " + Quote(db.mdb())).out, "JET4\n");
}

// The queries the help tree runs. mdbtools' SQL lexer reads a bare table name
// byte by byte in its own charset: UTF-8 Chinese names only work in [brackets]
// or "double quotes"; bare names work once both the query and MDBICONV are GBK.
TEST(MdbSql, TheHelpTreeQueriesFindTheirRows)
{
    std::vector<SourceCategory> sources = {
        {3, "字符 串", {{-5, "甲", {"第一"}}, {7, "乙", {"第二"}}, {-5, "丙", {"同 id 的第二行"}}}},
        {4, "普通", {{1, "a", {"b"}}}},
    };
    Built db(sources);
    struct Case {
        const char* sql;
        bool gbk;
        const char* rows;
    } cases[] = {
        {"select * from [函数索引目录]", false, "3|字符 串\n4|普通\n"},
        {"select * from \"函数索引目录\"", false, "3|字符 串\n4|普通\n"},
        {"select * from 函数索引目录", true, "3|字符 串\n4|普通\n"},
        {"select * from [普通] where id=1", false, "1|a|b\n"},
        {"select * from 普通 where id=1", true, "1|a|b\n"},
        {"select * from [字符 串] where id=-5", false, "-5|甲|第一\n-5|丙|同 id 的第二行\n"},
        {"select * from \"字符 串\" where id = 7", true, "7|乙|第二\n"},
        {"select * from [普通] where id=2", false, ""},
    };
    for (const Case& c : cases) {
        std::string sql = c.sql;
        if (c.gbk) sql = textcodec::EncodeGbk(*textcodec::DecodeUtf8(sql)).bytes;
        TempDir scratch;
        WriteFile(scratch.path() / "q.sql", sql + "\n");
        CommandResult r = Shell(std::string(c.gbk ? "MDBICONV=GBK " : "") + "mdb-sql -HPF -d '|' -i " +
                              Quote(scratch.path() / "q.sql") + " " + Quote(db.mdb()));
        std::string out = r.out;
        if (c.gbk) out = textcodec::EncodeUtf8(*textcodec::DecodeGbk(out)).bytes;
        // mdb-sql prints an empty line where the header would be.
        EXPECT_EQ(out, std::string("\n") + c.rows) << c.sql << (c.gbk ? " (GBK)" : "") << "\n" << r.err;
    }
}
