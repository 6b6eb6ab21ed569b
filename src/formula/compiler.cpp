#include "formula/compiler.h"

#include "formula/compile_error.h"
#include "formula/formula_exception.h"
#include "formula/function_table.h"

namespace pw {

namespace {

bool isBinary(std::uint8_t op)
{
    switch (op) {
    case '^':
    case '*':
    case '/':
    case '\\':
    case '%':
    case '+':
    case '-':
    case '@':
    case '&':
    case '|':
    case op::Xor:
    case '<':
    case '=':
    case '>':
    case op::LessEqual:
    case op::GreaterEqual:
    case op::NotEqual:
        return true;
    default:
        return false;
    }
}

// The logic and the comparison operators swap their levels between the two columns, so that
// among themselves they apply from left to right (a run of logic operators from the right).
int arrivingLevel(std::uint8_t op)
{
    switch (op) {
    case '^':
        return 2;
    case op::Negate:
    case '!':
        return 3;
    case '*':
    case '/':
    case '\\':
    case '%':
        return 4;
    case '+':
    case '-':
    case '@':
        return 5;
    case '&':
    case '|':
    case op::Xor:
        return 6;
    default:
        return 7;
    }
}

int waitingLevel(std::uint8_t op)
{
    switch (op) {
    case '&':
    case '|':
    case op::Xor:
        return 7;
    case '<':
    case '=':
    case '>':
    case op::LessEqual:
    case op::GreaterEqual:
    case op::NotEqual:
        return 6;
    default:
        return arrivingLevel(op);
    }
}

int specialArity(SpecialForm form)
{
    switch (form) {
    case SpecialForm::Condition:
        return 3;
    case SpecialForm::Loop:
    case SpecialForm::Till:
        return 2;
    case SpecialForm::Series:
        return 4;
    case SpecialForm::Return:
        return 1;
    }
    return 1;
}

constexpr int kSetIndex = 0;
constexpr int kValIndex = 1;
constexpr int kIncIndex = 5;
constexpr int kDecIndex = 6;

} // namespace

FormulaCompiler::FormulaCompiler(const FormulaSettings &settings, const AliasTable &aliases)
    : m_settings(settings)
    , m_aliases(aliases)
{
}

std::string FormulaCompiler::compile(const std::string &formula, std::span<const std::string> names)
{
    if (names.size() > 255)
        throw FormulaException("Too many variables");
    // Numbers are read with "." whatever the locale says, by from_chars, so the process locale
    // is never touched.
    FormulaLexer lexer(formula, m_settings, m_aliases, names);
    m_lex = &lexer;
    m_code = CodeWriter();
    m_ops.clear();
    m_used.assign(names.size(), false);
    m_depth = 0;

    expression();
    if (m_lex->peek().kind != TokenKind::End)
        ThrowCompileError(SyntaxError);
    if (m_settings.TestUsedVars)
        for (bool used : m_used)
            if (!used)
                ThrowCompileError(VariableNotUsed);
    m_code.byte(op::Return);
    m_lex = nullptr;
    return std::move(m_code.code());
}

void FormulaCompiler::emitOperator(std::uint8_t op)
{
    m_code.byte(op);
}

void FormulaCompiler::emitCall(int index, std::uint8_t argc)
{
    m_code.byte(op::Call);
    m_code.byte(static_cast<std::uint8_t>(index));
    m_code.byte(argc);
}

void FormulaCompiler::expect(TokenKind kind, int errorIndex)
{
    if (m_lex->peek().kind != kind)
        ThrowCompileError(errorIndex);
    m_lex->next();
}

void FormulaCompiler::expression()
{
    if (++m_depth > MaxFormulaNesting)
        ThrowCompileError(NestedTooDeeply);
    const std::size_t base = m_ops.size();
    for (;;) {
        // Prefix operators wait on the stack like the others; a unary plus is dropped.
        for (;;) {
            const Token &t = m_lex->peek();
            if (t.kind != TokenKind::Operator || (t.op != '-' && t.op != '!' && t.op != '+'))
                break;
            if (t.op == '-')
                m_ops.push_back(op::Negate);
            else if (t.op == '!')
                m_ops.push_back('!');
            m_lex->next();
        }
        operand();
        const Token &t = m_lex->peek();
        if (t.kind != TokenKind::Operator || !isBinary(t.op))
            break;
        const std::uint8_t op = t.op;
        m_lex->next();
        while (m_ops.size() > base && waitingLevel(m_ops.back()) <= arrivingLevel(op)) {
            emitOperator(m_ops.back());
            m_ops.pop_back();
        }
        m_ops.push_back(op);
    }
    while (m_ops.size() > base) {
        emitOperator(m_ops.back());
        m_ops.pop_back();
    }
    --m_depth;
}

void FormulaCompiler::operand()
{
    Token t = m_lex->next();
    switch (t.kind) {
    case TokenKind::Number:
        m_code.number(t.number);
        return;
    case TokenKind::Text:
        m_code.text(op::PushText, t.text);
        return;
    case TokenKind::Variable:
        m_code.byte(op::PushVariable);
        m_code.byte(static_cast<std::uint8_t>(t.index));
        m_used[static_cast<std::size_t>(t.index)] = true;
        return;
    case TokenKind::External:
        m_code.text(op::PushExternal, t.text);
        return;
    case TokenKind::NameRef:
        nameReference(t.text);
        return;
    case TokenKind::Function:
        functionCall(t.index);
        return;
    case TokenKind::Special:
        specialForm(t.form);
        return;
    case TokenKind::LParen:
        expression();
        expect(TokenKind::RParen, CloseBracketExpected);
        return;
    default:
        ThrowCompileError(SyntaxError);
    }
}

void FormulaCompiler::nameReference(const std::string &name)
{
    // $a[3, 4] names the variable a3_4.
    m_code.text(op::PushText, name);
    if (m_lex->peek().kind == TokenKind::LBracket) {
        m_lex->next();
        expression();
        emitOperator('@');
        while (m_lex->peek().kind == TokenKind::Comma) {
            m_lex->next();
            m_code.text(op::PushText, "_");
            emitOperator('@');
            expression();
            emitOperator('@');
        }
        expect(TokenKind::RBracket, CloseBracketExpected);
    }
    switch (m_lex->peek().kind) {
    case TokenKind::Assign:
        m_lex->next();
        expression();
        emitCall(kSetIndex, 2);
        return;
    case TokenKind::PlusPlus:
        m_lex->next();
        emitCall(kIncIndex, 1);
        return;
    case TokenKind::MinusMinus:
        m_lex->next();
        emitCall(kDecIndex, 1);
        return;
    default:
        emitCall(kValIndex, 1);
    }
}

void FormulaCompiler::argument(int i, int n)
{
    expression();
    const TokenKind next = m_lex->peek().kind;
    if (i < n - 1) {
        if (next == TokenKind::Comma)
            m_lex->next();
        else
            ThrowCompileError(next == TokenKind::RParen ? NotEnoughParameters : CloseBracketExpected);
    } else {
        expect(TokenKind::RParen, CloseBracketExpected);
    }
}

void FormulaCompiler::functionCall(int index)
{
    const int arity = FunctionTable()[static_cast<std::size_t>(index)].arity;
    if (m_lex->peek().kind != TokenKind::LParen) {
        if (arity != 0)
            ThrowCompileError(OpenBracketExpected);
        emitCall(index, 0);
        return;
    }
    m_lex->next();
    if (arity == AnyArity) {
        int count = 0;
        if (m_lex->peek().kind == TokenKind::RParen) {
            m_lex->next();
        } else {
            for (;;) {
                expression();
                ++count;
                if (m_lex->peek().kind != TokenKind::Comma)
                    break;
                m_lex->next();
            }
            expect(TokenKind::RParen, CloseBracketExpected);
        }
        m_code.number(count);
        emitCall(index, op::CountedArgs);
        return;
    }
    if (arity == 0) {
        expect(TokenKind::RParen, CloseBracketExpected);
    } else {
        for (int i = 0; i < arity; ++i)
            argument(i, arity);
    }
    emitCall(index, static_cast<std::uint8_t>(arity));
}

void FormulaCompiler::specialForm(SpecialForm form)
{
    expect(TokenKind::LParen, OpenBracketExpected);
    const int n = specialArity(form);
    switch (form) {
    case SpecialForm::Condition: {
        argument(0, n);
        const std::size_t toElse = m_code.jump(op::JumpIfZero);
        argument(1, n);
        const std::size_t toEnd = m_code.jump(op::Jump);
        m_code.patch(toElse, m_code.size());
        argument(2, n);
        m_code.patch(toEnd, m_code.size());
        return;
    }
    case SpecialForm::Loop: {
        // The counter lies under the loop's values: -1, then 1 added at every test.
        m_code.number(-1);
        const std::size_t head = m_code.size();
        m_code.number(1);
        emitOperator('+');
        argument(0, n);
        const std::size_t toEnd = m_code.jump(op::JumpIfZero);
        argument(1, n);
        m_code.byte(op::Drop);
        m_code.jumpTo(op::Jump, head);
        m_code.patch(toEnd, m_code.size());
        return;
    }
    case SpecialForm::Till: {
        m_code.number(0);
        const std::size_t head = m_code.size();
        m_code.number(1);
        emitOperator('+');
        argument(0, n);
        m_code.byte(op::Drop);
        argument(1, n);
        m_code.jumpTo(op::JumpIfZero, head);
        return;
    }
    case SpecialForm::Series: {
        // The step is written before the body but runs after it, so the body jumps back to it.
        argument(0, n);
        m_code.byte(op::Drop);
        m_code.number(-1);
        const std::size_t head = m_code.size();
        m_code.number(1);
        emitOperator('+');
        argument(1, n);
        const std::size_t toEnd = m_code.jump(op::JumpIfZero);
        const std::size_t toBody = m_code.jump(op::Jump);
        const std::size_t step = m_code.size();
        argument(2, n);
        m_code.byte(op::Drop);
        m_code.jumpTo(op::Jump, head);
        m_code.patch(toBody, m_code.size());
        argument(3, n);
        m_code.byte(op::Drop);
        m_code.jumpTo(op::Jump, step);
        m_code.patch(toEnd, m_code.size());
        return;
    }
    case SpecialForm::Return:
        argument(0, n);
        m_code.byte(op::Return);
        return;
    }
}

} // namespace pw
