#pragma once
// Source text to tokens. Names are matched without regard to case, so each
// identifier carries its lower-case form and, when it is one, its keyword.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/Value.h"

namespace vbs {

enum class Tok : std::uint8_t {
    Ident, Number, String, Date, EndOfStmt, End,
    LParen, RParen, Comma, Dot, Plus, Minus, Star, Slash, Backslash, Caret,
    Amp, Eq, Ne, Lt, Gt, Le, Ge,
};

// Keywords; contextual ones (Error, Explicit, Step, ...) are also names.
enum class Kw : std::uint8_t {
    None, And, ByRef, ByVal, Call, Case, Class, Const, Default, Dim, Do, Each,
    Else, ElseIf, Empty, End, Eqv, Erase, Error, Exit, Explicit, False, For,
    Function, Get, GoTo, If, Imp, In, Is, Let, Loop, Me, Mod, New, Next, Not,
    Nothing, Null, On, Option, Or, Preserve, Private, Property, Public, ReDim,
    Resume, Select, Set, Step, Sub, Then, To, True, Until, Wend, While, With, Xor,
};

struct Token {
    Tok type = Tok::End;
    Kw kw = Kw::None;
    bool bracketed = false;     // [name]: never a keyword
    bool spaceBefore = false;   // tells `f (x)` from `f(x)`
    int line = 1;
    int column = 1;
    std::u16string text;        // identifier as written, or string contents
    std::u16string lower;       // identifier in lower case
    Value number;               // Number and Date tokens
};

// Throws CompileError on a bad character, number or unterminated string.
std::vector<Token> tokenize(std::u16string_view source);

// True for keywords that can never be used as a variable name.
bool isReserved(Kw kw);

}  // namespace vbs
