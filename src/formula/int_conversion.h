#pragma once

#include <cstdint>

namespace pw {

// A number truncated toward zero to a 64-bit integer; RangeError when it has no such value
// (NaN, infinities, beyond ±2^63).
std::int64_t TruncToInt64(double value);

// Truncated and clamped to the int range, for positions and counts; RangeError for NaN.
int TruncToIntClamped(double value);

} // namespace pw
