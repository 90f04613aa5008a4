#include "vbscript/Parser.h"

#include <functional>

#include "vbscript/Errors.h"
#include "vbscript/Lexer.h"

namespace vbs {
namespace {

// Binding strength of the binary operators, weakest first.
int precedence(const Token& t, Op& op)
{
    switch (t.type) {
    case Tok::Caret: op = Op::Pow; return 14;
    case Tok::Star: op = Op::Mul; return 12;
    case Tok::Slash: op = Op::Div; return 12;
    case Tok::Backslash: op = Op::IntDiv; return 11;
    case Tok::Plus: op = Op::Add; return 9;
    case Tok::Minus: op = Op::Sub; return 9;
    case Tok::Amp: op = Op::Concat; return 8;
    case Tok::Eq: op = Op::Eq; return 7;
    case Tok::Ne: op = Op::Ne; return 7;
    case Tok::Lt: op = Op::Lt; return 7;
    case Tok::Gt: op = Op::Gt; return 7;
    case Tok::Le: op = Op::Le; return 7;
    case Tok::Ge: op = Op::Ge; return 7;
    case Tok::Ident:
        switch (t.kw) {
        case Kw::Mod: op = Op::Mod; return 10;
        case Kw::Is: op = Op::Is; return 7;
        case Kw::And: op = Op::And; return 5;
        case Kw::Or: op = Op::Or; return 4;
        case Kw::Xor: op = Op::Xor; return 3;
        case Kw::Eqv: op = Op::Eqv; return 2;
        case Kw::Imp: op = Op::Imp; return 1;
        default: return -1;
        }
    default: return -1;
    }
}
constexpr int kNotPrec = 6;
// The Error value that stands for an omitted argument (DISP_E_PARAMNOTFOUND).
constexpr std::int32_t kMissingArgument = static_cast<std::int32_t>(0x80020004u);

class Parser {
public:
    explicit Parser(std::u16string_view src) : toks_(tokenize(src)) {}

    Program program()
    {
        Program prog;
        skipEnds();
        if (isKw(Kw::Option)) {
            next();
            expectKw(Kw::Explicit, err::Syntax);
            prog.optionExplicit = true;
            endOfStatement();
        }
        while (!is(Tok::End)) {
            if (isKw(Kw::Option)) fail(1042);
            prog.body.push_back(statement(Scope::Script));
            endOfStatement();
        }
        return prog;
    }

    ExprPtr lone()
    {
        skipEnds();
        ExprPtr e = expr();
        skipEnds();
        if (!is(Tok::End)) fail(err::ExpectEndOfStmt);
        return e;
    }

private:
    enum class Scope { Script, Proc, Class };
    std::vector<Token> toks_;
    std::size_t p_ = 0;
    int singleLineIf_ = 0;
    int nesting_ = 0;

    // Bounds the parser's own recursion so hostile input cannot exhaust the
    // native stack.
    struct Nest {
        Parser& p;
        explicit Nest(Parser& parser) : p(parser)
        {
            if (++p.nesting_ > kMaxNesting) p.fail(err::OutOfStack);
        }
        ~Nest() { --p.nesting_; }
    };
    static constexpr int kMaxNesting = 400;

    const Token& cur() const { return toks_[p_]; }
    const Token& peekTok(std::size_t k = 1) const { return toks_[std::min(p_ + k, toks_.size() - 1)]; }
    bool is(Tok t) const { return cur().type == t; }
    bool isKw(Kw k) const { return cur().type == Tok::Ident && !cur().bracketed && cur().kw == k; }
    Token next() { Token t = toks_[p_]; if (p_ + 1 < toks_.size()) ++p_; return t; }
    Pos pos() const { return {cur().line, cur().column}; }
    [[noreturn]] void fail(int number) const { throw CompileError{number, cur().line, cur().column}; }

