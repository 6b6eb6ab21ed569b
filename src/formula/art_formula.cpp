#include "formula/art_formula.h"

#include "formula/eval_context.h"

#include "platform/program_ui.h"

namespace pw {

TArtFormula::TArtFormula()
    : m_aliases(AliasTable::Standard())
    , m_compiler(*this, m_aliases)
    , m_evaluator(*this)
{
}

std::string TArtFormula::Compile(const std::string &formula, std::span<const std::string> names)
{
    std::string code = m_compiler.compile(formula, names);
    m_names.assign(names.begin(), names.end());
    return code;
}

TCalcItem TArtFormula::Run(const std::string &code, std::span<const TCalcItem> values)
{
    return m_evaluator.run(code, m_names, values, m_ui ? *m_ui : ProgramUi(),
                           m_random ? *m_random : m_ownRandom);
}

TCalcItem TArtFormula::ComputeValue(const std::string &formula, std::span<const TCalcItem> values,
                                    std::span<const std::string> names)
{
    return Run(Compile(formula, names), values);
}

double TArtFormula::Compute(const std::string &formula, std::span<const TCalcItem> values,
                            std::span<const std::string> names)
{
    return ReadNumber(ComputeValue(formula, values, names));
}

double TArtFormula::ReadNumber(const TCalcItem &value)
{
    VariableStore none;
    const EvalContext ctx(*this, none, m_ui ? *m_ui : ProgramUi(), m_random ? *m_random : m_ownRandom);
    return ctx.number(value);
}

} // namespace pw
