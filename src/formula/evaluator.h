#pragma once

#include "formula/calc_item.h"
#include "formula/formula_settings.h"
#include "formula/variable_store.h"

#include <span>
#include <string>
#include <vector>

namespace pw {

class Random;
class Ui;

// Runs compiled formula code over the supplied variables and returns the value left on top.
class FormulaEvaluator
{
public:
    explicit FormulaEvaluator(const FormulaSettings &settings);

    TCalcItem run(const std::string &code, std::span<const std::string> names,
                  std::span<const TCalcItem> values, Ui &ui, Random &random);

private:
    void call(class EvalContext &ctx, int index, int argc);

    const FormulaSettings &m_settings;
    std::vector<TCalcItem> m_stack;
    VariableStore m_variables;
};

} // namespace pw
