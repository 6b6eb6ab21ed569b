#include "formula/evaluator.h"

#include "formula/bytecode.h"
#include "formula/eval_context.h"
#include "formula/formula_exception.h"
#include "formula/function_table.h"
#include "formula/operators.h"

#include <cstring>

namespace pw {

namespace {

[[noreturn]] void wrongBytecode()
{
    throw FormulaException("Wrong bytecode!");
}

// Reads the operands of one instruction, refusing to run past the end of the code.
class CodeReader
{
public:
    CodeReader(const std::string &code, std::size_t &pos)
        : m_code(code)
        , m_pos(pos)
    {
    }

    std::uint8_t byte()
    {
        need(1);
        return static_cast<std::uint8_t>(m_code[m_pos++]);
    }
    std::uint32_t uint32()
    {
        need(4);
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(m_code[m_pos++])) << (8 * i);
        return v;
    }
    double number()
    {
        need(8);
        double v;
        std::memcpy(&v, m_code.data() + m_pos, 8);
        m_pos += 8;
        return v;
    }
    std::string text()
    {
        const std::uint32_t length = uint32();
        need(length);
        std::string s = m_code.substr(m_pos, length);
        m_pos += length;
        return s;
    }

private:
    void need(std::size_t n) const
    {
        if (m_code.size() - m_pos < n)
            wrongBytecode();
    }

    const std::string &m_code;
    std::size_t &m_pos;
};

} // namespace

FormulaEvaluator::FormulaEvaluator(const FormulaSettings &settings)
    : m_settings(settings)
{
    m_stack.reserve(256);
}

void FormulaEvaluator::call(EvalContext &ctx, int index, int argc)
{
    if (index >= FunctionCount)
        wrongBytecode();
    const FTableItem &f = FunctionTable()[static_cast<std::size_t>(index)];
    // A variadic call counts its arguments at run time; a fixed one names exactly its arity.
    if ((f.arity == AnyArity) != (argc == op::CountedArgs) || (f.arity != AnyArity && argc != f.arity))
        wrongBytecode();
    if (argc == op::CountedArgs) {
        if (m_stack.empty() || m_stack.back().kind != CalcKind::Number)
            wrongBytecode();
        const double count = m_stack.back().number;
        if (!(count >= 0 && count < static_cast<double>(m_stack.size())))
            wrongBytecode();
        m_stack.pop_back();
        argc = static_cast<int>(count);
    }
    const auto n = static_cast<std::size_t>(argc);
    if (n > m_stack.size())
        wrongBytecode();
    TCalcItem result = f.call(ctx, std::span<const TCalcItem>(m_stack).last(n));
    m_stack.resize(m_stack.size() - n);
    m_stack.push_back(std::move(result));
}

TCalcItem FormulaEvaluator::run(const std::string &code, std::span<const std::string> names,
                                std::span<const TCalcItem> values, Ui &ui, Random &random)
{
    m_stack.clear();
    m_variables.reset(names, values, m_settings.CaseSensitive, m_settings.MaxVariables);
    const std::size_t supplied = names.size();
    EvalContext ctx(m_settings, m_variables, ui, random);
    std::uint64_t executed = 0;
    std::size_t pos = 0;
    CodeReader read(code, pos);

    const auto need = [this](std::size_t n) {
        if (m_stack.size() < n)
            wrongBytecode();
    };

    while (pos < code.size()) {
        if (m_settings.Step && m_settings.StepHook)
            m_settings.StepHook();
        if (m_settings.InstructionLimit != 0 && ++executed > m_settings.InstructionLimit)
            throw FormulaException("Instruction limit exceeded");
        const std::uint8_t opcode = read.byte();
        switch (opcode) {
        case op::Return:
            pos = code.size();
            break;
        case op::PushNumber:
            m_stack.push_back(TCalcItem::Number(read.number()));
            break;
        case op::PushText:
            m_stack.push_back(TCalcItem::Text(read.text()));
            break;
        case op::PushExternal:
            m_stack.push_back(TCalcItem::External(read.text()));
            break;
        case op::PushVariable: {
            const std::uint8_t i = read.byte();
            if (i >= supplied)
                wrongBytecode();
            m_stack.push_back(m_variables.at(i));
            break;
        }
        case op::Drop:
            need(1);
            m_stack.pop_back();
            break;
        case op::Jump:
            pos = read.uint32();
            break;
        case op::JumpIfZero: {
            need(1);
            const double v = ctx.number(m_stack.back());
            m_stack.pop_back();
            const std::uint32_t target = read.uint32();
            if (v == 0)
                pos = target;
            break;
        }
        case op::Call: {
            const std::uint8_t index = read.byte();
            const std::uint8_t argc = read.byte();
            call(ctx, index, argc);
            break;
        }
        case op::Negate:
        case '!':
            need(1);
            m_stack.back() = ApplyUnary(ctx, opcode, m_stack.back());
            break;
        case '%':
        case '&':
        case '*':
        case '+':
        case '-':
        case '/':
        case '<':
        case '=':
        case '>':
        case '@':
        case '\\':
        case '^':
        case '|':
        case op::Xor:
        case op::LessEqual:
        case op::GreaterEqual:
        case op::NotEqual: {
            need(2);
            TCalcItem result = ApplyBinary(ctx, opcode, m_stack[m_stack.size() - 2], m_stack.back());
            m_stack.pop_back();
            m_stack.back() = std::move(result);
            break;
        }
        default:
            wrongBytecode();
        }
    }
    if (m_stack.empty())
        wrongBytecode();
    return m_stack.back();
}

} // namespace pw
