#include "formula/int_conversion.h"

#include "platform/error.h"

#include <climits>
#include <cmath>

namespace pw {

std::int64_t TruncToInt64(double value)
{
    const double t = std::trunc(value);
    if (!(t >= -9223372036854775808.0 && t < 9223372036854775808.0))
        throw RangeError("Invalid floating point operation");
    return static_cast<std::int64_t>(t);
}

int TruncToIntClamped(double value)
{
    if (std::isnan(value))
        throw RangeError("Invalid floating point operation");
    const double t = std::trunc(value);
    if (t <= INT_MIN)
        return INT_MIN;
    if (t >= INT_MAX)
        return INT_MAX;
    return static_cast<int>(t);
}

} // namespace pw
