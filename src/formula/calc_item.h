#pragma once

#include <cstdint>
#include <string>

namespace pw {

// What a formula value holds. An external value keeps only a name; the host supplies its value
// each time it is read.
enum class CalcKind : std::uint8_t { Number = 0, Text = 1, External = 2 };

// One formula value: a number, a text, or a reference to a value the host keeps.
struct TCalcItem
{
    double number = 0;
    std::string text;
    CalcKind kind = CalcKind::Number;

    static TCalcItem Number(double value) { return TCalcItem {value, {}, CalcKind::Number}; }
    static TCalcItem Text(std::string value) { return TCalcItem {0, std::move(value), CalcKind::Text}; }
    static TCalcItem External(std::string name) { return TCalcItem {0, std::move(name), CalcKind::External}; }
};

} // namespace pw
