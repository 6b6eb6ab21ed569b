#pragma once

#include "formula/alias_table.h"
#include "formula/calc_item.h"
#include "formula/compiler.h"
#include "formula/evaluator.h"
#include "formula/formula_exception.h"
#include "formula/formula_settings.h"

#include "platform/random.h"

#include <span>
#include <string>
#include <vector>

namespace pw {

class Ui;

// The formula engine: compiles a formula over named variables and evaluates it. The settings
// are public members (CaseSensitive, ExternGetVar, InstructionLimit, ...), read at each Compile
// and run.
class TArtFormula : public FormulaSettings
{
public:
    // INPUT and MSG go to ui (the program's Ui unless one is set); RND draws from its own
    // clock-seeded generator unless one is set.
    TArtFormula();
    TArtFormula(const TArtFormula &) = delete;
    TArtFormula &operator=(const TArtFormula &) = delete;

    void SetUi(Ui &ui) { m_ui = &ui; }
    void SetRandom(Random &random) { m_random = &random; }
    AliasTable &Aliases() { return m_aliases; }

    // The code of a formula over the given variable names (at most 255); FormulaException on
    // failure. The names are kept for Run.
    std::string Compile(const std::string &formula, std::span<const std::string> names);
    // Runs code from Compile with the values of its variables (in the order of the names); the
    // caller's values are never changed. Returns the value left on top.
    TCalcItem Run(const std::string &code, std::span<const TCalcItem> values);
    // Compile, then Run, and the result read as a number.
    double Compute(const std::string &formula, std::span<const TCalcItem> values,
                   std::span<const std::string> names);
    // Compile, then Run: the result with its kind.
    TCalcItem ComputeValue(const std::string &formula, std::span<const TCalcItem> values,
                           std::span<const std::string> names);
    // A value read as a number, with the engine's rules (texts with the locale separator).
    double ReadNumber(const TCalcItem &value);

private:
    AliasTable m_aliases;
    FormulaCompiler m_compiler;
    FormulaEvaluator m_evaluator;
    std::vector<std::string> m_names;
    StdRandom m_ownRandom;
    Ui *m_ui = nullptr;
    Random *m_random = nullptr;
};

} // namespace pw
