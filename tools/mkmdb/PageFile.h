#pragma once
// The file as a growing list of 4 KB pages, plus the row layout shared by data
// pages and long-value pages: a header, a row offset table growing down from
// the top, and rows packed from the end of the page upwards.
#include "Bytes.h"
#include "JetTypes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace mkmdb {

using Page = std::array<std::uint8_t, kPageSize>;

class PageFile {
public:
    std::uint32_t Allocate();
    Page& At(std::uint32_t page) { return pages_.at(page); }
    std::uint32_t Count() const { return static_cast<std::uint32_t>(pages_.size()); }
    Bytes Serialize() const;

private:
    std::vector<Page> pages_;
};

struct RowRef {
    std::uint32_t page = 0;
    std::uint8_t row = 0;
    std::uint16_t offset = 0;  // where the row starts inside its page
};

// Largest row a fresh page takes: page minus header minus one offset slot.
constexpr std::size_t kMaxRowSize = kPageSize - 14 - 2;
// Each row pointer has one byte for the row number.
constexpr std::size_t kMaxRowsPerPage = 255;

// Owner is the table-definition page for data pages; long-value pages carry "LVAL".
void InitRowPage(Page& page, std::uint32_t owner);
bool RowFits(const Page& page, std::size_t size);
RowRef AddRow(Page& page, std::uint32_t pageNumber, const Bytes& row);

// Appends rows to one owner's pages, starting a new page when the current is full.
class RowPlacer {
public:
    RowPlacer(PageFile& file, std::uint32_t owner) : file_(file), owner_(owner) {}
    RowRef Place(const Bytes& row);
    // Takes an already allocated page as the first one to fill.
    void Adopt(std::uint32_t page);
    const std::vector<std::uint32_t>& Pages() const { return pages_; }

private:
    PageFile& file_;
    std::uint32_t owner_;
    std::vector<std::uint32_t> pages_;
};

constexpr std::uint32_t kLvalOwner = 'L' | 'V' << 8 | 'A' << 16 | 'L' << 24;

}  // namespace mkmdb
