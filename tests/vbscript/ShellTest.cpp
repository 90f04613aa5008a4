// What scripts cannot see of WScript.Shell: children reaped and pipes closed
// once released, and a stop request ending a script that waits on a child.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

#include "TestHost.h"
#include "common/textcodec/TextCodec.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

int openFds()
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

// Our children, from /proc: pid and state letter.
std::vector<std::pair<int, char>> children()
{
    std::vector<std::pair<int, char>> found;
    for (const auto& e : fs::directory_iterator("/proc")) {
        std::ifstream in(e.path() / "stat");
        std::string stat;
        if (!std::getline(in, stat)) continue;
        std::size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(stat.substr(close + 2));
        char state;
        int ppid;
        if (rest >> state >> ppid && ppid == ::getpid()) found.emplace_back(std::stoi(stat), state);
    }
    return found;
}

// Waits (a few seconds at most) until no child of ours is left.
bool childrenGone()
{
    for (int i = 0; i < 300; ++i) {
        if (children().empty()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

bool processAlive(int pid) { return ::kill(pid, 0) == 0; }

std::string utf8(const std::u16string& s) { return textcodec::EncodeUtf8(s).bytes; }

// Runs a script that must succeed, in an engine of its own.
void runOk(TestHost& host, const char16_t* script)
{
    vbs::Engine engine(host);
    ASSERT_TRUE(engine.execute(script)) << utf8(engine.errorText());
}

TEST(Shell, RunWithoutWaitLeavesNoZombie)
{
    ASSERT_TRUE(childrenGone());
    TestHost host;
    runOk(host, u"Set s = CreateObject(\"WScript.Shell\")\n"
                u"For i = 1 To 5\ns.Run \"true\"\ns.Run \"exit 3\", 0, False\nNext");
    EXPECT_TRUE(childrenGone());
}

TEST(Shell, ReleasedExecClosesPipesAndReapsTheChild)
{
    ASSERT_TRUE(childrenGone());
    int before = openFds();
    TestHost host;
    // Cases: read to the end, never read, a stream kept after the object went.
    runOk(host, u"Set s = CreateObject(\"WScript.Shell\")\n"
                u"Set e = s.Exec(\"echo hi; echo err >&2\")\nx = e.StdOut.ReadAll\nSet e = Nothing\n"
                u"Set e = s.Exec(\"seq 1 100000\")\nSet e = Nothing\n"
                u"Set o = s.Exec(\"echo kept\").StdOut\nWScript.Echo o.ReadLine\nSet o = Nothing");
    EXPECT_EQ(host.echoes, std::vector<std::u16string>{u"kept"});
    EXPECT_EQ(openFds(), before);
    EXPECT_TRUE(childrenGone());
}

TEST(Shell, ReleasingARunningExecDoesNotWaitForIt)
{
    ASSERT_TRUE(childrenGone());
    int before = openFds();
    TestHost host;
    auto start = std::chrono::steady_clock::now();
    runOk(host, u"Set e = CreateObject(\"WScript.Shell\").Exec(\"exec sleep 30\")\n"
                u"WScript.Echo e.ProcessID\nSet e = Nothing");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
    EXPECT_EQ(openFds(), before);
    ASSERT_EQ(host.echoes.size(), 1u);
    int pid = std::stoi(utf8(host.echoes[0]));
    // Still running, as documented; once it ends, something reaps it.
    EXPECT_TRUE(processAlive(pid));
    ::kill(pid, SIGKILL);
    EXPECT_TRUE(childrenGone());
}

// The stop request ends a script blocked on a child within a second, and
// the child with it.
TEST(Shell, StopEndsAScriptWaitingOnAChild)
{
    const char16_t* scripts[] = {
        u"CreateObject(\"WScript.Shell\").Run \"sleep 30; sleep 30\", 1, True",
        u"x = CreateObject(\"WScript.Shell\").Exec(\"sleep 30\").StdOut.ReadAll",
        u"x = CreateObject(\"WScript.Shell\").Exec(\"sleep 30\").StdErr.ReadLine",
        u"CreateObject(\"WScript.Shell\").Exec(\"sleep 30\").StdIn.Write String(1000000, \"x\")",
    };
    for (const char16_t* script : scripts) {
        ASSERT_TRUE(childrenGone());
        TestHost host;
        vbs::Engine engine(host);
        std::thread stopper([&] {
            std::this_thread::sleep_for(200ms);
            engine.requestStop();
        });
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(engine.execute(script));
        auto took = std::chrono::steady_clock::now() - start;
        stopper.join();
        EXPECT_EQ(engine.errorText(), u"脚本已被停止") << utf8(script);
        EXPECT_LT(took, 5s) << utf8(script);  // the child alone would take 30 s; slack for busy machines
        EXPECT_TRUE(childrenGone()) << utf8(script);
    }
}

}  // namespace
