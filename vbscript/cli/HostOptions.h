#pragma once
// vbsrun's command line: host options ("//Name" or "//Name:value", any
// case, before or after the script name), the script, and the script's own
// arguments.
#include <string>
#include <vector>

namespace vbsrun {

struct HostOptions {
    bool logo = false;          // //Logo; the banner is off unless asked for
    bool batch = false;         // //B: dialogs neither show nor wait
    bool debugOnError = false;  // //D
    bool startInDebugger = false;  // //X
    bool utf16 = false;         // //U: UTF-16LE on all three standard streams
    bool forceEngine = false;   // //E:vbscript: any file is plain VBScript, .wsf too
    int timeoutSeconds = 0;     // //T:nn, 0 for none
    std::vector<std::string> jobs;  // //Job:name, in the order given
};

struct CommandLine {
    enum class Action { Run, Help, MissingScript, Fail };
    Action action = Action::Run;
    HostOptions options;
    std::string script;  // a path, or "-" for standard input
    std::vector<std::string> scriptArgs;
    std::string error;   // Fail: what was wrong, in Chinese, UTF-8
};

// The largest //T value (seconds).
constexpr int kMaxTimeout = 32767;

// vbsrun's own exit codes; a script's WScript.Quit code passes through.
namespace exitcode {
constexpr int kScriptError = 1;  // the script failed, or the command line was wrong
constexpr int kNoScript = 2;
constexpr int kTimeout = 124;    // //T ran out
}  // namespace exitcode

CommandLine parseCommandLine(const std::vector<std::string>& args);  // without the program name
// The //? text, in Chinese, UTF-8; ends with a line end.
std::string usageText();

}  // namespace vbsrun
