// Dates and the number and date pictures.

#include "formula/date_picture.h"
#include "formula/day_number.h"
#include "formula/eval_context.h"
#include "formula/functions.h"
#include "formula/int_conversion.h"
#include "formula/number_picture.h"

#include "platform/error.h"

#include <chrono>
#include <ctime>

namespace pw::fn {

namespace {

DateParts parts(EvalContext &ctx, const TCalcItem &item)
{
    return DecodeDayNumber(ctx.number(item));
}

// ENCODEDATE takes each part as an integer of 0 to 65535.
int datePart(EvalContext &ctx, const TCalcItem &item)
{
    const std::int64_t v = TruncToInt64(ctx.number(item));
    if (v < 0 || v > 65535)
        throw ConversionError("Invalid argument to date encode");
    return static_cast<int>(v);
}

TCalcItem number(int v)
{
    return TCalcItem::Number(v);
}

TCalcItem checked(EvalContext &ctx, std::string s)
{
    ctx.checkLength(s.size());
    return TCalcItem::Text(std::move(s));
}

} // namespace

TCalcItem Date(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(ParseDateText(ctx.text(args[0])));
}

TCalcItem Now(EvalContext &ctx, Args)
{
    if (ctx.settings.NowSource)
        return TCalcItem::Number(ctx.settings.NowSource());
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    std::tm local {};
    localtime_r(&t, &local);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return TCalcItem::Number(
        EncodeDayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday)
        + EncodeTimeOfDay(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59), static_cast<int>(ms)));
}

TCalcItem DayOfWeek(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).dayOfWeek);
}
TCalcItem Year(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).year);
}
TCalcItem Month(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).month);
}
TCalcItem Day(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).day);
}
TCalcItem Hour(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).hour);
}
TCalcItem Minute(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).minute);
}
TCalcItem Second(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).second);
}
TCalcItem MilliSecond(EvalContext &ctx, Args args)
{
    return number(parts(ctx, args[0]).millisecond);
}

TCalcItem IsLeapYear(EvalContext &ctx, Args args)
{
    const std::int64_t year = TruncToInt64(ctx.number(args[0]));
    return number(((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 1 : 0);
}

TCalcItem EncodeDate(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(
        EncodeDayNumber(datePart(ctx, args[0]), datePart(ctx, args[1]), datePart(ctx, args[2])));
}

TCalcItem Format(EvalContext &ctx, Args args)
{
    return checked(ctx, FormatNumberPicture(ctx.text(args[0]), ctx.number(args[1])));
}

TCalcItem FormatF(EvalContext &ctx, Args args)
{
    return checked(ctx, FormatDirective(ctx.text(args[0]), ctx.number(args[1])));
}

TCalcItem FormatDate(EvalContext &ctx, Args args)
{
    return checked(ctx, FormatDayNumber(ctx.text(args[0]), ctx.number(args[1])));
}

} // namespace pw::fn
