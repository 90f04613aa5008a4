// vbsrun [script.vbs | -] [args...]: runs a script the way the editor does
// and reports errors as "script.vbs(line, col) text" on stderr.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "ConsoleHost.h"
#include "textcodec/TextCodec.h"
#include "vbscript/Engine.h"

namespace {

std::u16string widen(const std::string& s)
{
    if (auto t = textcodec::DecodeUtf8(s)) return *t;
    return std::u16string(s.begin(), s.end());
}

bool readAll(const std::string& path, std::string& bytes)
{
    if (path == "-") {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buf;
    buf << in.rdbuf();
    bytes = buf.str();
    return static_cast<bool>(in) || in.eof();
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        std::cerr << "用法：vbsrun 脚本.vbs|- [参数...]\n";
        return 2;
    }
    std::string path = argv[1];
    std::string bytes;
    if (!readAll(path, bytes)) {
        std::cerr << path << "：无法读取脚本文件\n";
        return 1;
    }
    auto script = textcodec::DecodeScriptFile(bytes);
    if (!script) {
        std::cerr << path << "：脚本文件的编码无法识别\n";
        return 1;
    }
    vbsrun::ConsoleHost host;
    vbs::Engine engine(host);
    std::filesystem::path p(path == "-" ? "<stdin>" : path);
    std::error_code ec;
    auto full = path == "-" ? p : std::filesystem::absolute(p, ec);
    engine.setScriptName(widen(p.filename().string()), widen(full.string()));
    std::vector<std::u16string> args;
    for (int i = 2; i < argc; ++i) args.push_back(widen(argv[i]));
    engine.setArguments(std::move(args));
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) engine.setHostProgram(widen(self.string()));
    bool ok = engine.execute(script->text);
    std::cout.flush();
    if (!ok) {
        std::cerr << p.filename().string() << "(" << engine.errorLine() << ", " << engine.errorColumn() << ") "
                  << vbsrun::toUtf8(engine.errorText()) << '\n';
        return 1;
    }
    return engine.quitCode().value_or(0);
}
