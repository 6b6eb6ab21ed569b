#pragma once

#include "formula/alias_table.h"
#include "formula/bytecode.h"
#include "formula/formula_settings.h"
#include "formula/lexer.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pw {

// Deeper nesting of brackets, calls and special forms fails with "Formula nested too deeply"
// rather than exhausting the stack.
inline constexpr int MaxFormulaNesting = 200;

// Parses one formula and emits its postfix code, raising FormulaException on the first error.
class FormulaCompiler
{
public:
    FormulaCompiler(const FormulaSettings &settings, const AliasTable &aliases);

    std::string compile(const std::string &formula, std::span<const std::string> names);

private:
    void expression();
    void operand();
    void functionCall(int index);
    void specialForm(SpecialForm form);
    void nameReference(const std::string &name);
    // Argument i of n: the expression and the separator or closing bracket after it.
    void argument(int i, int n);
    void emitCall(int index, std::uint8_t argc);
    void emitOperator(std::uint8_t op);
    void expect(TokenKind kind, int errorIndex);

    const FormulaSettings &m_settings;
    const AliasTable &m_aliases;
    FormulaLexer *m_lex = nullptr;
    CodeWriter m_code;
    std::vector<std::uint8_t> m_ops; // the operator stack, shared by the nested expressions
    std::vector<bool> m_used;
    int m_depth = 0;
};

} // namespace pw