    void skipEnds() { while (is(Tok::EndOfStmt)) next(); }
    void expect(Tok t, int number) { if (!is(t)) fail(number); next(); }
    void expectKw(Kw k, int number) { if (!isKw(k)) fail(number); next(); }

    bool atStatementEnd() const
    {
        return is(Tok::EndOfStmt) || is(Tok::End) || atBodyEnd() ||
               (singleLineIf_ && (isKw(Kw::Else) || isEnd(Kw::If)));
    }
    // `x = 1 End Sub`: the end of a procedure or class also ends the
    // statement before it on the same line.
    bool atBodyEnd() const
    {
        return isEnd(Kw::Sub) || isEnd(Kw::Function) || isEnd(Kw::Property) || isEnd(Kw::Class);
    }
    void endOfStatement()
    {
        if (is(Tok::End) || atBodyEnd()) return;
        if (!is(Tok::EndOfStmt)) fail(err::ExpectEndOfStmt);
        skipEnds();
    }
    bool atLineEnd() const { return is(Tok::End) || (is(Tok::EndOfStmt) && cur().text.empty()); }

    std::u16string name()
    {
        if (!is(Tok::Ident) || (!cur().bracketed && isReserved(cur().kw))) fail(err::ExpectIdent);
        return next().lower;
    }
    std::u16string displayName()
    {
        if (!is(Tok::Ident) || (!cur().bracketed && isReserved(cur().kw))) fail(err::ExpectIdent);
        return next().text;
    }

    // ---- expressions ----
    ExprPtr make(ExprKind k, Pos at) { auto e = std::make_unique<Expr>(); e->kind = k; e->pos = at; return e; }

    ExprPtr expr(int minPrec = 0, ExprPtr seed = nullptr)
    {
        ExprPtr left = seed ? std::move(seed) : unary();
        for (;;) {
            Op op;
            int prec = precedence(cur(), op);
            if (prec < minPrec || prec < 0) return left;
            Pos at = pos();
            next();
            ExprPtr right = expr(prec + 1);
            ExprPtr bin = make(ExprKind::Binary, at);
            bin->op = op;
            bin->args.push_back(std::move(left));
            bin->args.push_back(std::move(right));
            left = std::move(bin);
        }
    }

    ExprPtr unary()
    {
        Nest guard(*this);
        Pos at = pos();
        if (isKw(Kw::Not)) {
            next();
            ExprPtr e = make(ExprKind::Unary, at);
            e->op = Op::Not;
            e->args.push_back(expr(kNotPrec));
            return e;
        }
        // A sign binds tighter than ^: -3 ^ 2 is 9.
        if (is(Tok::Minus)) {
            next();
            ExprPtr e = make(ExprKind::Unary, at);
            e->op = Op::Neg;
            e->args.push_back(unary());
            return e;
        }
        if (is(Tok::Plus)) {
            next();
            return unary();
        }
        return postfix(primary());
    }

    ExprPtr literal(Value v, Pos at)
    {
        ExprPtr e = make(ExprKind::Literal, at);
        e->lit = std::move(v);
        return e;
    }

    ExprPtr primary()
    {
        Pos at = pos();
        const Token& t = cur();
        switch (t.type) {
        case Tok::Number:
        case Tok::Date: return literal(next().number, at);
        case Tok::String: return literal(Value::str(next().text), at);
        case Tok::LParen: {
            next();
            ExprPtr e = make(ExprKind::Paren, at);
            e->args.push_back(expr());
            expect(Tok::RParen, err::ExpectRParen);
            return e;
        }
        case Tok::Dot: {
            next();
            ExprPtr e = make(ExprKind::Member, at);
            e->name = memberName();
            callArgs(*e);
            return e;
        }
        case Tok::Ident: break;
        default: fail(err::ExpectExpr);
        }
        if (!t.bracketed) {
            switch (t.kw) {
            case Kw::True: next(); return literal(Value::boolean(true), at);
            case Kw::False: next(); return literal(Value::boolean(false), at);
            case Kw::Empty: next(); return literal(Value(), at);
            case Kw::Null: next(); return literal(Value::null(), at);
            case Kw::Nothing: next(); return make(ExprKind::Nothing, at);
            case Kw::Me: next(); return make(ExprKind::Me, at);
            case Kw::New: {
                next();
                ExprPtr e = make(ExprKind::New, at);
                e->name = name();
                return e;
            }
            default:
                if (isReserved(t.kw)) fail(err::ExpectExpr);
            }
        }
        ExprPtr e = make(ExprKind::Name, at);
        e->name = next().lower;
        callArgs(*e);
        return e;
    }

