#include "UsageMap.h"

#include "PageFile.h"

#include <algorithm>
#include <stdexcept>

namespace mkmdb {
namespace {
// The size Jet itself gives an inline map; we grow it only for larger tables.
constexpr std::size_t kUsualBitmapBytes = 64;
constexpr std::size_t kMapHeader = 5;
}  // namespace

Bytes MakeUsageMap(const std::vector<std::uint32_t>& pages)
{
    std::uint32_t first = pages.empty() ? 0 : *std::min_element(pages.begin(), pages.end());
    std::uint32_t last = pages.empty() ? 0 : *std::max_element(pages.begin(), pages.end());
    // Start at page 0 while the usual map covers everything, as Jet does.
    std::uint32_t start = last < kUsualBitmapBytes * 8 ? 0 : first;
    std::size_t bitmapBytes = std::max<std::size_t>(kUsualBitmapBytes, (last - start) / 8 + 1);
    if (kMapHeader + bitmapBytes > kMaxRowSize) throw std::length_error("table too large for an inline usage map");

    Bytes out;
    Append8(out, 0x00);
    Append32(out, start);
    AppendZeros(out, bitmapBytes);
    for (std::uint32_t p : pages) {
        std::uint32_t bit = p - start;
        out[kMapHeader + bit / 8] = static_cast<std::uint8_t>(out[kMapHeader + bit / 8] | 1u << (bit % 8));
    }
    return out;
}

}  // namespace mkmdb
