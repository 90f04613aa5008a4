// vbsrun as a command-line host, run as a child process: host options,
// named and unnamed arguments, .wsf jobs, the console encodings and the
// order of stdout and stderr. Fixtures are in vbsrun/.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Invocation {
    std::vector<std::string> args;  // fixture names are relative to vbsrun/
    std::string input;
    std::vector<std::pair<std::string, std::string>> env;  // the locale variables are cleared first
    bool mergeErr = false;   // stderr into the same file as stdout
    bool holdInput = false;  // stdin a pipe that stays open: reads block
};

using Env = std::vector<std::pair<std::string, std::string>>;

Invocation cmd(std::vector<std::string> args, std::string input = "", Env env = {})
{
    Invocation inv;
    inv.args = std::move(args);
    inv.input = std::move(input);
    inv.env = std::move(env);
    return inv;
}

// Standard input stays open and empty: a read waits for ever.
Invocation blocked(std::vector<std::string> args)
{
    Invocation inv = cmd(std::move(args));
    inv.holdInput = true;
    return inv;
}

struct Result {
    std::string out, err;
    int code = -1;
};

std::string slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

[[noreturn]] void child(const Invocation& inv, int inFd, int outFd, int errFd)
{
    for (const char* v : {"LC_ALL", "LC_CTYPE", "LANG"}) ::unsetenv(v);
    for (const auto& [k, v] : inv.env) ::setenv(k.c_str(), v.c_str(), 1);
    ::dup2(inFd, 0);
    ::dup2(outFd, 1);
    ::dup2(inv.mergeErr ? outFd : errFd, 2);
    if (::chdir(VBSRUN_FIXTURES) != 0) ::_exit(126);
    std::vector<char*> argv{const_cast<char*>(VBSRUN_PATH)};
    for (const auto& a : inv.args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(VBSRUN_PATH, argv.data());
    ::_exit(127);
}

Result run(const Invocation& inv)
{
    fs::path dir = fs::temp_directory_path() / ("vbsrun_test_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in") << inv.input;
    int pipeFds[2] = {-1, -1};
    int inFd;
    if (inv.holdInput) {
        if (::pipe(pipeFds) != 0) return {};
        inFd = pipeFds[0];
    } else {
        inFd = ::open((dir / "in").c_str(), O_RDONLY);
    }
    int outFd = ::open((dir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int errFd = ::open((dir / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = ::fork();
    if (pid == 0) child(inv, inFd, outFd, errFd);
    ::close(inFd);
    ::close(outFd);
    ::close(errFd);
    int status = 0;
    // A hung vbsrun must fail the test, not stall it.
    for (int waited = 0; ::waitpid(pid, &status, WNOHANG) == 0; waited += 10) {
        if (waited > 30000) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        ::usleep(10000);
    }
    if (pipeFds[1] >= 0) ::close(pipeFds[1]);
    Result r{slurp(dir / "out"), slurp(dir / "err"), WIFEXITED(status) ? WEXITSTATUS(status) : -1};
    fs::remove_all(dir);
    return r;
}

// One command line and what it must give. err: a text stderr must contain
// ("" for an empty stderr).
struct Case {
    const char* name;
    Invocation inv;
    std::string out;
    std::string err;
    int code;
};

void check(const Case& c)
{
    Result r = run(c.inv);
    EXPECT_EQ(r.out, c.out) << c.name;
    if (c.err.empty()) EXPECT_EQ(r.err, "") << c.name;
    else EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": stderr was " << r.err;
    EXPECT_EQ(r.code, c.code) << c.name;
}

const std::string kUsageStart = "用法：vbsrun [宿主选项...]";

TEST(VbsrunOptions, Table)
{
    const Case cases[] = {
        {"nologo before the script", cmd({"//nologo", "hello.vbs"}), "你好 0\n", "", 0},
        {"options ignore case", cmd({"//NoLogo", "//NOLOGO", "//i", "hello.vbs", "x"}), "你好 1\n", "", 0},
        {"an option after the script is the host's", cmd({"hello.vbs", "a", "//NoLogo", "b"}), "你好 2\n", "", 0},
        {"logo prints the banner first", cmd({"//Logo", "hello.vbs"}),
         "vbsrun：Quillon 的 VBScript 脚本宿主，版本 5.8\n\n你好 0\n", "", 0},
        {"the last of logo and nologo wins", cmd({"//Logo", "//NoLogo", "hello.vbs"}), "你好 0\n", "", 0},
        {"interactive dialogs print and take the default button", cmd({"dialogs.vbs"}, "typed\n"),
         "问题？\n7 typed -1\n1 照旧 0\n", "名字？ ", 0},
        {"batch dialogs neither show nor read", cmd({"//B", "dialogs.vbs"}, "typed\n"), "7 默认 0\n1 照旧 0\n", "", 0},
        {"batch errors still reach stderr", cmd({"//b", "fails.vbs"}), "before\n",
         "fails.vbs(2, 1) 第 2 行，第 1 列：运行时错误 11：除数为零\n", 1},
        {"a time limit stops a loop", cmd({"//T:1", "loop.vbs"}), "started 1\n",
         "loop.vbs：脚本运行超过了 1 秒的时限，已被终止\n", 124},
        {"a time limit ends a blocked read", blocked({"//t:1", "read_blocked.vbs"}), "waiting\n",
         "read_blocked.vbs：脚本运行超过了 1 秒的时限，已被终止\n", 124},
        {"the script sets its own limit", cmd({"set_timeout.vbs"}), "1\n",
         "set_timeout.vbs：脚本运行超过了 1 秒的时限，已被终止\n", 124},
        {"//T:0 is no limit", cmd({"//T:0", "hello.vbs"}), "你好 0\n", "", 0},
        {"//T needs seconds", cmd({"//T:abc", "hello.vbs"}), "", "//T 的值必须是 0 到 32767 之间的秒数", 1},
        {"//T beyond its range", cmd({"//T:32768", "hello.vbs"}), "", "//T 的值必须是 0 到 32767", 1},
        {"//T without a value", cmd({"//T", "hello.vbs"}), "", "//T 需要一个值", 1},
        {"a flag takes no value", cmd({"//B:1", "hello.vbs"}), "", "//B 不带值", 1},
        {"//E:vbscript runs any file as VBScript", cmd({"//E:VBScript", "code.txt"}), "plain text file VBScript\n", "", 0},
        {"//E:vbscript reads a .wsf as plain code", cmd({"//E:vbscript", "no_job.wsf"}), "", "编译错误", 1},
        {"no other engine", cmd({"//E:JScript", "hello.vbs"}), "", "不支持的脚本引擎“JScript”", 1},
        {"//D runs without a debugger, saying so", cmd({"//D", "hello.vbs"}), "你好 0\n", "还没有调试器，//D 不起作用", 0},
        {"//X refuses to run", cmd({"//X", "hello.vbs"}), "", "还没有调试器，无法在调试器中运行脚本", 1},
        {"//H has no meaning here", cmd({"//H:vbsrun"}), "", "//H 在这里没有意义", 1},
        {"//S saves nothing", cmd({"//S", "hello.vbs"}), "", "//S 不受支持", 1},
        {"unknown option", cmd({"//nologox", "hello.vbs"}), "", "未知的宿主选项：//nologox（用 //? 查看可用的选项）", 1},
        {"a lone double slash", cmd({"//", "hello.vbs"}), "", "未知的宿主选项：//", 1},
        {"no script", cmd({"//NoLogo"}), "", kUsageStart, 2},
        {"missing script file", cmd({"no-such.vbs"}), "", "no-such.vbs：无法读取脚本文件", 1},
        {"a folder is no script", cmd({"."}), "", ".：无法读取脚本文件", 1},
        {"ShowUsage names a plain script", cmd({"usage.vbs"}), "用法：usage.vbs\n", "", 0},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbsrunOptions, HelpIsChineseUsageOnStdout)
{
    for (const char* flag : {"//?", "--help", "-h"}) {
        Result r = run(cmd({flag}));
        EXPECT_EQ(r.out.rfind(kUsageStart, 0), 0u) << flag;
        EXPECT_NE(r.out.find("//T:秒数"), std::string::npos) << flag;
        EXPECT_EQ(r.err, "") << flag;
        EXPECT_EQ(r.code, 0) << flag;
    }
    // After the script name, -h belongs to the script.
    EXPECT_EQ(run(cmd({"hello.vbs", "-h"})).out, "你好 1\n");
}

TEST(VbsrunArguments, NamedAndUnnamedTable)
{
    struct Row {
        std::vector<std::string> args;
        std::string dump;
    };
    const Row rows[] = {
        {{}, "count 0 0 0 0 0 0\n"},
        {{"/a:1"}, "count 1 1 1 1 0 0\nnamed a String [1] True\n"},
        {{"/On+", "/Off-"}, "count 2 2 2 2 0 0\nnamed On Boolean [True] True\nnamed Off Boolean [False] True\n"},
        {{"/flag"}, "count 1 1 1 1 0 0\nnamed flag Empty [] True\n"},
        {{"/q:\"x y\""}, "count 1 1 1 1 0 0\nnamed q String [x y] True\n"},
        {{"/q:x y"}, "count 1 1 1 1 0 0\nnamed q String [x y] True\n"},
        {{"/e:"}, "count 1 1 1 1 0 0\nnamed e String [] True\n"},
        {{"/url:http://h:80/"}, "count 1 1 1 1 0 0\nnamed url String [http://h:80/] True\n"},
        {{"/名字:值"}, "count 1 1 1 1 0 0\nnamed 名字 String [值] True\n"},
        {{"/A:1", "/a:2"}, "count 2 2 1 1 0 0\nnamed A String [2] True\n"},
        {{"plain", "-x", "/", "/:v", "/+"},
         "count 5 5 0 0 5 5\nunnamed [plain]\nunnamed [-x]\nunnamed [/]\nunnamed [/:v]\nunnamed [/+]\n"},
        {{"one", "/k:v", "two words"},
         "count 3 3 1 1 2 2\nnamed k String [v] True\nunnamed [one]\nunnamed [two words]\n"},
    };
    for (const auto& row : rows) {
        Invocation inv = cmd({"args.vbs"});
        inv.args.insert(inv.args.end(), row.args.begin(), row.args.end());
        Result r = run(inv);
        std::string shown;
        for (const auto& a : row.args) shown += a + " ";
        EXPECT_EQ(r.out, row.dump) << shown;
        EXPECT_EQ(r.err, "") << shown;
    }
}

TEST(VbsrunWsf, JobsTable)
{
    const std::string main = "main 42 8 -1\nxml & entities Dictionary from helpers\n";
    const Case cases[] = {
        {"the first job without //Job", cmd({"two_jobs.wsf"}), main, "", 0},
        {"//Job picks a job, any case", cmd({"//job:SECOND", "two_jobs.wsf"}), "second -1 -1\n", "", 0},
        {"several jobs run in order, each with fresh globals", cmd({"two_jobs.wsf", "//Job:Second", "//Job:Main"}),
         "second -1 -1\n" + main, "", 0},
        {"an error gives the line in the .wsf", cmd({"//Job:Broken", "two_jobs.wsf"}), "",
         "two_jobs.wsf(32, 12) 第 32 行，第 12 列：编译错误 1023：缺少表达式\n", 1},
        {"a failing job stops the ones after it", cmd({"//Job:Broken", "//Job:Second", "two_jobs.wsf"}), "",
         "two_jobs.wsf(32, 12)", 1},
        {"<usage> replaces the generated text", cmd({"//Job:Usage", "two_jobs.wsf"}), "只有这一行\n", "", 0},
        {"JScript is refused before anything runs", cmd({"//Job:Main", "//Job:Js", "two_jobs.wsf"}), "",
         "two_jobs.wsf(40) 不支持 JScript", 1},
        {"an error in a src= file names that file", cmd({"//Job:SrcFails", "two_jobs.wsf"}), "before\n",
         "fails.vbs(2, 1) 第 2 行，第 1 列：运行时错误 11：除数为零\n", 1},
        {"a src= file that is missing", cmd({"//Job:SrcMissing", "two_jobs.wsf"}), "",
         "two_jobs.wsf(46) 无法读取 src 指定的脚本文件“subfolder\\missing.vbs”", 1},
        {"an unknown job", cmd({"//Job:Nope", "two_jobs.wsf"}), "", "two_jobs.wsf：找不到作业“Nope”", 1},
        {"/? shows the runtime section and runs nothing", cmd({"two_jobs.wsf", "/?"}),
         "复制文件的示例\n用法：two_jobs.wsf /to:值 [/v[+|-]] [/dry] 文件 [文件...]\n\n选项：\n\n"
         "to   : 目标文件夹\nv    : 详细输出\ndry  : 只列出，不复制\n文件 : 要复制的文件\n例：two_jobs.wsf /to:备份 a.txt\n",
         "", 0},
        {"not XML: raw code, unquoted attributes", cmd({"loose.wsf"}), "loose ok &amp;\n",
         "loose.wsf(6, 5) 第 6 行，第 5 列：运行时错误 5", 1},
        {"an unclosed script block", cmd({"unclosed.wsf"}), "", "unclosed.wsf(2) <script> 没有结束标记 </script>", 1},
        {"an object that cannot be made", cmd({"bad_object.wsf"}), "", "bad_object.wsf(2, 1) 第 2 行，第 1 列：运行时错误 429", 1},
        {"an unknown type library", cmd({"bad_reference.wsf"}), "", "bad_reference.wsf(2) 无法读取类型库", 1},
        {"a file without a job", cmd({"no_job.wsf"}), "", "no_job.wsf(1) 文件里没有 <job> 元素", 1},
    };
    for (const auto& c : cases) check(c);
}

std::string utf16le(const std::u16string& s)
{
    std::string out;
    for (char16_t c : s) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

TEST(VbsrunConsole, EncodingsTable)
{
    // A surrogate pair (U+1F600) and a lone high surrogate.
    const std::string kEmojiScript = "WScript.Echo \"你\" & ChrW(&HD83D) & ChrW(&HDE00) & \"x\" & ChrW(&HD83D)";
    const std::string gbkHello = "\xC4\xE3\xBA\xC3 0\n";  // 你好 in GBK
    const Case cases[] = {
        {"UTF-8 without a locale", cmd({"hello.vbs"}), "你好 0\n", "", 0},
        {"GBK from LANG", cmd({"hello.vbs"}, "", {{"LANG", "zh_CN.GBK"}}), gbkHello, "", 0},
        {"GB18030 from LC_CTYPE", cmd({"hello.vbs"}, "", {{"LC_CTYPE", "zh_CN.gb18030"}}), gbkHello, "", 0},
        {"LC_ALL overrides LANG", cmd({"hello.vbs"}, "", {{"LANG", "zh_CN.GBK"}, {"LC_ALL", "C.UTF-8"}}), "你好 0\n", "", 0},
        {"an empty LC_ALL does not count", cmd({"hello.vbs"}, "", {{"LC_ALL", ""}, {"LANG", "zh_CN.GB2312"}}), gbkHello, "", 0},
        {"//U writes UTF-16LE", cmd({"//U", "hello.vbs"}), utf16le(u"你好 0\n"), "", 0},
        {"GBK writes ? for what it cannot hold", cmd({"-"}, kEmojiScript, {{"LANG", "zh_CN.GBK"}}), "\xC4\xE3?x?\n", "", 0},
        {"GB18030 holds every character", cmd({"-"}, kEmojiScript, {{"LANG", "zh_CN.GB18030"}}),
         "\xC4\xE3\x94\x39\xFC\x36x?\n", "", 0},
        {"UTF-8 writes ? for a lone surrogate", cmd({"-"}, kEmojiScript), "你\xF0\x9F\x98\x80x?\n", "", 0},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbsrunConsole, InputTable)
{
    const Case cases[] = {
        {"ReadLine drops \\r\\n, takes a last line without one", cmd({"stdin_echo.vbs", "lines"}, "a\r\nb"),
         "[a] 2 [b] 2\n", "", 0},
        {"ReadAll keeps the line ends that came", cmd({"stdin_echo.vbs", "all"}, "a\r\nb\nc"), "[a\\r\\nb\\nc]\n", "", 0},
        {"UTF-8 input", cmd({"stdin_echo.vbs", "lines"}, "你\n好\n"), "[你] 2 [好] 3\n", "", 0},
        {"GBK input under a GBK locale", cmd({"stdin_echo.vbs", "lines"}, "\xC4\xE3\n\xBA\xC3\n", {{"LANG", "zh_CN.GBK"}}),
         "[\xC4\xE3] 2 [\xBA\xC3] 3\n", "", 0},
        {"UTF-16LE input with //U", cmd({"//U", "stdin_echo.vbs", "lines"}, utf16le(u"你\r\n好")),
         utf16le(u"[你] 2 [好] 2\n"), "", 0},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbsrunConsole, StdoutAndStderrKeepTheirOrderInOneFile)
{
    Invocation inv = cmd({"order.vbs"});
    inv.mergeErr = true;
    Result r = run(inv);
    EXPECT_EQ(r.out, "out 1\nerr 1\nout 2|err 2\nout 3\norder.vbs(7, 1) 第 7 行，第 1 列：运行时错误 11：除数为零\n");
    EXPECT_EQ(r.code, 1);
}

// On a terminal stdout is not held back until the script ends, and stderr
// comes in between where it was written.
TEST(VbsrunConsole, OnATerminalOutputShowsAsItIsWritten)
{
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    pid_t pid = ::fork();
    if (pid == 0) {
        ::close(master);
        child(cmd({"live.vbs"}), slave, slave, slave);
    }
    ::close(slave);
    std::string seen;
    const std::string want = "first\r\nsecond\r\nthird";
    // The script never ends: wait for its output (or give up after a long while), then stop it.
    for (int turns = 0; seen.find(want) == std::string::npos && turns < 200; ++turns) {
        pollfd p{master, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buf[256];
        ssize_t n = ::read(master, buf, sizeof buf);
        if (n <= 0) break;
        seen.append(buf, static_cast<std::size_t>(n));
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(master);
    EXPECT_EQ(seen, want);
}

}  // namespace
