#pragma once
// RC4, which Jet uses to mask part of the database header page.
#include <cstddef>
#include <cstdint>
#include <span>

namespace mkmdb {

void Rc4Apply(std::span<const std::uint8_t> key, std::span<std::uint8_t> data);

}  // namespace mkmdb
