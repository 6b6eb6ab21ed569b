#include "formula/date_picture.h"

#include "formula/day_number.h"

#include "platform/error.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace pw {

namespace {

constexpr const char *kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
constexpr const char *kDayNames[]
    = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool startsWithNoCase(std::string_view s, std::size_t at, std::string_view prefix)
{
    if (s.size() - at < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (lower(s[at + i]) != prefix[i])
            return false;
    return true;
}

std::string padded(int value, int width)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

// The 12-hour markers; the first of them decides for the whole picture.
bool hasAmPm(std::string_view picture)
{
    char quote = 0;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (startsWithNoCase(picture, i, "am/pm") || startsWithNoCase(picture, i, "a/p")
                   || startsWithNoCase(picture, i, "ampm")) {
            return true;
        }
    }
    return false;
}

class DateWriter
{
public:
    DateWriter(const DateParts &parts)
        : p(parts)
    {
    }

    void write(std::string_view picture, int depth = 0)
    {
        const bool twelve = hasAmPm(picture);
        bool afterHour = false;
        std::size_t i = 0;
        while (i < picture.size()) {
            const char c = picture[i];
            if (c == '\'' || c == '"') {
                const std::size_t end = picture.find(c, i + 1);
                const std::size_t stop = end == std::string_view::npos ? picture.size() : end;
                out.append(picture.substr(i + 1, stop - i - 1));
                i = stop + 1;
                continue;
            }
            if (startsWithNoCase(picture, i, "am/pm")) {
                amPm(picture.substr(i, 5), "am", "pm");
                i += 5;
                continue;
            }
            if (startsWithNoCase(picture, i, "a/p")) {
                amPm(picture.substr(i, 3), "a", "p");
                i += 3;
                continue;
            }
            if (startsWithNoCase(picture, i, "ampm")) {
                out += p.hour < 12 ? "AM" : "PM";
                i += 4;
                continue;
            }
            const char l = lower(c);
            std::size_t run = 1;
            while (i + run < picture.size() && lower(picture[i + run]) == l)
                ++run;
            const int n = static_cast<int>(run);
            const int hour = twelve ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
            switch (l) {
            case 'd':
                if (n == 1 || n == 2)
                    out += padded(p.day, n);
                else if (n == 3)
                    out += std::string(kDayNames[p.dayOfWeek - 1]).substr(0, 3);
                else if (n == 4)
                    out += kDayNames[p.dayOfWeek - 1];
                else
                    nested(n == 5 ? ShortDatePicture : LongDatePicture, depth);
                break;
            case 'm':
                if (afterHour && n <= 2)
                    out += padded(p.minute, n);
                else if (n <= 2)
                    out += padded(p.month, n);
                else if (n == 3)
                    out += std::string(kMonthNames[p.month - 1]).substr(0, 3);
                else
                    out += kMonthNames[p.month - 1];
                break;
            case 'y':
                out += n <= 2 ? padded(p.year % 100, 2) : padded(p.year, 4);
                break;
            case 'h':
                out += padded(hour, n >= 2 ? 2 : 1);
                break;
            case 'n':
                out += padded(p.minute, n >= 2 ? 2 : 1);
                break;
            case 's':
                out += padded(p.second, n >= 2 ? 2 : 1);
                break;
            case 'z':
                out += padded(p.millisecond, n >= 3 ? 3 : 1);
                break;
            case 't':
                nested(n == 1 ? ShortTimePicture : LongTimePicture, depth);
                break;
            case 'c':
                nested(ShortDatePicture, depth);
                if (p.hour || p.minute || p.second || p.millisecond) {
                    out += ' ';
                    nested(LongTimePicture, depth);
                }
                break;
            default:
                out.append(run, c);
                break;
            }
            if (l == 'h')
                afterHour = true;
            else if (std::isalpha(static_cast<unsigned char>(l)))
                afterHour = false;
            i += run;
        }
    }

    std::string out;

private:
    void nested(std::string_view picture, int depth)
    {
        if (depth < 2)
            write(picture, depth + 1);
    }

