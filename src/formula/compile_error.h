#pragma once

#include <string>

namespace pw {

// Compile error indexes; 0 is "Ok".
enum CompileErrorIndex {
    IllegalCharacter = 1,
    UnknownIdentifier = 2,
    CloseBracketExpected = 3,
    OpenBracketExpected = 4,
    SyntaxError = 5,
    VariableNotUsed = 6,
    NotEnoughParameters = 7,
    NestedTooDeeply = 8,
};

std::string CompileErrorMessage(int index);

// The exception text: the message, for illegal characters and unknown identifiers followed by
// the culprit in single quotes.
[[noreturn]] void ThrowCompileError(int index, const std::string &culprit = {});

} // namespace pw
