#include "formula/variable_store.h"

#include "formula/formula_exception.h"
#include "formula/text_case.h"

namespace pw {

std::string VariableStore::key(std::string_view name) const
{
    return m_caseSensitive ? std::string(name) : TextUpper(name);
}

void VariableStore::reset(std::span<const std::string> names, std::span<const TCalcItem> values,
                          bool caseSensitive, std::size_t maxVariables)
{
    m_caseSensitive = caseSensitive;
    m_maxVariables = maxVariables;
    m_values.assign(values.begin(), values.end());
    m_values.resize(names.size());
    m_index.clear();
    m_index.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        m_index.emplace(key(names[i]), i);
}

TCalcItem *VariableStore::find(std::string_view name)
{
    const auto found = m_index.find(key(name));
    return found == m_index.end() ? nullptr : &m_values[found->second];
}

void VariableStore::define(const std::string &name, TCalcItem value)
{
    if (find(name))
        throw FormulaException("Variable already exists");
    if (m_values.size() >= m_maxVariables)
        throw FormulaException("Too many variables");
    m_index.emplace(key(name), m_values.size());
    m_values.push_back(std::move(value));
}

} // namespace pw
