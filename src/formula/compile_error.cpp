#include "formula/compile_error.h"

#include "formula/formula_exception.h"

namespace pw {

std::string CompileErrorMessage(int index)
{
    switch (index) {
    case 0:
        return "Ok";
    case IllegalCharacter:
        return "Illegal character";
    case UnknownIdentifier:
        return "Unknown identifier";
    case CloseBracketExpected:
        return "\")\" expected";
    case OpenBracketExpected:
        return "\"(\" expected";
    case SyntaxError:
        return "Syntax error";
    case VariableNotUsed:
        return "Variable not used";
    case NotEnoughParameters:
        return "Not enough parameters";
    case NestedTooDeeply:
        // Not one of the classic messages: deep nesting would otherwise overflow the stack.
        return "Formula nested too deeply";
    default:
        return "Syntax error";
    }
}

void ThrowCompileError(int index, const std::string &culprit)
{
    std::string message = CompileErrorMessage(index);
    if (index == IllegalCharacter || index == UnknownIdentifier)
        message.append(" '").append(culprit).append("'");
    throw FormulaException(message, index);
}

} // namespace pw