    // After a dot any word is a member name, keywords included.
    std::u16string memberName()
    {
        if (!is(Tok::Ident)) fail(err::ExpectIdent);
        return next().lower;
    }

    void callArgs(Expr& e)
    {
        if (!is(Tok::LParen)) return;
        next();
        e.hasParens = true;
        if (is(Tok::RParen)) { next(); return; }
        for (;;) {
            e.args.push_back(optionalArg(Tok::RParen));
            if (!is(Tok::Comma)) break;
            next();
        }
        expect(Tok::RParen, err::ExpectRParen);
    }

    // `MsgBox "x", , "title"`: an argument left out between commas.
    ExprPtr optionalArg(Tok closing)
    {
        if (is(Tok::Comma) || is(closing) || (closing == Tok::EndOfStmt && atStatementEnd()))
            return literal(Value::error(kMissingArgument), pos());
        return expr();
    }

    // `(f)(x)`, `((a))(0)`: the parentheses around a bare name or member
    // only wrap the callee, which takes the argument list itself.
    ExprPtr parenthesizedCallee(ExprPtr e)
    {
        Expr* inner = e.get();
        while (inner->kind == ExprKind::Paren) inner = inner->args[0].get();
        bool bare = (inner->kind == ExprKind::Name || inner->kind == ExprKind::Member) && !inner->hasParens;
        if (bare) {
            ExprPtr callee = std::move(e);
            while (callee->kind == ExprKind::Paren) callee = std::move(callee->args[0]);
            callArgs(*callee);
            return callee;
        }
        ExprPtr ix = make(ExprKind::Index, pos());
        ix->obj = std::move(e);
        callArgs(*ix);
        return ix;
    }

    ExprPtr postfix(ExprPtr e)
    {
        for (;;) {
            if (is(Tok::Dot) && !cur().spaceBefore) {
                Pos at = pos();
                next();
                ExprPtr m = make(ExprKind::Member, at);
                m->obj = std::move(e);
                m->name = memberName();
                callArgs(*m);
                e = std::move(m);
            } else if (is(Tok::LParen) && e->kind == ExprKind::Paren) {
                e = parenthesizedCallee(std::move(e));
            } else if (is(Tok::LParen) && e->hasParens) {
                ExprPtr ix = make(ExprKind::Index, pos());
                ix->obj = std::move(e);
                callArgs(*ix);
                e = std::move(ix);
            } else {
                return e;
            }
        }
    }

    // ---- statements ----
    using StmtP = StmtPtr;
    StmtP make(StmtKind k, Pos at) { auto s = std::make_unique<Stmt>(); s->kind = k; s->pos = at; return s; }

    bool blockEnds(const std::function<bool()>& ends)
    {
        skipEnds();
        if (is(Tok::End)) return true;
        return ends();
    }

    Block block(Scope scope, const std::function<bool()>& ends, int missing)
    {
        Nest guard(*this);
        Block b;
        while (!blockEnds(ends)) {
            b.push_back(statement(scope));
            endOfStatement();
        }
        if (is(Tok::End)) fail(missing);
        return b;
    }

    bool isEnd(Kw what) const { return isKw(Kw::End) && peekTok().type == Tok::Ident && peekTok().kw == what; }
    void expectEnd(Kw what, int number)
    {
        if (!isEnd(what)) fail(number);
        next();
        next();
    }

