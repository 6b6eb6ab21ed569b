#pragma once

namespace pw {

// Dates are day numbers: the whole part counts days from 30 December 1899 (day 0), the fraction
// is the time of day. The range is 1 January 0001 to 31 December 9999.

struct DateParts
{
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int dayOfWeek = 6; // 1 Monday .. 7 Sunday
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// ConversionError for an impossible date or time.
double EncodeDayNumber(int year, int month, int day);
double EncodeTimeOfDay(int hour, int minute, int second, int millisecond);

// ConversionError for a number outside the date range (or NaN).
DateParts DecodeDayNumber(double value);

} // namespace pw
