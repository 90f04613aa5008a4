#include "vbscript/Lexer.h"

#include <cmath>
#include <cstdlib>
#include <unordered_map>

#include "vbscript/Coerce.h"
#include "vbscript/DateTime.h"
#include "vbscript/Errors.h"

namespace vbs {
namespace {

const std::unordered_map<std::u16string, Kw>& keywords()
{
    static const std::unordered_map<std::u16string, Kw> map = {
        {u"and", Kw::And}, {u"byref", Kw::ByRef}, {u"byval", Kw::ByVal}, {u"call", Kw::Call},
        {u"case", Kw::Case}, {u"class", Kw::Class}, {u"const", Kw::Const}, {u"default", Kw::Default},
        {u"dim", Kw::Dim}, {u"do", Kw::Do}, {u"each", Kw::Each}, {u"else", Kw::Else},
        {u"elseif", Kw::ElseIf}, {u"empty", Kw::Empty}, {u"end", Kw::End}, {u"eqv", Kw::Eqv},
        {u"erase", Kw::Erase}, {u"error", Kw::Error}, {u"exit", Kw::Exit}, {u"explicit", Kw::Explicit},
        {u"false", Kw::False}, {u"for", Kw::For}, {u"function", Kw::Function}, {u"get", Kw::Get},
        {u"goto", Kw::GoTo}, {u"if", Kw::If}, {u"imp", Kw::Imp}, {u"in", Kw::In}, {u"is", Kw::Is},
        {u"let", Kw::Let}, {u"loop", Kw::Loop}, {u"me", Kw::Me}, {u"mod", Kw::Mod}, {u"new", Kw::New},
        {u"next", Kw::Next}, {u"not", Kw::Not}, {u"nothing", Kw::Nothing}, {u"null", Kw::Null},
        {u"on", Kw::On}, {u"option", Kw::Option}, {u"or", Kw::Or}, {u"preserve", Kw::Preserve},
        {u"private", Kw::Private}, {u"property", Kw::Property}, {u"public", Kw::Public},
        {u"redim", Kw::ReDim}, {u"resume", Kw::Resume}, {u"select", Kw::Select}, {u"set", Kw::Set},
        {u"step", Kw::Step}, {u"sub", Kw::Sub}, {u"then", Kw::Then}, {u"to", Kw::To},
        {u"true", Kw::True}, {u"until", Kw::Until}, {u"wend", Kw::Wend}, {u"while", Kw::While},
        {u"with", Kw::With}, {u"xor", Kw::Xor},
    };
    return map;
}

bool isIdentStart(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c >= 0x80;
}

bool isIdentChar(char16_t c)
{
    return isIdentStart(c) || (c >= u'0' && c <= u'9') || c == u'_';
}

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

class Lexer {
public:
    explicit Lexer(std::u16string_view src) : src_(src) {}

    std::vector<Token> run()
    {
        while (pos_ < src_.size()) step();
        endStatement();
        Token end;
        end.type = Tok::End;
        end.line = line_;
        end.column = column();
        out_.push_back(std::move(end));
        return std::move(out_);
    }

private:
    std::u16string_view src_;
    std::size_t pos_ = 0;
    std::size_t lineStart_ = 0;
    int line_ = 1;
    bool space_ = false;
    std::vector<Token> out_;

    int column() const { return static_cast<int>(pos_ - lineStart_) + 1; }
    char16_t peek(std::size_t ahead = 0) const
    {
        return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : u'\0';
    }
    [[noreturn]] void fail(int number, int col) const { throw CompileError{number, line_, col}; }

    Token start(Tok type)
    {
        Token t;
        t.type = type;
        t.line = line_;
        t.column = column();
        t.spaceBefore = space_;
        space_ = false;
        return t;
    }

    void newline()
    {
        if (peek() == u'\r' && peek(1) == u'\n') ++pos_;
        ++pos_;
        ++line_;
        lineStart_ = pos_;
    }

    // A colon separates statements on one line; single-line If needs to
    // tell it from a line end, so line ends carry an empty text. A colon
    // right before a line end stays: `If a Then :` is a whole statement.
    void endStatement(bool lineEnd = true)
    {
        if (!out_.empty() && out_.back().type == Tok::EndOfStmt && !(lineEnd && !out_.back().text.empty()))
            return;
        Token t = start(Tok::EndOfStmt);
        if (!lineEnd) t.text.push_back(u':');
        out_.push_back(std::move(t));
    }

