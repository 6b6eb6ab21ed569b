#pragma once

#include "formula/calc_item.h"
#include "formula/formula_settings.h"
#include "formula/variable_store.h"

#include <optional>
#include <span>
#include <string>

namespace pw {

class Random;
class Ui;

// What the built-in functions see of a run: the settings, the variables, the host's dialogs and
// random source, and the reading of values as numbers or texts.
class EvalContext
{
public:
    EvalContext(const FormulaSettings &settings, VariableStore &variables, Ui &ui, Random &random)
        : settings(settings)
        , variables(variables)
        , ui(ui)
        , random(random)
    {
    }

    const FormulaSettings &settings;
    VariableStore &variables;
    Ui &ui;
    Random &random;

    // Raises a conversion error for a text that is not a number.
    double number(const TCalcItem &item) const;
    std::string text(const TCalcItem &item) const;
    // Nothing when the value does not read as a number.
    std::optional<double> tryNumber(const TCalcItem &item) const;
    // Texts compared by the CaseSensitiveString rule: negative, 0 or positive.
    int compareTexts(const std::string &a, const std::string &b) const;

    // Raises "Text too long" past MaxTextLength.
    void checkLength(std::size_t length) const;

    // Calls visit(value) for every value of an argument list, from the last argument to the first;
    // an external argument stands for the host's whole list, taken from its last element.
    template<typename Visit>
    void forEachValue(std::span<const TCalcItem> args, bool wantNumber, Visit visit) const
    {
        for (std::size_t i = args.size(); i-- > 0;) {
            if (args[i].kind != CalcKind::External) {
                visit(args[i]);
                continue;
            }
            const int count = externalCount(args[i].text, wantNumber);
            for (int k = count - 1; k >= 0; --k)
                visit(TCalcItem::Text(externalValue(args[i].text, k, wantNumber)));
        }
    }

private:
    std::string externalValue(const std::string &name, int n, bool wantNumber) const;
    int externalCount(const std::string &name, bool wantNumber) const;
};

} // namespace pw