    StmtP statement(Scope scope)
    {
        Pos at = pos();
        if (is(Tok::Ident) && !cur().bracketed) {
            switch (cur().kw) {
            case Kw::Dim: next(); return dim(at);
            case Kw::ReDim: return redim(at);
            case Kw::Erase: return erase(at);
            case Kw::Const: next(); return constant(at, false);
            case Kw::Private:
            case Kw::Public: return visibility(scope, at);
            case Kw::If: return ifStmt(scope, at);
            case Kw::Select: return select(scope, at);
            case Kw::For: return forStmt(scope, at);
            case Kw::Do: return doStmt(scope, at);
            case Kw::While: return whileStmt(scope, at);
            case Kw::Exit: return exitStmt(at);
            case Kw::With: return with(scope, at);
            case Kw::On: return onError(at);
            case Kw::Set: next(); return assignment(at, true);
            case Kw::Let:
                if (peekTok().type == Tok::Eq) break;  // a variable named Let
                next();
                return assignment(at, false);
            case Kw::Call: return callStmt(at);
            case Kw::Property:
                if (!propertyFollows()) break;  // a variable named Property
                return procStmt(scope, at, true, false);
            case Kw::Sub:
            case Kw::Function: return procStmt(scope, at, true, false);
            case Kw::Class: return classStmt(scope, at);
            case Kw::Option: fail(1042);
            case Kw::Next: fail(err::UnexpectedNext);
            case Kw::Loop: fail(err::LoopWithoutDo);
            case Kw::Wend: case Kw::Else: case Kw::ElseIf: case Kw::Case: case Kw::End:
                fail(err::Syntax);
            default: break;
            }
            // Stop is a breakpoint for a debugger; without one it does nothing.
            if (cur().lower == u"stop") {
                std::size_t save = p_;
                next();
                if (atStatementEnd()) return make(StmtKind::Stop, at);
                p_ = save;
            }
        }
        return simple(at);
    }

    bool propertyFollows() const
    {
        const Token& t = peekTok();
        return t.type == Tok::Ident && (t.kw == Kw::Get || t.kw == Kw::Let || t.kw == Kw::Set);
    }
    // Sub, Function or Property Get/Let/Set (after Default, if any) starts a
    // procedure; otherwise Property and Default are names.
    bool procedureFollows() const
    {
        if (isKw(Kw::Sub) || isKw(Kw::Function)) return true;
        if (isKw(Kw::Property)) return propertyFollows();
        if (!isKw(Kw::Default)) return false;
        const Token& t = peekTok();
        return t.type == Tok::Ident && (t.kw == Kw::Sub || t.kw == Kw::Function || t.kw == Kw::Property);
    }

    std::vector<VarDecl> varList(bool allowBounds)
    {
        std::vector<VarDecl> out;
        for (;;) {
            VarDecl d;
            d.pos = pos();
            d.name = name();
            if (is(Tok::LParen) && allowBounds) {
                next();
                d.isArray = true;
                if (!is(Tok::RParen)) {
                    for (;;) {
                        d.bounds.push_back(expr());
                        if (!is(Tok::Comma)) break;
                        next();
                    }
                }
                expect(Tok::RParen, err::ExpectRParen);
            }
            out.push_back(std::move(d));
            if (!is(Tok::Comma)) return out;
            next();
        }
    }

    StmtP dim(Pos at)
    {
        StmtP s = make(StmtKind::Dim, at);
        s->decls = varList(true);
        return s;
    }

    StmtP redim(Pos at)
    {
        next();
        StmtP s = make(StmtKind::ReDim, at);
        if (isKw(Kw::Preserve)) { next(); s->flag = true; }
        s->decls = varList(true);
        for (auto& d : s->decls)
            if (d.bounds.empty()) fail(err::Syntax);
        return s;
    }

