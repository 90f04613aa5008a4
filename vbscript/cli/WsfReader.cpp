#include "WsfReader.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <optional>

#include "Text.h"

namespace vbsrun {
namespace {

bool isSpace(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }
bool isNameChar(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c == u'-' || c == u'.' || c == u':';
}

struct Failure {
    std::size_t pos;
    std::string message;
};

// &lt; &gt; &amp; &quot; &apos; and character references; anything else stays.
std::u16string decodeEntities(std::u16string_view s)
{
    static const std::map<std::u16string, char16_t> named = {
        {u"lt", u'<'}, {u"gt", u'>'}, {u"amp", u'&'}, {u"quot", u'"'}, {u"apos", u'\''}};
    std::u16string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        std::size_t semi = s[i] == u'&' ? s.find(u';', i) : std::u16string_view::npos;
        if (semi == std::u16string_view::npos || semi - i > 10) {
            out += s[i];
            continue;
        }
        std::u16string name(s.substr(i + 1, semi - i - 1));
        if (auto it = named.find(name); it != named.end()) {
            out += it->second;
        } else if (name.size() > 1 && name[0] == u'#') {
            bool hex = name[1] == u'x' || name[1] == u'X';
            std::string digits(name.begin() + (hex ? 2 : 1), name.end());
            char* end = nullptr;
            unsigned long cp = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            if (digits.empty() || *end || cp == 0 || cp > 0x10FFFF) { out += s[i]; continue; }
            if (cp >= 0x10000) {
                out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                out += static_cast<char16_t>(cp);
            }
        } else {
            out += s[i];
            continue;
        }
        i = semi;
    }
    return out;
}

struct Tag {
    std::u16string name;  // lower case
    std::map<std::u16string, std::u16string> attrs;  // names in lower case
    bool closing = false, selfClosing = false;
    std::size_t start = 0, end = 0;  // '<' and just past '>'

    std::u16string attr(const char16_t* key) const
    {
        auto it = attrs.find(key);
        return it == attrs.end() ? std::u16string() : it->second;
    }
    bool flag(const char16_t* key) const
    {
        std::u16string v = lowerAscii(attr(key));
        return v == u"true" || v == u"yes" || v == u"1";
    }
};

class Reader {
public:
    explicit Reader(std::u16string_view text) : t_(text)
    {
        lineStarts_.push_back(0);
        for (std::size_t i = 0; i < t_.size(); ++i)
            if (t_[i] == u'\n') lineStarts_.push_back(i + 1);
    }

