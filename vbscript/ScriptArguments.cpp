#include "vbscript/ScriptArguments.h"

#include "vbscript/Coerce.h"

namespace vbs {
namespace {

// A shell passes quotes on when the user escaped them; the value is what
// they enclose.
std::u16string unquote(std::u16string_view text)
{
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') text = text.substr(1, text.size() - 2);
    return std::u16string(text);
}

template <class List>
auto* findIn(List& named, std::u16string_view name)
{
    std::u16string key = toLower(name);
    for (auto& a : named)
        if (toLower(a.name) == key) return &a;
    return static_cast<decltype(&named[0])>(nullptr);
}

}  // namespace

std::optional<NamedArgument> parseNamedArgument(std::u16string_view arg)
{
    if (arg.size() < 2 || arg[0] != u'/') return std::nullopt;
    std::u16string_view rest = arg.substr(1);
    NamedArgument a;
    std::size_t colon = rest.find(u':');
    if (colon != std::u16string_view::npos) {
        a.kind = NamedArgument::Kind::Text;
        a.text = unquote(rest.substr(colon + 1));
        rest = rest.substr(0, colon);
    } else if (rest.back() == u'+' || rest.back() == u'-') {
        a.kind = rest.back() == u'+' ? NamedArgument::Kind::On : NamedArgument::Kind::Off;
        rest.remove_suffix(1);
    }
    if (rest.empty()) return std::nullopt;
    a.name = std::u16string(rest);
    return a;
}

const NamedArgument* SplitArguments::find(std::u16string_view name) const
{
    return findIn(named, name);
}

SplitArguments splitArguments(const std::vector<std::u16string>& args)
{
    SplitArguments out;
    for (const auto& arg : args) {
        auto named = parseNamedArgument(arg);
        if (!named) {
            out.unnamed.push_back(arg);
        } else if (auto* seen = findIn(out.named, named->name)) {
            seen->kind = named->kind;
            seen->text = std::move(named->text);
        } else {
            out.named.push_back(std::move(*named));
        }
    }
    return out;
}

}  // namespace vbs
