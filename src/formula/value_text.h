#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pw {

// The decimal separator of the process locale (LC_NUMERIC), read at each call so that a change
// of locale takes effect at once. "." under the C locale.
std::string LocaleDecimalSeparator();

// The shortest general form with up to 15 significant digits: 14, 2.5, 1e+20, inf, -inf, nan.
// With the locale separator when localized is true, otherwise with ".".
std::string NumberToText(double value, bool localized = true);

// A text read as a number with the locale separator: optional blanks, sign, digits with at most
// one separator, an optional exponent; also inf and nan. Nothing when it is not a number.
std::optional<double> TextToNumber(std::string_view text);
// The same, raising ConversionError for a text that is not a number.
double TextToNumberOrThrow(std::string_view text);

} // namespace pw
