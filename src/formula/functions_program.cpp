// Variables, blocks, choices and the host's dialogs.

#include "formula/eval_context.h"
#include "formula/formula_exception.h"
#include "formula/functions.h"
#include "formula/int_conversion.h"

#include "platform/ui.h"

namespace pw::fn {

namespace {

TCalcItem &existing(EvalContext &ctx, const std::string &name, bool named)
{
    TCalcItem *v = ctx.variables.find(name);
    if (!v)
        throw FormulaException(named ? "Variable " + name + " dose not exists" : "Variable dose not exists");
    return *v;
}

TCalcItem step(EvalContext &ctx, Args args, double by)
{
    TCalcItem &v = existing(ctx, ctx.text(args[0]), false);
    v = TCalcItem::Number(ctx.number(v) + by);
    return v;
}

// Message-box style flags: the low four bits choose the buttons, as on the original platform.
UiButtons buttonsOfStyle(std::int64_t style)
{
    switch (style & 0xF) {
    case 1:
        return UiButtons::OkCancel;
    case 3:
        return UiButtons::YesNoCancel;
    case 4:
        return UiButtons::YesNo;
    default:
        return UiButtons::Ok;
    }
}

// The identifiers the original platform gives its buttons: IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7.
double buttonId(UiButton button)
{
    switch (button) {
    case UiButton::Ok:
        return 1;
    case UiButton::Cancel:
        return 2;
    case UiButton::Yes:
        return 6;
    case UiButton::No:
        return 7;
    }
    return 1;
}

} // namespace

TCalcItem Set(EvalContext &ctx, Args args)
{
    existing(ctx, ctx.text(args[0]), true) = args[1];
    return args[1];
}

TCalcItem Val(EvalContext &ctx, Args args)
{
    return existing(ctx, ctx.text(args[0]), true);
}

TCalcItem Define(EvalContext &ctx, Args args)
{
    ctx.variables.define(ctx.text(args[0]), args[1]);
    return args[1];
}

TCalcItem Block(EvalContext &, Args args)
{
    return args.empty() ? TCalcItem::Number(0) : args.back();
}

TCalcItem Defines(EvalContext &ctx, Args args)
{
    for (std::size_t i = args.size(); i-- > 0;)
        ctx.variables.define(ctx.text(args[i]), TCalcItem::Number(0));
    return TCalcItem::Number(static_cast<double>(args.size()));
}

TCalcItem Inc(EvalContext &ctx, Args args)
{
    return step(ctx, args, 1);
}

TCalcItem Dec(EvalContext &ctx, Args args)
{
    return step(ctx, args, -1);
}

TCalcItem Iff(EvalContext &ctx, Args args)
{
    return ctx.number(args[0]) != 0 ? args[1] : args[2];
}

TCalcItem Input(EvalContext &ctx, Args args)
{
    const auto entered = ctx.ui.inputText(ctx.text(args[0]), ctx.text(args[1]), ctx.text(args[2]));
    return TCalcItem::Text(entered.value_or(std::string()));
}

TCalcItem Msg(EvalContext &ctx, Args args)
{
    const std::string text = ctx.text(args[0]);
    const std::string caption = ctx.text(args[1]);
    const UiButtons buttons = buttonsOfStyle(TruncToInt64(ctx.number(args[2])));
    return TCalcItem::Number(buttonId(ctx.ui.message(caption, text, buttons)));
}

} // namespace pw::fn
