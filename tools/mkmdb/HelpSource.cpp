#include "HelpSource.h"

#include "textcodec/TextCodec.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <tuple>

namespace mkmdb {
namespace {
namespace fs = std::filesystem;

const std::string kEntryMark = "==";
const std::string kExtension = ".txt";
const std::u16string kLineBreak = u"\r\n";
constexpr std::size_t kMaxKeywordChars = 255;

[[noreturn]] void Fail(const std::string& where, std::size_t line, const std::string& what)
{
    throw SourceError(where + (line ? ":" + std::to_string(line) : std::string()) + ": " + what);
}

bool ParseId(std::string_view text, std::int32_t& id)
{
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::u16string Decode(std::string_view bytes, const std::string& where, std::size_t line)
{
    auto text = textcodec::DecodeUtf8(bytes);
    if (!text) Fail(where, line, "not valid UTF-8");
    for (char16_t c : *text) {
        if (c >= 0xD800 && c <= 0xDFFF) Fail(where, line, "character outside the Basic Multilingual Plane; Jet 4 text cannot hold it");
        if (c < 0x20 && c != u'\t') Fail(where, line, "control character in text");
    }
    return std::move(*text);
}

std::vector<std::string> SplitLines(std::string bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    std::vector<std::string> lines;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        if (line.ends_with('\r')) line.pop_back();
        lines.push_back(std::move(line));
    }
    return lines;
}

std::string TrimRight(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
    return s;
}

HelpEntry ParseEntryHeader(const std::string& line, const std::string& where, std::size_t n)
{
    const std::string usage = "an entry line reads \"== <id> <keyword>\" (write \\== for a text line starting with ==)";
    std::string rest = TrimRight(line.substr(kEntryMark.size()));
    if (!rest.starts_with(' ')) Fail(where, n, usage);
    rest.erase(0, rest.find_first_not_of(' '));
    std::size_t space = rest.find(' ');
    HelpEntry entry;
    if (space == std::string::npos || !ParseId(rest.substr(0, space), entry.id)) Fail(where, n, usage);
    std::string keyword = rest.substr(rest.find_first_not_of(' ', space));
    entry.keyword = Decode(keyword, where, n);
    if (entry.keyword.size() > kMaxKeywordChars) Fail(where, n, "keyword longer than 255 characters");
    return entry;
}

// "\==" keeps a text line that starts with "==" from opening an entry.
std::string UnescapeBodyLine(const std::string& line)
{
    std::size_t slashes = line.find_first_not_of('\\');
    if (slashes != std::string::npos && slashes > 0 && line.compare(slashes, kEntryMark.size(), kEntryMark) == 0) {
        return line.substr(1);
    }
    return line;
}

void FinishEntry(HelpEntry& entry, std::vector<std::u16string>& body)
{
    while (!body.empty() && body.back().empty()) body.pop_back();
    auto first = std::find_if(body.begin(), body.end(), [](const std::u16string& l) { return !l.empty(); });
    for (auto it = first; it != body.end(); ++it) {
        if (it != first) entry.text += kLineBreak;
        entry.text += *it;
    }
    body.clear();
}
}  // namespace

std::vector<HelpEntry> ParseCategoryText(const std::string& bytes, const std::string& where)
{
    std::vector<HelpEntry> entries;
    std::vector<std::u16string> body;
    std::vector<std::string> lines = SplitLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::size_t n = i + 1;
        if (line.starts_with(kEntryMark)) {
            if (!entries.empty()) FinishEntry(entries.back(), body);
            entries.push_back(ParseEntryHeader(line, where, n));
        } else if (!entries.empty()) {
            body.push_back(Decode(UnescapeBodyLine(line), where, n));
        } else if (!TrimRight(line).empty() && !line.starts_with('#')) {
            Fail(where, n, "text before the first \"== <id> <keyword>\" line (comments start with #)");
        }
    }
    if (!entries.empty()) FinishEntry(entries.back(), body);
    return entries;
}

HelpCategory ParseCategoryFileName(const std::string& fileName)
{
    const std::string usage = "a category file is named \"<id>-<name>.txt\", e.g. \"01-字符串函数.txt\"";
    if (!fileName.ends_with(kExtension)) Fail(fileName, 0, usage);
    std::string stem = fileName.substr(0, fileName.size() - kExtension.size());
    std::size_t dash = stem.find('-', stem.starts_with('-') ? 1 : 0);
    HelpCategory category;
    if (dash == std::string::npos || !ParseId(stem.substr(0, dash), category.id)) Fail(fileName, 0, usage);
    category.name = Decode(stem.substr(dash + 1), fileName, 0);
    if (category.name.empty()) Fail(fileName, 0, usage);
    category.file = fileName;
    return category;
}

std::vector<HelpCategory> ReadHelpSources(const fs::path& dir)
{
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) throw SourceError(dir.string() + ": no such source folder");
    std::vector<HelpCategory> categories;
    for (const fs::directory_entry& file : fs::directory_iterator(dir)) {
        std::string name = file.path().filename().string();
        if (name.starts_with('.') || !name.ends_with(kExtension)) continue;
        HelpCategory category = ParseCategoryFileName(name);
        if (!file.is_regular_file()) throw SourceError(file.path().string() + ": not a regular file");
        std::ifstream in(file.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (!in) throw SourceError(file.path().string() + ": cannot read");
        category.entries = ParseCategoryText(bytes.str(), file.path().string());
        categories.push_back(std::move(category));
    }
    // File names break ties only so that the duplicate-id message is stable.
    std::sort(categories.begin(), categories.end(),
              [](const auto& a, const auto& b) { return std::tie(a.id, a.file) < std::tie(b.id, b.file); });
    for (std::size_t i = 1; i < categories.size(); ++i) {
        if (categories[i].id == categories[i - 1].id) {
            throw SourceError(categories[i - 1].file + " and " + categories[i].file + ": two categories have the id " +
                              std::to_string(categories[i].id) + "; the id gives the order, so it must be unique");
        }
    }
    return categories;
}

}  // namespace mkmdb
