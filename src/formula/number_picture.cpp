#include "formula/number_picture.h"

#include "formula/value_text.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <vector>

namespace pw {

namespace {

std::string thousandsSeparator()
{
    const std::lconv *conv = std::localeconv();
    if (conv && conv->thousands_sep && *conv->thousands_sep)
        return conv->thousands_sep;
    return ",";
}

// Placeholders beyond this many fraction digits add nothing a double can carry.
constexpr int kMaxFractionDigits = 30;

struct Element
{
    enum Kind { Literal, Digit, Point, Exponent } kind;
    std::string text; // Literal: the text; Digit: "0" or "#"; Exponent: "E+" and the like
    int expDigits = 0;
};

struct Section
{
    std::vector<Element> elements;
    bool grouping = false;
    int intPlaceholders = 0;
    int intMinimum = 0; // placeholders from the first integer 0 on
    int fracPlaceholders = 0;
    int fracMinimum = 0; // up to the last fraction 0
    bool exponent = false;
};

std::vector<std::string_view> splitSections(std::string_view picture)
{
    std::vector<std::string_view> out;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            out.push_back(picture.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(picture.substr(start));
    return out;
}

Section parseSection(std::string_view s)
{
    Section sec;
    bool fraction = false, exponentSeen = false, firstZero = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\'' || c == '"') {
            const std::size_t end = s.find(c, i + 1);
            const std::size_t stop = end == std::string_view::npos ? s.size() : end;
            sec.elements.push_back({Element::Literal, std::string(s.substr(i + 1, stop - i - 1))});
            i = stop;
        } else if ((c == '0' || c == '#') && !exponentSeen) {
            sec.elements.push_back({Element::Digit, std::string(1, c)});
            if (fraction) {
                ++sec.fracPlaceholders;
                if (c == '0')
                    sec.fracMinimum = sec.fracPlaceholders;
            } else {
                ++sec.intPlaceholders;
                if (c == '0')
                    firstZero = true;
                if (firstZero)
                    ++sec.intMinimum;
            }
        } else if (c == '.' && !fraction && !exponentSeen) {
            fraction = true;
            sec.elements.push_back({Element::Point, {}});
        } else if (c == ',' && !exponentSeen) {
            if (!fraction)
                sec.grouping = true;
        } else if ((c == 'E' || c == 'e') && i + 1 < s.size() && (s[i + 1] == '+' || s[i + 1] == '-')
                   && !exponentSeen) {
            Element e {Element::Exponent, std::string(s.substr(i, 2))};
            i += 2;
            while (i < s.size() && s[i] == '0') {
                ++e.expDigits;
                ++i;
            }
            --i;
            exponentSeen = sec.exponent = true;
            sec.elements.push_back(std::move(e));
        } else {
            sec.elements.push_back({Element::Literal, std::string(1, c)});
        }
    }
    sec.fracPlaceholders = std::min(sec.fracPlaceholders, kMaxFractionDigits);
    sec.fracMinimum = std::min(sec.fracMinimum, kMaxFractionDigits);
    return sec;
}

// |value| in fixed notation with the given decimals, split at the point.
void fixedDigits(double value, int decimals, std::string &intDigits, std::string &fracDigits)
{
    std::vector<char> buf(400 + static_cast<std::size_t>(decimals));
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::fixed, decimals);
    const std::string s(buf.data(), res.ptr);
    const std::size_t dot = s.find('.');
    intDigits = s.substr(0, dot);
    fracDigits = dot == std::string::npos ? std::string() : s.substr(dot + 1);
}

std::string render(const Section &sec, double value, bool withSign)
{
    std::string intDigits, fracDigits;
    int exponent = 0;
    if (sec.exponent) {
        const int width = std::max(1, sec.intPlaceholders);
        double mantissa = std::fabs(value);
        if (mantissa != 0) {
            exponent = static_cast<int>(std::floor(std::log10(mantissa))) - (width - 1);
            mantissa = exponent < -300 ? mantissa * 1e300 * std::pow(10.0, -exponent - 300)
                                       : mantissa / std::pow(10.0, exponent);
        }
        fixedDigits(mantissa, sec.fracPlaceholders, intDigits, fracDigits);
        if (static_cast<int>(intDigits.size()) > width) { // rounded up to the next power of ten
            ++exponent;
            fixedDigits(mantissa / 10, sec.fracPlaceholders, intDigits, fracDigits);
        }
    } else {
        fixedDigits(value, sec.fracPlaceholders, intDigits, fracDigits);
    }
    while (static_cast<int>(fracDigits.size()) > sec.fracMinimum && fracDigits.back() == '0')
        fracDigits.pop_back();
    if (intDigits == "0")
        intDigits.clear();
    while (static_cast<int>(intDigits.size()) < sec.intMinimum)
        intDigits.insert(intDigits.begin(), '0');
    const bool allZero = intDigits.find_first_not_of('0') == std::string::npos
        && fracDigits.find_first_not_of('0') == std::string::npos;

    const std::string group = thousandsSeparator();
    const std::string point = LocaleDecimalSeparator();
    std::string out = withSign && !allZero ? "-" : "";
    const int len = static_cast<int>(intDigits.size());
    const auto emitDigit = [&](int i) {
        out.push_back(intDigits[static_cast<std::size_t>(i)]);
        const int fromRight = len - 1 - i;
        if (sec.grouping && fromRight > 0 && fromRight % 3 == 0)
            out += group;
    };
    int intSeen = 0, fracSeen = 0;
    bool inFraction = false;
    for (const Element &e : sec.elements) {
        switch (e.kind) {
        case Element::Literal:
            out += e.text;
            break;
        case Element::Point:
            inFraction = true;
            if (!fracDigits.empty())
                out += point;
            break;
        case Element::Digit:
            if (inFraction) {
                if (fracSeen < static_cast<int>(fracDigits.size()))
                    out.push_back(fracDigits[static_cast<std::size_t>(fracSeen)]);
                ++fracSeen;
            } else {
                // Digits beyond the placeholders all go to the first one.
                const int digit = len - sec.intPlaceholders + intSeen;
                if (intSeen == 0)
                    for (int i = 0; i < digit; ++i)
                        emitDigit(i);
                if (digit >= 0)
                    emitDigit(digit);
                ++intSeen;
            }
            break;
        case Element::Exponent: {
            out.push_back(e.text[0]);
            if (exponent < 0)
                out.push_back('-');
            else if (e.text[1] == '+')
                out.push_back('+');
            std::string digits = std::to_string(std::abs(exponent));
            while (static_cast<int>(digits.size()) < e.expDigits)
                digits.insert(digits.begin(), '0');
            out += digits;
            break;
        }
        }
    }
    return out;
}

} // namespace

std::string FormatNumberPicture(std::string_view picture, double value)
{
    if (!std::isfinite(value))
        return NumberToText(value);
    const std::vector<std::string_view> sections = splitSections(picture);
    std::size_t index = 0;
    if (value < 0 && sections.size() >= 2 && !sections[1].empty())
        index = 1;
    else if (value == 0 && sections.size() >= 3 && !sections[2].empty())
        index = 2;
    if (sections[index].empty())
        return NumberToText(value);
    const Section sec = parseSection(sections[index]);
    if (sec.intPlaceholders == 0 && sec.fracPlaceholders == 0 && !sec.exponent) {
        std::string literal;
        for (const Element &e : sec.elements)
            if (e.kind == Element::Literal)
                literal += e.text;
        return literal;
    }
    return render(sec, value, value < 0 && index == 0);
}

} // namespace pw
