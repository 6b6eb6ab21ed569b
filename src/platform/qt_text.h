#pragma once

#include <QString>

#include <string>

namespace pw {

// Texts of the model are UTF-8 std::strings; widgets take QStrings.
inline QString ToQString(const std::string &text)
{
    return QString::fromStdString(text);
}

} // namespace pw
