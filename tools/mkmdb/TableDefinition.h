#pragma once
// The table definition (TDEF) page: row count, columns, and pointers to the
// usage maps. We write no indexes.
#include "JetTypes.h"
#include "PageFile.h"

namespace mkmdb {

struct MapPair {
    RowRef used;
    RowRef free;
};

struct TableLayout {
    std::uint32_t rowCount = 0;
    MapPair data;
    std::vector<MapPair> longValues;  // one per Memo/OLE column, in column order
};

// Throws std::length_error when the definition does not fit one page.
void WriteTableDefinition(Page& page, const Table& table, const TableLayout& layout);

}  // namespace mkmdb