    StmtP erase(Pos at)
    {
        next();
        StmtP s = make(StmtKind::Erase, at);
        for (;;) {
            VarDecl d;
            d.pos = pos();
            d.name = name();
            s->decls.push_back(std::move(d));
            if (!is(Tok::Comma)) return s;
            next();
        }
    }

    StmtP constant(Pos at, bool isPrivate)
    {
        StmtP s = make(StmtKind::Const, at);
        s->flag = isPrivate;
        for (;;) {
            VarDecl d;
            d.pos = pos();
            d.name = name();
            expect(Tok::Eq, err::ExpectEquals);
            d.value = expr();
            s->decls.push_back(std::move(d));
            if (!is(Tok::Comma)) return s;
            next();
        }
    }

    StmtP visibility(Scope scope, Pos at)
    {
        bool isPrivate = isKw(Kw::Private);
        next();
        if (procedureFollows()) return procStmt(scope, at, !isPrivate, true);
        if (scope == Scope::Proc) fail(err::Syntax);
        if (isKw(Kw::Const)) { next(); return constant(at, isPrivate); }
        if (isKw(Kw::Class)) return classStmt(scope, at);
        StmtP s = dim(at);
        s->flag = isPrivate;
        return s;
    }

    // Statements that follow Then on the same line, up to Else, End If or
    // the line end; colons alone make empty statements.
    Block inlineBlock(Scope scope)
    {
        Nest guard(*this);
        Block b;
        ++singleLineIf_;
        for (;;) {
            while (is(Tok::EndOfStmt) && !atLineEnd()) next();
            if (atLineEnd() || atStatementEnd()) break;
            b.push_back(statement(scope));
            if (!is(Tok::EndOfStmt) || atLineEnd()) break;
        }
        --singleLineIf_;
        return b;
    }

    StmtP ifStmt(Scope scope, Pos at)
    {
        next();
        StmtP s = make(StmtKind::If, at);
        s->conds.push_back(expr());
        expectKw(Kw::Then, err::ExpectThen);
        // Anything after Then on its line, a colon too, makes a single-line If.
        if (!atLineEnd()) {
            s->blocks.push_back(inlineBlock(scope));
            if (isKw(Kw::Else)) {
                next();
                s->blocks.push_back(inlineBlock(scope));
            }
            if (isEnd(Kw::If)) {
                next();
                next();
            }
            if (!atStatementEnd()) fail(err::ExpectEndOfStmt);
            return s;
        }
        auto branchEnds = [&] { return isKw(Kw::ElseIf) || isKw(Kw::Else) || isEnd(Kw::If); };
        s->blocks.push_back(block(scope, branchEnds, err::ExpectEnd));
        while (isKw(Kw::ElseIf)) {
            s->blockPos.push_back(pos());
            next();
            s->conds.push_back(expr());
            expectKw(Kw::Then, err::ExpectThen);
            s->blocks.push_back(block(scope, branchEnds, err::ExpectEnd));
        }
        if (isKw(Kw::Else)) {
            s->blockPos.push_back(pos());
            next();
            s->blocks.push_back(block(scope, [&] { return isEnd(Kw::If); }, err::ExpectEnd));
        }
        expectEnd(Kw::If, err::ExpectIf);
        return s;
    }

    StmtP select(Scope scope, Pos at)
    {
        next();
        expectKw(Kw::Case, err::ExpectCase);
        StmtP s = make(StmtKind::Select, at);
        s->value = expr();
        endOfStatement();
        while (isKw(Kw::Case)) {
            CaseClause c;
            c.pos = pos();
            next();
            if (isKw(Kw::Else)) {
                next();
            } else {
                for (;;) {
                    c.values.push_back(expr());
                    if (!is(Tok::Comma)) break;
                    next();
                }
            }
            bool isElse = c.values.empty();
            c.body = block(scope, [&] { return isKw(Kw::Case) || isEnd(Kw::Select); }, err::ExpectEnd);
            s->cases.push_back(std::move(c));
            if (isElse) break;
        }
        expectEnd(Kw::Select, err::ExpectSelect);
        return s;
    }

