#pragma once
// The syntax tree the parser builds and the compiler walks.
#include <memory>
#include <string>
#include <vector>

#include "vbscript/Value.h"

namespace vbs {

struct Pos {
    int line = 1;
    int column = 1;
};

enum class ExprKind {
    Literal,   // lit; `isConst` marks a literal for comparisons
    Name,      // name [ (args) ]
    Member,    // obj.name [ (args) ]; obj == nullptr inside With
    Index,     // obj(args) on the result of another call
    Paren,     // (args[0]): forces ByVal
    Unary,     // op args[0]
    Binary,    // args[0] op args[1]
    New,       // New name
    Me,
    Nothing,
};

enum class Op {
    Pow, Neg, Mul, Div, IntDiv, Mod, Add, Sub, Concat,
    Eq, Ne, Lt, Gt, Le, Ge, Is, Not, And, Or, Xor, Eqv, Imp,
};

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
    ExprKind kind;
    Pos pos;
    Op op = Op::Add;
    Value lit;
    std::u16string name;  // lower case
    std::vector<ExprPtr> args;
    ExprPtr obj;
    bool hasParens = false;  // name(...) written with an argument list
};

enum class StmtKind {
    Dim, ReDim, Erase, Const, Assign, Set, Call, If, Select, For, ForEach, Do,
    Exit, With, OnErrorResume, OnErrorGoto0, OptionExplicit, Procedure, Class, Stop,
};

enum class ExitKind { Do, For, Function, Sub, Property };
enum class DoKind { Forever, PreWhile, PreUntil, PostWhile, PostUntil };
enum class ProcKind { Sub, Function, PropertyGet, PropertyLet, PropertySet };

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;
using Block = std::vector<StmtPtr>;

struct VarDecl {
    std::u16string name;  // lower case
    Pos pos;
    std::vector<ExprPtr> bounds;  // Dim a(3, 4); ReDim bounds
    bool isArray = false;         // Dim a() as well as Dim a(3)
    ExprPtr value;                // Const
};

struct Param {
    std::u16string name;
    bool byVal = false;
    bool isArray = false;
};

struct ProcDecl {
    ProcKind kind = ProcKind::Sub;
    std::u16string name;   // lower case
    std::u16string displayName;
    bool isPublic = true;
    bool isDefault = false;
    Pos pos;
    std::vector<Param> params;
    Block body;
};

struct ClassDecl {
    std::u16string name;
    std::u16string displayName;
    Pos pos;
    struct Field {
        VarDecl decl;
        bool isPublic = true;
    };
    std::vector<Field> fields;
    std::vector<std::unique_ptr<ProcDecl>> procs;
};

struct CaseClause {
    std::vector<ExprPtr> values;  // empty for Case Else
    Block body;
    Pos pos;
};

struct Stmt {
    StmtKind kind;
    Pos pos;
    std::vector<VarDecl> decls;     // Dim, ReDim, Const, Erase (names)
    bool flag = false;              // ReDim Preserve; Private at script level
    ExprPtr target;                 // Assign/Set target, Call expression, For variable
    ExprPtr value;                  // Assign value, If/Do condition, Select subject, For start, With object
    ExprPtr limit, step;            // For
    std::vector<ExprPtr> conds;     // If / ElseIf conditions
    std::vector<Block> blocks;      // If branches (then, elseifs..., else); loop body in blocks[0]
    std::vector<Pos> blockPos;      // position of each ElseIf/Else
    std::vector<CaseClause> cases;
    DoKind doKind = DoKind::Forever;
    ExitKind exitKind = ExitKind::Do;
    Pos endPos;                     // Next / Loop / Wend position
    std::unique_ptr<ProcDecl> proc;
    std::unique_ptr<ClassDecl> cls;
};

struct Program {
    bool optionExplicit = false;
    Block body;
};

}  // namespace vbs
