#include "PageFile.h"

#include <stdexcept>

namespace mkmdb {
namespace {
constexpr std::size_t kFreeSpace = 2;
constexpr std::size_t kOwner = 4;
constexpr std::size_t kRowCount = 12;
constexpr std::size_t kOffsets = 14;

std::size_t RowCount(const Page& page) { return Get16(&page[kRowCount]); }

// Lowest byte used by rows; rows are packed downwards from the page end.
std::size_t RowsStart(const Page& page)
{
    std::size_t n = RowCount(page);
    return n == 0 ? kPageSize : Get16(&page[kOffsets + 2 * (n - 1)]);
}

std::size_t FreeBytes(const Page& page) { return RowsStart(page) - (kOffsets + 2 * RowCount(page)); }
}  // namespace

std::uint32_t PageFile::Allocate()
{
    pages_.emplace_back();
    pages_.back().fill(0);
    return Count() - 1;
}

Bytes PageFile::Serialize() const
{
    Bytes out;
    out.reserve(pages_.size() * kPageSize);
    for (const Page& p : pages_) out.insert(out.end(), p.begin(), p.end());
    return out;
}

void InitRowPage(Page& page, std::uint32_t owner)
{
    page.fill(0);
    page[0] = 0x01;
    page[1] = 0x01;
    Put32(&page[kOwner], owner);
    Put16(&page[kFreeSpace], static_cast<std::uint16_t>(kPageSize - kOffsets));
}

bool RowFits(const Page& page, std::size_t size)
{
    return RowCount(page) < kMaxRowsPerPage && FreeBytes(page) >= size + 2;
}

RowRef AddRow(Page& page, std::uint32_t pageNumber, const Bytes& row)
{
    if (!RowFits(page, row.size())) throw std::logic_error("row does not fit its page");
    std::size_t n = RowCount(page);
    std::size_t start = RowsStart(page) - row.size();
    std::copy(row.begin(), row.end(), page.begin() + static_cast<std::ptrdiff_t>(start));
    Put16(&page[kOffsets + 2 * n], static_cast<std::uint16_t>(start));
    Put16(&page[kRowCount], static_cast<std::uint16_t>(n + 1));
    Put16(&page[kFreeSpace], static_cast<std::uint16_t>(FreeBytes(page)));
    return RowRef{pageNumber, static_cast<std::uint8_t>(n), static_cast<std::uint16_t>(start)};
}

void RowPlacer::Adopt(std::uint32_t page)
{
    InitRowPage(file_.At(page), owner_);
    pages_.push_back(page);
}

RowRef RowPlacer::Place(const Bytes& row)
{
    if (row.size() > kMaxRowSize) throw std::length_error("row larger than a page");
    if (pages_.empty() || !RowFits(file_.At(pages_.back()), row.size())) {
        Adopt(file_.Allocate());
    }
    std::uint32_t page = pages_.back();
    return AddRow(file_.At(page), page, row);
}

}  // namespace mkmdb