    StmtP forStmt(Scope scope, Pos at)
    {
        next();
        if (isKw(Kw::Each)) {
            next();
            StmtP s = make(StmtKind::ForEach, at);
            s->target = make(ExprKind::Name, pos());
            s->target->name = name();
            expectKw(Kw::In, err::ExpectIn);
            s->value = expr();
            s->blocks.push_back(block(scope, [&] { return isKw(Kw::Next); }, err::ExpectNext));
            s->endPos = pos();
            next();
            return s;
        }
        StmtP s = make(StmtKind::For, at);
        s->target = make(ExprKind::Name, pos());
        s->target->name = name();
        expect(Tok::Eq, err::ExpectEquals);
        s->value = expr();
        expectKw(Kw::To, err::ExpectTo);
        s->limit = expr();
        if (isKw(Kw::Step)) {
            next();
            s->step = expr();
        }
        s->blocks.push_back(block(scope, [&] { return isKw(Kw::Next); }, err::ExpectNext));
        s->endPos = pos();
        next();
        // `Next i` may name the loop variable.
        if (is(Tok::Ident) && !isReserved(cur().kw)) next();
        return s;
    }

    DoKind doCondition(bool pre)
    {
        if (isKw(Kw::While)) { next(); return pre ? DoKind::PreWhile : DoKind::PostWhile; }
        if (isKw(Kw::Until)) { next(); return pre ? DoKind::PreUntil : DoKind::PostUntil; }
        return DoKind::Forever;
    }

    StmtP doStmt(Scope scope, Pos at)
    {
        next();
        StmtP s = make(StmtKind::Do, at);
        s->doKind = doCondition(true);
        if (s->doKind != DoKind::Forever) s->value = expr();
        else if (!is(Tok::EndOfStmt)) fail(1028);
        s->blocks.push_back(block(scope, [&] { return isKw(Kw::Loop); }, err::ExpectLoop));
        s->endPos = pos();
        next();
        if (s->doKind == DoKind::Forever) {
            s->doKind = doCondition(false);
            if (s->doKind != DoKind::Forever) s->value = expr();
        }
        return s;
    }

    StmtP whileStmt(Scope scope, Pos at)
    {
        next();
        StmtP s = make(StmtKind::Do, at);
        s->doKind = DoKind::PreWhile;
        s->value = expr();
        s->blocks.push_back(block(scope, [&] { return isKw(Kw::Wend); }, err::ExpectWend));
        s->endPos = pos();
        next();
        return s;
    }

    StmtP exitStmt(Pos at)
    {
        next();
        StmtP s = make(StmtKind::Exit, at);
        if (isKw(Kw::Do)) s->exitKind = ExitKind::Do;
        else if (isKw(Kw::For)) s->exitKind = ExitKind::For;
        else if (isKw(Kw::Function)) s->exitKind = ExitKind::Function;
        else if (isKw(Kw::Sub)) s->exitKind = ExitKind::Sub;
        else if (isKw(Kw::Property)) s->exitKind = ExitKind::Property;
        else fail(err::Syntax);
        next();
        return s;
    }

    StmtP with(Scope scope, Pos at)
    {
        next();
        StmtP s = make(StmtKind::With, at);
        s->value = expr();
        s->blocks.push_back(block(scope, [&] { return isEnd(Kw::With); }, err::ExpectEnd));
        expectEnd(Kw::With, err::ExpectWith);
        return s;
    }

    StmtP onError(Pos at)
    {
        next();
        expectKw(Kw::Error, err::Syntax);
        if (isKw(Kw::Resume)) {
            next();
            expectKw(Kw::Next, err::Syntax);
            return make(StmtKind::OnErrorResume, at);
        }
        expectKw(Kw::GoTo, err::Syntax);
        if (!is(Tok::Number) || cur().number.tag != Tag::Integer || cur().number.i != 0) fail(err::Syntax);
        next();
        return make(StmtKind::OnErrorGoto0, at);
    }

