#pragma once
// The engine's public face for hosts: the editor and vbsrun. Code runs on
// the caller's thread; requestStop() may be called from any other thread and
// ends the script at its next loop turn or call.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/Host.h"

namespace vbs {

class Engine {
public:
    explicit Engine(Host& host);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // Forgets every variable, procedure and class of earlier runs.
    void reset();
    // Runs code after what earlier calls defined. False on a compile or
    // runtime error, or a stop request; see errorText().
    bool execute(std::u16string_view code);

    // "第 3 行，第 1 列：运行时错误 13：类型不匹配" and the parts of it.
    const std::u16string& errorText() const;
    // errorText() without the position: "运行时错误 13：类型不匹配".
    const std::u16string& errorMessage() const;
    int errorNumber() const;
    int errorLine() const;
    int errorColumn() const;
    // The code given to WScript.Quit, when the last run ended with it.
    std::optional<int> quitCode() const;

    void requestStop();
    // Nesting depth of calls after which error 28 is raised.
    void setRecursionLimit(int depth);
    // Bytes of the calling thread's stack a script may use (default 4 MiB);
    // leave room below it for the host.
    void setStackBudget(std::size_t bytes);
    void setScriptName(std::u16string name, std::u16string fullName);
    void setArguments(std::vector<std::u16string> args);
    // The host program's full path: WScript.FullName, and its folder WScript.Path.
    void setHostProgram(std::u16string fullPath);
    // False: CreateObject refuses the classes that reach files and
    // processes (FileSystemObject, WScript.Shell) with error 429; for hosts
    // that run text nobody vetted, such as the fuzzer.
    void setSystemObjects(bool allowed);

private:
    struct State;
    std::unique_ptr<State> s_;
};

}  // namespace vbs
