#pragma once

#include "platform/error.h"

#include <string>

namespace pw {

// A formula that does not compile, or a run stopped by the engine itself. Compile errors carry
// their index (1 to 8); errors raised while running carry 0.
class FormulaException : public Error
{
public:
    explicit FormulaException(const std::string &message, int index = 0)
        : Error(message)
        , m_index(index)
    {
    }

    int index() const { return m_index; }

private:
    int m_index;
};

} // namespace pw
