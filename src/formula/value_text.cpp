#include "formula/value_text.h"

#include "platform/error.h"

#include <charconv>
#include <clocale>
#include <cmath>

namespace pw {

std::string LocaleDecimalSeparator()
{
    const std::lconv *conv = std::localeconv();
    if (!conv || !conv->decimal_point || !*conv->decimal_point)
        return ".";
    return conv->decimal_point;
}

std::string NumberToText(double value, bool localized)
{
    if (std::isnan(value))
        return "nan";
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string out(buf, res.ptr);
    if (localized) {
        const std::string sep = LocaleDecimalSeparator();
        if (sep != ".")
            if (const auto dot = out.find('.'); dot != std::string::npos)
                out.replace(dot, 1, sep);
    }
    return out;
}

namespace {

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Checks the shape (so that hexadecimal and other forms from_chars would take are refused) and
// rewrites the separator as "." for from_chars.
std::optional<std::string> normalized(std::string_view text, const std::string &sep)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    std::string_view s = text.substr(b, e - b);
    std::string out;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            out.push_back('-');
        ++i;
    }
    const std::string_view rest = s.substr(i);
    if (rest == "inf" || rest == "INF" || rest == "Inf" || rest == "nan" || rest == "NAN" || rest == "NaN") {
        out += rest;
        return out;
    }
    int digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        out.push_back(s[i++]);
        ++digits;
    }
    if (s.compare(i, sep.size(), sep) == 0) {
        out.push_back('.');
        i += sep.size();
        while (i < s.size() && isDigit(s[i])) {
            out.push_back(s[i++]);
            ++digits;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        out.push_back('e');
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            out.push_back(s[i++]);
        int expDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            out.push_back(s[i++]);
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != s.size())
        return std::nullopt;
    return out;
}

} // namespace

std::optional<double> TextToNumber(std::string_view text)
{
    const auto s = normalized(text, LocaleDecimalSeparator());
    if (!s)
        return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(s->data(), s->data() + s->size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: the nearest of infinity and zero, with its sign.
        const bool negative = (*s)[0] == '-';
        const std::size_t start = negative ? 1 : 0;
        const std::size_t intEnd = s->find_first_of(".e", start);
        const bool zeroInteger
            = s->find_first_not_of('0', start) >= (intEnd == std::string::npos ? s->size() : intEnd);
        const bool tiny
            = s->find("e-") != std::string::npos || (zeroInteger && s->find('e') == std::string::npos);
        value = tiny ? 0.0 : HUGE_VAL;
        return negative ? -value : value;
    }
    if (res.ec != std::errc() || res.ptr != s->data() + s->size())
        return std::nullopt;
    return value;
}

double TextToNumberOrThrow(std::string_view text)
{
    if (const auto v = TextToNumber(text))
        return *v;
    throw ConversionError("'" + std::string(text) + "' is not a valid floating point value");
}

} // namespace pw
