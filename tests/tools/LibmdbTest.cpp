// The help database read through libmdb's C API, the way the editor reads it.
#include "Fixtures.h"
#include "ReaderSupport.h"

#include <mdbtools.h>

#include <gtest/gtest.h>

#include <memory>

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
}  // namespace

TEST(Libmdb, ReadsEveryTableAndValue)
{
    TempDir scratch;
    WriteSources(scratch.path() / "src", EdgeCaseSources());
    fs::path mdb = scratch.path() / "help.mdb";
    CommandResult r = RunMkmdb(mdb, scratch.path() / "src");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(FirstDifference(ExpectedDump(EdgeCaseSources()), ReadWithLibmdb(mdb)), "");
}

TEST(Libmdb, ReadsTheShippedDatabase)
{
    Dump dump = ReadWithLibmdb(HELP_DATABASE);
    ASSERT_TRUE(dump.count("函数索引目录"));
    for (const auto& row : dump["函数索引目录"].rows) EXPECT_TRUE(dump.count(row.at(1))) << row.at(1);
}
