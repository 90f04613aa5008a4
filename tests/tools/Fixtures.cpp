#include "Fixtures.h"

namespace mkmdbtest {
namespace {
SourceEntry Sized(long long id, std::size_t chars)
{
    return {id, std::to_string(chars) + "字", {MixedText(chars, static_cast<unsigned>(chars))}};
}

std::string Shorten(const std::string& s)
{
    return s.size() <= 60 ? s : s.substr(0, 60) + "... (" + std::to_string(s.size()) + " bytes)";
}
}  // namespace

std::vector<SourceCategory> EdgeCaseSources()
{
    return {
        {1, "字符串函数",
         {
             {1, "Len", {"返回字符串中的字符个数。", "", "语法：Len(string)", "\t缩进的行"}},
             {2, "Len", {"与上一条关键字相同。"}},
             {2, "Mid", {"与上一条 id 相同。"}},
             {3, "空说明", {}},
             {4, "== 看起来像条目", {"==这一行也像条目行", "\\==带反斜杠"}},
         }},
        {-2147483648LL, "字符串 函数(旧)-2", {{-1, "负数", {"id 为 -1"}}, {2147483647, "最大", {"id 为 2147483647"}}}},
        {2147483647, "空类别", {}},
        {7, "Long Memos",
         {
             Sized(1, 10),
             Sized(2, 512),    // largest memo kept in the row (1024 bytes)
             Sized(3, 513),    // smallest in a long-value row
             Sized(4, 2040),   // largest single long-value row (4080 bytes)
             Sized(5, 2041),   // smallest chain
             Sized(6, 3000),   // over 4 KB
             Sized(7, 40000),  // over 64 KB
             Sized(8, 5000),
         }},
    };
}

std::string FirstDifference(const Dump& want, const Dump& got)
{
    for (const auto& [name, table] : want) {
        auto it = got.find(name);
        if (it == got.end()) return "table " + name + " is missing";
        if (table.columns != it->second.columns) return "columns of " + name + " differ";
        if (table.rows.size() != it->second.rows.size()) {
            return name + ": " + std::to_string(it->second.rows.size()) + " rows instead of " + std::to_string(table.rows.size());
        }
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            const auto& w = table.rows[r];
            const auto& g = it->second.rows[r];
            if (w.size() != g.size()) return name + " row " + std::to_string(r) + ": wrong number of values";
            for (std::size_t c = 0; c < w.size(); ++c) {
                if (w[c] != g[c]) {
                    return name + " row " + std::to_string(r) + " column " + table.columns[c] + ": got " + Shorten(g[c]) +
                           ", want " + Shorten(w[c]);
                }
            }
        }
    }
    for (const auto& [name, table] : got) {
        if (!want.count(name)) return "unexpected table " + name;
    }
    return "";
}

}  // namespace mkmdbtest
