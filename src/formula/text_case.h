#pragma once

#include <string>
#include <string_view>

namespace pw {

// a-z to A-Z only: identifiers and keywords.
std::string AsciiUpper(std::string_view s);

// Case conversion of formula texts: Latin letters and the Cyrillic letters of UTF-8 text
// (А-Я, а-я, Ё/ё and the other letters of U+0400-U+045F). Other bytes are kept.
std::string TextUpper(std::string_view s);
std::string TextLower(std::string_view s);

} // namespace pw
