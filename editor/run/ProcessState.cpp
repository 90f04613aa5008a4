#include "run/ProcessState.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include <unistd.h>

extern char** environ;

namespace {

std::map<std::string, std::string> CurrentEnvironment()
{
    std::map<std::string, std::string> vars;
    for (char** e = environ; e && *e; ++e) {
        std::string entry(*e);
        std::size_t eq = entry.find('=');
        if (eq != std::string::npos && eq > 0) vars.emplace(entry.substr(0, eq), entry.substr(eq + 1));
    }
    return vars;
}

}  // namespace

ProcessState ProcessState::Capture()
{
    ProcessState state;
    std::error_code ec;
    state.folder_ = std::filesystem::current_path(ec).string();
    state.environment_ = CurrentEnvironment();
    return state;
}

void ProcessState::Restore() const
{
    // When the folder is gone, the next run starts wherever the script left it.
    if (!folder_.empty()) (void)::chdir(folder_.c_str());
    std::vector<std::string> added;
    for (const auto& [name, value] : CurrentEnvironment())
        if (!environment_.count(name)) added.push_back(name);
    for (const auto& name : added) ::unsetenv(name.c_str());
    for (const auto& [name, value] : environment_) {
        const char* now = std::getenv(name.c_str());
        if (!now || value != now) ::setenv(name.c_str(), value.c_str(), 1);
    }
}
