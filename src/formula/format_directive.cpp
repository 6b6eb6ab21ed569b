#include "formula/int_conversion.h"
#include "formula/number_picture.h"
#include "formula/value_text.h"

#include "platform/error.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <vector>

namespace pw {

namespace {

constexpr int kMaxWidth = 1000;

[[noreturn]] void invalidFormat(std::string_view format)
{
    throw ConversionError("Format '" + std::string(format) + "' invalid or incompatible with argument");
}

std::string withLocalePoint(std::string s)
{
    const std::string sep = LocaleDecimalSeparator();
    if (sep != ".")
        if (const auto dot = s.find('.'); dot != std::string::npos)
            s.replace(dot, 1, sep);
    return s;
}

std::string floating(double value, std::chars_format style, int precision)
{
    if (std::isnan(value) || std::isinf(value))
        return NumberToText(value);
    std::vector<char> buf(400 + static_cast<std::size_t>(precision));
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), value, style, precision);
    return withLocalePoint(std::string(buf.data(), res.ptr));
}

std::string grouped(double value, int precision)
{
    std::string s = floating(value, std::chars_format::fixed, precision);
    std::size_t start = s[0] == '-' ? 1 : 0;
    std::size_t end = start;
    while (end < s.size() && std::isdigit(static_cast<unsigned char>(s[end])))
        ++end;
    const std::lconv *conv = std::localeconv();
    const std::string group = conv && conv->thousands_sep && *conv->thousands_sep ? conv->thousands_sep : ",";
    for (std::size_t i = end; i > start + 3; i -= 3)
        s.insert(i - 3, group);
    return s;
}

std::string integer(double value, int minDigits, bool hex)
{
    const std::int64_t v = TruncToInt64(value);
    char buf[32];
    std::snprintf(buf, sizeof buf, hex ? "%llX" : "%lld", static_cast<long long>(v));
    std::string s = buf;
    const std::size_t start = s[0] == '-' ? 1 : 0;
    while (static_cast<int>(s.size() - start) < minDigits)
        s.insert(start, "0");
    return s;
}

} // namespace

std::string FormatDirective(std::string_view format, double value)
{
    std::string out;
    bool filled = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out.push_back(format[i]);
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == '%') {
            out.push_back('%');
            continue;
        }
        if (filled)
            invalidFormat(format);
        filled = true;
        bool left = false;
        if (i < format.size() && format[i] == '-') {
            left = true;
            ++i;
        }
        const auto number = [&](int fallback) {
            if (i >= format.size() || !std::isdigit(static_cast<unsigned char>(format[i])))
                return fallback;
            int v = 0;
            while (i < format.size() && std::isdigit(static_cast<unsigned char>(format[i]))) {
                v = v * 10 + (format[i++] - '0');
                if (v > kMaxWidth)
                    invalidFormat(format);
            }
            return v;
        };
        const int width = number(0);
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            ++i;
            precision = number(0);
        }
        if (i >= format.size())
            invalidFormat(format);
        std::string field;
        switch (std::tolower(static_cast<unsigned char>(format[i]))) {
        case 'd':
        case 'u':
            field = integer(value, precision, false);
            break;
        case 'x':
            field = integer(value, precision, true);
            break;
        case 'e':
            field = floating(value, std::chars_format::scientific, precision < 0 ? 6 : precision);
            break;
        case 'f':
            field = floating(value, std::chars_format::fixed, precision < 0 ? 6 : precision);
            break;
        case 'g':
            field = floating(value, std::chars_format::general, precision < 0 ? 6 : std::max(precision, 1));
            break;
        case 'n':
            field = grouped(value, precision < 0 ? 2 : precision);
            break;
        case 's':
            field = NumberToText(value);
            if (precision >= 0 && static_cast<int>(field.size()) > precision)
                field.resize(static_cast<std::size_t>(precision));
            break;
        default:
            invalidFormat(format);
        }
        const auto pad = static_cast<std::size_t>(std::max(0, width - static_cast<int>(field.size())));
        if (left)
            field.append(pad, ' ');
        else
            field.insert(0, pad, ' ');
        out += field;
    }
    return out;
}

} // namespace pw
