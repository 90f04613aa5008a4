#pragma once
// A script's command-line arguments split the way the script host does:
// "/name:value", "/name", "/name+" and "/name-" are named, the rest unnamed.
// WScript.Arguments itself keeps the whole list in order.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vbs {

struct NamedArgument {
    enum class Kind { Flag, On, Off, Text };  // "/n", "/n+", "/n-", "/n:text"
    std::u16string name;                      // as given, without the slash
    Kind kind = Kind::Flag;
    std::u16string text;                      // Text only, outer quotes removed
};

struct SplitArguments {
    std::vector<NamedArgument> named;  // a repeated name keeps its first place, the last value
    std::vector<std::u16string> unnamed;

    // The named argument of that name, any case.
    const NamedArgument* find(std::u16string_view name) const;
};

// Nullopt for an argument that is not named: no leading "/", or nothing
// between the slash and the value.
std::optional<NamedArgument> parseNamedArgument(std::u16string_view arg);
SplitArguments splitArguments(const std::vector<std::u16string>& args);

}  // namespace vbs
