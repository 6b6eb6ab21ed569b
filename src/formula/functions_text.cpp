// Text functions. A character is one byte of the text, as in the 8-bit texts formulas are
// written in; only the case conversion knows UTF-8 Cyrillic.

#include "formula/eval_context.h"
#include "formula/functions.h"
#include "formula/int_conversion.h"
#include "formula/text_case.h"

#include "platform/error.h"

#include <algorithm>

namespace pw::fn {

namespace {

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

std::string trimmed(std::string s, bool left, bool right)
{
    std::size_t b = 0, e = s.size();
    if (left)
        while (b < e && isBlank(s[b]))
            ++b;
    if (right)
        while (e > b && isBlank(s[e - 1]))
            --e;
    return s.substr(b, e - b);
}

// A count or position argument; below 0 counts as 0.
std::size_t countArg(EvalContext &ctx, const TCalcItem &item)
{
    return static_cast<std::size_t>(std::max(0, TruncToIntClamped(ctx.number(item))));
}

} // namespace

TCalcItem Chr(EvalContext &ctx, Args args)
{
    const auto code = static_cast<std::uint64_t>(TruncToInt64(ctx.number(args[0])));
    return TCalcItem::Text(std::string(1, static_cast<char>(code & 0xFF)));
}

TCalcItem Code(EvalContext &ctx, Args args)
{
    const std::string s = ctx.text(args[0]);
    if (s.empty())
        throw ConversionError("CODE of an empty text");
    return TCalcItem::Number(static_cast<unsigned char>(s[0]));
}

TCalcItem Length(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(static_cast<double>(ctx.text(args[0]).size()));
}

TCalcItem Trim(EvalContext &ctx, Args args)
{
    return TCalcItem::Text(trimmed(ctx.text(args[0]), true, true));
}

TCalcItem TrimLeft(EvalContext &ctx, Args args)
{
    return TCalcItem::Text(trimmed(ctx.text(args[0]), true, false));
}

TCalcItem TrimRight(EvalContext &ctx, Args args)
{
    return TCalcItem::Text(trimmed(ctx.text(args[0]), false, true));
}

TCalcItem UpperCase(EvalContext &ctx, Args args)
{
    return TCalcItem::Text(TextUpper(ctx.text(args[0])));
}

TCalcItem LowerCase(EvalContext &ctx, Args args)
{
    return TCalcItem::Text(TextLower(ctx.text(args[0])));
}

TCalcItem MidStr(EvalContext &ctx, Args args)
{
    const std::string s = ctx.text(args[0]);
    const int start = std::max(1, TruncToIntClamped(ctx.number(args[1])));
    const std::size_t count = countArg(ctx, args[2]);
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= s.size())
        return TCalcItem::Text({});
    return TCalcItem::Text(s.substr(from, count));
}

TCalcItem LeftStr(EvalContext &ctx, Args args)
{
    const std::string s = ctx.text(args[0]);
    return TCalcItem::Text(s.substr(0, countArg(ctx, args[1])));
}

TCalcItem RightStr(EvalContext &ctx, Args args)
{
    const std::string s = ctx.text(args[0]);
    const std::size_t count = std::min(countArg(ctx, args[1]), s.size());
    return TCalcItem::Text(s.substr(s.size() - count));
}

TCalcItem Pos(EvalContext &ctx, Args args)
{
    std::string needle = ctx.text(args[0]);
    std::string haystack = ctx.text(args[1]);
    if (!ctx.settings.CaseSensitiveString) {
        needle = TextUpper(needle);
        haystack = TextUpper(haystack);
    }
    if (needle.empty())
        return TCalcItem::Number(0);
    const std::size_t at = haystack.find(needle);
    return TCalcItem::Number(at == std::string::npos ? 0 : static_cast<double>(at + 1));
}

TCalcItem StringOfChar(EvalContext &ctx, Args args)
{
    const std::string s = ctx.text(args[0]);
    if (s.empty())
        throw ConversionError("STRINGOFCHAR of an empty text");
    const std::size_t count = countArg(ctx, args[1]);
    ctx.checkLength(count);
    return TCalcItem::Text(std::string(count, s[0]));
}

TCalcItem IsNumber(EvalContext &ctx, Args args)
{
    return TCalcItem::Number(ctx.tryNumber(args[0]) ? 1 : 0);
}

} // namespace pw::fn
