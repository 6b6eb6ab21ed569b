// Speed of the formula engine as the 3D scenes use it: one formula over one variable, compiled
// and run per evaluation, and the run alone of code compiled once.

#include "formula/art_formula.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::string kFormula = "sin(t*0.1)*0.5+0.3";

void BM_ComputeCompileAndRun(benchmark::State &state)
{
    pw::TArtFormula formula;
    const std::vector<std::string> names {"t"};
    std::vector<pw::TCalcItem> values {pw::TCalcItem::Number(0)};
    double t = 0;
    for (auto _ : state) {
        values[0].number = t;
        t += 1;
        benchmark::DoNotOptimize(formula.Compute(kFormula, values, names));
    }
}
BENCHMARK(BM_ComputeCompileAndRun);

void BM_RunPrecompiled(benchmark::State &state)
{
    pw::TArtFormula formula;
    const std::vector<std::string> names {"t"};
    std::vector<pw::TCalcItem> values {pw::TCalcItem::Number(0)};
    const std::string code = formula.Compile(kFormula, names);
    double t = 0;
    for (auto _ : state) {
        values[0].number = t;
        t += 1;
        benchmark::DoNotOptimize(formula.Run(code, values).number);
    }
}
BENCHMARK(BM_RunPrecompiled);

// A formula that defines as many variables as a run may hold, each found again by name: the
// whole run stays well under a second.
void BM_DefineTheMostVariables(benchmark::State &state)
{
    pw::TArtFormula formula;
    const std::vector<std::string> names;
    std::vector<pw::TCalcItem> values;
    const std::string text = "BLOCK(DEFINE('i', 0), LOOP($i < " + std::to_string(formula.MaxVariables - 1)
        + ", BLOCK(DEFINE('v' @ $i, $i), $i++)), $v7)";
    formula.InstructionLimit = 100'000'000;
    for (auto _ : state)
        benchmark::DoNotOptimize(formula.Compute(text, values, names));
}
BENCHMARK(BM_DefineTheMostVariables)->Unit(benchmark::kMillisecond);

} // namespace
