// VBScript.RegExp and the Matches, Match and SubMatches objects it hands out.
#include <memory>
#include <optional>
#include <vector>

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/ListObject.h"
#include "vbscript/NativeObject.h"
#include "vbscript/Vm.h"
#include "vbscript/objects/Factories.h"
#include "vbscript/objects/RegExpPattern.h"

namespace vbs {
namespace {

class SubMatches : public ListObject {
public:
    explicit SubMatches(std::vector<Value> items) : items_(std::move(items)) {}
    std::u16string typeName() const override { return u"ISubMatches"; }

protected:
    std::size_t size() const override { return items_.size(); }
    Value at(std::size_t i) const override { return items_[i]; }

private:
    std::vector<Value> items_;
};

// What Execute found: the subject and, per match, begin/end pairs for the
// whole match and each group (-1 when unset). Match objects are made only
// when asked for, so a million matches cost a few bytes each.
struct MatchList {
    std::u16string subject;
    int groups = 0;
    std::vector<std::int32_t> offsets;
    std::size_t stride() const { return 2 * static_cast<std::size_t>(groups + 1); }
    std::size_t count() const { return offsets.size() / stride(); }
};

class Match : public NativeObject {
public:
    Match(const MatchList& list, std::size_t index)
    {
        const std::int32_t* o = list.offsets.data() + index * list.stride();
        std::u16string_view subject = list.subject;
        value_ = subject.substr(static_cast<std::size_t>(o[0]), static_cast<std::size_t>(o[1] - o[0]));
        firstIndex_ = o[0];
        subs_.reserve(static_cast<std::size_t>(list.groups));
        for (int g = 1; g <= list.groups; ++g) {
            if (o[2 * g] < 0) subs_.emplace_back();
            else subs_.push_back(Value::str(subject.substr(static_cast<std::size_t>(o[2 * g]),
                                                           static_cast<std::size_t>(o[2 * g + 1] - o[2 * g]))));
        }
    }
    std::u16string typeName() const override { return u"IMatch2"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        if (id == kDefaultMember) id = 0;
        if (id == 3) {
            // SubMatches(i) indexes the collection.
            if (subMatches_.isEmpty()) subMatches_ = makeObject<SubMatches>(std::move(subs_));
            if (args.count) subMatches_.o->invoke(kDefaultMember, Invoke::Get, args, result);
            else result = subMatches_;
            return;
        }
        arity(args, 0, 0);
        switch (id) {
        case 0: result = Value::str(value_); return;
        case 1: result = Value::lng(firstIndex_); return;
        case 2: result = Value::lng(static_cast<std::int32_t>(value_.size())); return;
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"value", u"firstindex", u"length", u"submatches"};
        return names;
    }

private:
    std::u16string value_;
    std::int32_t firstIndex_ = 0;
    std::vector<Value> subs_;  // until SubMatches is first asked for
    Value subMatches_;
};

class Matches : public ListObject {
public:
    explicit Matches(std::unique_ptr<MatchList> list) : list_(std::move(list)) {}
    std::u16string typeName() const override { return u"IMatchCollection2"; }

protected:
    std::size_t size() const override { return list_->count(); }
    Value at(std::size_t i) const override { return makeObject<Match>(*list_, i); }

private:
    std::unique_ptr<MatchList> list_;
};

// A replacement string cut into pieces once per Replace call.
class Replacement {
public:
    Replacement(std::u16string_view text, int groups) : text_(text)
    {
        std::size_t lit = 0;
        auto flush = [&](std::size_t upTo) {
            if (upTo > lit) pieces_.push_back({Literal, static_cast<int>(lit), static_cast<int>(upTo - lit)});
        };
        for (std::size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != u'$') continue;
            char16_t c = text[i + 1];
            Piece p{Literal, 0, 0};
            std::size_t used = 2;
            if (c == u'$') p = {Literal, static_cast<int>(i), 1};
            else if (c == u'&') p = {Group, 0, 0};
            else if (c == u'`') p = {Before, 0, 0};
            else if (c == u'\'') p = {After, 0, 0};
            else if (c >= u'0' && c <= u'9') {
                int one = c - u'0';
                int two = i + 2 < text.size() && text[i + 2] >= u'0' && text[i + 2] <= u'9' ? one * 10 + (text[i + 2] - u'0') : -1;
                if (two >= 1 && two <= groups) p = {Group, two, 0}, used = 3;
                else if (one >= 1 && one <= groups) p = {Group, one, 0};
                else continue;  // "$0", "$7" without a seventh group: plain text
            } else {
                continue;
            }
            flush(i);
            pieces_.push_back(p);
            i += used - 1;
            lit = i + 1;
        }
        flush(text.size());
    }

