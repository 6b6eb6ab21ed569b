// partwriter-cli formula: compiles and runs one formula, for trying out scene formulas.

#include "command.h"
#include "console_ui.h"

#include "formula/art_formula.h"
#include "formula/value_text.h"

#include <charconv>
#include <iostream>
#include <memory>

namespace pwcli {

namespace {

struct FormulaOptions
{
    bool value = false;
    bool caseSensitive = false;
    bool caseInsensitiveStrings = false;
    std::vector<std::string> vars;
    std::string text;
};

// A runaway loop ends with an error instead of hanging the tool.
constexpr std::uint64_t kInstructionLimit = 100'000'000;

void parseVar(const std::string &spec, std::vector<std::string> &names, std::vector<pw::TCalcItem> &values)
{
    const std::size_t eq = spec.find('=');
    double number = 0;
    const char *first = spec.data() + (eq == std::string::npos ? 0 : eq + 1);
    const char *last = spec.data() + spec.size();
    const auto res = std::from_chars(first, last, number);
    if (eq == std::string::npos || eq == 0 || res.ec != std::errc() || res.ptr != last)
        throw pw::Error("--var needs NAME=NUMBER, not " + spec);
    names.push_back(spec.substr(0, eq));
    values.push_back(pw::TCalcItem::Number(number));
}

std::string describe(const pw::TCalcItem &v)
{
    switch (v.kind) {
    case pw::CalcKind::Number:
        return "number: " + pw::NumberToText(v.number, false);
    case pw::CalcKind::Text:
        return "text: " + v.text;
    case pw::CalcKind::External:
        break;
    }
    return "external: " + v.text;
}

int runFormula(const FormulaOptions &options)
{
    ConsoleUi ui;
    pw::TArtFormula formula;
    formula.SetUi(ui);
    formula.CaseSensitive = options.caseSensitive;
    formula.CaseSensitiveString = !options.caseInsensitiveStrings;
    formula.InstructionLimit = kInstructionLimit;
    try {
        std::vector<std::string> names;
        std::vector<pw::TCalcItem> values;
        for (const std::string &spec : options.vars)
            parseVar(spec, names, values);
        if (options.value)
            std::cout << describe(formula.ComputeValue(options.text, values, names)) << '\n';
        else
            std::cout << pw::NumberToText(formula.Compute(options.text, values, names), false) << '\n';
    } catch (const std::exception &e) {
        std::cout << "error: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

} // namespace

void AddFormulaCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<FormulaOptions>();
    CLI::App *command = app.add_subcommand("formula", "compile and run a formula, print its result");
    command->add_flag("--value", options->value, "print the result with its kind (number: or text:)");
    command->add_flag("--case-sensitive", options->caseSensitive, "identifiers keep their case");
    command->add_flag("--case-insensitive-strings", options->caseInsensitiveStrings,
                      "text comparisons and POS ignore case");
    command->add_option("--var", options->vars, "a variable NAME=NUMBER (repeatable)")
        ->allow_extra_args(false);
    command->add_option("text", options->text, "the formula (after --)")->required();
    command->callback([options, &chosen] { chosen = [options] { return runFormula(*options); }; });
}

} // namespace pwcli
