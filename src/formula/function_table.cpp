#include "formula/function_table.h"

#include "formula/functions.h"

#include <array>

namespace pw {

namespace {

constexpr std::array<FTableItem, FunctionCount> kTable {{
    {"SET", 2, fn::Set},
    {"VAL", 1, fn::Val},
    {"DEFINE", 2, fn::Define},
    {"BLOCK", AnyArity, fn::Block},
    {"DEFINES", AnyArity, fn::Defines},
    {"INC", 1, fn::Inc},
    {"DEC", 1, fn::Dec},
    {"SIN", 1, fn::Sin},
    {"COS", 1, fn::Cos},
    {"TAN", 1, fn::Tan},
    {"LOG", 1, fn::Log},
    {"LG", 1, fn::Lg},
    {"EXP", 1, fn::Exp},
    {"SQRT", 1, fn::Sqrt},
    {"INT", 1, fn::Int},
    {"FRAC", 1, fn::Frac},
    {"ABS", 1, fn::Abs},
    {"ATAN", 1, fn::Atan},
    {"ASIN", 1, fn::Asin},
    {"ACOS", 1, fn::Acos},
    {"ASINH", 1, fn::Asinh},
    {"ACOSH", 1, fn::Acosh},
    {"ATANH", 1, fn::Atanh},
    {"COSH", 1, fn::Cosh},
    {"SINH", 1, fn::Sinh},
    {"TANH", 1, fn::Tanh},
    {"SIGN", 1, fn::Sign},
    {"RND", 0, fn::Rnd},
    {"RANDOMIZE", 0, fn::Randomize},
    {"MAX", AnyArity, fn::Max},
    {"MIN", AnyArity, fn::Min},
    {"AVG", AnyArity, fn::Avg},
    {"STDDEV", AnyArity, fn::StdDev},
    {"STDDEVP", AnyArity, fn::StdDevP},
    {"SUM", AnyArity, fn::Sum},
    {"CONCAT", AnyArity, fn::Concat},
    {"SUMOFSQUARES", AnyArity, fn::SumOfSquares},
    {"COUNT", AnyArity, fn::Count},
    {"VARIANCE", AnyArity, fn::Variance},
    {"VARIANCEP", AnyArity, fn::VarianceP},
    {"IFF", 3, fn::Iff},
    {"CHR", 1, fn::Chr},
    {"LENGTH", 1, fn::Length},
    {"TRIM", 1, fn::Trim},
    {"TRIMLEFT", 1, fn::TrimLeft},
    {"TRIMRIGHT", 1, fn::TrimRight},
    {"UPPERCASE", 1, fn::UpperCase},
    {"LOWERCASE", 1, fn::LowerCase},
    {"MIDSTR", 3, fn::MidStr},
    {"LEFTSTR", 2, fn::LeftStr},
    {"RIGHTSTR", 2, fn::RightStr},
    {"POS", 2, fn::Pos},
    {"DATE", 1, fn::Date},
    {"NOW", 0, fn::Now},
    {"DAYOFWEEK", 1, fn::DayOfWeek},
    {"YEAR", 1, fn::Year},
    {"MONTH", 1, fn::Month},
    {"DAY", 1, fn::Day},
    {"HOUR", 1, fn::Hour},
    {"MINUTE", 1, fn::Minute},
    {"SECOND", 1, fn::Second},
    {"MILLISECOND", 1, fn::MilliSecond},
    {"ISLEAPYEAR", 1, fn::IsLeapYear},
    {"ENCODEDATE", 3, fn::EncodeDate},
    {"FORMAT", 2, fn::Format},
    {"FORMATF", 2, fn::FormatF},
    {"FORMATDATE", 2, fn::FormatDate},
    {"ISNUMBER", 1, fn::IsNumber},
    {"CODE", 1, fn::Code},
    {"STRINGOFCHAR", 2, fn::StringOfChar},
    {"INPUT", 3, fn::Input},
    {"MSG", 3, fn::Msg},
}};

} // namespace

std::span<const FTableItem> FunctionTable()
{
    return kTable;
}

int FindFunction(std::string_view upperName)
{
    for (std::size_t i = 0; i < kTable.size(); ++i)
        if (kTable[i].name == upperName)
            return static_cast<int>(i);
    return -1;
}

} // namespace pw
