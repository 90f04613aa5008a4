#include "vbscript/Engine.h"

#include <atomic>
#include <new>
#include <stdexcept>

#include "vbscript/Compiler.h"
#include "vbscript/ErrObject.h"
#include "vbscript/Parser.h"
#include "vbscript/Runtime.h"
#include "vbscript/Vm.h"

namespace vbs {

struct Engine::State {
    Host& host;
    HostInfo info;
    std::atomic<bool> stop{false};
    Runtime rt;
    std::unique_ptr<Vm> vm;
    int recursionLimit = 3000;
    std::size_t stackBudget = 4u << 20;
    std::u16string errorText, errorMessage;
    int errorNumber = 0, errorLine = 0, errorColumn = 0;
    std::optional<int> quitCode;

    explicit State(Host& h) : host(h) {}

    Vm& machine()
    {
        if (!vm) {
            vm = std::make_unique<Vm>(rt, host, stop, info);
            GlobalName err;
            err.kind = GlobalName::Const;
            err.value = vm->errValue();
            rt.names[u"err"] = err;
            GlobalName ws;
            ws.kind = GlobalName::Const;
            ws.value = vm->wscriptValue();
            rt.names[u"wscript"] = ws;
        }
        vm->recursionLimit = recursionLimit;
        vm->stackBudget = stackBudget;
        return *vm;
    }

    void fail(int number, int line, int column, std::u16string message, bool positioned = true)
    {
        errorNumber = number;
        errorLine = line;
        errorColumn = column;
        errorText = positioned ? positionPrefix(line, column) + message : message;
        errorMessage = std::move(message);
    }

    void runtimeFailure(int number)
    {
        ScriptError e{number, {}, {}};
        fail(number, 0, 0, vbs::errorMessage(e));
    }
};

Engine::Engine(Host& host) : s_(std::make_unique<State>(host)) {}

Engine::~Engine()
{
    reset();
}

void Engine::reset()
{
    // Globals go while the VM still runs their Class_Terminate code; what
    // only cycles keep alive is freed after, silently.
    if (s_->vm) {
        s_->rt.globals.releaseValues(GlobalStore::kReleasePasses);
        s_->vm->breakCycles();
    }
    s_->rt.clear();
    s_->vm.reset();
    s_->errorText.clear();
    s_->errorMessage.clear();
    s_->errorNumber = s_->errorLine = s_->errorColumn = 0;
    s_->quitCode.reset();
}

bool Engine::execute(std::u16string_view code)
{
    State& s = *s_;
    s.stop = false;
    s.errorText.clear();
    s.errorMessage.clear();
    s.errorNumber = s.errorLine = s.errorColumn = 0;
    s.quitCode.reset();
    Vm& vm = s.machine();
    try {
        Program prog = parseProgram(code);
        Proc* main = compileProgram(s.rt, prog, Scope{});
        vm.runMain(*main);
        return true;
    } catch (const CompileError& e) {
        s.fail(e.number, e.line, e.column, compileErrorMessage(e));
    } catch (const ScriptError& e) {
        s.fail(e.number, e.line, e.column, vbs::errorMessage(e));
    } catch (const StopScript& stop) {
        if (stop.byQuit) {
            s.quitCode = stop.exitCode;
            return true;
        }
        s.fail(0, 0, 0, u"脚本已被停止", false);
    } catch (const std::bad_alloc&) {
        s.runtimeFailure(7);
    } catch (const std::length_error&) {
        s.runtimeFailure(14);
    }
    return false;
}

const std::u16string& Engine::errorText() const { return s_->errorText; }
const std::u16string& Engine::errorMessage() const { return s_->errorMessage; }
int Engine::errorNumber() const { return s_->errorNumber; }
int Engine::errorLine() const { return s_->errorLine; }
int Engine::errorColumn() const { return s_->errorColumn; }
std::optional<int> Engine::quitCode() const { return s_->quitCode; }
void Engine::requestStop() { s_->stop = true; }
void Engine::setRecursionLimit(int depth) { s_->recursionLimit = depth; }
void Engine::setStackBudget(std::size_t bytes) { s_->stackBudget = bytes; }

void Engine::setScriptName(std::u16string name, std::u16string fullName)
{
    s_->info.scriptName = std::move(name);
    s_->info.scriptFullName = std::move(fullName);
}

void Engine::setArguments(std::vector<std::u16string> args)
{
    s_->info.arguments = std::move(args);
}

void Engine::setHostProgram(std::u16string fullPath) { s_->info.hostProgram = std::move(fullPath); }

void Engine::setSystemObjects(bool allowed) { s_->info.systemObjects = allowed; }

}  // namespace vbs
