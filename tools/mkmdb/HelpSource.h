#pragma once
// Reads the help sources: one UTF-8 file per category, named "<id>-<name>.txt",
// each entry introduced by a line "== <id> <keyword>" and followed by its text.
// The format is described in data/help/README.md.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace mkmdb {

struct HelpEntry {
    std::int32_t id = 0;
    std::u16string keyword;
    std::u16string text;  // lines joined with CR LF, as Windows text boxes expect
};

struct HelpCategory {
    std::int32_t id = 0;
    std::u16string name;
    std::vector<HelpEntry> entries;
    std::string file;  // where it came from, for messages
};

// Carries "file:line: what is wrong" ready for the user.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One category file's contents; `where` names the file in messages.
std::vector<HelpEntry> ParseCategoryText(const std::string& bytes, const std::string& where);

// Parses a "<id>-<name>.txt" file name; throws SourceError for other names.
HelpCategory ParseCategoryFileName(const std::string& fileName);

// Every category of a source folder, ordered by id. Files not ending in
// ".txt" (README.md, editor backups) are left alone.
std::vector<HelpCategory> ReadHelpSources(const std::filesystem::path& dir);

}  // namespace mkmdb