    void skipComment()
    {
        while (pos_ < src_.size() && src_[pos_] != u'\n' && src_[pos_] != u'\r') ++pos_;
    }

    // " _" at the end of a line joins it with the next one.
    bool continuation()
    {
        std::size_t p = pos_ + 1;
        while (p < src_.size() && (src_[p] == u' ' || src_[p] == u'\t')) ++p;
        if (p < src_.size() && src_[p] != u'\r' && src_[p] != u'\n') return false;
        pos_ = p;
        if (pos_ < src_.size()) newline();
        space_ = true;
        return true;
    }

    void step()
    {
        char16_t c = peek();
        if (c == u' ' || c == u'\t' || c == 0x3000 || c == 0xFEFF) { ++pos_; space_ = true; return; }
        if (c == u'\r' || c == u'\n') { endStatement(); newline(); return; }
        if (c == u':') { endStatement(false); ++pos_; return; }
        if (c == u'\'') { skipComment(); return; }
        if (c == u'_' && continuation()) return;
        if (c == u'"') { readString(); return; }
        if (c == u'[') { readBracketed(); return; }
        if (c == u'#') { readDate(); return; }
        if (isDigit(c) || (c == u'.' && isDigit(peek(1)))) { readNumber(); return; }
        if (c == u'&' && radixFollows()) {
            readRadix();
            return;
        }
        if (isIdentStart(c)) { readIdent(); return; }
        readSymbol();
    }

    static int digitValue(char16_t c)
    {
        if (isDigit(c)) return c - u'0';
        if (c >= u'a' && c <= u'f') return c - u'a' + 10;
        if (c >= u'A' && c <= u'F') return c - u'A' + 10;
        return -1;
    }

    // `&h1F` and `&17` are numbers; `"x" &hi` is `&` and the name hi.
    bool radixFollows() const
    {
        char16_t c = peek(1);
        int radix = 8;
        std::size_t first = 1;
        if (c == u'h' || c == u'H') { radix = 16; first = 2; }
        else if (c == u'o' || c == u'O') first = 2;
        int d = digitValue(peek(first));
        return d >= 0 && d < radix;
    }

    bool afterDot() const { return !out_.empty() && out_.back().type == Tok::Dot && !space_; }

    void readIdent()
    {
        Token t = start(Tok::Ident);
        std::size_t b = pos_;
        while (isIdentChar(peek())) ++pos_;
        t.text = std::u16string(src_.substr(b, pos_ - b));
        t.lower = toLower(t.text);
        if (t.text.size() > 255) fail(1030, t.column);
        // After a dot every word is a member name, Rem too.
        if (t.lower == u"rem" && !afterDot()) {
            skipComment();
            return;
        }
        auto it = keywords().find(t.lower);
        if (it != keywords().end()) t.kw = it->second;
        out_.push_back(std::move(t));
    }

    void readBracketed()
    {
        Token t = start(Tok::Ident);
        ++pos_;
        std::size_t b = pos_;
        while (pos_ < src_.size() && src_[pos_] != u']' && src_[pos_] != u'\n' && src_[pos_] != u'\r') ++pos_;
        if (peek() != u']') fail(1007, column());
        t.text = std::u16string(src_.substr(b, pos_ - b));
        t.lower = toLower(t.text);
        t.bracketed = true;
        ++pos_;
        out_.push_back(std::move(t));
    }

    void readString()
    {
        Token t = start(Tok::String);
        ++pos_;
        for (;;) {
            if (pos_ >= src_.size() || src_[pos_] == u'\n' || src_[pos_] == u'\r') fail(err::UnterminatedString, column());
            char16_t c = src_[pos_++];
            if (c == u'"') {
                if (peek() != u'"') break;
                ++pos_;
            }
            t.text += c;
        }
        out_.push_back(std::move(t));
    }

    void readDate()
    {
        Token t = start(Tok::Date);
        ++pos_;
        std::size_t b = pos_;
        while (pos_ < src_.size() && src_[pos_] != u'#' && src_[pos_] != u'\n' && src_[pos_] != u'\r') ++pos_;
        if (peek() != u'#') fail(err::Syntax, t.column);
        auto serial = parseDate(src_.substr(b, pos_ - b));
        if (!serial) fail(err::Syntax, t.column);
        ++pos_;
        t.number = Value::date(*serial);
        out_.push_back(std::move(t));
    }

