#include "WsfUsage.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vbsrun {
namespace {

bool blank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// The element's text with each line trimmed and no blank lines around it:
// the file's indentation does not belong to the message.
std::u16string tidy(const std::u16string& text)
{
    std::u16string out;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = std::min(text.find(u'\n', start), text.size());
        std::size_t a = start, b = end;
        while (a < b && blank(text[a])) ++a;
        while (b > a && blank(text[b - 1])) --b;
        if (!out.empty() || a < b) out += text.substr(a, b - a) + u'\n';
        start = end + 1;
    }
    while (!out.empty() && out.back() == u'\n') out.pop_back();
    std::size_t doubled;
    while ((doubled = out.find(u"\n\n\n")) != std::u16string::npos) out.erase(doubled, 1);
    return out;
}

std::u16string namedForm(const WsfNamed& n)
{
    std::u16string form = u"/" + n.name;
    if (n.type == u"string") form += u":值";
    else if (n.type == u"boolean") form += u"[+|-]";
    return n.required ? form : u"[" + form + u"]";
}

std::u16string unnamedForm(const WsfUnnamed& u)
{
    std::u16string form = u.many ? u.name + u" [" + u.name + u"...]" : u.name;
    return u.required ? form : u"[" + form + u"]";
}

// Columns on a terminal: CJK characters take two.
std::size_t widthOf(const std::u16string& s)
{
    std::size_t w = 0;
    for (char16_t c : s) w += c >= 0x1100 ? 2 : 1;
    return w;
}

void addLine(std::u16string& out, const std::u16string& line)
{
    if (!out.empty()) out += u'\n';
    out += line;
}

}  // namespace

std::u16string usageOf(const WsfRuntime& rt, const std::u16string& scriptName)
{
    if (!rt.present) return {};
    if (!tidy(rt.usage).empty()) return tidy(rt.usage);
    std::u16string out;
    if (!tidy(rt.description).empty()) addLine(out, tidy(rt.description));
    std::u16string synopsis = u"用法：" + scriptName;
    for (const auto& n : rt.named) synopsis += u" " + namedForm(n);
    for (const auto& u : rt.unnamed) synopsis += u" " + unnamedForm(u);
    addLine(out, synopsis);
    std::vector<std::pair<std::u16string, std::u16string>> options;
    for (const auto& n : rt.named) options.emplace_back(n.name, n.helpstring);
    for (const auto& u : rt.unnamed) options.emplace_back(u.name, u.helpstring);
    std::size_t width = 0;
    for (const auto& [name, help] : options) width = std::max(width, widthOf(name));
    if (!options.empty()) addLine(out, u"\n选项：\n");
    for (const auto& [name, help] : options) addLine(out, name + std::u16string(width - widthOf(name), u' ') + u" : " + help);
    if (!tidy(rt.example).empty()) addLine(out, tidy(rt.example));
    return out;
}

}  // namespace vbsrun
