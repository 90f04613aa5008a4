#pragma once
// Writes the update manifest up.xml that the editor fetches and the upgrader
// reads: GBK, the exact first line, one update entry.
#include <string>
#include <variant>

struct ManifestFields {
    std::string version;  // a decimal number text such as 1.1
    std::string address;  // http, https or ftp URL of the new editor executable
    std::string sha256;   // 64 hex digits of the executable's SHA-256
};

struct ManifestError {
    std::string message;
};

// The file's bytes, or why the fields cannot make a manifest.
std::variant<std::string, ManifestError> ManifestBytes(const ManifestFields& fields);
