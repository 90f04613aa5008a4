#include "LongValues.h"

#include <stdexcept>

namespace mkmdb {
namespace {
constexpr std::uint32_t kInlineFlag = 0x80000000;
constexpr std::uint32_t kSingleRowFlag = 0x40000000;
// The length field keeps its top two bits for the flags above.
constexpr std::size_t kMaxMemoBytes = 0x3FFFFFFF;
// A chained row starts with the pointer to the next one.
constexpr std::size_t kChainLinkSize = 4;
constexpr std::size_t kChainChunk = kMaxRowSize - kChainLinkSize;

Bytes Header(std::uint32_t lengthAndFlags, std::uint32_t pointer)
{
    Bytes out;
    Append32(out, lengthAndFlags);
    Append32(out, pointer);
    Append32(out, 0);
    return out;
}
}  // namespace

Bytes LongValueWriter::Store(const Bytes& data)
{
    if (data.size() > kMaxMemoBytes) throw std::length_error("memo value too long for Jet");
    auto length = static_cast<std::uint32_t>(data.size());
    if (data.size() <= kInlineMemoLimit) {
        Bytes out = Header(length | kInlineFlag, 0);
        out.insert(out.end(), data.begin(), data.end());
        return out;
    }
    if (data.size() <= kMaxRowSize) {
        RowRef ref = placer_.Place(data);
        return Header(length | kSingleRowFlag, RowPointer(ref.page, ref.row));
    }
    return StoreChain(data);
}

Bytes LongValueWriter::StoreChain(const Bytes& data)
{
    std::vector<RowRef> links;
    for (std::size_t at = 0; at < data.size(); at += kChainChunk) {
        std::size_t n = std::min(kChainChunk, data.size() - at);
        Bytes row(kChainLinkSize, 0);  // next pointer, filled in below
        row.insert(row.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + n));
        links.push_back(placer_.Place(row));
    }
    for (std::size_t i = 0; i + 1 < links.size(); ++i) {
        const RowRef& next = links[i + 1];
        Put32(&file_.At(links[i].page)[links[i].offset], RowPointer(next.page, next.row));
    }
    return Header(static_cast<std::uint32_t>(data.size()), RowPointer(links[0].page, links[0].row));
}

}  // namespace mkmdb
