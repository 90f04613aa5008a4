#pragma once
// Little-endian stores into page buffers; Jet keeps every integer this way.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mkmdb {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(std::uint8_t* at, std::uint16_t v)
{
    at[0] = static_cast<std::uint8_t>(v);
    at[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void Put32(std::uint8_t* at, std::uint32_t v)
{
    Put16(at, static_cast<std::uint16_t>(v));
    Put16(at + 2, static_cast<std::uint16_t>(v >> 16));
}

inline std::uint16_t Get16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

inline void Append8(Bytes& out, std::uint8_t v) { out.push_back(v); }

inline void Append16(Bytes& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void Append32(Bytes& out, std::uint32_t v)
{
    Append16(out, static_cast<std::uint16_t>(v));
    Append16(out, static_cast<std::uint16_t>(v >> 16));
}

inline void AppendZeros(Bytes& out, std::size_t n) { out.insert(out.end(), n, 0); }

// Jet 4 text is UCS-2 little-endian; we never use its compressed form.
inline void AppendUcs2(Bytes& out, const std::u16string& text)
{
    for (char16_t c : text) Append16(out, static_cast<std::uint16_t>(c));
}

// Long-value and row pointers: page number in the high 24 bits, row in the low 8.
inline std::uint32_t RowPointer(std::uint32_t page, std::uint8_t row) { return page << 8 | row; }

}  // namespace mkmdb
