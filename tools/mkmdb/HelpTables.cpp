#include "HelpTables.h"

#include "textcodec/TextCodec.h"

#include <map>

namespace mkmdb {

const std::u16string kIndexTableName = u"函数索引目录";

namespace {
constexpr std::size_t kMaxNameChars = 64;
constexpr std::uint16_t kTextChars = 255;

std::string Utf8(const std::u16string& s) { return textcodec::EncodeUtf8(s).bytes; }

// Access compares object names without regard to case.
std::u16string FoldCase(std::u16string s)
{
    for (char16_t& c : s) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return s;
}

// The characters and forms Access refuses in an object name.
void CheckTableName(const HelpCategory& category)
{
    const std::u16string& name = category.name;
    auto fail = [&](const std::string& why) {
        std::string where = category.file.empty() ? std::string() : category.file + ": ";
        throw SourceError(where + "category \"" + Utf8(name) + "\": " + why);
    };
    if (name.size() > kMaxNameChars) fail("a table name has at most 64 characters");
    if (name.front() == u' ') fail("a table name cannot start with a space");
    if (name.find_first_of(u".!`[]") != std::u16string::npos) fail("a table name cannot contain . ! ` [ or ]");
    std::u16string folded = FoldCase(name);
    if (folded.starts_with(u"msys")) fail("names starting with MSys belong to the system tables");
    if (name == kIndexTableName) fail("that is the name of the index table");
}

Table IndexTable(const std::vector<HelpCategory>& categories)
{
    Table t{kIndexTableName, {{u"id", ColumnType::Long}, {u"索引目录", ColumnType::Text, kTextChars}}, {}};
    for (const HelpCategory& c : categories) t.rows.push_back({c.id, c.name});
    return t;
}

Table CategoryTable(const HelpCategory& category)
{
    Table t{category.name,
            {{u"id", ColumnType::Long}, {u"关键字", ColumnType::Text, kTextChars}, {u"备注", ColumnType::Memo}},
            {}};
    for (const HelpEntry& e : category.entries) t.rows.push_back({e.id, e.keyword, e.text});
    return t;
}
}  // namespace

std::vector<Table> MakeHelpTables(const std::vector<HelpCategory>& categories)
{
    std::vector<Table> tables{IndexTable(categories)};
    std::map<std::u16string, const HelpCategory*> seen;
    for (const HelpCategory& c : categories) {
        CheckTableName(c);
        auto [it, fresh] = seen.emplace(FoldCase(c.name), &c);
        if (!fresh) {
            throw SourceError(it->second->file + " and " + c.file + ": two categories are both named \"" + Utf8(c.name) +
                              "\" (table names ignore case)");
        }
        tables.push_back(CategoryTable(c));
    }
    return tables;
}

}  // namespace mkmdb
