#pragma once

#include "formula/calc_item.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

// The variables of one run: the supplied ones first (by index), then those the formula defines.
class VariableStore
{
public:
    void reset(std::span<const std::string> names, std::span<const TCalcItem> values, bool caseSensitive);

    // The variable with that name (exact or ignoring case, as the engine is set), or nullptr.
    TCalcItem *find(std::string_view name);
    // Adds a variable; fails with "Variable already exists" when the name is taken.
    void define(const std::string &name, TCalcItem value);

    TCalcItem &at(std::size_t index) { return m_values[index]; }
    std::size_t size() const { return m_values.size(); }

private:
    bool m_caseSensitive = false;
    std::vector<std::string> m_names;
    std::vector<TCalcItem> m_values;
};

} // namespace pw
