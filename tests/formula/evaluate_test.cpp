#include "formula_test_support.h"

#include "platform/error.h"

namespace pw::test {
namespace {

using namespace std::string_literals;

class Evaluation : public ::testing::TestWithParam<ValueCase>
{
};

TEST_P(Evaluation, GivesItsValue)
{
    Engine e;
    ExpectValue(e.value(GetParam().formula), GetParam().expected);
}

// Numbers first, texts when either side is not a number.
INSTANTIATE_TEST_SUITE_P(MixedOperators, Evaluation,
                         ::testing::Values(ValueCase {"'2' + 3", 5.0}, ValueCase {"'a' + 3", "a3"s},
                                           ValueCase {"2 @ 3", "23"s}, ValueCase {"2.5 @ ''", "2.5"s},
                                           ValueCase {"'1.5' + ' 2 '", 3.5}, ValueCase {"'abc' = 'ABC'", 0.0},
                                           ValueCase {"'10' = 10", 1.0}, ValueCase {"'10' < '9'", 0.0},
                                           ValueCase {"'b' > 'a'", 1.0}, ValueCase {"'a' < 'b'", 1.0},
                                           ValueCase {"'B' < 'a'", 1.0}, ValueCase {"'x' <> 'x'", 0.0},
                                           ValueCase {"'x' <= 'x'", 1.0}, ValueCase {"'x' >= 'y'", 0.0},
                                           ValueCase {"'10' < 'a'", 1.0}, ValueCase {"'3' * '4'", 12.0},
                                           ValueCase {"'8' - 1", 7.0}, ValueCase {"1.0e20 @ ''", "1e+20"s},
                                           ValueCase {"0.1 + 0.2 @ ''", "0.3"s},
                                           ValueCase {"1/3 @ ''", "0.333333333333333"s},
                                           ValueCase {"'inf' + 1", 1.0 / 0.0}));

INSTANTIATE_TEST_SUITE_P(NumericOperators, Evaluation,
                         ::testing::Values(ValueCase {"1/0", 1.0 / 0.0}, ValueCase {"-1/0", -1.0 / 0.0},
                                           ValueCase {"0/0", std::nan("")}, ValueCase {"-7 % 3", -1.0},
                                           ValueCase {"7 % -3", 1.0}, ValueCase {"-7 \\ 2", -3.0},
                                           ValueCase {"7.9 \\ 2.9", 3.0}, ValueCase {"0 ^ 0", 1.0},
                                           ValueCase {"0 ^ 3", 0.0}, ValueCase {"2 ^ 10", 1024.0},
                                           ValueCase {"(-2) ^ 3", -8.0}, ValueCase {"2 ^ -2", 0.25},
                                           ValueCase {"4 ^ 0.5", 2.0}, ValueCase {"(-8) ^ 0.5", std::nan("")},
                                           ValueCase {"0 ^ -1", 1.0 / 0.0}, ValueCase {"!0", 1.0},
                                           ValueCase {"!5", 0.0}, ValueCase {"2 & 3", 1.0},
                                           ValueCase {"0 | 0", 0.0}, ValueCase {"2 xor 0", 1.0},
                                           ValueCase {"2 xor 3", 0.0}, ValueCase {"-'4'", -4.0}));

INSTANTIATE_TEST_SUITE_P(
    SpecialForms, Evaluation,
    ::testing::Values(ValueCase {"IFF(1, 10, 1/0)", 10.0}, ValueCase {"IFF(0, 10, 'x')", "x"s},
                      ValueCase {"CONDITION(1, 10, 1/0)", 10.0},
                      ValueCase {"BLOCK(define('n', 0), CONDITION(1, 1, $n := 5), $n)", 0.0},
                      ValueCase {"SERIES(DEFINE('i', 0), $i < 5, $i++, 0)", 5.0},
                      ValueCase {"BLOCK(DEFINE('i', 0), DEFINE('s', 0), SERIES($i := 1, $i <= 4, $i++, "
                                 "$s := $s + $i), $s)",
                                 10.0},
                      ValueCase {"LOOP(0, 1)", 0.0}, ValueCase {"TILL(1, 1)", 1.0},
                      ValueCase {"BLOCK(DEFINE('k', 0), TILL($k++, $k = 4))", 4.0},
                      ValueCase {"BLOCK(DEFINE('k', 0), LOOP($k < 3, $k++))", 3.0},
                      ValueCase {"BLOCK(1, 'x')", "x"s}, ValueCase {"BLOCK(1, RETURN(7), 2)", 7.0},
                      // IFF evaluates both branches, so the RETURN ends the run at once.
                      ValueCase {"BLOCK(DEFINE('i', 0), LOOP(1, IFF($i > 2, RETURN($i * 10), $i++)))", 0.0},
                      ValueCase {"BLOCK(DEFINE('i', 0), LOOP(1, CONDITION($i > 2, RETURN($i * 10), $i++)))",
                                 30.0},
                      ValueCase {"1 + RETURN(5)", 5.0}));

INSTANTIATE_TEST_SUITE_P(NameReferences, Evaluation,
                         ::testing::Values(ValueCase {"BLOCK(DEFINE('a3_4', 9), $a[3, 4])", 9.0},
                                           ValueCase {"BLOCK(DEFINE('a2', 0), $a[1 + 1] := 'v', $a2)", "v"s},
                                           ValueCase {"BLOCK(DEFINE('x', 1), $x++, $x++, $x)", 3.0},
                                           ValueCase {"BLOCK(DEFINE('x', 1), $x--)", 0.0},
                                           ValueCase {"BLOCK(DEFINE('x', 1), $x := $x + 1)", 2.0},
                                           ValueCase {"BLOCK(DEFINE('x', 'a'), VAL('X'))", "a"s},
                                           ValueCase {"BLOCK(DEFINE('x', 1), SET('x', 'b'))", "b"s},
                                           ValueCase {"BLOCK(DEFINES('p', 'q'), $p @ $q)", "00"s},
                                           ValueCase {"BLOCK(DEFINE('x', '5'), INC('x'))", 6.0},
                                           ValueCase {"BLOCK(DEFINE('x', 1), $X)", 1.0}));

struct FailureCase
{
    const char *formula;
    const char *message;
};

std::ostream &operator<<(std::ostream &os, const FailureCase &c)
{
    return os << c.formula;
}

class RunErrors : public ::testing::TestWithParam<FailureCase>
{
};

TEST_P(RunErrors, EndTheRunWithTheirMessage)
{
    Engine e;
    EXPECT_EQ(e.failure(GetParam().formula), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunErrors,
    ::testing::Values(FailureCase {"begin $x := $x + 1; end", "Variable X dose not exists"},
                      FailureCase {"SET('nope', 1)", "Variable nope dose not exists"},
                      FailureCase {"VAL('nope')", "Variable nope dose not exists"},
                      FailureCase {"$nope := 1", "Variable NOPE dose not exists"},
                      FailureCase {"INC('nope')", "Variable dose not exists"},
                      FailureCase {"$nope--", "Variable dose not exists"},
                      FailureCase {"BLOCK(DEFINE('x', 1), DEFINE('x', 1))", "Variable already exists"},
                      FailureCase {"BLOCK(DEFINE('x', 1), DEFINE('X', 1))", "Variable already exists"},
                      FailureCase {"DEFINES('a', 'a')", "Variable already exists"},
                      FailureCase {"7 \\ 0", "Division by zero"}, FailureCase {"7 % 0", "Division by zero"},
                      FailureCase {"7 \\ 0.5", "Division by zero"},
                      FailureCase {"'a' - 1", "'a' is not a valid floating point value"},
                      FailureCase {"BLOCK(1, 'x') * 1", "'x' is not a valid floating point value"},
                      FailureCase {"1.0e300 * 1.0e300 \\ 2", "Invalid floating point operation"}));

TEST(Compute, ReadsTheResultAsANumber)
{
    Engine e;
    EXPECT_EQ(e.formula.Compute("'2' @ '5'", {}, {}), 25.0);
    EXPECT_THROW(e.formula.Compute("BLOCK(1, 'x')", {}, {}), ConversionError);
}

TEST(Variables, SuppliedValuesAreCopiedAndDefinedOnesLastOneRun)
{
    Engine e;
    const std::vector<std::string> names {"t", "label"};
    const std::vector<TCalcItem> values {TCalcItem::Number(3), TCalcItem::Text("ab")};
    ExpectValue(e.formula.ComputeValue("$t := t * 2", values, names), 6.0);
    EXPECT_EQ(values[0].number, 3.0);
    ExpectValue(e.formula.ComputeValue("label @ t", values, names), "ab3"s);
    ExpectValue(e.formula.ComputeValue("DEFINE('x', 1)", values, names), 1.0);
    // A second run starts without x, so it can be defined again.
    ExpectValue(e.formula.ComputeValue("DEFINE('x', 2)", values, names), 2.0);
    EXPECT_THROW(e.formula.ComputeValue("BLOCK(DEFINE('y', 1), 1 \\ 0)", values, names), Error);
    ExpectValue(e.formula.ComputeValue("DEFINE('y', 3)", values, names), 3.0);
}

TEST(Variables, CompiledCodeRunsWithNewValues)
{
    Engine e;
    const std::vector<std::string> names {"t"};
    const std::string code = e.formula.Compile("t * t", names);
    for (double t : {1.0, 2.0, 5.0}) {
        const std::vector<TCalcItem> values {TCalcItem::Number(t)};
        ExpectValue(e.formula.Run(code, values), t * t);
    }
}

TEST(Variables, NamesFollowCaseSensitive)
{
    Engine e;
    e.formula.CaseSensitive = true;
    EXPECT_EQ(e.failure("BLOCK(DEFINE('x', 1), $X)"), "Variable X dose not exists");
    ExpectValue(e.value("BLOCK(DEFINE('x', 1), DEFINE('X', 2), $x @ $X)"), "12"s);
}

TEST(Strings, CaseInsensitiveComparison)
{
    Engine e;
    e.formula.CaseSensitiveString = false;
    ExpectValue(e.value("'abc' = 'ABC'"), 1.0);
    ExpectValue(e.value("'Привет' = 'ПРИВЕТ'"), 1.0);
    ExpectValue(e.value("'a' < 'B'"), 1.0);
    ExpectValue(e.value("POS('B', 'abc')"), 2.0);
}

TEST(InstructionLimit, StopsARunawayLoop)
{
    Engine e;
    e.formula.InstructionLimit = 10000;
    for (const char *runaway : {"LOOP(1, 0)", "TILL(0, 0)", "SERIES(0, 1, 0, 0)", "WHILE 1 DO 1 WEND"})
        EXPECT_EQ(e.failure<FormulaException>(runaway), "Instruction limit exceeded") << runaway;
    ExpectValue(e.value("BLOCK(DEFINE('i', 0), LOOP($i < 100, $i++))"), 100.0);
}

TEST(VariableLimit, StopsADefiningLoopAndKeepsNamesApart)
{
    Engine e;
    e.formula.MaxVariables = 100;
    EXPECT_EQ(
        e.failure<FormulaException>("BLOCK(DEFINE('i', 0), LOOP(1, BLOCK(DEFINE('v' @ $i, $i), $i++)))"),
        "Too many variables");
    // Up to the limit every name keeps its own value, found by name however many there are.
    ExpectValue(
        e.value("BLOCK(DEFINE('i', 0), LOOP($i < 99, BLOCK(DEFINE('v' @ $i, $i * 2), $i++)), $v98 + $v7)"),
        210.0);
    EXPECT_EQ(e.failure<FormulaException>("BLOCK(DEFINE('ab', 1), DEFINE('AB', 2))"),
              "Variable already exists");
}

TEST(TextLimit, StopsADoublingLoop)
{
    Engine e;
    e.formula.MaxTextLength = 1000;
    EXPECT_EQ(e.failure<FormulaException>("BLOCK(DEFINE('s', 'ab'), LOOP(1, $s := $s @ $s))"),
              "Text too long");
    EXPECT_EQ(e.failure<FormulaException>("STRINGOFCHAR('a', 1001)"), "Text too long");
    ExpectValue(e.value("LENGTH(STRINGOFCHAR('a', 1000))"), 1000.0);
}

TEST(Step, CallsTheHookBeforeEveryInstruction)
{
    Engine e;
    int calls = 0;
    e.formula.StepHook = [&] { ++calls; };
    ExpectValue(e.value("1 + 2"), 3.0);
    EXPECT_EQ(calls, 0);
    e.formula.Step = true;
    ExpectValue(e.value("1 + 2"), 3.0);
    EXPECT_EQ(calls, 4); // two pushes, the addition, the return
}

TEST(External, ValuesComeFromTheHost)
{
    Engine e;
    e.formula.ExternGetVar = true;
    EXPECT_EQ(e.failure<FormulaException>("list + 1"), "GetVarValue not set!");
    const std::vector<std::string> list {"1", "2", "6"};
    std::vector<int> asked;
    e.formula.GetVarValue = [&](const std::string &name, int n, std::string &val, bool) {
        asked.push_back(n);
        val = name == "LIST" ? list[static_cast<std::size_t>(n)] : "";
    };
    EXPECT_EQ(e.failure<FormulaException>("SUM(list)"), "GetVarsCount or GetVarValue not set!");
    e.formula.GetVarsCount
        = [&](const std::string &name, int &count, bool) { count = name == "LIST" ? 3 : 0; };
    ExpectValue(e.value("list + 1"), 2.0);
    asked.clear();
    ExpectValue(e.value("SUM(list, 10)"), 19.0);
    EXPECT_EQ(asked, (std::vector<int> {2, 1, 0}));
    ExpectValue(e.value("CONCAT('<', list, '>')"), "<126>"s);
    ExpectValue(e.value("MAX(list)"), 6.0);
    EXPECT_EQ(e.failure<FormulaException>("AVG(empty)"), "\"EMPTY\" returns zero vars!");
}

} // namespace
} // namespace pw::test
