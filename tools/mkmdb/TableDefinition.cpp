#include "TableDefinition.h"

#include "RowEncoder.h"

#include <algorithm>
#include <stdexcept>

namespace mkmdb {
namespace {
constexpr std::uint8_t kUserTable = 0x4E;
constexpr std::uint8_t kSystemTable = 0x53;
constexpr std::uint8_t kFixedFlag = 0x01;
constexpr std::uint8_t kNullableFlag = 0x02;
constexpr std::uint16_t kGeneralSortOrder = 0x0409;

std::uint32_t Pointer(const RowRef& r) { return RowPointer(r.page, r.row); }

std::uint16_t ColumnLength(const Column& c)
{
    if (c.type == ColumnType::Text) return static_cast<std::uint16_t>(c.maxChars * 2);
    return FixedSize(c.type);
}

void AppendHeader(Bytes& out, const Table& table, const TableLayout& layout)
{
    std::uint16_t columns = static_cast<std::uint16_t>(table.columns.size());
    auto varColumns = static_cast<std::uint16_t>(
        std::count_if(table.columns.begin(), table.columns.end(), [](const Column& c) { return !IsFixed(c.type); }));
    Append8(out, 0x02);
    Append8(out, 0x01);
    Append16(out, 0);  // free space, filled in at the end
    Append32(out, 0);  // no continuation page
    Append32(out, 0);  // definition length, filled in at the end
    Append32(out, 0);
    Append32(out, layout.rowCount);
    Append32(out, 0);  // no autonumber column
    AppendZeros(out, 16);
    Append8(out, table.system ? kSystemTable : kUserTable);
    Append16(out, columns);  // max columns: nothing was ever deleted
    Append16(out, varColumns);
    Append16(out, columns);
    Append32(out, 0);  // logical indexes
    Append32(out, 0);  // index entries
    Append32(out, Pointer(layout.data.used));
    Append32(out, Pointer(layout.data.free));
}

void AppendColumn(Bytes& out, const Column& c, std::uint16_t number, std::uint16_t varIndex, std::uint16_t fixedOffset)
{
    bool fixed = IsFixed(c.type);
    Append8(out, static_cast<std::uint8_t>(c.type));
    Append32(out, 0);
    Append16(out, number);
    Append16(out, fixed ? 0 : varIndex);
    Append16(out, number);
    bool textual = c.type == ColumnType::Text || c.type == ColumnType::Memo;
    Append16(out, textual ? kGeneralSortOrder : 0);
    Append16(out, 0);
    Append8(out, static_cast<std::uint8_t>(kNullableFlag | (fixed ? kFixedFlag : 0)));
    Append8(out, 0);  // not compressed unicode
    Append32(out, 0);
    Append16(out, fixed ? fixedOffset : 0);
    Append16(out, ColumnLength(c));
}

void AppendName(Bytes& out, const std::u16string& name)
{
    Append16(out, static_cast<std::uint16_t>(name.size() * 2));
    AppendUcs2(out, name);
}
}  // namespace

void WriteTableDefinition(Page& page, const Table& table, const TableLayout& layout)
{
    Bytes out;
    AppendHeader(out, table, layout);
    std::vector<std::uint16_t> fixed = FixedOffsets(table.columns);
    std::uint16_t varIndex = 0;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        const Column& c = table.columns[i];
        AppendColumn(out, c, static_cast<std::uint16_t>(i), varIndex, fixed[i]);
        if (!IsFixed(c.type)) ++varIndex;
    }
    for (const Column& c : table.columns) AppendName(out, c.name);

    std::size_t longValue = 0;
    for (std::size_t i = 0; i < table.columns.size(); ++i) {
        if (!IsLongValue(table.columns[i].type)) continue;
        const MapPair& maps = layout.longValues.at(longValue++);
        Append16(out, static_cast<std::uint16_t>(i));
        Append32(out, Pointer(maps.used));
        Append32(out, Pointer(maps.free));
    }
    Append16(out, 0xFFFF);

    if (out.size() > kPageSize) throw std::length_error("table definition larger than a page");
    Put16(&out[2], static_cast<std::uint16_t>(kPageSize - out.size()));
    Put32(&out[8], static_cast<std::uint32_t>(out.size()));
    page.fill(0);
    std::copy(out.begin(), out.end(), page.begin());
}

}  // namespace mkmdb
