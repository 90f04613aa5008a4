// The help database read through libmdb's C API, the way the editor reads it.
#include "Fixtures.h"
#include "ReaderSupport.h"

#include <mdbsql.h>
#include <mdbtools.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace mkmdbtest;
namespace fs = std::filesystem;

namespace {
// libmdb's default bind buffer (16 KB) cuts longer memos short; a reader of
// the help texts has to raise it before binding.
constexpr std::size_t kBindSize = 1 << 20;

struct MdbCloser {
    void operator()(MdbHandle* h) const { mdb_close(h); }
};
struct TableFreer {
    void operator()(MdbTableDef* t) const { mdb_free_tabledef(t); }
};

TableDump ReadTable(MdbCatalogEntry* entry)
{
    std::unique_ptr<MdbTableDef, TableFreer> table(mdb_read_table(entry));
    if (!table) throw std::runtime_error("libmdb cannot read a table");
    mdb_read_columns(table.get());
    mdb_rewind_table(table.get());
    TableDump dump;
    std::vector<std::vector<char>> buffers(table->num_cols, std::vector<char>(kBindSize));
    std::vector<int> lengths(table->num_cols);
    for (unsigned i = 0; i < table->num_cols; ++i) {
        auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
        dump.columns.push_back(col->name);
        mdb_bind_column(table.get(), static_cast<int>(i + 1), buffers[i].data(), &lengths[i]);
    }
    while (mdb_fetch_row(table.get())) {
        std::vector<std::string> row;
        for (unsigned i = 0; i < table->num_cols; ++i) row.emplace_back(buffers[i].data());
        dump.rows.push_back(std::move(row));
    }
    return dump;
}

Dump ReadWithLibmdb(const fs::path& file)
{
    std::unique_ptr<MdbHandle, MdbCloser> mdb(mdb_open(file.c_str(), MDB_NOFLAGS));
    if (!mdb) throw std::runtime_error("libmdb cannot open " + file.string());
    mdb_set_bind_size(mdb.get(), kBindSize);
    if (!mdb_read_catalog(mdb.get(), MDB_TABLE)) throw std::runtime_error("libmdb cannot read the catalogue");
    Dump dump;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry->object_type != MDB_TABLE || mdb_is_system_table(entry)) continue;
        dump[entry->object_name] = ReadTable(entry);
    }
    return dump;
}
struct SqlCloser {
    void operator()(MdbSQL* sql) const { mdb_sql_exit(sql); }
};

// Rows of a query run through libmdbsql; nullopt when the query fails.
std::optional<std::vector<std::vector<std::string>>> Query(const fs::path& file, const std::string& text)
{
    std::unique_ptr<MdbSQL, SqlCloser> sql(mdb_sql_init());
    if (!mdb_sql_open(sql.get(), const_cast<char*>(file.c_str()))) throw std::runtime_error("libmdbsql cannot open " + file.string());
    mdb_set_bind_size(sql->mdb, kBindSize);
    // The query binds every column itself, with buffers of the bind size.
    if (!mdb_sql_run_query(sql.get(), text.c_str())) return std::nullopt;
    std::vector<std::vector<std::string>> rows;
    while (mdb_fetch_row(sql->cur_table)) {
        std::vector<std::string> row;
        for (unsigned i = 0; i < sql->num_columns; ++i) row.emplace_back(static_cast<char*>(g_ptr_array_index(sql->bound_values, i)));
        rows.push_back(std::move(row));
    }
    mdb_sql_reset(sql.get());
    return rows;
}

fs::path BuildEdgeCases(const TempDir& scratch)
{
    WriteSources(scratch.path() / "src", EdgeCaseSources());
    fs::path mdb = scratch.path() / "help.mdb";
    CommandResult r = RunMkmdb(mdb, scratch.path() / "src");
    if (r.exitCode != 0) throw std::runtime_error("mkmdb failed: " + r.err);
    return mdb;
}
}  // namespace

TEST(Libmdb, ReadsEveryTableAndValue)
{
    TempDir scratch;
    fs::path mdb = BuildEdgeCases(scratch);
    EXPECT_EQ(FirstDifference(ExpectedDump(EdgeCaseSources()), ReadWithLibmdb(mdb)), "");
}

// The editor opens a category's table by the name shown in the tree.
TEST(Libmdb, FindsTablesByTheirChineseNames)
{
    TempDir scratch;
    fs::path mdb = BuildEdgeCases(scratch);
    std::unique_ptr<MdbHandle, MdbCloser> handle(mdb_open(mdb.c_str(), MDB_NOFLAGS));
    ASSERT_TRUE(handle);
    ASSERT_TRUE(mdb_read_catalog(handle.get(), MDB_TABLE));
    for (const auto& [name, table] : ExpectedDump(EdgeCaseSources())) {
        std::unique_ptr<MdbTableDef, TableFreer> t(
            mdb_read_table_by_name(handle.get(), const_cast<gchar*>(name.c_str()), MDB_TABLE));
        ASSERT_TRUE(t) << name;
        EXPECT_EQ(t->num_rows, table.rows.size()) << name;
    }
    EXPECT_FALSE(mdb_read_table_by_name(handle.get(), const_cast<gchar*>("不存在"), MDB_TABLE));
}

// The help tree's queries through libmdbsql, which takes UTF-8 names in
// [brackets] (a bare Chinese name fails to parse while MDBICONV is UTF-8).
TEST(Libmdb, HelpTreeQueriesThroughLibmdbsql)
{
    TempDir scratch;
    fs::path mdb = BuildEdgeCases(scratch);
    Dump want = ExpectedDump(EdgeCaseSources());

    auto index = Query(mdb, "select * from [函数索引目录]");
    ASSERT_TRUE(index);
    EXPECT_EQ(*index, want["函数索引目录"].rows);

    struct Case {
        const char* table;
        const char* id;
        std::vector<std::size_t> rows;  // indexes into the table's expected rows
    } cases[] = {
        {"字符串函数", "2", {1, 2}},
        {"字符串 函数(旧)-2", "-1", {0}},
        {"字符串 函数(旧)-2", "2147483647", {1}},
        {"Long Memos", "7", {6}},  // over 64 KB
        {"空类别", "1", {}},
    };
    for (const Case& c : cases) {
        auto rows = Query(mdb, std::string("select * from [") + c.table + "] where id=" + c.id);
        ASSERT_TRUE(rows) << c.table;
        std::vector<std::vector<std::string>> expected;
        for (std::size_t i : c.rows) expected.push_back(want[c.table].rows.at(i));
        EXPECT_TRUE(*rows == expected) << c.table << " id=" << c.id << ": " << rows->size() << " rows";
    }
}

TEST(Libmdb, ReadsTheShippedDatabase)
{
    Dump dump = ReadWithLibmdb(HELP_DATABASE);
    ASSERT_TRUE(dump.count("函数索引目录"));
    for (const auto& row : dump["函数索引目录"].rows) EXPECT_TRUE(dump.count(row.at(1))) << row.at(1);
}
