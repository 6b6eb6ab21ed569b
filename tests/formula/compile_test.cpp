#include "formula_test_support.h"

#include "formula/bytecode.h"
#include "formula/compiler.h"

#include <cstring>

namespace pw::test {
namespace {

using namespace std::string_literals;

class Grouping : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(Grouping, GivesItsValue)
{
    Engine e;
    ExpectValue(e.value(GetParam().formula), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Precedence, Grouping,
                         ::testing::Values(ValueCase {"2+3*4", 14.0}, ValueCase {"(2+3)*4", 20.0},
                                           ValueCase {"2^3^2", 64.0}, ValueCase {"-2^2", -4.0},
                                           ValueCase {"2*-3", -6.0}, ValueCase {"2-3-4", -5.0},
                                           ValueCase {"7 \\ 2", 3.0}, ValueCase {"7 % 3", 1.0},
                                           ValueCase {"12 / 2 / 3", 2.0}, ValueCase {"2 ^ -1", 0.5},
                                           ValueCase {"+5", 5.0}, ValueCase {"!0 + 1", 2.0},
                                           ValueCase {"-(2+3)", -5.0}, ValueCase {"1 + 2 @ 3", "33"s},
                                           ValueCase {"2 @ 3 + 1", 24.0}, ValueCase {"1 < 2 = 1", 1.0},
                                           ValueCase {"3 > 2 > 1", 0.0}));

// The logic operators wait below the comparisons but arrive above them.
INSTANTIATE_TEST_SUITE_P(LogicAndComparison, Grouping,
                         ::testing::Values(ValueCase {"2 > 1 & 5 < 3", 1.0},
                                           ValueCase {"(2 > 1) & (5 < 3)", 0.0}, ValueCase {"0 & 0 | 1", 0.0},
                                           ValueCase {"(0 & 0) | 1", 1.0}, ValueCase {"1 | 0 & 0", 1.0},
                                           ValueCase {"1 xor 1 xor 1", 1.0}, ValueCase {"1 XOR 0", 1.0},
                                           ValueCase {"0 and 1 or 1", 0.0}, ValueCase {"not 0", 1.0},
                                           ValueCase {"!2 = 0", 1.0}, ValueCase {"1 = 1 & 0", 0.0},
                                           ValueCase {"5 <> 4", 1.0}, ValueCase {"4 <= 4", 1.0},
                                           ValueCase {"3 >= 4", 0.0}, ValueCase {"7 div 2 + 7 mod 2", 4.0}));

INSTANTIATE_TEST_SUITE_P(
    StatementForms, Grouping,
    ::testing::Values(ValueCase {"begin define('x', 1); $x := $x + 1; end", 2.0},
                      ValueCase {"if 1 then 5 endif", 5.0}, ValueCase {"IF 0 THEN 5 ENDIF", 0.0},
                      ValueCase {"IF 0 THEN 5 ELSE 6 ENDD", 6.0}, ValueCase {"IF 1 THEN 5 ELSE 6 ENDD", 5.0},
                      ValueCase {"if true then 1; 2; 3 endif", 3.0}, ValueCase {"BLOCK()", 0.0},
                      ValueCase {"MAX(1, 2,)", 2.0}, ValueCase {"BLOCK(1; 2;)", 2.0},
                      ValueCase {"WHILE 0 DO 1 WEND", 0.0}, ValueCase {"REPEAT 1 UNTIL 1 END", 1.0},
                      ValueCase {"begin define('i', 0); while $i < 4 do $i++ wend end", 4.0},
                      ValueCase {"begin define('i', 0); repeat $i++ until $i >= 3 end; $i end", 3.0},
                      ValueCase {"for define('i', 0); $i < 3; $i++ do 7 next", 3.0},
                      ValueCase {"begin var 'a', 'b' end; $a := 2; $b := 3; $a * $b end", 6.0},
                      ValueCase {"VAR 'a', 'b' END", 2.0}, ValueCase {"false + true", 1.0},
                      ValueCase {"rnd() < 1", 1.0}, ValueCase {"rnd < 1", 1.0}));

INSTANTIATE_TEST_SUITE_P(
    Literals, Grouping,
    ::testing::Values(ValueCase {"'it''s'", "it's"s}, ValueCase {"\"say \"\"hi\"\"\"", "say \"hi\""s},
                      ValueCase {"#65#66", "AB"s}, ValueCase {"'Line'#13#10'two'", "Line\r\ntwo"s},
                      ValueCase {"'a'\"b\"#67", "abC"s}, ValueCase {"'#65'", "#65"s}, ValueCase {"''", ""s},
                      ValueCase {"$0FF", 255.0}, ValueCase {"$1F + $0a", 41.0}, ValueCase {"1.0e5", 1e5},
                      ValueCase {"2.5E-1", 0.25}, ValueCase {"1.5e+2", 150.0},
                      ValueCase {"pi", 3.14159265358979323846}, ValueCase {"1 { a comment } + 2", 3.0},
                      ValueCase {"1 // to the end of the line\n+ 2", 3.0}, ValueCase {"1 {unclosed", 1.0},
                      ValueCase {"1 +\t\r\n 2", 3.0}, ValueCase {"false.5", 0.5}));

struct ErrorCase
{
    const char *formula;
    int index;
    const char *message;
};

std::ostream &operator<<(std::ostream &os, const ErrorCase &c)
{
    return os << c.formula;
}

class CompileErrors : public ::testing::TestWithParam<ErrorCase>
{
};

TEST_P(CompileErrors, HaveTheirIndexAndMessage)
{
    Engine e;
    try {
        e.formula.Compile(GetParam().formula, {});
        FAIL() << "compiled";
    } catch (const FormulaException &ex) {
        EXPECT_EQ(ex.index(), GetParam().index);
        EXPECT_STREQ(ex.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompileErrors,
    ::testing::Values(
        ErrorCase {"1 ? 2", 1, "Illegal character '?'"}, ErrorCase {"1 + ~", 1, "Illegal character '~'"},
        ErrorCase {"foo + 1", 2, "Unknown identifier 'FOO'"}, ErrorCase {"1e5", 2, "Unknown identifier 'E5'"},
        ErrorCase {"IF 0 THEN 5 ELSE 6 ENDIF", 3, "\")\" expected"},
        ErrorCase {"SIN(1, 2)", 3, "\")\" expected"}, ErrorCase {"(1 2", 3, "\")\" expected"},
        ErrorCase {"(1", 3, "\")\" expected"}, ErrorCase {"$a[1", 3, "\")\" expected"},
        ErrorCase {"SIN 1", 4, "\"(\" expected"}, ErrorCase {"LOOP 1", 4, "\"(\" expected"},
        ErrorCase {"SIN()", 5, "Syntax error"}, ErrorCase {".5", 5, "Syntax error"},
        ErrorCase {"1 # 2", 5, "Syntax error"}, ErrorCase {"", 5, "Syntax error"},
        ErrorCase {"1, 2", 5, "Syntax error"}, ErrorCase {"1 : 2", 5, "Syntax error"},
        ErrorCase {"'open", 5, "Syntax error"}, ErrorCase {"2 - -3", 5, "Syntax error"},
        ErrorCase {"2 + + 3", 5, "Syntax error"}, ErrorCase {"#300", 5, "Syntax error"},
        ErrorCase {"1.0e", 5, "Syntax error"}, ErrorCase {"$", 5, "Syntax error"},
        ErrorCase {"1 2", 5, "Syntax error"}, ErrorCase {"1 !", 5, "Syntax error"},
        ErrorCase {"ENCODEDATE(2000, 1)", 7, "Not enough parameters"},
        ErrorCase {"CONDITION(1, 2)", 7, "Not enough parameters"},
        ErrorCase {"SERIES(1, 2, 3, 4, 5)", 3, "\")\" expected"}, ErrorCase {"RND(1)", 3, "\")\" expected"},
        ErrorCase {"RETURN(1, 2)", 3, "\")\" expected"},
        ErrorCase {"VAR a END", 2, "Unknown identifier 'A'"}));

TEST(CompileErrors, ComeInReadingOrder)
{
    Engine e;
    // The trailing separator is the first fault, not the illegal character after it.
    EXPECT_EQ(e.failure("1, ?"), "Syntax error");
    EXPECT_EQ(e.failure("foo ?"), "Unknown identifier 'FOO'");
}

TEST(CompileErrors, NestingTooDeepIsAnErrorNotACrash)
{
    Engine e;
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    try {
        e.formula.Compile(deep, {});
        FAIL() << "compiled";
    } catch (const FormulaException &ex) {
        EXPECT_EQ(ex.index(), 8);
        EXPECT_STREQ(ex.what(), "Formula nested too deeply");
    }
    std::string calls;
    for (int i = 0; i < 5000; ++i)
        calls += "sin(";
    EXPECT_EQ(e.failure(calls + "1" + std::string(5000, ')')), "Formula nested too deeply");
    // Moderate nesting still compiles.
    ExpectValue(e.value(std::string(150, '(') + "1" + std::string(150, ')')), 1.0);
    // A long chain of prefix operators needs no recursion.
    ExpectValue(e.value(std::string(100001, '!') + "0"), 1.0);
}

TEST(Identifiers, FoldToUpperCaseUnlessCaseSensitive)
{
    Engine e;
    ExpectValue(e.value("x + X", {"x"}, {TCalcItem::Number(2)}), 4.0);
    EXPECT_EQ(e.failure("foo"), "Unknown identifier 'FOO'");
    e.formula.CaseSensitive = true;
    EXPECT_EQ(e.failure("foo"), "Unknown identifier 'foo'");
    EXPECT_THROW(e.value("X", {"x"}, {TCalcItem::Number(2)}), FormulaException);
    // Keywords and function names ignore case all the same.
    ExpectValue(e.value("if 1 then Sin(0) endif"), 0.0);
}

TEST(Identifiers, UnknownOnesCanBeTextOrExternal)
{
    Engine e;
    e.formula.UnQuotedString = true;
    ExpectValue(e.value("hello @ 1"), "HELLO1"s);
    e.formula.UnQuotedString = false;
    e.formula.ExternGetVar = true;
    e.formula.GetVarValue
        = [](const std::string &name, int, std::string &val, bool) { val = name == "Z" ? "7" : "?"; };
    ExpectValue(e.value("z + 1"), 8.0);
}

TEST(Identifiers, NameCharactersComeFromTheSetting)
{
    Engine e;
    e.formula.VarNameLiterals = std::string(DefaultVarNameLiterals) + "?";
    ExpectValue(e.value("?x + 1", {"?X"}, {TCalcItem::Number(1)}), 2.0);
}

TEST(TestUsedVars, FailsForAVariableNeverNamed)
{
    Engine e;
    e.formula.TestUsedVars = true;
    const std::vector<std::string> names {"a", "b"};
    EXPECT_NO_THROW(e.formula.Compile("a + b", names));
    try {
        e.formula.Compile("a + 1", names);
        FAIL();
    } catch (const FormulaException &ex) {
        EXPECT_EQ(ex.index(), 6);
        EXPECT_STREQ(ex.what(), "Variable not used");
    }
}

TEST(Aliases, AreTheStatementKeywordsAndCannotBeDefinedTwice)
{
    Engine e;
    EXPECT_EQ(*e.formula.Aliases().find("REPEAT"), "TILL(BLOCK(");
    EXPECT_EQ(*e.formula.Aliases().find("ENDIF"), "),0)");
    EXPECT_EQ(e.formula.Aliases().find("XOR"), nullptr);
    try {
        e.formula.Aliases().add("begin", "(");
        FAIL();
    } catch (const FormulaException &ex) {
        EXPECT_STREQ(ex.what(), "Constant already defined");
    }
    e.formula.Aliases().add("twice", "2*");
    ExpectValue(e.value("twice 4"), 8.0);
    e.formula.Aliases().add("again", "again");
    EXPECT_EQ(e.failure<FormulaException>("again"), "Syntax error");
}

double numberAt(const std::string &code, std::size_t at)
{
    double v;
    std::memcpy(&v, code.data() + at, 8);
    return v;
}

TEST(Bytecode, FollowsTheInstructionTable)
{
    Engine e;
    const std::string code = e.formula.Compile("x - 2", std::vector<std::string> {"x"});
    ASSERT_EQ(code.size(), 2u + 9u + 1u + 1u);
    EXPECT_EQ(static_cast<unsigned char>(code[0]), op::PushVariable);
    EXPECT_EQ(code[1], 0);
    EXPECT_EQ(static_cast<unsigned char>(code[2]), op::PushNumber);
    EXPECT_EQ(numberAt(code, 3), 2.0);
    EXPECT_EQ(code[11], '-');
    EXPECT_EQ(code[12], 0);

    // A variadic call pushes its argument count, then calls with count 255.
    const std::string sum = e.formula.Compile("SUM(1)", {});
    ASSERT_EQ(sum.size(), 9u + 9u + 3u + 1u);
    EXPECT_EQ(numberAt(sum, 10), 1.0);
    EXPECT_EQ(static_cast<unsigned char>(sum[18]), op::Call);
    EXPECT_EQ(sum[19], 34); // SUM's table index
    EXPECT_EQ(static_cast<unsigned char>(sum[20]), op::CountedArgs);

    const std::string text = e.formula.Compile("'ab' <> -1", {});
    EXPECT_EQ(static_cast<unsigned char>(text[0]), op::PushText);
    EXPECT_EQ(text.substr(1, 6), std::string("\x02\0\0\0ab", 6));
    EXPECT_EQ(static_cast<unsigned char>(text[16]), op::Negate);
    EXPECT_EQ(static_cast<unsigned char>(text[17]), op::NotEqual);
}

TEST(Bytecode, UnknownOpcodesAreRefusedWhenRun)
{
    Engine e;
    e.formula.Compile("1", {});
    EXPECT_THROW(e.formula.Run(std::string("\x01", 1), {}), FormulaException);
    EXPECT_THROW(e.formula.Run(std::string("\xFE\x01", 2), {}), FormulaException); // truncated number
    EXPECT_THROW(e.formula.Run(std::string("\xF5\x63\x00", 3), {}), FormulaException); // function 99
    // VAL called with no argument, MAX with a fixed count.
    EXPECT_THROW(e.formula.Run(std::string("\xF5\x01\x00", 3), {}), FormulaException);
    EXPECT_THROW(e.formula.Run(std::string("\xFE\0\0\0\0\0\0\xF0\x3F\xF5\x1D\x01", 12), {}),
                 FormulaException);
    try {
        e.formula.Run(std::string("\xF1", 1), {});
        FAIL();
    } catch (const FormulaException &ex) {
        EXPECT_STREQ(ex.what(), "Wrong bytecode!");
    }
}

} // namespace
} // namespace pw::test
