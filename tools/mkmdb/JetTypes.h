#pragma once
// The in-memory shape of a database before it is laid out in pages.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace mkmdb {

constexpr std::size_t kPageSize = 4096;

enum class ColumnType : std::uint8_t {
    Integer = 0x03,
    Long = 0x04,
    DateTime = 0x08,
    Text = 0x0A,
    Ole = 0x0B,
    Memo = 0x0C,
};

struct Column {
    std::u16string name;
    ColumnType type = ColumnType::Long;
    std::uint16_t maxChars = 0;  // Text only
};

// Null, a whole number (Integer, Long), a date (DateTime) or text (Text, Memo).
// OLE columns are only ever null here.
using Value = std::variant<std::monostate, std::int32_t, double, std::u16string>;
using Row = std::vector<Value>;

struct Table {
    std::u16string name;
    std::vector<Column> columns;
    std::vector<Row> rows;
    bool system = false;
};

inline bool IsFixed(ColumnType t) { return t == ColumnType::Integer || t == ColumnType::Long || t == ColumnType::DateTime; }
inline bool IsLongValue(ColumnType t) { return t == ColumnType::Memo || t == ColumnType::Ole; }

inline std::uint16_t FixedSize(ColumnType t)
{
    switch (t) {
    case ColumnType::Integer: return 2;
    case ColumnType::Long: return 4;
    case ColumnType::DateTime: return 8;
    default: return 0;
    }
}

}  // namespace mkmdb
