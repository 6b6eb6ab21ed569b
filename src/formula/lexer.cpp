#include "formula/lexer.h"

#include "formula/bytecode.h"
#include "formula/compile_error.h"
#include "formula/function_table.h"
#include "formula/text_case.h"

#include <charconv>
#include <numbers>

namespace pw {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

Token make(TokenKind kind)
{
    Token t;
    t.kind = kind;
    return t;
}

Token error(int index, std::string culprit = {})
{
    Token t;
    t.kind = TokenKind::Error;
    t.index = index;
    t.text = std::move(culprit);
    return t;
}

Token operatorToken(std::uint8_t op)
{
    Token t;
    t.kind = TokenKind::Operator;
    t.op = op;
    return t;
}

struct SpecialName
{
    std::string_view name;
    SpecialForm form;
};

constexpr SpecialName kSpecialForms[] = {
    {"CONDITION", SpecialForm::Condition}, {"LOOP", SpecialForm::Loop},     {"TILL", SpecialForm::Till},
    {"SERIES", SpecialForm::Series},       {"RETURN", SpecialForm::Return},
};

// XOR, PI and the special forms win over an alias of the same name.
bool resolvedBeforeAliases(const std::string &upper)
{
    if (upper == "XOR" || upper == "PI")
        return true;
    for (const SpecialName &s : kSpecialForms)
        if (s.name == upper)
            return true;
    return false;
}

} // namespace

FormulaLexer::FormulaLexer(const std::string &source, const FormulaSettings &settings,
                           const AliasTable &aliases, std::span<const std::string> names)
    : m_src(source + '\0')
    , m_settings(settings)
    , m_aliases(aliases)
    , m_names(names)
{
    for (char c : settings.VarNameLiterals)
        m_nameStart[static_cast<unsigned char>(c)] = true;
}

bool FormulaLexer::isNameStart(char c) const
{
    return c != '\0' && m_nameStart[static_cast<unsigned char>(c)];
}

bool FormulaLexer::isNameChar(char c) const
{
    return isNameStart(c) || isDigit(c);
}

void FormulaLexer::fill(std::size_t count)
{
    while (m_ahead.size() < count)
        m_ahead.push_back(readRaw());
}

const Token &FormulaLexer::peek()
{
    fill(1);
    // A separator just before a closing bracket is dropped: BLOCK(a; b;) is BLOCK(a, b).
    while (m_ahead.front().kind == TokenKind::Comma) {
        fill(2);
        if (m_ahead[1].kind != TokenKind::RParen)
            break;
        m_ahead.pop_front();
    }
    const Token &t = m_ahead.front();
    if (t.kind == TokenKind::Error)
        ThrowCompileError(t.index, t.text);
    return t;
}

Token FormulaLexer::next()
{
    peek();
    Token t = std::move(m_ahead.front());
    m_ahead.pop_front();
    return t;
}

void FormulaLexer::skipBlanks()
{
    for (;;) {
        const char c = at(m_pos);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++m_pos;
        } else if (c == '{') {
            while (at(m_pos) != '\0' && at(m_pos) != '}')
                ++m_pos;
            if (at(m_pos) == '}')
                ++m_pos;
        } else if (c == '/' && at(m_pos + 1) == '/') {
            while (at(m_pos) != '\0' && at(m_pos) != '\n')
                ++m_pos;
        } else {
            return;
        }
    }
}

void FormulaLexer::substitute(std::size_t start, const std::string &replacement)
{
    // The text before m_pos is read already, so the replacement can usually overwrite its tail
    // instead of shifting the rest of the source.
    if (m_pos >= replacement.size()) {
        m_pos -= replacement.size();
        m_src.replace(m_pos, replacement.size(), replacement);
    } else {
        m_src.replace(start, m_pos - start, replacement);
        m_pos = start;
    }
}

Token FormulaLexer::readRaw()
{
    for (;;) {
        skipBlanks();
        const char c = at(m_pos);
        if (c == '\0')
            return make(TokenKind::End);
        if (isNameStart(c)) {
            const std::size_t start = m_pos;
            std::string ident = readName();
            const std::string upper = AsciiUpper(ident);
            if (!resolvedBeforeAliases(upper))
                if (const std::string *replacement = m_aliases.find(upper)) {
                    // A host-defined alias could name itself; the standard ones never do.
                    if (++m_substitutions > MaxSubstitutions)
                        return error(SyntaxError);
                    substitute(start, *replacement);
                    continue;
                }
            return resolve(std::move(ident));
        }
        if (isDigit(c))
            return readNumber();
        if (c == '\'' || c == '"' || c == '#')
            return readText();
        ++m_pos;
        switch (c) {
        case '$':
            if (isDigit(at(m_pos)))
                return readHex();
            if (isNameStart(at(m_pos))) {
                Token t = make(TokenKind::NameRef);
                t.text = readName();
                return t;
            }
            return error(SyntaxError);
        case '+':
        case '-':
            skipBlanks();
            if (at(m_pos) == c) {
                ++m_pos;
                return make(c == '+' ? TokenKind::PlusPlus : TokenKind::MinusMinus);
            }
            return operatorToken(static_cast<std::uint8_t>(c));
        case ':':
            if (at(m_pos) == '=') {
                ++m_pos;
                return make(TokenKind::Assign);
            }
            return error(SyntaxError);
        case '<':
            if (at(m_pos) == '=') {
                ++m_pos;
                return operatorToken(op::LessEqual);
            }
            if (at(m_pos) == '>') {
                ++m_pos;
                return operatorToken(op::NotEqual);
            }
            return operatorToken('<');
        case '>':
            if (at(m_pos) == '=') {
                ++m_pos;
                return operatorToken(op::GreaterEqual);
            }
            return operatorToken('>');
        case '!':
        case '%':
        case '&':
        case '*':
        case '/':
        case '=':
        case '@':
        case '\\':
        case '^':
        case '|':
            return operatorToken(static_cast<std::uint8_t>(c));
        case '(':
            return make(TokenKind::LParen);
        case ')':
            return make(TokenKind::RParen);
        case ',':
        case ';':
            return make(TokenKind::Comma);
        case '[':
            return make(TokenKind::LBracket);
        case ']':
            return make(TokenKind::RBracket);
        case '.':
            return make(TokenKind::Dot);
        default:
            return error(IllegalCharacter, std::string(1, c));
        }
    }
}

