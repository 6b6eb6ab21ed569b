// Mathematical functions and the random generator.

#include "formula/eval_context.h"
#include "formula/functions.h"

#include "platform/random.h"

#include <cmath>

namespace pw::fn {

namespace {

template<double (*F)(double)>
TCalcItem unary(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(F(ctx.number(args[0])));
}

double lg(double x)
{
    return std::log10(x);
}

double frac(double x)
{
    return x - std::trunc(x);
}

double sign(double x)
{
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}

// Plain function pointers for the template: the <cmath> overload sets cannot be named directly.
double sin_(double x)
{
    return std::sin(x);
}
double cos_(double x)
{
    return std::cos(x);
}
double tan_(double x)
{
    return std::tan(x);
}
double log_(double x)
{
    return std::log(x);
}
double exp_(double x)
{
    return std::exp(x);
}
double sqrt_(double x)
{
    return std::sqrt(x);
}
double trunc_(double x)
{
    return std::trunc(x);
}
double fabs_(double x)
{
    return std::fabs(x);
}
double atan_(double x)
{
    return std::atan(x);
}
double asin_(double x)
{
    return std::asin(x);
}
double acos_(double x)
{
    return std::acos(x);
}
double asinh_(double x)
{
    return std::asinh(x);
}
double acosh_(double x)
{
    return std::acosh(x);
}
double atanh_(double x)
{
    return std::atanh(x);
}
double cosh_(double x)
{
    return std::cosh(x);
}
double sinh_(double x)
{
    return std::sinh(x);
}
double tanh_(double x)
{
    return std::tanh(x);
}

} // namespace

TCalcItem Sin(EvalContext &ctx, Args args)
{
    return unary<sin_>(ctx, args);
}
TCalcItem Cos(EvalContext &ctx, Args args)
{
    return unary<cos_>(ctx, args);
}
TCalcItem Tan(EvalContext &ctx, Args args)
{
    return unary<tan_>(ctx, args);
}
TCalcItem Log(EvalContext &ctx, Args args)
{
    return unary<log_>(ctx, args);
}
TCalcItem Lg(EvalContext &ctx, Args args)
{
    return unary<lg>(ctx, args);
}
TCalcItem Exp(EvalContext &ctx, Args args)
{
    return unary<exp_>(ctx, args);
}
TCalcItem Sqrt(EvalContext &ctx, Args args)
{
    return unary<sqrt_>(ctx, args);
}
TCalcItem Int(EvalContext &ctx, Args args)
{
    return unary<trunc_>(ctx, args);
}
TCalcItem Frac(EvalContext &ctx, Args args)
{
    return unary<frac>(ctx, args);
}
TCalcItem Abs(EvalContext &ctx, Args args)
{
    return unary<fabs_>(ctx, args);
}
TCalcItem Atan(EvalContext &ctx, Args args)
{
    return unary<atan_>(ctx, args);
}
TCalcItem Asin(EvalContext &ctx, Args args)
{
    return unary<asin_>(ctx, args);
}
TCalcItem Acos(EvalContext &ctx, Args args)
{
    return unary<acos_>(ctx, args);
}
TCalcItem Asinh(EvalContext &ctx, Args args)
{
    return unary<asinh_>(ctx, args);
}
TCalcItem Acosh(EvalContext &ctx, Args args)
{
    return unary<acosh_>(ctx, args);
}
TCalcItem Atanh(EvalContext &ctx, Args args)
{
    return unary<atanh_>(ctx, args);
}
TCalcItem Cosh(EvalContext &ctx, Args args)
{
    return unary<cosh_>(ctx, args);
}
TCalcItem Sinh(EvalContext &ctx, Args args)
{
    return unary<sinh_>(ctx, args);
}
TCalcItem Tanh(EvalContext &ctx, Args args)
{
    return unary<tanh_>(ctx, args);
}
TCalcItem Sign(EvalContext &ctx, Args args)
{
    return unary<sign>(ctx, args);
}

TCalcItem Rnd(EvalContext &ctx, Args)
{
    // Two 30-bit draws make a 60-bit fraction in [0, 1).
    constexpr int k30 = 1 << 30;
    const double high = ctx.random.below(k30);
    const double low = ctx.random.below(k30);
    return TCalcItem::Number((high * k30 + low) / (static_cast<double>(k30) * k30));
}

TCalcItem Randomize(EvalContext &ctx, Args)
{
    ctx.random.reseedFromClock();
    return TCalcItem::Number(0);
}

} // namespace pw::fn
