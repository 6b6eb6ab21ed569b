#pragma once

#include "formula/alias_table.h"
#include "formula/formula_settings.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>

namespace pw {

enum class TokenKind {
    End,
    Number,
    Text,
    Variable, // a supplied variable; index
    External, // text: the name
    NameRef, // `$name`; text: the name
    Function, // index into the function table
    Special, // a SpecialForm
    Operator, // op: the opcode of a binary operator, or '-' / '!' that may be unary
    LParen,
    RParen,
    Comma,
    LBracket,
    RBracket,
    Assign,
    PlusPlus,
    MinusMinus,
    Dot,
    Error, // errorIndex, text: the culprit
};

enum class SpecialForm { Condition, Loop, Till, Series, Return };

struct Token
{
    TokenKind kind = TokenKind::End;
    double number = 0;
    std::string text;
    int index = 0;
    std::uint8_t op = 0;
    SpecialForm form = SpecialForm::Condition;
};

// Splits formula text into tokens, resolving identifiers as it reads them; keywords are replaced
// in the source by their text. A token that fails carries its error until the parser reaches it.
class FormulaLexer
{
public:
    static constexpr int MaxSubstitutions = 1000000;

    FormulaLexer(const std::string &source, const FormulaSettings &settings, const AliasTable &aliases,
                 std::span<const std::string> names);

    // The next token, without taking it; raises the compile error of a bad token.
    const Token &peek();
    Token next();

private:
    Token readRaw();
    // An identifier, folded to upper case unless CaseSensitive.
    std::string readName();
    Token readNumber();
    Token readHex();
    Token readText();
    Token resolve(std::string ident);
    void skipBlanks();
    bool isNameStart(char c) const;
    bool isNameChar(char c) const;
    char at(std::size_t i) const { return i < m_src.size() ? m_src[i] : '\0'; }
    void fill(std::size_t count);
    void substitute(std::size_t start, const std::string &replacement);

    std::string m_src; // ends with NUL
    std::size_t m_pos = 0;
    const FormulaSettings &m_settings;
    const AliasTable &m_aliases;
    std::span<const std::string> m_names;
    bool m_nameStart[256] = {};
    std::deque<Token> m_ahead;
    int m_substitutions = 0;
};

} // namespace pw
