#include "HostOptions.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "Text.h"

namespace vbsrun {
namespace {

// One host option: its lower-case name, whether it takes ":value", and
// what it does to the command line. Returns an error text, or "" when fine.
struct OptionRule {
    const char* name;
    bool takesValue;
    std::string (*apply)(CommandLine& cl, const std::string& value);
};

std::string setTimeout(CommandLine& cl, const std::string& v)
{
    bool digits = !v.empty() && v.size() <= 5 && std::all_of(v.begin(), v.end(), [](unsigned char c) { return std::isdigit(c); });
    int n = digits ? std::stoi(v) : -1;
    if (n < 0 || n > kMaxTimeout)
        return "//T 的值必须是 0 到 " + std::to_string(kMaxTimeout) + " 之间的秒数，而不是“" + v + "”";
    cl.options.timeoutSeconds = n;
    return "";
}

std::string setEngine(CommandLine& cl, const std::string& v)
{
    std::string name = lowerAscii(v);
    if (name != "vbscript" && name != "vbs")
        return "不支持的脚本引擎“" + v + "”：vbsrun 只有 VBScript 引擎（//E:VBScript）";
    cl.options.forceEngine = true;
    return "";
}

std::string addJob(CommandLine& cl, const std::string& v)
{
    cl.options.jobs.push_back(v);
    return "";
}

const OptionRule kRules[] = {
    {"b", false, [](CommandLine& cl, const std::string&) { cl.options.batch = true; return std::string(); }},
    {"i", false, [](CommandLine& cl, const std::string&) { cl.options.batch = false; return std::string(); }},
    {"d", false, [](CommandLine& cl, const std::string&) { cl.options.debugOnError = true; return std::string(); }},
    {"x", false, [](CommandLine& cl, const std::string&) { cl.options.startInDebugger = true; return std::string(); }},
    {"u", false, [](CommandLine& cl, const std::string&) { cl.options.utf16 = true; return std::string(); }},
    {"logo", false, [](CommandLine& cl, const std::string&) { cl.options.logo = true; return std::string(); }},
    {"nologo", false, [](CommandLine& cl, const std::string&) { cl.options.logo = false; return std::string(); }},
    {"?", false, [](CommandLine& cl, const std::string&) { cl.action = CommandLine::Action::Help; return std::string(); }},
    {"t", true, setTimeout},
    {"e", true, setEngine},
    {"job", true, addJob},
    {"h", true, [](CommandLine&, const std::string&) {
         return std::string("//H 在这里没有意义：vbsrun 不登记为系统默认的脚本宿主");
     }},
    {"s", false, [](CommandLine&, const std::string&) {
         return std::string("//S 不受支持：vbsrun 不保存选项，请每次在命令行上给出");
     }},
};

// "//name[:value]" → the error text, "" when it was applied.
std::string applyOption(CommandLine& cl, const std::string& arg)
{
    std::string body = arg.substr(2);
    std::size_t colon = body.find(':');
    std::string name = lowerAscii(body.substr(0, colon));
    std::optional<std::string> value;
    if (colon != std::string::npos) value = body.substr(colon + 1);
    for (const auto& rule : kRules) {
        if (name != rule.name) continue;
        std::string shown = "//" + body.substr(0, colon);
        if (rule.takesValue && (!value || value->empty())) return shown + " 需要一个值，例如 " + shown + ":…";
        if (!rule.takesValue && value) return shown + " 不带值";
        return rule.apply(cl, value.value_or(""));
    }
    return "未知的宿主选项：" + arg + "（用 //? 查看可用的选项）";
}

bool isHostOption(const std::string& arg) { return arg.rfind("//", 0) == 0; }

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine cl;
    bool haveScript = false;
    for (const auto& arg : args) {
        if (isHostOption(arg)) {
            std::string error = applyOption(cl, arg);
            if (error.empty()) continue;
            cl.action = CommandLine::Action::Fail;
            cl.error = error;
            return cl;
        }
        if (haveScript) {
            cl.scriptArgs.push_back(arg);
        } else if (arg == "--help" || arg == "-h") {
            cl.action = CommandLine::Action::Help;
        } else {
            cl.script = arg;
            haveScript = true;
        }
    }
    if (cl.action == CommandLine::Action::Run && !haveScript) cl.action = CommandLine::Action::MissingScript;
    return cl;
}

std::string usageText()
{
    return std::string("用法：vbsrun [宿主选项...] 脚本文件|- [脚本参数...]\n"
           "\n"
           "运行 VBScript 脚本（.vbs 或 .wsf）；“-”表示从标准输入读脚本。\n"
           "\n"
           "宿主选项以 // 开头，不分大小写，可以写在脚本文件名前后：\n"
           "  //B          批处理模式：MsgBox、InputBox 和 Popup 不显示也不等待，错误仍写到标准错误\n"
           "  //I          交互模式（默认）\n"
           "  //D          出错时启动调试器（还没有调试器，此项只给出提示）\n"
           "  //E:引擎     用指定的引擎运行，不看扩展名；只有 VBScript\n"
           "  //Job:名称   运行 .wsf 文件中的这个作业；可给多次，依次运行\n"
           "  //Logo       运行前显示标志\n"
           "  //NoLogo     不显示标志（默认）\n"
           "  //T:秒数     脚本最多运行这么多秒（0 到 ") + std::to_string(kMaxTimeout) + "，0 为不限），超时即终止\n"
           "  //U          标准输出、标准错误和标准输入都用 UTF-16LE\n"
           "  //X          在调试器中运行脚本（还没有调试器）\n"
           "  //?          显示本说明（也可用 --help 或 -h）\n"
           "\n"
           "脚本参数：/名称:值、/名称、/名称+、/名称- 是命名参数（WScript.Arguments.Named），\n"
           "其余是未命名参数（WScript.Arguments.Unnamed）。\n"
           "\n"
           "输出默认为 UTF-8；区域设置（LC_ALL、LC_CTYPE、LANG）指明 GBK 或 GB18030 时为 GBK。\n"
           "退出码：0 正常；WScript.Quit 给出的值；" + std::to_string(exitcode::kScriptError) +
           " 脚本出错或选项有误；" + std::to_string(exitcode::kNoScript) + " 没有给出脚本；" +
           std::to_string(exitcode::kTimeout) + " 超时。\n";
}

}  // namespace vbsrun
