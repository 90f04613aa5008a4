// mkmdb: writes the help database (a Jet 4 .mdb file) from the help sources.
#include "HelpSource.h"
#include "HelpTables.h"
#include "JetWriter.h"
#include "OutputFile.h"

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char* const kUsageText =
    "usage: mkmdb --out FILE SOURCE_DIR\n"
    "Writes the help database FILE (Access 2000 format) from the category files\n"
    "in SOURCE_DIR (see data/help/README.md). FILE is replaced only on success.\n";

struct Options {
    std::string out;
    std::string sourceDir;
};

std::optional<Options> ParseArgs(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            o.out = argv[++i];
        } else if (!arg.starts_with("-") && o.sourceDir.empty()) {
            o.sourceDir = arg;
        } else {
            return std::nullopt;
        }
    }
    if (o.out.empty() || o.sourceDir.empty()) return std::nullopt;
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << kUsageText;
        return 0;
    }
    std::optional<Options> options = ParseArgs(argc, argv);
    if (!options) {
        std::cerr << kUsageText;
        return kUsage;
    }
    try {
        auto categories = mkmdb::ReadHelpSources(options->sourceDir);
        mkmdb::WriteFileAtomically(options->out, mkmdb::WriteDatabase(mkmdb::MakeHelpTables(categories)));
    } catch (const std::exception& e) {
        std::cerr << "mkmdb: " << e.what() << "\n";
        return kFailed;
    }
    return 0;
}
