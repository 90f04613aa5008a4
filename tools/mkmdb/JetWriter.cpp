#include "JetWriter.h"

#include "Catalog.h"
#include "HeaderPage.h"
#include "LongValues.h"
#include "PageFile.h"
#include "RowEncoder.h"
#include "TableDefinition.h"
#include "UsageMap.h"

#include "textcodec/TextCodec.h"

#include <stdexcept>

namespace mkmdb {
namespace {
constexpr std::uint32_t kFirstMapPage = 1;

struct PlacedTable {
    const Table* table = nullptr;
    std::uint32_t definitionPage = 0;
    std::vector<std::uint32_t> dataPages;
    std::vector<std::uint32_t> longValuePages;
};

// Names the table in a size error, which otherwise says only what overflowed.
[[noreturn]] void FailFor(const Table& table, const std::length_error& e)
{
    throw std::length_error("table " + textcodec::EncodeUtf8(table.name).bytes + ": " + e.what());
}

PlacedTable PlaceRows(PageFile& file, const Table& table, std::uint32_t definitionPage)
{
    RowPlacer data(file, definitionPage);
    LongValueWriter longValues(file);
    try {
        for (const Row& row : table.rows) data.Place(EncodeRow(table.columns, row, longValues));
    } catch (const std::length_error& e) {
        FailFor(table, e);
    }
    return PlacedTable{&table, definitionPage, data.Pages(), longValues.Pages()};
}

// Every long-value column of a table shares the table's LVAL pages.
TableLayout PlaceMaps(RowPlacer& maps, const PlacedTable& placed)
{
    TableLayout layout;
    layout.rowCount = static_cast<std::uint32_t>(placed.table->rows.size());
    const Bytes empty = MakeUsageMap({});
    layout.data = {maps.Place(MakeUsageMap(placed.dataPages)), maps.Place(empty)};
    for (const Column& c : placed.table->columns) {
        if (IsLongValue(c.type)) layout.longValues.push_back({maps.Place(MakeUsageMap(placed.longValuePages)), maps.Place(empty)});
    }
    return layout;
}
}  // namespace

Bytes WriteDatabase(const std::vector<Table>& userTables)
{
    PageFile file;
    WriteHeaderPage(file.At(file.Allocate()));
    file.Allocate();  // first page of usage maps, filled last
    if (file.Allocate() != kCatalogPage) throw std::logic_error("catalogue page misplaced");

    std::vector<CatalogEntry> entries;
    for (const Table& t : userTables) entries.push_back({t.name, file.Allocate()});
    const Table catalog = MakeCatalog(entries);

    std::vector<PlacedTable> placed;
    placed.push_back(PlaceRows(file, catalog, kCatalogPage));
    for (std::size_t i = 0; i < userTables.size(); ++i) {
        placed.push_back(PlaceRows(file, userTables[i], entries[i].definitionPage));
    }

    RowPlacer maps(file, 0);
    maps.Adopt(kFirstMapPage);
    for (const PlacedTable& p : placed) {
        try {
            WriteTableDefinition(file.At(p.definitionPage), *p.table, PlaceMaps(maps, p));
        } catch (const std::length_error& e) {
            FailFor(*p.table, e);
        }
    }
    return file.Serialize();
}

}  // namespace mkmdb
