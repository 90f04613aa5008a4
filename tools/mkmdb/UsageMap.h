#pragma once
// Usage maps tell readers which pages belong to a table (or to one of its
// long-value columns). We write the inline kind: map type 0, a start page,
// and one bit per page from there.
#include "Bytes.h"

#include <cstdint>
#include <vector>

namespace mkmdb {

Bytes MakeUsageMap(const std::vector<std::uint32_t>& pages);

}  // namespace mkmdb
