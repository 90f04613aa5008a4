#pragma once
// MSysObjects, the system catalogue that readers start from: one row per
// table, its Id being the page of the table's definition.
#include "JetTypes.h"

namespace mkmdb {

// Page of the catalogue's own definition; readers look for it there.
constexpr std::uint32_t kCatalogPage = 2;

struct CatalogEntry {
    std::u16string name;
    std::uint32_t definitionPage = 0;
};

Table MakeCatalog(const std::vector<CatalogEntry>& userTables);

}  // namespace mkmdb
