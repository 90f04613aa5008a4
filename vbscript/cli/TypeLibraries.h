#pragma once
// The type libraries a .wsf <reference> may name, as the constants they
// bring into the script.
#include <optional>
#include <string>
#include <vector>

namespace vbsrun {

struct LibraryConstant {
    const char16_t* name;
    int value;
};

// By ProgID (object="Scripting.FileSystemObject") or GUID, any case;
// nullopt for a library vbsrun does not know.
std::optional<std::vector<LibraryConstant>> typeLibrary(const std::u16string& objectOrGuid);

}  // namespace vbsrun
