#include "formula_test_support.h"

#include <clocale>
#include <numbers>

namespace pw::test {
namespace {

using namespace std::string_literals;

class Functions : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(Functions, GiveTheirValue)
{
    Engine e;
    ExpectValue(e.value(GetParam().formula), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Math, Functions,
    ::testing::Values(
        ValueCase {"SIN(PI / 2)", 1.0}, ValueCase {"COS(0)", 1.0}, ValueCase {"TAN(PI / 4)", 1.0},
        ValueCase {"LOG(EXP(2))", 2.0}, ValueCase {"LG(1000)", 3.0}, ValueCase {"SQRT(16)", 4.0},
        ValueCase {"SQRT(-1)", std::nan("")}, ValueCase {"LOG(-1)", std::nan("")},
        ValueCase {"LOG(0)", -1.0 / 0.0}, ValueCase {"INT(-2.5)", -2.0}, ValueCase {"INT(2.7)", 2.0},
        ValueCase {"FRAC(-2.5)", -0.5}, ValueCase {"FRAC(3.25)", 0.25}, ValueCase {"ABS(-3)", 3.0},
        ValueCase {"ATAN(1) * 4", std::numbers::pi}, ValueCase {"ASIN(1)", std::numbers::pi / 2},
        ValueCase {"ACOS(-1)", std::numbers::pi}, ValueCase {"ASINH(SINH(0.5))", 0.5},
        ValueCase {"ACOSH(COSH(2))", 2.0}, ValueCase {"ATANH(TANH(0.25))", 0.25}, ValueCase {"COSH(0)", 1.0},
        ValueCase {"SIGN(-3)", -1.0}, ValueCase {"SIGN(0)", 0.0}, ValueCase {"SIGN(0.1)", 1.0},
        ValueCase {"SIN('0')", 0.0}, ValueCase {"RANDOMIZE", 0.0}));

INSTANTIATE_TEST_SUITE_P(
    Statistics, Functions,
    ::testing::Values(ValueCase {"AVG(1, 2, 3, 4)", 2.5}, ValueCase {"VARIANCE(1, 2, 3, 4)", 5.0 / 3},
                      ValueCase {"VARIANCEP(1, 2, 3, 4)", 1.25},
                      ValueCase {"STDDEV(1, 2, 3, 4)", 1.2909944487358056},
                      ValueCase {"STDDEVP(1, 2, 3, 4)", 1.1180339887498949},
                      ValueCase {"SUM(1, 2, 3, 4)", 10.0}, ValueCase {"SUMOFSQUARES(1, 2, 3, 4)", 30.0},
                      ValueCase {"MAX(1, 4, 3)", 4.0}, ValueCase {"MIN(3, 1, 4)", 1.0},
                      ValueCase {"MAX('3', 10, -2)", 10.0}, ValueCase {"MIN(-1 / 0, 0)", -1.0 / 0.0},
                      ValueCase {"COUNT(1, '', 'a')", 2.0}, ValueCase {"CONCAT('a', 1, 'b')", "a1b"s},
                      ValueCase {"VARIANCE(5)", std::nan("")}, ValueCase {"STDDEV(5)", std::nan("")},
                      ValueCase {"VARIANCEP(5)", 0.0}, ValueCase {"MAX()", 0.0}, ValueCase {"SUM()", 0.0},
                      ValueCase {"COUNT()", 0.0}, ValueCase {"CONCAT()", ""s},
                      ValueCase {"AVG()", std::nan("")}));

INSTANTIATE_TEST_SUITE_P(
    Text, Functions,
    ::testing::Values(ValueCase {"CHR(65)", "A"s}, ValueCase {"CHR(321.7)", "A"s},
                      ValueCase {"CODE('AB')", 65.0}, ValueCase {"CODE(CHR(200))", 200.0},
                      ValueCase {"LENGTH('abc')", 3.0}, ValueCase {"LENGTH(12.5)", 4.0},
                      ValueCase {"TRIM('  a b  ')", "a b"s}, ValueCase {"TRIMLEFT('  a b  ')", "a b  "s},
                      ValueCase {"TRIMRIGHT('  a b  ')", "  a b"s}, ValueCase {"TRIM(#9'x'#13#10)", "x"s},
                      ValueCase {"UPPERCASE('abc Привет ё')", "ABC ПРИВЕТ Ё"s},
                      ValueCase {"LOWERCASE('ABC ПРИВЕТ Ё')", "abc привет ё"s},
                      ValueCase {"MIDSTR('abcdef', 2, 3)", "bcd"s}, ValueCase {"MIDSTR('abc', 0, 2)", "ab"s},
                      ValueCase {"MIDSTR('abc', 5, 1)", ""s}, ValueCase {"MIDSTR('abc', 2, 10)", "bc"s},
                      ValueCase {"MIDSTR('abc', 2, -1)", ""s}, ValueCase {"LEFTSTR('abc', 2)", "ab"s},
                      ValueCase {"LEFTSTR('abc', 5)", "abc"s}, ValueCase {"LEFTSTR('abc', -1)", ""s},
                      ValueCase {"RIGHTSTR('abc', 2)", "bc"s}, ValueCase {"RIGHTSTR('abc', 9)", "abc"s},
                      ValueCase {"POS('c', 'abcabc')", 3.0}, ValueCase {"POS('x', 'abc')", 0.0},
                      ValueCase {"POS('B', 'abc')", 0.0}, ValueCase {"POS('', 'abc')", 0.0},
                      ValueCase {"STRINGOFCHAR('xy', 3)", "xxx"s}, ValueCase {"STRINGOFCHAR('x', 0)", ""s},
                      ValueCase {"ISNUMBER('12')", 1.0}, ValueCase {"ISNUMBER('-1.5e3')", 1.0},
                      ValueCase {"ISNUMBER('1a')", 0.0}, ValueCase {"ISNUMBER(5)", 1.0},
                      ValueCase {"ISNUMBER('')", 0.0}, ValueCase {"ISNUMBER('0x10')", 0.0}));

INSTANTIATE_TEST_SUITE_P(
    Dates, Functions,
    ::testing::Values(
        ValueCase {"ENCODEDATE(1899, 12, 30)", 0.0}, ValueCase {"ENCODEDATE(2000, 1, 1)", 36526.0},
        ValueCase {"ENCODEDATE(1, 1, 1)", -693593.0}, ValueCase {"ENCODEDATE(9999, 12, 31)", 2958465.0},
        ValueCase {"ENCODEDATE(2000, 2, 29)", 36585.0}, ValueCase {"DAYOFWEEK(ENCODEDATE(2000, 1, 3))", 1.0},
        ValueCase {"DAYOFWEEK(0)", 6.0}, ValueCase {"DAYOFWEEK(1)", 7.0},
        ValueCase {"YEAR(36526.25)", 2000.0}, ValueCase {"MONTH(ENCODEDATE(1999, 12, 31))", 12.0},
        ValueCase {"DAY(36585)", 29.0}, ValueCase {"HOUR(36526.75)", 18.0},
        ValueCase {"MINUTE(0.5 + 3 / 1440)", 3.0}, ValueCase {"SECOND(59 / 86400)", 59.0},
        ValueCase {"MILLISECOND(1 / 172800)", 500.0}, ValueCase {"YEAR(-1)", 1899.0},
        ValueCase {"DAY(-1.5)", 29.0}, ValueCase {"HOUR(-1.5)", 12.0}, ValueCase {"ISLEAPYEAR(2000)", 1.0},
        ValueCase {"ISLEAPYEAR(1900)", 0.0}, ValueCase {"ISLEAPYEAR(2024)", 1.0},
        ValueCase {"ISLEAPYEAR(2023)", 0.0}, ValueCase {"DATE('2000-01-03')", 36528.0},
        ValueCase {"DATE('01/03/2000')", 36528.0}, ValueCase {"DATE('3.1.2000')", 36528.0},
        ValueCase {"DATE('12/31/99')", 36525.0}, ValueCase {"DATE('2000-01-01 12:00')", 36526.5},
        ValueCase {"DATE('6:00 pm')", 0.75}, ValueCase {"DATE(' 12:00:30.5 ')", (12 * 3600 + 30.5) / 86400},
        ValueCase {"NOW > ENCODEDATE(2020, 1, 1)", 1.0}));

INSTANTIATE_TEST_SUITE_P(
    Formatting, Functions,
    ::testing::Values(
        ValueCase {"FORMAT('0.00', 3.14159)", "3.14"s},
        ValueCase {"FORMAT('#,##0.00', 1234567.891)", "1,234,567.89"s},
        ValueCase {"FORMAT('#.##', 0.5)", ".5"s}, ValueCase {"FORMAT('000', 7)", "007"s},
        ValueCase {"FORMAT('#', 1234.6)", "1235"s}, ValueCase {"FORMAT('0.###', 2.5)", "2.5"s},
        ValueCase {"FORMAT('0.00E+00', 12345)", "1.23E+04"s},
        ValueCase {"FORMAT('0.0E-0', 0.00012)", "1.2E-4"s},
        ValueCase {"FORMAT('00.0E+0', 12345)", "12.3E+3"s}, ValueCase {"FORMAT('0.0e+00', 9.96)", "1.0e+01"s},
        ValueCase {"FORMAT('0;(0);zero', -5)", "(5)"s}, ValueCase {"FORMAT('0;(0);zero', 0)", "zero"s},
        ValueCase {"FORMAT('0;(0);zero', 5)", "5"s}, ValueCase {"FORMAT('\"$\"0.00', 5)", "$5.00"s},
        ValueCase {"FORMAT('0.00', -2.5)", "-2.50"s}, ValueCase {"FORMAT('', 2.5)", "2.5"s},
        ValueCase {"FORMAT('0 \"m\"', 12)", "12 m"s}, ValueCase {"FORMAT('(000) 000', 12345)", "(012) 345"s},
        ValueCase {"FORMAT('0.00', 1/0)", "inf"s}, ValueCase {"FORMATF('%.2f', 3.14159)", "3.14"s},
        ValueCase {"FORMATF('x=%8.3f|', 2.5)", "x=   2.500|"s},
        ValueCase {"FORMATF('%-6.1f|', 2.5)", "2.5   |"s},
        ValueCase {"FORMATF('%e', 12345.678)", "1.234568e+04"s},
        ValueCase {"FORMATF('%g', 0.0001)", "0.0001"s},
        ValueCase {"FORMATF('%n', 1234567.5)", "1,234,567.50"s},
        ValueCase {"FORMATF('%d items', 7.9)", "7 items"s}, ValueCase {"FORMATF('%x', 255)", "FF"s},
        ValueCase {"FORMATF('%5.3d', 7)", "  007"s}, ValueCase {"FORMATF('100%%: %s', 2.5)", "100%: 2.5"s},
        ValueCase {"FORMATF('none', 2.5)", "none"s},
        ValueCase {"FORMATDATE('yyyy-mm-dd hh:nn:ss', 36526.5)", "2000-01-01 12:00:00"s},
        ValueCase {"FORMATDATE('dddd d mmmm yy', ENCODEDATE(2000, 1, 3))", "Monday 3 January 00"s},
        ValueCase {"FORMATDATE('ddd mmm', ENCODEDATE(2000, 1, 3))", "Mon Jan"s},
        ValueCase {"FORMATDATE('h:nn am/pm', 36526.75)", "6:00 pm"s},
        ValueCase {"FORMATDATE('h:nn AM/PM', 36526.25)", "6:00 AM"s},
        ValueCase {"FORMATDATE('hh:mm', 36526.5 + 5 / 1440)", "12:05"s},
        ValueCase {"FORMATDATE('c', 36526)", "01/01/2000"s},
        ValueCase {"FORMATDATE('c', 36526.5)", "01/01/2000 12:00:00"s},
        ValueCase {"FORMATDATE('ddddd', 36526)", "01/01/2000"s},
        ValueCase {"FORMATDATE('s.zzz \"sec\"', 1.5 / 86400)", "1.500 sec"s},
        ValueCase {"FORMATDATE('d/m/yyyy', 36526)", "1/1/2000"s}));

struct FailureCase
{
    const char *formula;
    const char *message;
};

std::ostream &operator<<(std::ostream &os, const FailureCase &c)
{
    return os << c.formula;
}

class FunctionErrors : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(FunctionErrors, RaiseConversionErrors)
{
    Engine e;
    EXPECT_EQ(e.failure<ConversionError>(GetParam().formula), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FunctionErrors,
    ::testing::Values(FailureCase {"CODE('')", "CODE of an empty text"},
                      FailureCase {"STRINGOFCHAR('', 2)", "STRINGOFCHAR of an empty text"},
                      FailureCase {"ENCODEDATE(2000, 2, 30)", "Invalid argument to date encode"},
                      FailureCase {"ENCODEDATE(2000, 13, 1)", "Invalid argument to date encode"},
                      FailureCase {"ENCODEDATE(-1, 1, 1)", "Invalid argument to date encode"},
                      FailureCase {"YEAR(1.0e10)", "Invalid date"}, FailureCase {"DAY(0/0)", "Invalid date"},
                      FailureCase {"DATE('yesterday')", "'yesterday' is not a valid date and time"},
                      FailureCase {"DATE('2000-02-30')", "'2000-02-30' is not a valid date and time"},
                      FailureCase {"FORMATF('%f %f', 1)",
                                   "Format '%f %f' invalid or incompatible with argument"},
                      FailureCase {"FORMATF('%q', 1)", "Format '%q' invalid or incompatible with argument"},
                      FailureCase {"SIN('x')", "'x' is not a valid floating point value"}));

TEST(Random, DrawsFromZeroToOne)
{
    Engine e;
    const std::string code = e.formula.Compile("RND", {});
    double low = 1, high = 0;
    for (int i = 0; i < 1000; ++i) {
        const double r = e.formula.Run(code, {}).number;
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        low = std::min(low, r);
        high = std::max(high, r);
    }
    EXPECT_LT(low, 0.05);
    EXPECT_GT(high, 0.95);
}

TEST(Now, ComesFromTheHostClockWhenSet)
{
    Engine e;
    e.formula.NowSource = [] { return 36526.75; };
    ExpectValue(e.value("FORMATDATE('yyyy-mm-dd hh:nn', NOW)"), "2000-01-01 18:00"s);
    ExpectValue(e.value("NOW()"), 36526.75);
}

TEST(Dialogs, GoThroughTheUi)
{
    Engine e;
    e.ui.textAnswers.push_back("typed");
    ExpectValue(e.value("INPUT('Cap', 'Prompt', 'init')"), "typed"s);
    ExpectValue(e.value("INPUT('Cap', 'Prompt', 'init')"), ""s); // cancelled
    e.ui.buttonAnswers.push_back(UiButton::No);
    ExpectValue(e.value("MSG('Go on?', 'Question', 4)"), 7.0);
    ASSERT_EQ(e.ui.messages.size(), 1u);
    EXPECT_EQ(e.ui.messages[0].caption, "Question");
    EXPECT_EQ(e.ui.messages[0].text, "Go on?");
    EXPECT_EQ(e.ui.messages[0].buttons, UiButtons::YesNo);
    ExpectValue(e.value("MSG('Done', 'Info', 0)"), 1.0);
    EXPECT_EQ(e.ui.messages[1].buttons, UiButtons::Ok);
}

// Texts and numbers meet with the decimal separator of the process locale.
TEST(Locale, DecimalSeparatorComesFromTheProcessLocale)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    bool found = false;
    for (const char *name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8", "de_DE", "ru_RU"})
        if (std::setlocale(LC_NUMERIC, name)) {
            found = true;
            break;
        }
    if (!found)
        GTEST_SKIP() << "no locale with a decimal comma installed";
    Engine e;
    ExpectValue(e.value("2.5 @ ''"), "2,5"s); // the formula itself always uses "."
    ExpectValue(e.value("'2,5' + 1"), 3.5);
    ExpectValue(e.value("ISNUMBER('2.5')"), 0.0);
    ExpectValue(e.value("FORMAT('0.00', 2.5)"), "2,50"s);
    ExpectValue(e.value("FORMATF('%.1f', 2.25)"), "2,2"s);
    ExpectValue(e.value("'1,5' < '10'"), 1.0);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
} // namespace pw::test
