#pragma once
// Tokens to a syntax tree. Reports the first syntax error as a CompileError
// with the position of the offending token.
#include <string_view>

#include "vbscript/Ast.h"

namespace vbs {

Program parseProgram(std::u16string_view source);
// A single expression, for Eval.
ExprPtr parseExpression(std::u16string_view source);

}  // namespace vbs
