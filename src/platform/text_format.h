#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// The pattern with %1 … %9 replaced by the arguments, in one pass; a mark without its argument
// stays as it is.
std::string FormatText(std::string_view pattern, const std::vector<std::string> &arguments);

// The arguments that make FormatText(pattern, arguments) == text, or nothing. Each mark takes the
// shortest text up to the literal that follows it (a mark at the end takes the rest), so two marks
// must never stand side by side in a pattern.
std::optional<std::vector<std::string>> MatchText(std::string_view pattern, std::string_view text);

} // namespace pw
