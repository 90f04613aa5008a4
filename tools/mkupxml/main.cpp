// mkupxml: writes up.xml for publishing an update.
//   mkupxml --version 1.1 --address URL --sha256 HEX [--out FILE]
// Without --out the manifest goes to standard output.
#include "UpdateManifest.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>

namespace {

int Usage(const std::string& problem)
{
    std::cerr << "mkupxml: " << problem << "\n"
              << "usage: mkupxml --version 1.1 --address URL --sha256 HEX [--out FILE]\n";
    return 2;
}

// Through a temporary file beside the target, so that a failed run never
// leaves half a manifest where the server would serve it.
bool WriteWhole(const std::string& path, const std::string& bytes, std::string& error)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            error = "cannot write " + temporary;
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    std::map<std::string, std::string> options;
    for (int i = 1; i < argc; i += 2) {
        std::string name = argv[i];
        if (name != "--version" && name != "--address" && name != "--sha256" && name != "--out")
            return Usage("unknown argument " + name);
        if (i + 1 >= argc) return Usage(name + " needs a value");
        if (options.count(name)) return Usage(name + " given twice");
        options[name] = argv[i + 1];
    }
    for (const char* needed : {"--version", "--address", "--sha256"}) {
        if (!options.count(needed)) return Usage(std::string(needed) + " is missing");
    }

    auto result = ManifestBytes({options["--version"], options["--address"], options["--sha256"]});
    if (auto* error = std::get_if<ManifestError>(&result)) {
        std::cerr << "mkupxml: " << error->message << "\n";
        return 1;
    }
    const std::string& bytes = std::get<std::string>(result);
    if (!options.count("--out")) {
        std::cout.write(bytes.data(), std::streamsize(bytes.size()));
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    std::string error;
    if (!WriteWhole(options["--out"], bytes, error)) {
        std::cerr << "mkupxml: " << error << "\n";
        return 1;
    }
    return 0;
}
