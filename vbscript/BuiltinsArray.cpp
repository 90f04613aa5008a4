// Array functions and the type tests.
#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateTime.h"
#include "vbscript/Errors.h"
#include "vbscript/Object.h"

namespace vbs {
namespace {

Value fnArray(Vm&, Args a)
{
    ArrayObj* arr = ArrayObj::make({a.count - 1});
    Value v = Value::array(arr);
    for (int i = 0; i < a.count; ++i) arr->items[static_cast<std::size_t>(i)] = a[i];
    return v;
}

std::size_t dimension(const Value& arr, const Args& a)
{
    if (!arr.isArray()) raise(err::TypeMismatch);
    int d = argInt(a, 1, 1);
    if (d < 1 || static_cast<std::size_t>(d) > arr.a->dims()) raise(err::Subscript);
    return static_cast<std::size_t>(d - 1);
}

Value fnLBound(Vm&, Args a) { dimension(a[0], a); return Value::lng(0); }
Value fnUBound(Vm&, Args a)
{
    std::size_t d = dimension(a[0], a);  // checks that it is an array first
    return Value::lng(a[0].a->upper[d]);
}

Value fnIsArray(Vm&, Args a) { return Value::boolean(a[0].isArray()); }
Value fnIsEmpty(Vm&, Args a) { return Value::boolean(a[0].isEmpty()); }
Value fnIsNull(Vm&, Args a) { return Value::boolean(a[0].isNull()); }
Value fnIsObject(Vm&, Args a) { return Value::boolean(a[0].isObject()); }

bool isNumericValue(const Value& v)
{
    if (v.isString()) return parseNumber(v.strView()).has_value();
    if (v.isObject()) {
        // An object counts by its default value; without one it is no number.
        if (!v.o) return false;
        try {
            return isNumericValue(defaultValue(v.o));
        } catch (const ScriptError&) {
            return false;
        }
    }
    return !(v.tag == Tag::Date || v.isNull() || v.isArray() || v.tag == Tag::Error);
}

Value fnIsNumeric(Vm&, Args a) { return Value::boolean(isNumericValue(a[0])); }

Value fnIsDate(Vm&, Args a)
{
    const Value& v = a[0];
    if (v.tag == Tag::Date) return Value::boolean(true);
    if (v.isString()) return Value::boolean(parseDate(v.strView()).has_value());
    return Value::boolean(false);
}

Value fnTypeName(Vm&, Args a) { return Value::str(typeName(a[0])); }
Value fnVarType(Vm&, Args a) { return Value::integer(static_cast<std::int16_t>(varType(a[0]))); }

const Builtin kTable[] = {
    {u"array", fnArray, 0, 127}, {u"lbound", fnLBound, 1, 2}, {u"ubound", fnUBound, 1, 2},
    {u"isarray", fnIsArray, 1, 1}, {u"isempty", fnIsEmpty, 1, 1}, {u"isnull", fnIsNull, 1, 1},
    {u"isobject", fnIsObject, 1, 1}, {u"isnumeric", fnIsNumeric, 1, 1}, {u"isdate", fnIsDate, 1, 1},
    {u"typename", fnTypeName, 1, 1}, {u"vartype", fnVarType, 1, 1},
};

}  // namespace

std::span<const Builtin> arrayBuiltins() { return kTable; }

}  // namespace vbs
