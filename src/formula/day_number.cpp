#include "formula/day_number.h"

#include "platform/error.h"

#include <cmath>
#include <cstdint>

namespace pw {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// Day numbers of 1 January 0001 and 31 December 9999.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

// Days since 30 December 1899 of a proleptic Gregorian date (H. Hinnant's days_from_civil,
// shifted from 1970 to 1899).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468 + 25569;
}

void civilFromDays(std::int64_t z, int &year, int &month, int &day)
{
    z += 719468 - 25569;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

} // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

double EncodeDayNumber(int year, int month, int day)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        throw ConversionError("Invalid argument to date encode");
    return static_cast<double>(daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)));
}

double EncodeTimeOfDay(int hour, int minute, int second, int millisecond)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0
        || millisecond > 999)
        throw ConversionError("Invalid argument to time encode");
    return (((hour * 60.0 + minute) * 60 + second) * 1000 + millisecond) / kMsPerDay;
}

DateParts DecodeDayNumber(double value)
{
    if (!(value > kFirstDay - 1 && value < kLastDay + 1))
        throw ConversionError("Invalid date");
    // The time of day of a negative day number is its fraction without the sign.
    auto whole = static_cast<std::int64_t>(std::trunc(value));
    auto ms = static_cast<std::int64_t>(std::llround(std::fabs(value - std::trunc(value)) * kMsPerDay));
    if (ms >= kMsPerDay) {
        ms -= kMsPerDay;
        whole += value < 0 ? -1 : 1;
    }
    DateParts p;
    civilFromDays(whole, p.year, p.month, p.day);
    p.hour = static_cast<int>(ms / 3600000);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.millisecond = static_cast<int>(ms % 1000);
    // Day 0 was a Saturday.
    p.dayOfWeek = static_cast<int>(((whole % 7) + 7 + 5) % 7) + 1;
    return p;
}

} // namespace pw