    void append(std::u16string& out, std::u16string_view subject, const CompiledPattern& re) const
    {
        for (const Piece& p : pieces_) {
            switch (p.kind) {
            case Literal: out.append(text_.substr(static_cast<std::size_t>(p.a), static_cast<std::size_t>(p.b))); break;
            case Group:
                if (re.begin(p.a) != PCRE2_UNSET) out.append(subject.substr(re.begin(p.a), re.end(p.a) - re.begin(p.a)));
                break;
            case Before: out.append(subject.substr(0, re.begin(0))); break;
            case After: out.append(subject.substr(re.end(0))); break;
            }
        }
    }

private:
    enum Kind { Literal, Group, Before, After };
    struct Piece {
        Kind kind;
        int a;  // literal start, or group number
        int b;  // literal length
    };
    std::u16string_view text_;
    std::vector<Piece> pieces_;
};

enum Member { mPattern, mIgnoreCase, mGlobal, mMultiline, mTest, mExecute, mReplace };
const char16_t* const kNames[] = {u"pattern", u"ignorecase", u"global", u"multiline", u"test", u"execute", u"replace"};

class RegExp : public NativeObject {
public:
    explicit RegExp(Vm& vm) : vm_(vm) {}
    std::u16string typeName() const override { return u"IRegExp2"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) {
            arity(args, 1, 1);
            switch (id) {
            case mPattern: {
                std::u16string text = toStr(args[0]);
                // Scripts often set the same pattern again in a loop: keep the compiled one.
                if (text != pattern_) {
                    pattern_ = std::move(text);
                    compiled_.reset();
                }
                return;
            }
            case mIgnoreCase: flags_.ignoreCase = toBool(args[0]); return;
            case mGlobal: global_ = toBool(args[0]); return;
            case mMultiline: flags_.multiline = toBool(args[0]); return;
            default: raise(err::NoSuchAction);
            }
        }
        switch (id) {
        case mPattern: arity(args, 0, 0); result = Value::str(pattern_); return;
        case mIgnoreCase: arity(args, 0, 0); result = Value::boolean(flags_.ignoreCase); return;
        case mGlobal: arity(args, 0, 0); result = Value::boolean(global_); return;
        case mMultiline: arity(args, 0, 0); result = Value::boolean(flags_.multiline); return;
        case mTest: {
            arity(args, 1, 1);
            std::u16string subject = toStr(args[0]);
            result = Value::boolean(pattern().match(subject, 0));
            return;
        }
        case mExecute: arity(args, 1, 1); result = execute(toStr(args[0])); return;
        case mReplace: {
            arity(args, 2, 2);
            std::u16string subject = toStr(args[0]);
            std::u16string with = toStr(args[1]);
            result = Value::str(replace(subject, with));
            return;
        }
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override { return kNames; }

private:
    Vm& vm_;
    std::u16string pattern_;
    RegExpFlags flags_;
    bool global_ = false;
    std::unique_ptr<CompiledPattern> compiled_;
    RegExpFlags compiledFlags_;

    // Compiled once per change of Pattern, IgnoreCase or Multiline.
    CompiledPattern& pattern()
    {
        if (!compiled_ || compiledFlags_ != flags_) {
            compiled_.reset();
            compiled_ = std::make_unique<CompiledPattern>(pattern_, flags_);
            compiledFlags_ = flags_;
        }
        return *compiled_;
    }

    // Calls f after each match, from the start or (Global) through the whole
    // subject; an empty match moves the next search on by one position.
    template <class F>
    void eachMatch(std::u16string_view subject, F f)
    {
        CompiledPattern& re = pattern();
        std::size_t start = 0;
        for (std::size_t n = 1; start <= subject.size() && re.match(subject, start); ++n) {
            f(re);
            if (!global_) return;
            start = re.end(0) > re.begin(0) ? re.end(0) : re.end(0) + 1;
            if ((n & 1023) == 0) vm_.checkStop();
        }
    }

    Value execute(std::u16string subject)
    {
        auto list = std::make_unique<MatchList>();
        list->subject = std::move(subject);
        list->groups = pattern().groups();
        eachMatch(list->subject, [&](const CompiledPattern& re) {
            for (int g = 0; g <= list->groups; ++g) {
                bool set = re.begin(g) != PCRE2_UNSET;
                list->offsets.push_back(set ? static_cast<std::int32_t>(re.begin(g)) : -1);
                list->offsets.push_back(set ? static_cast<std::int32_t>(re.end(g)) : -1);
            }
        });
        return makeObject<Matches>(std::move(list));
    }

    std::u16string replace(std::u16string_view subject, std::u16string_view with)
    {
        Replacement pieces(with, pattern().groups());
        std::u16string out;
        out.reserve(subject.size());
        std::size_t done = 0;
        eachMatch(subject, [&](const CompiledPattern& re) {
            out.append(subject.substr(done, re.begin(0) - done));
            pieces.append(out, subject, re);
            done = re.end(0);
            if (out.size() > kMaxStringLength) raise(err::OutOfString);
        });
        out.append(subject.substr(done));
        if (out.size() > kMaxStringLength) raise(err::OutOfString);
        return out;
    }
};

}  // namespace

Value makeRegExp(Vm& vm) { return makeObject<RegExp>(vm); }

}  // namespace vbs
