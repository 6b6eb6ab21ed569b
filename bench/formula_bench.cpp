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

} // namespace
