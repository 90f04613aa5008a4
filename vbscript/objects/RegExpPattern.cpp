#include "vbscript/objects/RegExpPattern.h"

#include <cstdint>

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"

namespace vbs {
namespace {

[[noreturn]] void refuse(int number, std::u16string_view why)
{
    ScriptError e{number, {}, {}};
    e.detail = u"：" + std::u16string(why);
    throw e;
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Escapes whose meaning VBScript and PCRE2 share (\v is handled apart: in
// PCRE2 it is a class of vertical space, in VBScript the vertical tab).
bool sharedEscape(char16_t c)
{
    return std::u16string_view(u"dDwWsSbBfnrtxuc").find(c) != std::u16string_view::npos;
}

// Length of a {n}, {n,} or {n,m} quantifier at p, or 0 when the brace is a
// plain character.
std::size_t braceQuantifier(std::u16string_view p, std::size_t i)
{
    std::size_t j = i + 1;
    std::size_t digits = 0;
    while (j < p.size() && isDigit(p[j])) ++j, ++digits;
    if (!digits) return 0;
    if (j < p.size() && p[j] == u',') {
        ++j;
        while (j < p.size() && isDigit(p[j])) ++j;
    }
    if (j < p.size() && p[j] == u'}') return j + 1 - i;
    return 0;
}

bool isOctal(char16_t c) { return c >= u'0' && c <= u'7'; }

// Capturing groups in the whole pattern: a back reference may name a later one.
int countGroups(std::u16string_view p)
{
    int groups = 0;
    bool inClass = false;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == u'\\') ++i;
        else if (inClass) inClass = p[i] != u']';
        else if (p[i] == u'[') inClass = true;
        else if (p[i] == u'(' && (i + 1 >= p.size() || p[i + 1] != u'?')) ++groups;
    }
    return groups;
}

// An octal escape of up to three digits (at most \377) at p[i]; appends it
// and returns the digits used, 0 when p[i] is not an octal digit.
std::size_t octalEscape(std::u16string_view p, std::size_t i, std::u16string& out)
{
    std::size_t j = i;
    int value = 0;
    while (j < p.size() && j - i < 3 && isOctal(p[j]) && value * 8 + (p[j] - u'0') <= 0377) value = value * 8 + (p[j++] - u'0');
    if (j == i) return 0;
    out += u"\\o{";
    out.append(p.substr(i, j - i));
    out += u'}';
    return j - i;
}

// \n, \nm and \nml after the backslash at p[i - 1]: a back reference when
// that many groups exist, else an octal escape, else the digit itself.
std::size_t digitEscape(std::u16string_view p, std::size_t i, int groups, bool inClass, std::u16string& out)
{
    if (!inClass && p[i] != u'0') {
        int one = p[i] - u'0';
        if (i + 1 < p.size() && isDigit(p[i + 1])) {
            int two = one * 10 + (p[i + 1] - u'0');
            if (two <= groups) {
                out += u"\\g{" + asciiToU16(std::to_string(two)) + u"}";
                return 2;
            }
        }
        if (one <= groups) {
            out += u"\\g{" + asciiToU16(std::to_string(one)) + u"}";
            return 1;
        }
    }
    if (std::size_t used = octalEscape(p, i, out)) return used;
    out += p[i];  // \8 and \9 stand for the digit
    return 1;
}

}  // namespace

std::u16string translatePattern(std::u16string_view p, bool multiline)
{
    std::u16string out;
    out.reserve(p.size() + 16);
    int groups = countGroups(p);
    bool inClass = false;
    std::size_t i = 0;
    while (i < p.size()) {
        char16_t c = p[i];
        if (c == u'\\') {
            if (i + 1 >= p.size()) refuse(err::RegExpSyntax, u"模式以 \\ 结尾");
            char16_t n = p[i + 1];
            if (isDigit(n)) {
                i += 1 + digitEscape(p, i + 1, groups, inClass, out);
                continue;
            }
            if (n == u'v') {
                out += u"\\x0B";
            } else if (n == u'c') {
                if (i + 2 >= p.size() || !isAsciiLetter(p[i + 2])) refuse(err::RegExpSyntax, u"\\c 后面要跟一个字母");
                out.append(p.substr(i, 3));
                ++i;
            } else if (inClass && n == u'B') {
                refuse(err::RegExpSyntax, u"字符集中不能用 \\B");
            } else if (isAsciiLetter(n) && !sharedEscape(n)) {
                refuse(err::RegExpSyntax, u"VBScript 的正则表达式没有 \\" + std::u16string(1, n));
            } else {
                out += c;
                out += n;
            }
            i += 2;
            continue;
        }
        if (inClass) {
            if (c == u']') inClass = false;
            else if (c == u'[') out += u'\\';  // never a POSIX [:name:] class
            out += c;
            ++i;
            continue;
        }
        std::size_t quant = 0;  // length of a quantifier starting here
        switch (c) {
        case u'[':
            inClass = true;
            out += c;
            ++i;
            if (i < p.size() && p[i] == u'^') out += p[i++];
            // "[]" and "[^]" are whole classes (ALLOW_EMPTY_CLASS), as in VBScript.
            if (i < p.size() && p[i] == u']') {
                inClass = false;
                out += p[i++];
            }
            continue;
        case u'(':
            if (i + 1 < p.size() && p[i + 1] == u'*') refuse(err::RegExpQuantifier, u"'(' 后面不能直接跟量词 '*'");
            if (i + 1 < p.size() && p[i + 1] == u'?') {
                char16_t k = i + 2 < p.size() ? p[i + 2] : u'\0';
                if (k != u':' && k != u'=' && k != u'!') {
                    if (k == u'<') refuse(err::RegExpSyntax, u"VBScript 的正则表达式没有后行断言和命名组");
                    refuse(err::RegExpSyntax, u"VBScript 的正则表达式只支持 (?:…)、(?=…) 和 (?!…)");
                }
                out.append(p.substr(i, 3));
                i += 3;
                continue;
            }
            out += c;
            ++i;
            continue;
        case u'^':
            out += multiline ? u"(?<![^\\n\\r])" : u"^";
            ++i;
            continue;
        case u'$':
            out += multiline ? u"(?![^\\n\\r])" : u"$";
            ++i;
            continue;
        case u'*':
        case u'+':
        case u'?':
            quant = 1;
            break;
        case u'{':
            quant = braceQuantifier(p, i);
            if (!quant) {
                out += u"\\{";
                ++i;
                continue;
            }
            break;
        default:
            out += c;
            ++i;
            continue;
        }
        out.append(p.substr(i, quant));
        i += quant;
        if (i < p.size() && p[i] == u'?') out += p[i++];  // lazy
        else if (i < p.size() && p[i] == u'+') refuse(err::RegExpSyntax, u"VBScript 的正则表达式没有占有量词");
    }
    return out;
}

CompiledPattern::CompiledPattern(std::u16string_view pattern, RegExpFlags flags)
{
    std::u16string pcre = translatePattern(pattern, flags.multiline);
    std::uint32_t options = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF | PCRE2_ALLOW_EMPTY_CLASS | PCRE2_DOLLAR_ENDONLY;
    if (flags.ignoreCase) options |= PCRE2_CASELESS;
    pcre2_compile_context* cc = pcre2_compile_context_create(nullptr);
    pcre2_set_newline(cc, PCRE2_NEWLINE_LF);  // "." stops only at \n
    int code = 0;
    PCRE2_SIZE offset = 0;
    code_ = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pcre.data()), pcre.size(), options, &code, &offset, cc);
    pcre2_compile_context_free(cc);
    if (!code_) {
        PCRE2_UCHAR message[256];
        int n = pcre2_get_error_message(code, message, 256);
        std::u16string why = n > 0 ? std::u16string(reinterpret_cast<const char16_t*>(message), static_cast<std::size_t>(n))
                                   : u"无法编译";
        int number = err::RegExpSyntax;
        switch (code) {
        case PCRE2_ERROR_QUANTIFIER_INVALID: number = err::RegExpQuantifier; break;
        case PCRE2_ERROR_MISSING_SQUARE_BRACKET: number = err::RegExpBracket; break;
        case PCRE2_ERROR_MISSING_CLOSING_PARENTHESIS: number = err::RegExpParen; break;
        case PCRE2_ERROR_CLASS_RANGE_ORDER: number = err::RegExpRange; break;
        default: break;
        }
        refuse(number, why);
    }
    std::uint32_t count = 0;
    pcre2_pattern_info(code_, PCRE2_INFO_CAPTURECOUNT, &count);
    groups_ = static_cast<int>(count);
    data_ = pcre2_match_data_create_from_pattern(code_, nullptr);
    context_ = pcre2_match_context_create(nullptr);
    if (context_) pcre2_set_heap_limit(context_, 256 * 1024);  // KiB
    if (!data_ || !context_) {
        release();
        raise(err::OutOfMemory);
    }
    pcre2_jit_compile(code_, PCRE2_JIT_COMPLETE);  // without JIT, pcre2_match interprets
    ovector_ = pcre2_get_ovector_pointer(data_);
}

