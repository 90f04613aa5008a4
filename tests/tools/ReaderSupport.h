#pragma once
// What the tool tests share: running programs, writing help-source fixtures,
// and reading a database back through the independent readers. Everything is
// UTF-8 text here, so the readers' output compares directly.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace mkmdbtest {

struct TableDump {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    bool operator==(const TableDump&) const = default;
};
// User tables by name.
using Dump = std::map<std::string, TableDump>;

struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string Quote(const std::string& arg);
// Runs a shell command line, stdin from /dev/null unless the line redirects it.
CommandResult Shell(const std::string& commandLine);

// A fresh directory, removed with everything in it at the end of the scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct SourceEntry {
    long long id;
    std::string keyword;
    std::vector<std::string> lines;  // the help text, line by line
};

struct SourceCategory {
    long long id;
    std::string name;
    std::vector<SourceEntry> entries;
};

void WriteFile(const std::filesystem::path& file, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& file);
// Writes one "<id>-<name>.txt" file per category.
void WriteSources(const std::filesystem::path& dir, const std::vector<SourceCategory>& categories);
// The tables the help database should hold for these sources.
Dump ExpectedDump(std::vector<SourceCategory> categories);

CommandResult RunMkmdb(const std::filesystem::path& out, const std::filesystem::path& sourceDir);

Dump ReadWithMdbTools(const std::filesystem::path& mdb);
Dump ReadWithMdbReader(const std::filesystem::path& mdb);

// Text of n characters cycling through common Chinese characters and ASCII,
// so that long values are not one repeated byte pattern.
std::string MixedText(std::size_t chars, unsigned seed);

}  // namespace mkmdbtest
