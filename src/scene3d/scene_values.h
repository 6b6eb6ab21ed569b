#pragma once

#include "document/xml_access.h"
#include "formula/art_formula.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class Random;
class Ui;

// The numbers of a scene file: its shared variables and the reading of attribute texts as
// formulas over them ("R" a random number, lists split at commas).
class SceneValues
{
public:
    static constexpr std::size_t MaxVariables = 255;
    // A scene formula is a small expression; a loop in one must not hang the drawing.
    static constexpr std::uint64_t InstructionBudget = 1'000'000;

    SceneValues(Ui &ui, Random &random);

    // Forgets every variable but Width and Height.
    void Reset();
    void SetSize(int width, int height);

    // The variable takes the formula's value (empty: 0, "R": random), evaluated with the old
    // values; an existing one only when force is set. Names are compared in upper case.
    void SetVariable(const std::string &name, const std::string &formula, bool force);
    // The value of a variable, or nothing.
    std::optional<double> Variable(const std::string &name) const;

    // The text as a number: empty gives def, "R" a random number, anything else is computed.
    double Evaluate(std::string_view text, double def);
    // An attribute as a number; absent or empty gives def.
    double Number(XmlNode node, const char *attr, double def);
    // An attribute truncated toward zero; RangeError outside the int range.
    int Integer(XmlNode node, const char *attr, int def);
    // An attribute list of up to N items, missing ones 0; nothing when absent or empty.
    template<std::size_t N>
    std::optional<std::array<double, N>> List(XmlNode node, const char *attr)
    {
        const std::vector<std::string> items = SplitList(GetAttr(node, attr));
        if (items.empty() && GetAttr(node, attr).empty())
            return std::nullopt;
        std::array<double, N> values {};
        for (std::size_t i = 0; i < N && i < items.size(); ++i)
            values[i] = Evaluate(items[i], 0);
        return values;
    }

    // The items of a list text: split at commas, trimmed, cut to 1000 characters, empty ones
    // dropped.
    static std::vector<std::string> SplitList(std::string_view text);

private:
    double random();
    std::ptrdiff_t find(const std::string &upperName) const;

    Random &m_random;
    TArtFormula m_formula;
    std::vector<std::string> m_names;
    std::vector<TCalcItem> m_values;
};

} // namespace pw
