#include "ReaderSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>

namespace mkmdbtest {
namespace fs = std::filesystem;

namespace {
// Separators no help text may contain (sources reject control characters).
const std::string kField = "\x1f";
const std::string kRecord = "\x1e";

std::vector<std::string> Split(const std::string& s, const std::string& sep)
{
    std::vector<std::string> parts;
    std::size_t at = 0;
    for (std::size_t next; (next = s.find(sep, at)) != std::string::npos; at = next + sep.size()) {
        parts.push_back(s.substr(at, next - at));
    }
    parts.push_back(s.substr(at));
    return parts;
}

std::string Join(const std::vector<std::string>& parts, const std::string& sep)
{
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? sep : "") + parts[i];
    return out;
}

CommandResult ShellChecked(const std::string& commandLine)
{
    CommandResult r = Shell(commandLine);
    if (r.exitCode != 0) throw std::runtime_error(commandLine + " failed (" + std::to_string(r.exitCode) + "): " + r.err);
    return r;
}

std::string Unhex(const std::string& hex)
{
    if (hex.size() % 2 != 0) throw std::runtime_error("odd hex from the mdb-reader script");
    std::string out;
    for (std::size_t i = 0; i < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

// The escape a source line needs so that it is read back as written.
std::string SourceLine(const std::string& line)
{
    std::size_t slashes = line.find_first_not_of('\\');
    bool looksLikeEntry = slashes != std::string::npos && line.compare(slashes, 2, "==") == 0;
    return looksLikeEntry ? "\\" + line : line;
}
}  // namespace

std::string Quote(const std::string& arg)
{
    std::string out = "'";
    for (char c : arg) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

CommandResult Shell(const std::string& commandLine)
{
    TempDir scratch;
    fs::path out = scratch.path() / "out";
    fs::path err = scratch.path() / "err";
    std::string full = "( " + commandLine + " ) </dev/null >" + Quote(out) + " 2>" + Quote(err);
    int status = std::system(full.c_str());
    CommandResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadFile(out);
    r.err = ReadFile(err);
    return r;
}

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "mkmdb-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary directory");
    path_ = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

void WriteSources(const fs::path& dir, const std::vector<SourceCategory>& categories)
{
    fs::create_directories(dir);
    for (const SourceCategory& c : categories) {
        std::string text = "# " + c.name + "\n";
        for (const SourceEntry& e : c.entries) {
            text += "== " + std::to_string(e.id) + " " + e.keyword + "\n";
            for (const std::string& line : e.lines) text += SourceLine(line) + "\n";
        }
        WriteFile(dir / (std::to_string(c.id) + "-" + c.name + ".txt"), text);
    }
}

Dump ExpectedDump(std::vector<SourceCategory> categories)
{
    std::stable_sort(categories.begin(), categories.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
    Dump dump;
    TableDump& index = dump["函数索引目录"];
    index.columns = {"id", "索引目录"};
    for (const SourceCategory& c : categories) {
        index.rows.push_back({std::to_string(c.id), c.name});
        TableDump& table = dump[c.name];
        table.columns = {"id", "关键字", "备注"};
        for (const SourceEntry& e : c.entries) table.rows.push_back({std::to_string(e.id), e.keyword, Join(e.lines, "\r\n")});
    }
    return dump;
}

CommandResult RunMkmdb(const fs::path& out, const fs::path& sourceDir)
{
    return Shell(Quote(MKMDB_PATH) + " --out " + Quote(out) + " " + Quote(sourceDir));
}

Dump ReadWithMdbTools(const fs::path& mdb)
{
    Dump dump;
    std::string names = ShellChecked("mdb-tables -1 " + Quote(mdb)).out;
    for (const std::string& name : Split(names, "\n")) {
        if (name.empty()) continue;
        // -Q: no quoting; values come back byte for byte between the separators.
        std::string csv = ShellChecked("mdb-export -Q -d " + Quote(kField) + " -R " + Quote(kRecord) + " " + Quote(mdb) + " " +
                                     Quote(name)).out;
        std::vector<std::string> records = Split(csv, kRecord);
        if (records.back().empty()) records.pop_back();
        TableDump& table = dump[name];
        table.columns = Split(records.at(0), kField);
        for (std::size_t i = 1; i < records.size(); ++i) table.rows.push_back(Split(records[i], kField));
    }
    return dump;
}

Dump ReadWithMdbReader(const fs::path& mdb)
{
    if (!fs::exists(fs::path(NODE_DEPS_DIR) / "node_modules" / "mdb-reader")) {
        throw std::runtime_error("mdb-reader is not installed in " NODE_DEPS_DIR "; run tests/tools/install-node-deps " NODE_DEPS_DIR);
    }
    std::string out = ShellChecked("node " + Quote(READER_SCRIPT) + " " + Quote(NODE_DEPS_DIR) + " " + Quote(mdb)).out;
    Dump dump;
    TableDump* table = nullptr;
    for (const std::string& line : Split(out, "\n")) {
        std::vector<std::string> f = Split(line, " ");
        if (f[0] == "T") {
            table = &dump[Unhex(f.at(1))];
        } else if (f[0] == "C") {
            table->columns.push_back(Unhex(f.at(1)));
        } else if (f[0] == "R") {
            std::vector<std::string> row;
            for (std::size_t i = 1; i < f.size(); ++i) row.push_back(f[i] == "-" ? "<null>" : Unhex(f[i]));
            table->rows.push_back(row);
        }
    }
    return dump;
}

std::string MixedText(std::size_t chars, unsigned seed)
{
    static const std::vector<std::string> kPieces = {"函", "数", "返", "回", "字", "符", "串", "的", "长", "度",
                                                     "，", "。", "a", "Z", "0", " ", "(", ")", "“", "”"};
    std::string out;
    unsigned x = seed * 2654435761u + 1;
    for (std::size_t i = 0; i < chars; ++i) {
        x = x * 1103515245u + 12345u;
        out += kPieces[(x >> 16) % kPieces.size()];
    }
    return out;
}

}  // namespace mkmdbtest
