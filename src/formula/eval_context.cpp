#include "formula/eval_context.h"

#include "formula/formula_exception.h"
#include "formula/text_case.h"
#include "formula/value_text.h"

namespace pw {

double EvalContext::number(const TCalcItem &item) const
{
    switch (item.kind) {
    case CalcKind::Number:
        return item.number;
    case CalcKind::Text:
        return TextToNumberOrThrow(item.text);
    case CalcKind::External:
        break;
    }
    return TextToNumberOrThrow(externalValue(item.text, 0, false));
}

std::string EvalContext::text(const TCalcItem &item) const
{
    switch (item.kind) {
    case CalcKind::Number:
        return NumberToText(item.number);
    case CalcKind::Text:
        return item.text;
    case CalcKind::External:
        break;
    }
    return externalValue(item.text, 0, false);
}

std::optional<double> EvalContext::tryNumber(const TCalcItem &item) const
{
    switch (item.kind) {
    case CalcKind::Number:
        return item.number;
    case CalcKind::Text:
        return TextToNumber(item.text);
    case CalcKind::External:
        break;
    }
    return TextToNumber(externalValue(item.text, 0, false));
}

int EvalContext::compareTexts(const std::string &a, const std::string &b) const
{
    if (settings.CaseSensitiveString)
        return a.compare(b);
    return TextUpper(a).compare(TextUpper(b));
}

void EvalContext::checkLength(std::size_t length) const
{
    if (length > settings.MaxTextLength)
        throw FormulaException("Text too long");
}

std::string EvalContext::externalValue(const std::string &name, int n, bool wantNumber) const
{
    if (!settings.GetVarValue)
        throw FormulaException("GetVarValue not set!");
    std::string value;
    settings.GetVarValue(name, n, value, wantNumber);
    return value;
}

int EvalContext::externalCount(const std::string &name, bool wantNumber) const
{
    if (!settings.GetVarsCount || !settings.GetVarValue)
        throw FormulaException("GetVarsCount or GetVarValue not set!");
    int count = 0;
    settings.GetVarsCount(name, count, wantNumber);
    if (count <= 0)
        throw FormulaException("\"" + name + "\" returns zero vars!");
    return count;
}

} // namespace pw
