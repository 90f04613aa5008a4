// Mathematical functions, Rnd and Randomize.
#include <chrono>
#include <cmath>

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/Vm.h"

namespace vbs {
namespace {

using MathFn = double (*)(double);

Value unary(const Args& a, MathFn fn)
{
    if (a[0].isNull()) return Value::null();
    double r = fn(toDouble(a[0]));
    if (std::isnan(r)) raise(err::InvalidCall);
    if (std::isinf(r)) raise(err::Overflow);
    return Value::dbl(r);
}

Value fnAtn(Vm&, Args a) { return unary(a, [](double x) { return std::atan(x); }); }
Value fnCos(Vm&, Args a) { return unary(a, [](double x) { return std::cos(x); }); }
Value fnSin(Vm&, Args a) { return unary(a, [](double x) { return std::sin(x); }); }
Value fnTan(Vm&, Args a) { return unary(a, [](double x) { return std::tan(x); }); }
Value fnExp(Vm&, Args a) { return unary(a, [](double x) { return std::exp(x); }); }

Value fnLog(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    double x = toDouble(a[0]);
    if (x <= 0) raise(err::InvalidCall);
    return Value::dbl(std::log(x));
}

Value fnSqr(Vm&, Args a)
{
    if (a[0].isNull()) return Value::null();
    double x = toDouble(a[0]);
    if (x < 0) raise(err::InvalidCall);
    return Value::dbl(std::sqrt(x));
}

Value fnRnd(Vm& vm, Args a)
{
    double arg = missing(a, 0) ? 1.0 : toDouble(a[0]);
    return Value::single(static_cast<float>(vm.rnd(arg)));
}

Value fnRandomize(Vm& vm, Args a)
{
    if (missing(a, 0)) {
        using namespace std::chrono;
        double secs = duration_cast<microseconds>(system_clock::now().time_since_epoch()).count() / 1e6;
        vm.randomize(std::fmod(secs, 86400.0), true);
    } else {
        vm.randomize(toDouble(a[0]), false);
    }
    return Value();
}

const Builtin kTable[] = {
    {u"atn", fnAtn, 1, 1}, {u"cos", fnCos, 1, 1}, {u"sin", fnSin, 1, 1}, {u"tan", fnTan, 1, 1},
    {u"exp", fnExp, 1, 1}, {u"log", fnLog, 1, 1}, {u"sqr", fnSqr, 1, 1},
    {u"rnd", fnRnd, 0, 1}, {u"randomize", fnRandomize, 0, 1},
};

}  // namespace

std::span<const Builtin> mathBuiltins() { return kTable; }

}  // namespace vbs
