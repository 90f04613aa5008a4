#pragma once
// Lays out a whole Jet 4 database: header, catalogue, table definitions,
// data and long-value pages, and usage maps.
#include "Bytes.h"
#include "JetTypes.h"

namespace mkmdb {

// The file's bytes. Throws std::length_error when something does not fit the
// format (a row or definition larger than a page, a table too large).
Bytes WriteDatabase(const std::vector<Table>& userTables);

}  // namespace mkmdb
