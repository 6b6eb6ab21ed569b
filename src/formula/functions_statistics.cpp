// Functions over argument lists: extremes, sums, moments, joining and counting.

#include "formula/eval_context.h"
#include "formula/functions.h"

#include <algorithm>
#include <cmath>

namespace pw::fn {

namespace {

struct Moments
{
    double n = 0;
    double sum = 0;
    double squares = 0;
};

Moments moments(EvalContext &ctx, Args args)
{
    Moments m;
    ctx.forEachValue(args, true, [&](const TCalcItem &v) {
        const double x = ctx.number(v);
        m.n += 1;
        m.sum += x;
        m.squares += x * x;
    });
    return m;
}

// With no values at all the extremes are 0 (the case is left open).
template<typename Better>
TCalcItem extreme(EvalContext &ctx, Args args, Better better)
{
    bool any = false;
    double best = 0;
    ctx.forEachValue(args, true, [&](const TCalcItem &v) {
        const double x = ctx.number(v);
        if (!any || better(x, best))
            best = x;
        any = true;
    });
    return TCalcItem::Number(best);
}

double variance(const Moments &m)
{
    return (m.n * m.squares - m.sum * m.sum) / (m.n * (m.n - 1));
}

} // namespace

TCalcItem Max(EvalContext &ctx, Args args)
{
    return extreme(ctx, args, [](double a, double b) { return a > b; });
}

TCalcItem Min(EvalContext &ctx, Args args)
{
    return extreme(ctx, args, [](double a, double b) { return a < b; });
}

TCalcItem Sum(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(moments(ctx, args).sum);
}

TCalcItem SumOfSquares(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(moments(ctx, args).squares);
}

TCalcItem Avg(EvalContext &ctx, Args args)
{
    const Moments m = moments(ctx, args);
    return TCalcItem::Number(m.sum / m.n);
}

TCalcItem Variance(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(variance(moments(ctx, args)));
}

TCalcItem VarianceP(EvalContext &ctx, Args args)
{
    const Moments m = moments(ctx, args);
    return TCalcItem::Number((m.n * m.squares - m.sum * m.sum) / (m.n * m.n));
}

TCalcItem StdDev(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(std::sqrt(variance(moments(ctx, args))));
}

TCalcItem StdDevP(EvalContext &ctx, Args args)
{
    const Moments m = moments(ctx, args);
    return TCalcItem::Number(std::sqrt(m.n * m.squares - m.sum * m.sum) / m.n);
}

TCalcItem Concat(EvalContext &ctx, Args args)
{
    std::vector<std::string> parts;
    std::size_t total = 0;
    ctx.forEachValue(args, false, [&](const TCalcItem &v) {
        parts.push_back(ctx.text(v));
        total += parts.back().size();
        ctx.checkLength(total);
    });
    std::string out;
    out.reserve(total);
    for (auto it = parts.rbegin(); it != parts.rend(); ++it)
        out += *it;
    return TCalcItem::Text(std::move(out));
}

TCalcItem Count(EvalContext &ctx, Args args)
{
    double count = 0;
    ctx.forEachValue(args, false, [&](const TCalcItem &v) {
        if (!ctx.text(v).empty())
            count += 1;
    });
    return TCalcItem::Number(count);
}

} // namespace pw::fn