    void readNumber()
    {
        Token t = start(Tok::Number);
        std::size_t b = pos_;
        bool isFloat = false;
        while (isDigit(peek())) ++pos_;
        if (peek() == u'.') { isFloat = true; ++pos_; while (isDigit(peek())) ++pos_; }
        if (peek() == u'e' || peek() == u'E') {
            std::size_t save = pos_;
            ++pos_;
            if (peek() == u'+' || peek() == u'-') ++pos_;
            if (!isDigit(peek())) pos_ = save;
            else { isFloat = true; while (isDigit(peek())) ++pos_; }
        }
        std::string text = u16ToAscii(src_.substr(b, pos_ - b));
        double v = std::strtod(text.c_str(), nullptr);
        if (std::isinf(v)) fail(err::InvalidNumber, t.column);
        if (isIdentStart(peek())) fail(err::ExpectEndOfStmt, column());
        if (!isFloat && v <= 32767) t.number = Value::integer(static_cast<std::int16_t>(v));
        else if (!isFloat && v <= 2147483647.0) t.number = Value::lng(static_cast<std::int32_t>(v));
        else t.number = Value::dbl(v);
        out_.push_back(std::move(t));
    }

    void readRadix()
    {
        Token t = start(Tok::Number);
        ++pos_;
        int radix = 8;
        if (peek() == u'h' || peek() == u'H') { radix = 16; ++pos_; }
        else if (peek() == u'o' || peek() == u'O') ++pos_;
        unsigned long long v = 0;
        std::size_t digits = 0;
        for (;;) {
            char16_t c = peek();
            int d = digitValue(c);
            if (d < 0 || d >= radix) break;
            v = v * static_cast<unsigned>(radix) + static_cast<unsigned>(d);
            if (v > 0xFFFFFFFFull) fail(err::InvalidNumber, t.column);
            ++digits;
            ++pos_;
        }
        if (!digits) fail(err::InvalidNumber, t.column);
        // Up to four hex digits wrap at 16 bits unless `&` asks for 32; then
        // the value takes the smallest subtype that holds it (&hFFFFFFFF& is
        // Integer -1, &hFFFF& Long 65535).
        bool wide = peek() == u'&';
        if (wide) ++pos_;
        std::int32_t value = !wide && v <= 0xFFFF ? static_cast<std::int16_t>(v)
                                                   : static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
        if (value >= -32768 && value <= 32767) t.number = Value::integer(static_cast<std::int16_t>(value));
        else t.number = Value::lng(value);
        out_.push_back(std::move(t));
    }

    void readSymbol()
    {
        Token t = start(Tok::End);
        char16_t c = src_[pos_++];
        switch (c) {
        case u'(': t.type = Tok::LParen; break;
        case u')': t.type = Tok::RParen; break;
        case u',': t.type = Tok::Comma; break;
        case u'.': t.type = Tok::Dot; break;
        case u'+': t.type = Tok::Plus; break;
        case u'-': t.type = Tok::Minus; break;
        case u'*': t.type = Tok::Star; break;
        case u'/': t.type = Tok::Slash; break;
        case u'\\': t.type = Tok::Backslash; break;
        case u'^': t.type = Tok::Caret; break;
        case u'&': t.type = Tok::Amp; break;
        case u'=':
            // `=>` and `=<` are old spellings of `>=` and `<=`.
            if (peek() == u'>') { ++pos_; t.type = Tok::Ge; }
            else if (peek() == u'<') { ++pos_; t.type = Tok::Le; }
            else t.type = Tok::Eq;
            break;
        case u'<':
            if (peek() == u'>') { ++pos_; t.type = Tok::Ne; }
            else if (peek() == u'=') { ++pos_; t.type = Tok::Le; }
            else t.type = Tok::Lt;
            break;
        case u'>':
            if (peek() == u'=') { ++pos_; t.type = Tok::Ge; }
            else if (peek() == u'<') { ++pos_; t.type = Tok::Ne; }
            else t.type = Tok::Gt;
            break;
        default: fail(err::InvalidChar, t.column);
        }
        out_.push_back(std::move(t));
    }
};

}  // namespace

std::vector<Token> tokenize(std::u16string_view source)
{
    return Lexer(source).run();
}

bool isReserved(Kw kw)
{
    switch (kw) {
    case Kw::None: case Kw::Error: case Kw::Explicit: case Kw::Step: case Kw::Preserve:
    case Kw::Get: case Kw::Let: case Kw::Default: case Kw::Property: case Kw::Resume:
        return false;
    default:
        return true;
    }
}

}  // namespace vbs