    StmtP assignment(Pos at, bool isSet)
    {
        StmtP s = make(isSet ? StmtKind::Set : StmtKind::Assign, at);
        s->target = postfix(primary());
        if (s->target->kind != ExprKind::Name && s->target->kind != ExprKind::Member && s->target->kind != ExprKind::Index)
            fail(err::Syntax);
        expect(Tok::Eq, err::ExpectEquals);
        s->value = expr();
        return s;
    }

    StmtP callStmt(Pos at)
    {
        next();
        StmtP s = make(StmtKind::Call, at);
        s->target = postfix(primary());
        while (s->target->kind == ExprKind::Paren) s->target = std::move(s->target->args[0]);  // Call (f)
        if (s->target->kind != ExprKind::Name && s->target->kind != ExprKind::Member) fail(err::Syntax);
        return s;
    }

    // An assignment without Set or a call without Call.
    StmtP simple(Pos at)
    {
        if (!is(Tok::Ident) && !is(Tok::Dot)) fail(err::ExpectStatement);
        ExprPtr target = postfix(primary());
        if (target->kind == ExprKind::Me || target->kind == ExprKind::Literal) fail(err::ExpectStatement);
        if (is(Tok::Eq)) {
            next();
            StmtP s = make(StmtKind::Assign, at);
            s->target = std::move(target);
            s->value = expr();
            return s;
        }
        StmtP s = make(StmtKind::Call, at);
        if (atStatementEnd()) {
            // `f(x)` as a statement passes x by value; two or more are an error.
            if (target->hasParens && target->args.size() > 1 && target->kind != ExprKind::Index) fail(err::SubParens);
            if (target->hasParens && target->args.size() == 1) parenthesizeFirst(*target);
            target->hasParens = false;
            s->target = std::move(target);
            return s;
        }
        if (target->kind == ExprKind::Index) fail(err::ExpectEndOfStmt);
        std::vector<ExprPtr> args;
        if (target->hasParens) {
            // `f (a) + 1, b`: the parenthesised part begins the first argument.
            if (target->args.size() != 1) fail(err::ExpectEndOfStmt);
            parenthesizeFirst(*target);
            args.push_back(expr(0, std::move(target->args[0])));
            target->args.clear();
            if (is(Tok::Comma)) {
                next();
                if (atStatementEnd()) args.push_back(literal(Value::error(kMissingArgument), pos()));
            } else if (!atStatementEnd()) {
                fail(err::ExpectEndOfStmt);
            }
        }
        while (!atStatementEnd()) {
            args.push_back(optionalArg(Tok::EndOfStmt));
            if (!is(Tok::Comma)) break;
            next();
        }
        if (!atStatementEnd()) fail(err::ExpectEndOfStmt);
        target->args = std::move(args);
        target->hasParens = false;
        s->target = std::move(target);
        return s;
    }

    void parenthesizeFirst(Expr& target)
    {
        ExprPtr p = make(ExprKind::Paren, target.args[0]->pos);
        p->args.push_back(std::move(target.args[0]));
        target.args[0] = std::move(p);
    }

    // ---- procedures and classes ----
    std::vector<Param> params()
    {
        std::vector<Param> out;
        if (!is(Tok::LParen)) return out;
        next();
        while (!is(Tok::RParen)) {
            Param prm;
            if (isKw(Kw::ByVal)) { next(); prm.byVal = true; }
            else if (isKw(Kw::ByRef)) next();
            prm.name = name();
            if (is(Tok::LParen)) {
                next();
                expect(Tok::RParen, err::ExpectRParen);
                prm.isArray = true;
            }
            out.push_back(std::move(prm));
            if (!is(Tok::Comma)) break;
            next();
        }
        expect(Tok::RParen, err::ExpectRParen);
        return out;
    }

