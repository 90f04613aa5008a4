#pragma once
// Syntax tree to bytecode. Names are resolved here, once: locals to frame
// slots, globals to indexes in the Runtime, class members to member indexes,
// built-ins to table indexes. Only names unknown at compile time (possible
// under Execute) are looked up by name when run.
#include "vbscript/Ast.h"
#include "vbscript/Bytecode.h"
#include "vbscript/Runtime.h"

namespace vbs {

// The scope that Execute and Eval code runs in.
struct Scope {
    const Proc* outer = nullptr;  // procedure whose locals the code sees
    ClassInfo* cls = nullptr;     // class of Me, if any
    bool global = true;           // new declarations become globals
};

// Hoists the program's declarations into rt and returns its main code.
Proc* compileProgram(Runtime& rt, const Program& program, const Scope& scope);
// Code that evaluates one expression and returns it.
Proc* compileExpression(Runtime& rt, const Expr& expr, const Scope& scope);

}  // namespace vbs
