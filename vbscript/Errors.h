#pragma once
// Error numbers of the language, their descriptions, and the exceptions that
// carry them out of the compiler and the VM.
#include <string>

namespace vbs {

namespace err {
enum : int {
    InvalidCall = 5, Overflow = 6, OutOfMemory = 7, Subscript = 9, ArrayFixed = 10,
    DivByZero = 11, TypeMismatch = 13, BadFileMode = 54, PastEnd = 62, OutOfString = 14, CantPerform = 17,
    OutOfStack = 28, ProcNotDefined = 35, ObjectNotSet = 91, ForNotInit = 92,
    InvalidNull = 94, ObjectRequired = 424, CantCreateObject = 429,
    NoSuchMember = 438, NoSuchAction = 445, NamedArgs = 446, ArgNotOptional = 449,
    WrongArgCount = 450, NotCollection = 451, InvalidPicture = 481,
    KeyExists = 457, RegExpSyntax = 5017, RegExpQuantifier = 5018, RegExpBracket = 5019,
    RegExpParen = 5020, RegExpRange = 5021, ElementNotFound = 32811,
    Undefined = 500, IllegalAssign = 501, BadReference = 505, ClassNotDefined = 506,
    // compile errors
    Syntax = 1002, ExpectColon = 1003, ExpectLParen = 1005, ExpectRParen = 1006,
    ExpectIdent = 1010, ExpectEquals = 1011, ExpectIf = 1012, ExpectTo = 1013,
    ExpectEnd = 1014, ExpectFunction = 1015, ExpectSub = 1016, ExpectThen = 1017,
    ExpectWend = 1018, ExpectLoop = 1019, ExpectNext = 1020, ExpectCase = 1021,
    ExpectSelect = 1022, ExpectExpr = 1023, ExpectStatement = 1024,
    ExpectEndOfStmt = 1025, ExpectInteger = 1026, ExpectWhileUntil = 1027,
    ExpectWith = 1029, InvalidNumber = 1031, InvalidChar = 1032,
    UnterminatedString = 1033, BadMe = 1037, LoopWithoutDo = 1038, BadExit = 1039,
    BadForVar = 1040, Redefined = 1041, SubParens = 1044, ExpectLiteral = 1045,
    ExpectIn = 1046, ExpectClass = 1047, ExpectProperty = 1050,
    PropArgCount = 1051, MultipleDefault = 1052, InitTermArgs = 1053,
    PropNeedsArg = 1054, UnexpectedNext = 1055, DefaultOnlyProc = 1056,
    DefaultNeedsPublic = 1057, DefaultOnlyGet = 1058,
};
}  // namespace err

// Our own Chinese wording for a standard error number; empty when unknown.
std::u16string errorDescription(int number);

// A runtime error on its way to an On Error handler or the host.
struct ScriptError {
    int number;
    std::u16string description;  // empty: the standard text for number
    std::u16string source;       // empty: the engine's own source name
    int line = 0;                // set by the innermost frame it leaves
    int column = 0;
    std::u16string detail = {};  // shown after the description in the error text, not in Err
};

[[noreturn]] void raise(int number);

// A compile error at a source position (1-based line and column).
struct CompileError {
    int number;
    int line;
    int column;
};

}  // namespace vbs
