#pragma once

#include "formula/calc_item.h"

#include <cstdint>

namespace pw {

class EvalContext;

// The unary operators (negate, `!`) on one value.
TCalcItem ApplyUnary(EvalContext &ctx, std::uint8_t op, const TCalcItem &value);
// A binary operator; left is the deeper stack entry.
TCalcItem ApplyBinary(EvalContext &ctx, std::uint8_t op, const TCalcItem &left, const TCalcItem &right);

// x raised to y: repeated multiplication for whole exponents, e^(y ln x) otherwise.
double Power(double x, double y);

} // namespace pw
