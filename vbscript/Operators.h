#pragma once
// The binary and unary operators on Variants: result subtypes, widening on
// overflow (Byte to Integer to Long to Double), Null propagation, and the
// comparison rules between strings and numbers.
#include "vbscript/Value.h"

namespace vbs {

Value opAdd(const Value& a, const Value& b);
Value opSub(const Value& a, const Value& b);
Value opMul(const Value& a, const Value& b);
Value opDiv(const Value& a, const Value& b);
Value opIntDiv(const Value& a, const Value& b);
Value opMod(const Value& a, const Value& b);
Value opPow(const Value& a, const Value& b);
Value opNeg(const Value& a);
Value opConcat(const Value& a, const Value& b);
Value opNot(const Value& a);
Value opAnd(const Value& a, const Value& b);
Value opOr(const Value& a, const Value& b);
Value opXor(const Value& a, const Value& b);
Value opEqv(const Value& a, const Value& b);
Value opImp(const Value& a, const Value& b);

enum class CmpOp { Eq, Ne, Lt, Gt, Le, Ge };
// A literal operand makes the other side convert to its type; between two
// variables a number is always less than a string.
enum CmpFlags { kLeftLiteral = 1, kRightLiteral = 2 };
Value opCompare(CmpOp op, const Value& a, const Value& b, int flags = 0);
// Three-way compare without Null (Select Case, sorting). textMode ignores case.
int compareValues(const Value& a, const Value& b, int flags, bool textMode = false);
bool opIs(const Value& a, const Value& b);

int compareStrings(std::u16string_view a, std::u16string_view b, bool textMode);

}  // namespace vbs
