#pragma once
// Replaces a file in one step: the bytes go to a temporary file beside it,
// which is renamed over the target only once complete.
#include "Bytes.h"

#include <filesystem>
#include <stdexcept>

namespace mkmdb {

class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void WriteFileAtomically(const std::filesystem::path& target, const Bytes& bytes);

}  // namespace mkmdb
