#include "vbscript/Builtins.h"

#include <unordered_map>
#include <vector>

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"

namespace vbs {
namespace {

struct Registry {
    std::vector<Builtin> all;
    std::unordered_map<std::u16string, int> byName;

    Registry()
    {
        for (auto group : {stringBuiltins(), mathBuiltins(), conversionBuiltins(), dateBuiltins(),
                           arrayBuiltins(), formatBuiltins(), miscBuiltins()}) {
            for (const Builtin& b : group) {
                byName[b.name] = static_cast<int>(all.size());
                all.push_back(b);
            }
        }
    }
};

const Registry& registry()
{
    static const Registry r;
    return r;
}

struct NamedConstant {
    const char16_t* name;
    int value;
    bool isLong = false;  // VarType 3; the others are Integer
};

// Numeric constants; the string ones are handled below.
const NamedConstant kConstants[] = {
    {u"vbokonly", 0}, {u"vbokcancel", 1}, {u"vbabortretryignore", 2}, {u"vbyesnocancel", 3},
    {u"vbyesno", 4}, {u"vbretrycancel", 5}, {u"vbcritical", 16}, {u"vbquestion", 32},
    {u"vbexclamation", 48}, {u"vbinformation", 64}, {u"vbdefaultbutton1", 0},
    {u"vbdefaultbutton2", 256}, {u"vbdefaultbutton3", 512}, {u"vbdefaultbutton4", 768},
    {u"vbapplicationmodal", 0}, {u"vbsystemmodal", 4096}, {u"vbmsgboxhelpbutton", 16384},
    {u"vbmsgboxsetforeground", 65536, true}, {u"vbmsgboxright", 524288, true},
    {u"vbmsgboxrtlreading", 1048576, true}, {u"vbok", 1}, {u"vbcancel", 2},
    {u"vbabort", 3}, {u"vbretry", 4}, {u"vbignore", 5}, {u"vbyes", 6}, {u"vbno", 7},
    {u"vbempty", 0}, {u"vbnull", 1}, {u"vbinteger", 2}, {u"vblong", 3}, {u"vbsingle", 4},
    {u"vbdouble", 5}, {u"vbcurrency", 6}, {u"vbdate", 7}, {u"vbstring", 8}, {u"vbobject", 9},
    {u"vberror", 10}, {u"vbboolean", 11}, {u"vbvariant", 12}, {u"vbdataobject", 13},
    {u"vbdecimal", 14}, {u"vbbyte", 17}, {u"vbarray", 8192},
    {u"vbbinarycompare", 0}, {u"vbtextcompare", 1}, {u"vbdatabasecompare", 2},
    {u"vbsunday", 1}, {u"vbmonday", 2}, {u"vbtuesday", 3}, {u"vbwednesday", 4},
    {u"vbthursday", 5}, {u"vbfriday", 6}, {u"vbsaturday", 7}, {u"vbusesystemdayofweek", 0},
    {u"vbfirstjan1", 1}, {u"vbfirstfourdays", 2}, {u"vbfirstfullweek", 3}, {u"vbusesystem", 0},
    {u"vbgeneraldate", 0}, {u"vblongdate", 1}, {u"vbshortdate", 2}, {u"vblongtime", 3},
    {u"vbshorttime", 4}, {u"vbusedefault", -2}, {u"vbtrue", -1}, {u"vbfalse", 0},
    // Colours are Long whatever their value.
    {u"vbblack", 0x000000, true}, {u"vbred", 0x0000FF, true}, {u"vbgreen", 0x00FF00, true},
    {u"vbyellow", 0x00FFFF, true}, {u"vbblue", 0xFF0000, true}, {u"vbmagenta", 0xFF00FF, true},
    {u"vbcyan", 0xFFFF00, true}, {u"vbwhite", 0xFFFFFF, true},
    {u"vbobjecterror", static_cast<int>(0x80040000u), true},
};

}  // namespace

int findBuiltin(std::u16string_view lowerName)
{
    const Registry& r = registry();
    auto it = r.byName.find(std::u16string(lowerName));
    return it == r.byName.end() ? -1 : it->second;
}

const Builtin& builtinAt(int index)
{
    return registry().all[static_cast<std::size_t>(index)];
}

std::optional<Value> builtinConstant(std::u16string_view n)
{
    if (n.size() < 2 || n[0] != u'v' || n[1] != u'b') return std::nullopt;
    if (n == u"vbcrlf" || n == u"vbnewline") return Value::str(u"\r\n");
    if (n == u"vbcr") return Value::str(u"\r");
    if (n == u"vblf") return Value::str(u"\n");
    if (n == u"vbtab") return Value::str(u"\t");
    if (n == u"vbnullchar") return Value::str(std::u16string(1, u'\0'));
    if (n == u"vbnullstring") return Value::str(std::u16string_view());
    if (n == u"vbformfeed") return Value::str(u"\f");
    if (n == u"vbverticaltab") return Value::str(u"\v");
    for (const auto& c : kConstants) {
        if (n == c.name) return c.isLong ? Value::lng(c.value) : Value::integer(static_cast<std::int16_t>(c.value));
    }
    return std::nullopt;
}

StrArg::StrArg(const Value& v)
{
    if (v.isString()) {
        view_ = v.strView();
    } else {
        owned_ = toStr(v);
        view_ = owned_;
    }
}

bool missing(const Args& args, int i)
{
    return i >= args.count || args[i].tag == Tag::Error;
}

int argInt(const Args& args, int i, int fallback)
{
    return missing(args, i) ? fallback : toLong(args[i]);
}

}  // namespace vbs
