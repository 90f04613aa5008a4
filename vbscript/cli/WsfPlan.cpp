#include "WsfPlan.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "Text.h"
#include "TypeLibraries.h"
#include "WsfReader.h"
#include "WsfUsage.h"

namespace vbsrun {
namespace {

namespace fs = std::filesystem;

// A string literal of the language for any text: quotes doubled, line
// breaks spliced in as vbCr and vbLf.
std::u16string literal(std::u16string_view text)
{
    std::u16string out = u"\"";
    for (char16_t c : text) {
        if (c == u'"') out += u"\"\"";
        else if (c == u'\r') out += u"\" & vbCr & \"";
        else if (c == u'\n') out += u"\" & vbLf & \"";
        else out += c;
    }
    return out + u"\"";
}

class WsfPlanner {
public:
    explicit WsfPlanner(const std::string& path) : path_(path), name_(displayName(path)) {}

    RunPlan plan(const std::vector<std::string>& wanted)
    {
        WsfFile file = readWsf(readScriptFile(path_));
        if (!file.ok) fail(file.errorLine, file.error);
        RunPlan plan;
        if (wanted.empty()) plan.jobs.push_back(job(file.jobs.front()));
        for (const auto& id : wanted) plan.jobs.push_back(job(find(file, id)));
        return plan;
    }

private:
    [[noreturn]] void fail(int line, const std::string& message) const
    {
        throw LoadError{name_ + "(" + std::to_string(line) + ") " + message};
    }

    const WsfJob& find(const WsfFile& file, const std::string& id) const
    {
        for (const auto& j : file.jobs)
            if (lowerAscii(toUtf8(j.id)) == lowerAscii(id)) return j;
        throw LoadError{name_ + "：找不到作业“" + id + "”（//Job:" + id + "）"};
    }

    Job job(const WsfJob& wj) const
    {
        Job job;
        job.usage = usageOf(wj.runtime, fromUtf8(name_));
        for (const auto& r : wj.references) job.blocks.push_back(reference(r));
        for (const auto& o : wj.objects) job.blocks.push_back(object(o));
        if (!wj.resources.empty()) job.blocks.push_back(resources(wj));
        for (const auto& s : wj.scripts) addScript(job, s);
        return job;
    }

    CodeBlock block(std::u16string code, int line) const { return CodeBlock{std::move(code), name_, line, 1}; }

    // GetResource(id) as a script function over the job's resources.
    CodeBlock resources(const WsfJob& wj) const
    {
        std::u16string code = u"Function GetResource(resourceId)\nSelect Case LCase(resourceId)\n";
        for (const auto& r : wj.resources)
            code += u"Case " + literal(lowerAscii(r.id)) + u": GetResource = " + literal(r.text) + u"\n";
        code += u"Case Else: Err.Raise 5, , \"没有这个资源：\" & resourceId\nEnd Select\nEnd Function\n";
        return block(code, wj.line);
    }

    // A library's constants as script variables, not Const: the script may
    // declare the same names itself, as it must without a reference.
    CodeBlock reference(const WsfReference& r) const
    {
        std::u16string which = r.object.empty() ? r.guid : r.object;
        if (which.empty()) fail(r.line, "<reference> 需要 object 或 guid 属性");
        auto lib = typeLibrary(which);
        if (!lib)
            fail(r.line, "无法读取类型库“" + toUtf8(which) +
                             "”：vbsrun 只认得 Scripting、WScript.Shell 和 VBScript.RegExp 的类型库");
        std::u16string code;
        for (const auto& c : *lib) code += std::u16string(c.name) + u" = " + fromUtf8(std::to_string(c.value)) + u"\n";
        return block(code, r.line);
    }

    CodeBlock object(const WsfObject& o) const
    {
        if (!o.classid.empty() && o.progid.empty())
            fail(o.line, "<object> 的 classid 不受支持，请改用 progid");
        if (o.progid.empty()) fail(o.line, "<object> 需要 progid 属性");
        bool nameOk = !o.id.empty() && std::isalpha(o.id[0] < 0x80 ? static_cast<int>(o.id[0]) : 0) &&
                      std::all_of(o.id.begin(), o.id.end(), [](char16_t c) {
                          return c < 0x80 && (std::isalnum(static_cast<int>(c)) || c == u'_');
                      });
        if (!nameOk) fail(o.line, "<object> 的 id“" + toUtf8(o.id) + "”不是合法的变量名");
        return block(u"Set " + o.id + u" = CreateObject(" + literal(o.progid) + u")", o.line);
    }

    void checkLanguage(const WsfScript& s) const
    {
        std::string lang = lowerAscii(toUtf8(s.language));
        if (lang == "vbscript" || lang == "vbs") return;
        if (lang.empty()) fail(s.tagLine, "<script> 缺少 language 属性（应为 VBScript）");
        if (lang == "vbscript.encode") fail(s.tagLine, "不支持编码过的脚本（VBScript.Encode）");
        if (lang == "jscript" || lang == "javascript" || lang == "jscript.encode" || lang == "ecmascript")
            fail(s.tagLine, "不支持 JScript：vbsrun 只运行 VBScript，这个作业里有一段 " + toUtf8(s.language) + " 代码");
        fail(s.tagLine, "不支持的脚本语言“" + toUtf8(s.language) + "”：vbsrun 只运行 VBScript");
    }

    void addScript(Job& job, const WsfScript& s) const
    {
        checkLanguage(s);
        if (!s.src.empty()) {
            std::u16string src = s.src;
            std::replace(src.begin(), src.end(), u'\\', u'/');
            fs::path p = fs::path(toUtf8(src));
            if (p.is_relative()) p = fs::path(path_).parent_path() / p;
            std::u16string code;
            try {
                code = readScriptFile(p.string());
            } catch (const LoadError&) {
                fail(s.tagLine, "无法读取 src 指定的脚本文件“" + toUtf8(s.src) + "”");
            }
            job.blocks.push_back(CodeBlock{std::move(code), p.filename().string(), 1, 1});
        }
        bool hasCode = std::any_of(s.code.begin(), s.code.end(), [](char16_t c) { return c > u' '; });
        if (hasCode) job.blocks.push_back(CodeBlock{s.code, name_, s.line, s.column});
    }

    std::string path_, name_;
};

}  // namespace

RunPlan planWsf(const std::string& path, const std::vector<std::string>& jobs)
{
    return WsfPlanner(path).plan(jobs);
}

}  // namespace vbsrun
