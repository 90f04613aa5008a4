#include "ScriptLoader.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "Text.h"
#include "WsfPlan.h"
#include "textcodec/TextCodec.h"

namespace vbsrun {

namespace fs = std::filesystem;

std::string displayName(const std::string& path)
{
    return path == "-" ? "<stdin>" : fs::path(path).filename().string();
}

std::u16string readScriptFile(const std::string& path)
{
    std::string bytes;
    if (path == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::error_code ec;
        std::ifstream in(path, std::ios::binary);
        if (!in || fs::is_directory(path, ec)) throw LoadError{path + "：无法读取脚本文件"};
        std::ostringstream buf;
        buf << in.rdbuf();
        if (in.bad()) throw LoadError{path + "：无法读取脚本文件"};
        bytes = buf.str();
    }
    auto script = textcodec::DecodeScriptFile(bytes);
    if (!script) throw LoadError{path + "：脚本文件的编码无法识别"};
    return script->text;
}

static bool isWsf(const std::string& path)
{
    return lowerAscii(fs::path(path).extension().string()) == ".wsf";
}

RunPlan loadScript(const std::string& path, const HostOptions& options)
{
    try {
        if (isWsf(path) && !options.forceEngine) return planWsf(path, options.jobs);
        RunPlan plan;
        plan.jobs.push_back(Job{{}, {CodeBlock{readScriptFile(path), displayName(path), 1, 1}}});
        return plan;
    } catch (const LoadError& f) {
        RunPlan plan;
        plan.ok = false;
        plan.error = f.message;
        return plan;
    }
}

}  // namespace vbsrun
