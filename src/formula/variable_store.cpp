#include "formula/variable_store.h"

#include "formula/formula_exception.h"
#include "formula/text_case.h"

namespace pw {

void VariableStore::reset(std::span<const std::string> names, std::span<const TCalcItem> values,
                          bool caseSensitive)
{
    m_caseSensitive = caseSensitive;
    m_names.assign(names.begin(), names.end());
    m_values.assign(values.begin(), values.end());
    m_values.resize(m_names.size());
}

TCalcItem *VariableStore::find(std::string_view name)
{
    if (m_caseSensitive) {
        for (std::size_t i = 0; i < m_names.size(); ++i)
            if (m_names[i] == name)
                return &m_values[i];
        return nullptr;
    }
    const std::string upper = TextUpper(name);
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i].size() == upper.size() && TextUpper(m_names[i]) == upper)
            return &m_values[i];
    return nullptr;
}

void VariableStore::define(const std::string &name, TCalcItem value)
{
    if (find(name))
        throw FormulaException("Variable already exists");
    m_names.push_back(name);
    m_values.push_back(std::move(value));
}

} // namespace pw