std::string FormulaLexer::readName()
{
    std::string name;
    while (isNameChar(at(m_pos))) {
        char ch = at(m_pos++);
        if (!m_settings.CaseSensitive && ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
        name.push_back(ch);
    }
    return name;
}

Token FormulaLexer::resolve(std::string ident)
{
    const std::string upper = AsciiUpper(ident);
    if (upper == "XOR")
        return operatorToken(op::Xor);
    if (upper == "PI") {
        Token t = make(TokenKind::Number);
        t.number = std::numbers::pi;
        return t;
    }
    for (const SpecialName &s : kSpecialForms)
        if (s.name == upper) {
            Token t = make(TokenKind::Special);
            t.form = s.form;
            return t;
        }
    if (const int f = FindFunction(upper); f >= 0) {
        Token t = make(TokenKind::Function);
        t.index = f;
        return t;
    }
    const std::string folded = m_settings.CaseSensitive ? ident : TextUpper(ident);
    for (std::size_t i = 0; i < m_names.size(); ++i) {
        const bool same = m_settings.CaseSensitive ? m_names[i] == ident : TextUpper(m_names[i]) == folded;
        if (same) {
            Token t = make(TokenKind::Variable);
            t.index = static_cast<int>(i);
            return t;
        }
    }
    if (m_settings.ExternGetVar) {
        Token t = make(TokenKind::External);
        t.text = std::move(ident);
        return t;
    }
    if (m_settings.UnQuotedString) {
        Token t = make(TokenKind::Text);
        t.text = std::move(ident);
        return t;
    }
    return error(UnknownIdentifier, ident);
}

Token FormulaLexer::readNumber()
{
    const std::size_t start = m_pos;
    while (isDigit(at(m_pos)))
        ++m_pos;
    // Only a number with a fraction may have an exponent: 1e5 is 1 followed by the name E5.
    if (at(m_pos) == '.' && isDigit(at(m_pos + 1))) {
        ++m_pos;
        while (isDigit(at(m_pos)))
            ++m_pos;
        if (at(m_pos) == 'e' || at(m_pos) == 'E') {
            std::size_t j = m_pos + 1;
            if (at(j) == '+' || at(j) == '-')
                ++j;
            if (!isDigit(at(j)))
                return error(SyntaxError);
            while (isDigit(at(j)))
                ++j;
            m_pos = j;
        }
    }
    Token t = make(TokenKind::Number);
    const char *first = m_src.data() + start;
    const char *last = m_src.data() + m_pos;
    const auto res = std::from_chars(first, last, t.number);
    if (res.ec != std::errc() || res.ptr != last)
        return error(SyntaxError);
    return t;
}

Token FormulaLexer::readHex()
{
    double value = 0;
    while (isHexDigit(at(m_pos))) {
        const char c = at(m_pos++);
        const int d = isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
        value = value * 16 + d;
    }
    Token t = make(TokenKind::Number);
    t.number = value;
    return t;
}

Token FormulaLexer::readText()
{
    Token t = make(TokenKind::Text);
    for (;;) {
        const char c = at(m_pos);
        if (c == '\'' || c == '"') {
            ++m_pos;
            for (;;) {
                const char d = at(m_pos);
                if (d == '\0')
                    return error(SyntaxError);
                ++m_pos;
                if (d == c) {
                    if (at(m_pos) != c)
                        break;
                    ++m_pos;
                }
                t.text.push_back(d);
            }
        } else if (c == '#') {
            ++m_pos;
            if (!isDigit(at(m_pos)))
                return error(SyntaxError);
            int code = 0;
            while (isDigit(at(m_pos))) {
                code = code * 10 + (at(m_pos++) - '0');
                if (code > 255)
                    return error(SyntaxError);
            }
            t.text.push_back(static_cast<char>(code));
        } else {
            return t;
        }
    }
}

} // namespace pw
