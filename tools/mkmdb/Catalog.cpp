#include "Catalog.h"

namespace mkmdb {
namespace {
constexpr std::int32_t kDatabasesContainer = 0x0F000000;
constexpr std::int32_t kTablesContainer = 0x0F000001;
constexpr std::int32_t kContainerType = 3;
constexpr std::int32_t kTableType = 1;
constexpr std::int32_t kSystemFlags = static_cast<std::int32_t>(0x80000002u);
// A fixed creation time (2026-01-01) keeps the build output reproducible.
constexpr double kCreated = 46023.0;

std::vector<Column> CatalogColumns()
{
    return {
        {u"Id", ColumnType::Long},         {u"ParentId", ColumnType::Long},
        {u"Name", ColumnType::Text, 128},  {u"Type", ColumnType::Integer},
        {u"DateCreate", ColumnType::DateTime}, {u"DateUpdate", ColumnType::DateTime},
        {u"Flags", ColumnType::Long},      {u"ForeignName", ColumnType::Text, 128},
        {u"Database", ColumnType::Memo},   {u"Connect", ColumnType::Memo},
        {u"Lv", ColumnType::Ole},          {u"LvProp", ColumnType::Ole},
        {u"LvExtra", ColumnType::Ole},
    };
}

Row Entry(std::int32_t id, std::int32_t parent, std::u16string name, std::int32_t type, std::int32_t flags)
{
    Row row(13);
    row[0] = id;
    row[1] = parent;
    row[2] = std::move(name);
    row[3] = type;
    row[4] = kCreated;
    row[5] = kCreated;
    row[6] = flags;
    return row;
}
}  // namespace

Table MakeCatalog(const std::vector<CatalogEntry>& userTables)
{
    Table t{u"MSysObjects", CatalogColumns(), {}, true};
    t.rows.push_back(Entry(kDatabasesContainer, kDatabasesContainer, u"Databases", kContainerType, 0));
    t.rows.push_back(Entry(kTablesContainer, kDatabasesContainer, u"Tables", kContainerType, 0));
    t.rows.push_back(Entry(static_cast<std::int32_t>(kCatalogPage), kTablesContainer, u"MSysObjects", kTableType, kSystemFlags));
    for (const CatalogEntry& e : userTables) {
        t.rows.push_back(Entry(static_cast<std::int32_t>(e.definitionPage), kTablesContainer, e.name, kTableType, 0));
    }
    return t;
}

}  // namespace mkmdb