    WsfFile read()
    {
        WsfFile file;
        try {
            parse(file);
            if (file.jobs.empty()) throw Failure{0, "文件里没有 <job> 元素"};
        } catch (const Failure& f) {
            file.ok = false;
            file.errorLine = lineOf(f.pos);
            file.error = f.message;
        }
        return file;
    }

private:
    int lineOf(std::size_t pos) const
    {
        return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), pos) - lineStarts_.begin());
    }
    int columnOf(std::size_t pos) const { return static_cast<int>(pos - lineStarts_[lineOf(pos) - 1]) + 1; }

    bool at(std::size_t pos, std::u16string_view s) const { return t_.substr(pos, s.size()) == s; }

    std::size_t skipPast(std::size_t from, std::u16string_view end, const std::string& what) const
    {
        std::size_t e = t_.find(end, from);
        if (e == std::u16string_view::npos) throw Failure{from, what + "没有结束"};
        return e + end.size();
    }

    void parse(WsfFile& file)
    {
        std::size_t pos = 0;
        while ((pos = t_.find(u'<', pos)) != std::u16string_view::npos) {
            if (at(pos, u"<!--")) pos = skipPast(pos + 4, u"-->", "注释 <!-- ");
            else if (at(pos, u"<![CDATA[")) pos = skipPast(pos, u"]]>", "<![CDATA[ ");
            else if (at(pos, u"<?")) pos = instruction(pos);
            else if (at(pos, u"<!")) pos = skipPast(pos, u">", "<! ");
            else if (auto tag = readTag(pos)) pos = element(file, *tag);
            else ++pos;  // a stray "<" outside any element
        }
    }

    std::size_t instruction(std::size_t pos)
    {
        std::size_t end = skipPast(pos, u"?>", "<? ");
        if (lowerAscii(t_.substr(pos + 2, 3)) == u"xml" && (pos + 5 >= t_.size() || !isNameChar(t_[pos + 5]))) xml_ = true;
        return end;
    }

    std::optional<Tag> readTag(std::size_t pos) const
    {
        Tag tag;
        tag.start = pos;
        std::size_t i = pos + 1;
        if (i < t_.size() && t_[i] == u'/') { tag.closing = true; ++i; }
        std::size_t nameStart = i;
        while (i < t_.size() && isNameChar(t_[i])) ++i;
        if (i == nameStart) return std::nullopt;
        tag.name = lowerAscii(t_.substr(nameStart, i - nameStart));
        for (;;) {
            while (i < t_.size() && isSpace(t_[i])) ++i;
            if (i >= t_.size()) throw Failure{pos, "标记 <" + narrow(tag.name) + "> 没有结束"};
            if (t_[i] == u'>') { ++i; break; }
            if (at(i, u"/>")) { tag.selfClosing = true; i += 2; break; }
            i = attribute(tag, i);
        }
        tag.end = i;
        return tag;
    }

    // name, name=value, name="value" or name='value'.
    std::size_t attribute(Tag& tag, std::size_t i) const
    {
        std::size_t nameStart = i;
        while (i < t_.size() && !isSpace(t_[i]) && t_[i] != u'=' && t_[i] != u'>' && !at(i, u"/>")) ++i;
        if (i == nameStart) return i + 1;  // stray character
        std::u16string name = lowerAscii(t_.substr(nameStart, i - nameStart));
        while (i < t_.size() && isSpace(t_[i])) ++i;
        std::u16string value;
        if (i < t_.size() && t_[i] == u'=') {
            ++i;
            while (i < t_.size() && isSpace(t_[i])) ++i;
            if (i < t_.size() && (t_[i] == u'"' || t_[i] == u'\'')) {
                std::size_t close = t_.find(t_[i], i + 1);
                if (close == std::u16string_view::npos) throw Failure{i, "属性 " + narrow(name) + " 的引号没有结束"};
                value = t_.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                std::size_t s = i;
                while (i < t_.size() && !isSpace(t_[i]) && t_[i] != u'>' && !at(i, u"/>")) ++i;
                value = t_.substr(s, i - s);
            }
        }
        tag.attrs[name] = decodeEntities(value);
        return i;
    }

    // The text of an element up to its end tag: CDATA sections verbatim,
    // the rest decoded in an XML file and taken as it is otherwise.
    std::u16string content(const Tag& tag, std::size_t& pos) const
    {
        std::u16string text;
        std::u16string endTag = u"</" + tag.name;
        std::size_t i = tag.end;
        for (;;) {
            std::size_t cdata = t_.find(u"<![CDATA[", i);
            std::size_t close = findEndTag(endTag, i);
            if (close == std::u16string_view::npos)
                throw Failure{tag.start, "<" + narrow(tag.name) + "> 没有结束标记 </" + narrow(tag.name) + ">"};
            std::size_t stop = std::min(cdata, close);
            std::u16string_view plain = t_.substr(i, stop - i);
            text += xml_ ? decodeEntities(plain) : std::u16string(plain);
            if (stop == close) {
                pos = skipPast(close, u">", "结束标记 </" + narrow(tag.name) + "> ");
                return text;
            }
            std::size_t cdEnd = skipPast(cdata, u"]]>", "<![CDATA[ ");
            text += t_.substr(cdata + 9, cdEnd - 3 - cdata - 9);
            i = cdEnd;
        }
    }

    std::size_t findEndTag(const std::u16string& endTag, std::size_t from) const
    {
        for (std::size_t i = t_.find(u"</", from); i != std::u16string_view::npos; i = t_.find(u"</", i + 2)) {
            std::size_t after = i + endTag.size();
            if (lowerAscii(t_.substr(i, endTag.size())) == endTag && (after >= t_.size() || !isNameChar(t_[after])))
                return i;
        }
        return std::u16string_view::npos;
    }

    WsfJob& currentJob(WsfFile& file, const Tag& tag) const
    {
        if (!inJob_) throw Failure{tag.start, "<" + narrow(tag.name) + "> 必须写在 <job> 里"};
        return file.jobs.back();
    }

    std::size_t element(WsfFile& file, const Tag& tag)
    {
        if (tag.closing) {
            if (tag.name == u"job") inJob_ = false;
            if (tag.name == u"runtime") inRuntime_ = false;
            return tag.end;
        }
        if (tag.name == u"job") {
            WsfJob job;
            job.id = tag.attr(u"id");
            job.line = lineOf(tag.start);
            file.jobs.push_back(std::move(job));
            inJob_ = !tag.selfClosing;
            inRuntime_ = false;
            return tag.end;
        }
        if (tag.name == u"script") return script(currentJob(file, tag), tag);
        if (tag.name == u"object") {
            currentJob(file, tag).objects.push_back(
                {tag.attr(u"id"), tag.attr(u"progid"), tag.attr(u"classid"), lineOf(tag.start)});
        } else if (tag.name == u"reference") {
            currentJob(file, tag).references.push_back({tag.attr(u"object"), tag.attr(u"guid"), lineOf(tag.start)});
        } else if (tag.name == u"runtime") {
            currentJob(file, tag).runtime.present = true;
            inRuntime_ = !tag.selfClosing;
        } else if (inRuntime_) {
            return runtimeItem(file.jobs.back().runtime, tag);
        } else if (tag.name == u"resource" && !tag.selfClosing) {
            std::size_t pos;
            std::u16string text = content(tag, pos);
            currentJob(file, tag).resources.push_back({tag.attr(u"id"), std::move(text), lineOf(tag.start)});
            return pos;
        } else if (tag.name == u"comment" && !tag.selfClosing) {
            std::size_t pos;
            content(tag, pos);  // text only, never markup
            return pos;
        }
        return tag.end;
    }

    std::size_t script(WsfJob& job, const Tag& tag)
    {
        WsfScript s;
        s.language = tag.attr(u"language");
        s.src = tag.attr(u"src");
        s.tagLine = lineOf(tag.start);
        s.line = lineOf(tag.end);
        s.column = columnOf(tag.end);
        std::size_t pos = tag.end;
        if (!tag.selfClosing) s.code = content(tag, pos);
        job.scripts.push_back(std::move(s));
        return pos;
    }

    std::size_t runtimeItem(WsfRuntime& rt, const Tag& tag)
    {
        if (tag.name == u"named") {
            rt.named.push_back({tag.attr(u"name"), tag.attr(u"helpstring"), lowerAscii(tag.attr(u"type")), tag.flag(u"required")});
            return tag.end;
        }
        if (tag.name == u"unnamed") {
            rt.unnamed.push_back({tag.attr(u"name"), tag.attr(u"helpstring"), tag.flag(u"required"), tag.flag(u"many")});
            return tag.end;
        }
        std::u16string* slot = tag.name == u"description" ? &rt.description
                               : tag.name == u"example"   ? &rt.example
                               : tag.name == u"usage"     ? &rt.usage
                                                          : nullptr;
        if (!slot || tag.selfClosing) return tag.end;
        std::size_t pos;
        *slot = content(tag, pos);
        return pos;
    }

    static std::string narrow(std::u16string_view s)
    {
        std::string out;
        for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
        return out;
    }

    std::u16string_view t_;
    std::vector<std::size_t> lineStarts_;
    bool xml_ = false;
    bool inJob_ = false;
    bool inRuntime_ = false;
};

}  // namespace

WsfFile readWsf(std::u16string_view text)
{
    return Reader(text).read();
}

}  // namespace vbsrun
