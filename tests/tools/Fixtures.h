#pragma once
// Help sources that exercise the writer's edge cases, shared by the tests
// that read the result with different readers.
#include "ReaderSupport.h"

namespace mkmdbtest {

// Chinese and awkward names, extreme and repeated ids, an empty category,
// and memo values across every storage form: inline, one long-value row, and
// chains past 4 KB and 64 KB, including the sizes at each boundary.
std::vector<SourceCategory> EdgeCaseSources();

// Reports where two dumps first differ ("" when equal), without printing
// values that run to tens of kilobytes.
std::string FirstDifference(const Dump& want, const Dump& got);

}  // namespace mkmdbtest
