#pragma once

#include <string>
#include <string_view>

namespace pw {

// A number written by a number picture: 0 a digit or zero, # a digit or nothing, . the decimal
// separator position, , thousands grouping, E+ E- e+ e- an exponent, ; between the pictures for
// positive, negative and zero values, quoted text copied; other characters are copied. An empty
// picture gives the general form. The separators are the locale's (the thousands separator ","
// when the locale has none).
std::string FormatNumberPicture(std::string_view picture, double value);

// The text of a directive-style format with its one directive filled from value:
// %[-][width][.precision]type with type d u x (the number truncated), e f g (as C's printf),
// n (f with thousands grouping, 2 decimals by default), s (the number's text); %% is a percent
// sign. ConversionError for a malformed format or more than one directive.
std::string FormatDirective(std::string_view format, double value);

} // namespace pw
