#include "formula/operators.h"

#include "formula/bytecode.h"
#include "formula/eval_context.h"
#include "formula/formula_exception.h"
#include "formula/int_conversion.h"

#include <cmath>
#include <limits>

namespace pw {

double Power(double x, double y)
{
    if (y == 0)
        return 1;
    if (x == 0 && y > 0)
        return 0;
    if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0) {
        auto n = static_cast<long long>(std::fabs(y));
        double result = 1, base = x;
        while (n > 0) {
            if (n & 1)
                result *= base;
            base *= base;
            n >>= 1;
        }
        return y < 0 ? 1 / result : result;
    }
    return std::exp(y * std::log(x));
}

namespace {

TCalcItem truth(bool b)
{
    return TCalcItem::Number(b ? 1 : 0);
}

TCalcItem integerOp(std::uint8_t op, double l, double r)
{
    const std::int64_t a = TruncToInt64(l);
    const std::int64_t b = TruncToInt64(r);
    if (b == 0)
        throw Error("Division by zero");
    if (b == -1) // minimum / -1 overflows a 64-bit integer, but the double holds it
        return TCalcItem::Number(op == '\\' ? -static_cast<double>(a) : 0.0);
    return TCalcItem::Number(static_cast<double>(op == '\\' ? a / b : a % b));
}

TCalcItem compare(EvalContext &ctx, std::uint8_t op, const TCalcItem &left, const TCalcItem &right)
{
    int c = 0;
    const auto l = ctx.tryNumber(left);
    const auto r = l ? ctx.tryNumber(right) : std::nullopt;
    if (l && r) {
        switch (op) {
        case '<':
            return truth(*l < *r);
        case '>':
            return truth(*l > *r);
        case '=':
            return truth(*l == *r);
        case op::LessEqual:
            return truth(*l <= *r);
        case op::GreaterEqual:
            return truth(*l >= *r);
        default:
            return truth(*l != *r);
        }
    }
    c = ctx.compareTexts(ctx.text(left), ctx.text(right));
    switch (op) {
    case '<':
        return truth(c < 0);
    case '>':
        return truth(c > 0);
    case '=':
        return truth(c == 0);
    case op::LessEqual:
        return truth(c <= 0);
    case op::GreaterEqual:
        return truth(c >= 0);
    default:
        return truth(c != 0);
    }
}

TCalcItem concatenate(EvalContext &ctx, const TCalcItem &left, const TCalcItem &right)
{
    std::string l = ctx.text(left);
    const std::string r = ctx.text(right);
    ctx.checkLength(l.size() + r.size());
    l += r;
    return TCalcItem::Text(std::move(l));
}

} // namespace

TCalcItem ApplyUnary(EvalContext &ctx, std::uint8_t op, const TCalcItem &value)
{
    const double v = ctx.number(value);
    if (op == '!')
        return truth(v == 0);
    return TCalcItem::Number(-v);
}

TCalcItem ApplyBinary(EvalContext &ctx, std::uint8_t op, const TCalcItem &left, const TCalcItem &right)
{
    switch (op) {
    case '+': {
        const auto l = ctx.tryNumber(left);
        const auto r = l ? ctx.tryNumber(right) : std::nullopt;
        if (l && r)
            return TCalcItem::Number(*l + *r);
        return concatenate(ctx, left, right);
    }
    case '@':
        return concatenate(ctx, left, right);
    case '<':
    case '>':
    case '=':
    case op::LessEqual:
    case op::GreaterEqual:
    case op::NotEqual:
        return compare(ctx, op, left, right);
    default:
        break;
    }
    const double l = ctx.number(left);
    const double r = ctx.number(right);
    switch (op) {
    case '-':
        return TCalcItem::Number(l - r);
    case '*':
        return TCalcItem::Number(l * r);
    case '/':
        return TCalcItem::Number(l / r);
    case '\\':
    case '%':
        return integerOp(op, l, r);
    case '^':
        return TCalcItem::Number(Power(l, r));
    case '&':
        return truth(l != 0 && r != 0);
    case '|':
        return truth(l != 0 || r != 0);
    case op::Xor:
        return truth((l != 0) != (r != 0));
    default:
        throw FormulaException("Wrong bytecode!");
    }
}

} // namespace pw
