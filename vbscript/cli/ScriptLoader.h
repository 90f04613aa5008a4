#pragma once
// What vbsrun runs: a .vbs file (or standard input) is one job of one
// block; a .wsf file gives the jobs //Job names (the first job without it),
// each a list of blocks run in order in one engine.
#include <string>
#include <vector>

#include "HostOptions.h"

namespace vbsrun {

struct CodeBlock {
    std::u16string code;
    std::string file;       // the name error reports give (a src= file's own)
    int line = 1, column = 1;  // where the code starts in that file
};

struct Job {
    std::u16string usage;   // for ShowUsage and "/?"; empty without a runtime section
    std::vector<CodeBlock> blocks;
};

struct RunPlan {
    std::vector<Job> jobs;
    bool ok = true;
    std::string error;      // UTF-8, names the file (and line)
};

RunPlan loadScript(const std::string& path, const HostOptions& options);

// Used by the loader's modules: a failure to load, naming the file.
struct LoadError {
    std::string message;
};
// A script file ("-": standard input) decoded like the editor does, except
// that unmarked bytes are tried as UTF-8 first; throws LoadError.
std::u16string readScriptFile(const std::string& path);
// The name error reports give a file: its last component, or "<stdin>".
std::string displayName(const std::string& path);

}  // namespace vbsrun
