#pragma once
// The help database's tables: the index 函数索引目录 (id, 索引目录) listing the
// categories, and per category a table named after it (id, 关键字, 备注).
#include "HelpSource.h"
#include "JetTypes.h"

namespace mkmdb {

extern const std::u16string kIndexTableName;

// Throws SourceError when a category name cannot be a table name or two
// categories would make the same table.
std::vector<Table> MakeHelpTables(const std::vector<HelpCategory>& categories);

}  // namespace mkmdb
