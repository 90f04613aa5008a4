#include "RowEncoder.h"

#include <cstring>
#include <stdexcept>

namespace mkmdb {
namespace {
constexpr std::size_t kColumnCountSize = 2;

Bytes Ucs2(const std::u16string& text)
{
    Bytes out;
    AppendUcs2(out, text);
    return out;
}

void PutFixed(std::uint8_t* at, ColumnType type, const Value& value)
{
    if (type == ColumnType::DateTime) {
        double d = std::get<double>(value);
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        Put32(at, static_cast<std::uint32_t>(bits));
        Put32(at + 4, static_cast<std::uint32_t>(bits >> 32));
        return;
    }
    auto v = static_cast<std::uint32_t>(std::get<std::int32_t>(value));
    if (type == ColumnType::Integer) {
        Put16(at, static_cast<std::uint16_t>(v));
    } else {
        Put32(at, v);
    }
}

Bytes VariableData(const Column& column, const Value& value, LongValueWriter& longValues)
{
    const auto& text = std::get<std::u16string>(value);
    if (column.type == ColumnType::Text) {
        if (text.size() > column.maxChars) throw std::length_error("text longer than its column");
        return Ucs2(text);
    }
    if (column.type == ColumnType::Memo) return longValues.Store(Ucs2(text));
    throw std::logic_error("OLE values are always null here");
}
}  // namespace

std::vector<std::uint16_t> FixedOffsets(const std::vector<Column>& columns)
{
    std::vector<std::uint16_t> offsets;
    std::uint16_t at = 0;
    for (const Column& c : columns) {
        offsets.push_back(at);
        at = static_cast<std::uint16_t>(at + FixedSize(c.type));
    }
    return offsets;
}

Bytes EncodeRow(const std::vector<Column>& columns, const Row& row, LongValueWriter& longValues)
{
    if (row.size() != columns.size()) throw std::logic_error("row and columns differ in count");
    std::vector<std::uint16_t> fixed = FixedOffsets(columns);
    std::size_t fixedBytes = 0;
    for (const Column& c : columns) fixedBytes += FixedSize(c.type);

    Bytes out(kColumnCountSize + fixedBytes, 0);
    Put16(out.data(), static_cast<std::uint16_t>(columns.size()));
    Bytes nullMask((columns.size() + 7) / 8, 0);
    std::vector<std::uint16_t> varOffsets;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const Column& c = columns[i];
        bool present = !std::holds_alternative<std::monostate>(row[i]);
        if (present) nullMask[i / 8] = static_cast<std::uint8_t>(nullMask[i / 8] | 1u << (i % 8));
        if (IsFixed(c.type)) {
            if (present) PutFixed(&out[kColumnCountSize + fixed[i]], c.type, row[i]);
            continue;
        }
        varOffsets.push_back(static_cast<std::uint16_t>(out.size()));
        if (present) {
            Bytes data = VariableData(c, row[i], longValues);
            out.insert(out.end(), data.begin(), data.end());
        }
    }
    Append16(out, static_cast<std::uint16_t>(out.size()));  // end of data
    for (auto it = varOffsets.rbegin(); it != varOffsets.rend(); ++it) Append16(out, *it);
    Append16(out, static_cast<std::uint16_t>(varOffsets.size()));
    out.insert(out.end(), nullMask.begin(), nullMask.end());
    if (out.size() > kMaxRowSize) throw std::length_error("row larger than a page");
    return out;
}

}  // namespace mkmdb
