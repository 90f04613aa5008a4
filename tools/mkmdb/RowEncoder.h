#pragma once
// Turns one row of values into Jet 4 row bytes.
#include "Bytes.h"
#include "JetTypes.h"
#include "LongValues.h"

namespace mkmdb {

// Fixed columns first at their offsets, then variable data, then (read from
// the end) the end-of-data offset, the variable offsets in reverse, their
// count, and the null mask.
Bytes EncodeRow(const std::vector<Column>& columns, const Row& row, LongValueWriter& longValues);

// Where each fixed column sits after the column count.
std::vector<std::uint16_t> FixedOffsets(const std::vector<Column>& columns);

}  // namespace mkmdb
