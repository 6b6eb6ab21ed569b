#pragma once

#include "formula/calc_item.h"

#include <span>
#include <string_view>

namespace pw {

class EvalContext;

// A built-in function: its arguments in order (without the count of a variadic call), its
// result as one value.
using FormulaFunction = TCalcItem (*)(EvalContext &ctx, std::span<const TCalcItem> args);

inline constexpr int AnyArity = -1;

struct FTableItem
{
    std::string_view name;
    int arity; // AnyArity: any number of arguments
    FormulaFunction call;
};

inline constexpr int FunctionCount = 72;

// The functions in table order; the position is the function index of compiled code.
std::span<const FTableItem> FunctionTable();

// The index of an upper-case function name, or -1.
int FindFunction(std::string_view upperName);

} // namespace pw
