#pragma once
// Memo storage: short values stay in the row, longer ones go to long-value
// (LVAL) pages, as one row when they fit a page and as a chain of rows otherwise.
#include "Bytes.h"
#include "PageFile.h"

namespace mkmdb {

// Values up to this many bytes are kept inside the row.
constexpr std::size_t kInlineMemoLimit = 1024;
constexpr std::size_t kMemoHeaderSize = 12;

class LongValueWriter {
public:
    explicit LongValueWriter(PageFile& file) : placer_(file, kLvalOwner), file_(file) {}
    // The 12-byte memo field, followed by the data itself when stored inline.
    Bytes Store(const Bytes& data);
    const std::vector<std::uint32_t>& Pages() const { return placer_.Pages(); }

private:
    Bytes StoreChain(const Bytes& data);

    RowPlacer placer_;
    PageFile& file_;
};

}  // namespace mkmdb
