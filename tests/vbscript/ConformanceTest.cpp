// Runs every scripts/*.vbs and *.wsf with vbsrun and compares with the
// expectations written in the script itself (in a .wsf, inside its blocks):
//   ' expect: TEXT    one line of standard output, in order
//   ' error: TEXT     the line expected on standard error
//   ' exit: N         the exit code (default 0, or 1 with an error line)
//   ' args: A B       arguments for the script
//   ' stdin: TEXT     a line of standard input
//   ' host: OPTIONS   host options, given before the script name
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Expectation {
    std::vector<std::string> out, err, stdinLines;
    std::string args, host;
    int exitCode = -1;
};

std::string after(const std::string& line, const std::string& tag)
{
    std::string rest = line.substr(tag.size());
    if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
    return rest;
}

Expectation readExpectations(const fs::path& script)
{
    Expectation e;
    std::ifstream in(script, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos) continue;
        std::string t = line.substr(start);
        if (t.rfind("' expect:", 0) == 0) e.out.push_back(after(t, "' expect:"));
        else if (t.rfind("' error:", 0) == 0) e.err.push_back(after(t, "' error:"));
        else if (t.rfind("' exit:", 0) == 0) e.exitCode = std::stoi(after(t, "' exit:"));
        else if (t.rfind("' args:", 0) == 0) e.args = after(t, "' args:");
        else if (t.rfind("' host:", 0) == 0) e.host = after(t, "' host:");
        else if (t.rfind("' stdin:", 0) == 0) e.stdinLines.push_back(after(t, "' stdin:"));
    }
    if (e.exitCode < 0) e.exitCode = e.err.empty() ? 0 : 1;
    return e;
}

std::vector<std::string> readLines(const fs::path& p)
{
    std::vector<std::string> lines;
    std::ifstream in(p, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::string join(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

class Conformance : public ::testing::TestWithParam<std::string> {};

TEST_P(Conformance, MatchesExpectedOutput)
{
    fs::path script = fs::path(VBS_SCRIPT_DIR) / GetParam();
    Expectation e = readExpectations(script);
    fs::path tmp = fs::temp_directory_path() / ("vbsconf_" + std::to_string(::getpid()) + "_" + GetParam());
    fs::path work = tmp / "work";
    fs::create_directories(work);
    fs::path in = tmp / "in.txt", out = tmp / "out.txt", err = tmp / "err.txt";
    std::ofstream(in) << join(e.stdinLines);
    // Each script runs in a folder of its own, removed afterwards, so scripts
    // that make files need no cleaning up of their own.
    std::string cmd = "cd '" + work.string() + "' && timeout 60 '" VBSRUN_PATH "' " + e.host + " '" + script.string() + "' " +
                      e.args + " < '" + in.string() + "' > '" + out.string() +
                      "' 2> '" + err.string() + "'";
    int status = std::system(cmd.c_str());
    int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    EXPECT_EQ(join(readLines(out)), join(e.out)) << "standard output of " << GetParam();
    EXPECT_EQ(join(readLines(err)), join(e.err)) << "standard error of " << GetParam();
    EXPECT_EQ(code, e.exitCode) << "exit code of " << GetParam();
    fs::remove_all(tmp);
}

std::vector<std::string> scripts()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(VBS_SCRIPT_DIR))
        if (entry.path().extension() == ".vbs" || entry.path().extension() == ".wsf")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info)
{
    fs::path p(info.param);
    std::string n = p.stem().string() + (p.extension() == ".wsf" ? "_wsf" : "");
    for (auto& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Scripts, Conformance, ::testing::ValuesIn(scripts()), testName);

}  // namespace