CompiledPattern::~CompiledPattern() { release(); }

void CompiledPattern::release()
{
    pcre2_jit_stack_free(jitStack_);
    pcre2_match_context_free(context_);
    pcre2_match_data_free(data_);
    pcre2_code_free(code_);
    jitStack_ = nullptr;
    context_ = nullptr;
    data_ = nullptr;
    code_ = nullptr;
}

bool CompiledPattern::match(std::u16string_view subject, std::size_t start)
{
    auto run = [&](std::uint32_t options) {
        return pcre2_match(code_, reinterpret_cast<PCRE2_SPTR>(subject.data()), subject.size(), start, options, data_,
                           context_);
    };
    int rc = run(0);
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT && !jitStack_) {
        // The JIT's default 32 KiB stack is too small for this pattern: give
        // it a larger one of its own, made only when needed.
        jitStack_ = pcre2_jit_stack_create(64 * 1024, 8 * 1024 * 1024, nullptr);
        if (jitStack_) {
            pcre2_jit_stack_assign(context_, nullptr, jitStack_);
            rc = run(0);
        }
    }
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT)  // the interpreter keeps its backtracking on the heap
        rc = run(PCRE2_NO_JIT);
    if (rc == PCRE2_ERROR_NOMATCH) {
        pairs_ = 0;
        return false;
    }
    if (rc < 0) {
        pairs_ = 0;
        ScriptError e{err::OutOfStack, {}, {}};
        e.detail = u"：正则表达式回溯过多，匹配中止";
        throw e;
    }
    pairs_ = rc;
    return true;
}

}  // namespace vbs