    StmtP procStmt(Scope scope, Pos at, bool isPublic, bool sawVisibility)
    {
        if (scope == Scope::Proc) fail(err::Syntax);
        auto proc = std::make_unique<ProcDecl>();
        proc->isPublic = isPublic;
        proc->pos = at;
        if (isKw(Kw::Default)) {
            if (scope != Scope::Class) fail(err::Syntax);
            if (!isPublic || !sawVisibility) fail(err::DefaultNeedsPublic);
            next();
            proc->isDefault = true;
        }
        int endNumber = err::ExpectSub;
        Kw endKw = Kw::Sub;
        if (isKw(Kw::Sub)) proc->kind = ProcKind::Sub;
        else if (isKw(Kw::Function)) { proc->kind = ProcKind::Function; endNumber = err::ExpectFunction; endKw = Kw::Function; }
        else if (isKw(Kw::Property)) {
            if (scope != Scope::Class) fail(1048);
            next();
            if (isKw(Kw::Get)) proc->kind = ProcKind::PropertyGet;
            else if (isKw(Kw::Let)) proc->kind = ProcKind::PropertyLet;
            else if (isKw(Kw::Set)) proc->kind = ProcKind::PropertySet;
            else fail(1049);
            endNumber = err::ExpectProperty;
            endKw = Kw::Property;
        } else {
            fail(err::DefaultOnlyProc);
        }
        next();
        proc->displayName = displayName();
        proc->name = toks_[p_ - 1].lower;
        proc->params = params();
        if ((proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet) && proc->params.empty())
            fail(err::PropNeedsArg);
        if (proc->isDefault && proc->kind != ProcKind::PropertyGet && proc->kind != ProcKind::Function && proc->kind != ProcKind::Sub)
            fail(err::DefaultOnlyGet);
        // `Sub f() x = 1 End Sub`: the body may start on the header's line.
        skipEnds();
        proc->body = block(Scope::Proc, [&] { return isEnd(endKw); }, err::ExpectEnd);
        expectEnd(endKw, endNumber);
        StmtP s = make(StmtKind::Procedure, at);
        s->proc = std::move(proc);
        return s;
    }

    StmtP classStmt(Scope scope, Pos at)
    {
        if (scope != Scope::Script) fail(err::Syntax);
        next();
        auto cls = std::make_unique<ClassDecl>();
        cls->pos = at;
        cls->displayName = displayName();
        cls->name = toks_[p_ - 1].lower;
        endOfStatement();
        while (!isEnd(Kw::Class)) {
            if (is(Tok::End)) fail(err::ExpectEnd);
            classMember(*cls);
            endOfStatement();
        }
        next();
        next();
        StmtP s = make(StmtKind::Class, at);
        s->cls = std::move(cls);
        return s;
    }

    void classMember(ClassDecl& cls)
    {
        Pos at = pos();
        bool isPublic = true, sawVisibility = false;
        if (isKw(Kw::Private) || isKw(Kw::Public)) {
            isPublic = isKw(Kw::Public);
            sawVisibility = true;
            next();
        } else if (isKw(Kw::Dim)) {
            next();
            for (auto& d : varList(true)) cls.fields.push_back({std::move(d), true});
            return;
        }
        if (procedureFollows()) {
            StmtP s = procStmt(Scope::Class, at, isPublic, sawVisibility);
            cls.procs.push_back(std::move(s->proc));
            return;
        }
        if (!sawVisibility) fail(err::Syntax);
        if (isKw(Kw::Const)) fail(err::Syntax);
        for (auto& d : varList(true)) cls.fields.push_back({std::move(d), isPublic});
    }
};

}  // namespace

Program parseProgram(std::u16string_view source)
{
    return Parser(source).program();
}

ExprPtr parseExpression(std::u16string_view source)
{
    return Parser(source).lone();
}

}  // namespace vbs