    void amPm(std::string_view written, const char *am, const char *pm)
    {
        // Written in capitals, written out in capitals.
        std::string marker = p.hour < 12 ? am : pm;
        const char first = written[p.hour < 12 ? 0 : written.find('/') + 1];
        if (std::isupper(static_cast<unsigned char>(first)))
            for (char &ch : marker)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        out += marker;
    }

    const DateParts &p;
};

// Splits "12/31/2000" into its numbers and the one separator between them.
bool splitNumbers(std::string_view s, char &sep, std::vector<std::string_view> &fields)
{
    sep = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            continue;
        if (i == start)
            return false;
        fields.push_back(s.substr(start, i - start));
        if (i < s.size()) {
            if (sep && s[i] != sep)
                return false;
            sep = s[i];
        }
        start = i + 1;
    }
    return true;
}

int toInt(std::string_view s)
{
    int v = 0;
    for (char c : s) {
        v = v * 10 + (c - '0');
        if (v > 100000)
            return 100000;
    }
    return v;
}

int fullYear(std::string_view field)
{
    const int y = toInt(field);
    if (field.size() <= 2)
        return y < 50 ? 2000 + y : 1900 + y;
    return y;
}

bool parseDate(std::string_view s, double &out)
{
    char sep = 0;
    std::vector<std::string_view> f;
    if (!splitNumbers(s, sep, f) || f.size() != 3)
        return false;
    int y, m, d;
    if (sep == '-' && f[0].size() == 4) {
        y = toInt(f[0]), m = toInt(f[1]), d = toInt(f[2]);
    } else if (sep == '/') {
        m = toInt(f[0]), d = toInt(f[1]), y = fullYear(f[2]);
    } else if (sep == '.') {
        d = toInt(f[0]), m = toInt(f[1]), y = fullYear(f[2]);
    } else {
        return false;
    }
    out = EncodeDayNumber(y, m, d);
    return true;
}

bool parseTime(std::string_view s, double &out)
{
    int addHours = 0;
    bool twelve = false;
    std::size_t end = s.size();
    while (end > 0 && s[end - 1] == ' ')
        --end;
    for (const auto &[marker, hours] : {std::pair {"am", 0}, {"pm", 12}, {"a", 0}, {"p", 12}}) {
        const std::string_view mk(marker);
        if (end >= mk.size() && startsWithNoCase(s, end - mk.size(), mk)) {
            twelve = true;
            addHours = hours;
            end -= mk.size();
            break;
        }
    }
    s = s.substr(0, end);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    std::string_view msPart;
    if (const auto dot = s.find('.'); dot != std::string_view::npos) {
        msPart = s.substr(dot + 1);
        s = s.substr(0, dot);
    }
    char sep = 0;
    std::vector<std::string_view> f;
    if (!splitNumbers(s, sep, f) || sep != ':' || f.size() < 2 || f.size() > 3)
        return false;
    if (!msPart.empty() && (f.size() != 3 || msPart.size() > 3))
        return false;
    for (char c : msPart)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    int hour = toInt(f[0]);
    if (twelve) {
        if (hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + addHours;
    }
    const int ms = msPart.empty() ? 0
                                  : toInt(msPart)
            * (msPart.size() == 1       ? 100
                   : msPart.size() == 2 ? 10
                                        : 1);
    out = EncodeTimeOfDay(hour, toInt(f[1]), f.size() == 3 ? toInt(f[2]) : 0, ms);
    return true;
}

} // namespace

std::string FormatDayNumber(std::string_view picture, double value)
{
    const DateParts parts = DecodeDayNumber(value);
    DateWriter w(parts);
    w.write(picture.empty() ? std::string_view("c") : picture);
    return w.out;
}

double ParseDateText(std::string_view text)
{
    std::size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    const std::string_view s = text.substr(b, e - b);
    try {
        double date = 0, time = 0;
        const std::size_t space = s.find(' ');
        if (parseDate(s.substr(0, space), date)) {
            if (space == std::string_view::npos)
                return date;
            if (parseTime(s.substr(space + 1), time))
                return date + time;
        } else if (parseTime(s, time)) {
            return time;
        }
    } catch (const ConversionError &) {
    }
    throw ConversionError("'" + std::string(text) + "' is not a valid date and time");
}

} // namespace pw
