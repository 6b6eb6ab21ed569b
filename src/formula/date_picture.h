#pragma once

#include <string>
#include <string_view>

namespace pw {

// The C-locale formats the date pictures and DATE use (the short date is the C locale's
// month/day/year order with a four-digit year).
inline constexpr const char *ShortDatePicture = "mm/dd/yyyy";
inline constexpr const char *LongDatePicture = "dddd, mmmm d, yyyy";
inline constexpr const char *ShortTimePicture = "hh:nn";
inline constexpr const char *LongTimePicture = "hh:nn:ss";

// A day number written by a date picture: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes
// right after an hour), yy yyyy, h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm (12-hour
// clock), / and : separators, quoted text; other characters are copied.
std::string FormatDayNumber(std::string_view picture, double value);

// A text read as a date and time: yyyy-mm-dd, m/d/yyyy or d.m.yyyy (two-digit years are 1950 to
// 2049), optionally followed by h:nn[:ss[.zzz]] with am/pm; or the time alone. ConversionError
// when it is none of these.
double ParseDateText(std::string_view text);

} // namespace pw
