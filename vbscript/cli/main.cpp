// vbsrun [host options] script.vbs|script.wsf|- [args...]: runs a script the
// way the editor does and reports errors as "script.vbs(line, col) text" on
// stderr.
#include <filesystem>
#include <unistd.h>

#include "ConsoleHost.h"
#include "HostOptions.h"
#include "ScriptLoader.h"
#include "Text.h"
#include "Watchdog.h"
#include "vbscript/Engine.h"
#include "vbscript/ErrObject.h"

namespace {

using namespace vbsrun;

constexpr const char* kBanner = "vbsrun：Quillon 的 VBScript 脚本宿主，版本 5.8\n\n";

// How one block ended, and with what exit code when the run is over.
struct Outcome {
    bool goOn = true;
    int exitCode = 0;
};

class Runner {
public:
    Runner(const CommandLine& cl, ConsoleOutput& out, ConsoleInput& in, ConsoleEncoding enc)
        : cl_(cl), out_(out), enc_(enc),
          watchdog_([this] { engine_.requestStop(); }, [this] { giveUp(); }),
          host_(out, in, !cl.options.batch, &watchdog_), engine_(host_)
    {
        namespace fs = std::filesystem;
        fs::path p(cl.script == "-" ? "<stdin>" : cl.script);
        std::error_code ec;
        auto full = cl.script == "-" ? p : fs::absolute(p, ec);
        scriptName_ = p.filename().string();
        engine_.setScriptName(fromUtf8(scriptName_), fromUtf8(full.string()));
        std::vector<std::u16string> args;
        for (const auto& a : cl.scriptArgs) args.push_back(fromUtf8(a));
        engine_.setArguments(std::move(args));
        auto self = fs::read_symlink("/proc/self/exe", ec);
        if (!ec) engine_.setHostProgram(fromUtf8(self.string()));
    }

    int run(const RunPlan& plan)
    {
        if (cl_.options.timeoutSeconds) watchdog_.arm(cl_.options.timeoutSeconds);
        Outcome outcome;
        for (const auto& job : plan.jobs) {
            outcome = runJob(job);
            if (!outcome.goOn) break;
        }
        watchdog_.finish();
        out_.flush();
        return outcome.exitCode;
    }

private:
    Outcome runJob(const Job& job)
    {
        engine_.reset();
        host_.setUsage(job.usage);
        if (!job.usage.empty() && asksForUsage()) {
            out_.out(job.usage + u'\n');
            return {};
        }
        for (const auto& block : job.blocks) {
            // execute() forgets a stop request made between two blocks.
            bool ok = !watchdog_.expired() && engine_.execute(block.code);
            if (!ok) return {false, failure(block)};
            if (auto code = engine_.quitCode()) return {false, *code};
        }
        return {};
    }

    // A job with a runtime section shows its usage for a "/?" argument.
    bool asksForUsage() const
    {
        for (const auto& a : cl_.scriptArgs)
            if (a == "/?") return true;
        return false;
    }

    int failure(const CodeBlock& block)
    {
        if (watchdog_.expired()) {
            out_.errUtf8(timeoutMessage());
            return exitcode::kTimeout;
        }
        int line = engine_.errorLine(), column = engine_.errorColumn();
        if (line == 1) column += block.column - 1;
        if (line > 0) line += block.line - 1;
        // The position inside the block becomes one inside the file, in
        // the report's prefix and in the text after it.
        std::u16string text = line > 0 ? vbs::positionPrefix(line, column) + engine_.errorMessage() : engine_.errorText();
        out_.err(fromUtf8(block.file + "(" + std::to_string(line) + ", " + std::to_string(column) + ") ") + text + u'\n');
        return exitcode::kScriptError;
    }

    std::string timeoutMessage() const
    {
        return scriptName_ + "：脚本运行超过了 " + std::to_string(watchdog_.seconds()) + " 秒的时限，已被终止\n";
    }

    // The script did not stop when asked (blocked in a read): the message
    // goes straight to the descriptor, since the main thread owns the streams.
    [[noreturn]] void giveUp()
    {
        std::string bytes = encode(fromUtf8(timeoutMessage()), enc_);
        (void)!::write(2, bytes.data(), bytes.size());
        ::_exit(exitcode::kTimeout);
    }

    const CommandLine& cl_;
    ConsoleOutput& out_;
    ConsoleEncoding enc_;
    std::string scriptName_;
    Watchdog watchdog_;
    ConsoleHost host_;
    vbs::Engine engine_;
};

// Messages that end vbsrun before a script runs; nullopt to go on.
std::optional<int> hostOnly(const CommandLine& cl, ConsoleOutput& out)
{
    switch (cl.action) {
    case CommandLine::Action::Help: out.outUtf8(usageText()); return 0;
    case CommandLine::Action::MissingScript: out.errUtf8(usageText()); return exitcode::kNoScript;
    case CommandLine::Action::Fail: out.errUtf8("vbsrun：" + cl.error + "\n"); return exitcode::kScriptError;
    case CommandLine::Action::Run: break;
    }
    if (cl.options.startInDebugger) {
        out.errUtf8("vbsrun：还没有调试器，无法在调试器中运行脚本（//X）\n");
        return exitcode::kScriptError;
    }
    if (cl.options.debugOnError) out.errUtf8("vbsrun：还没有调试器，//D 不起作用，脚本照常运行\n");
    if (cl.options.logo) out.outUtf8(kBanner);
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    CommandLine cl = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    ConsoleEncoding enc = cl.options.utf16 ? ConsoleEncoding::Utf16Le : encodingFromEnvironment();
    ConsoleOutput out(enc, flushPolicyFor(1, 2));
    if (auto code = hostOnly(cl, out)) {
        out.flush();
        return *code;
    }
    RunPlan plan = loadScript(cl.script, cl.options);
    if (!plan.ok) {
        out.errUtf8(plan.error + "\n");
        return exitcode::kScriptError;
    }
    ConsoleInput in(enc);
    return Runner(cl, out, in, enc).run(plan);
}
