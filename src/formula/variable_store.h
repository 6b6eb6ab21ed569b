#pragma once

#include "formula/calc_item.h"

#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pw {

// The variables of one run: the supplied ones first (by index), then those the formula defines.
// Names are found through a hash index, so a formula that defines many variables in a loop pays
// for each lookup once, not once per variable already there.
class VariableStore
{
public:
    // maxVariables bounds the supplied and defined variables together.
    void reset(std::span<const std::string> names, std::span<const TCalcItem> values, bool caseSensitive,
               std::size_t maxVariables);

    // The variable with that name (exact or ignoring case, as the engine is set), or nullptr.
    TCalcItem *find(std::string_view name);
    // Adds a variable; fails with "Variable already exists" when the name is taken and with
    // "Too many variables" past the limit.
    void define(const std::string &name, TCalcItem value);

    TCalcItem &at(std::size_t index) { return m_values[index]; }
    std::size_t size() const { return m_values.size(); }

private:
    std::string key(std::string_view name) const;

    bool m_caseSensitive = false;
    std::size_t m_maxVariables = 0;
    std::vector<TCalcItem> m_values;
    // The index of each name's first variable.
    std::unordered_map<std::string, std::size_t> m_index;
};

} // namespace pw
