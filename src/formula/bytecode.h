#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace pw {

// Opcodes of compiled formula code. The binary operators (and `!`) use their own character code.
namespace op {
inline constexpr std::uint8_t Return = 0;
inline constexpr std::uint8_t PushExternal = 231;
inline constexpr std::uint8_t Drop = 241;
inline constexpr std::uint8_t Jump = 242;
inline constexpr std::uint8_t JumpIfZero = 244;
inline constexpr std::uint8_t Call = 245;
inline constexpr std::uint8_t PushText = 246;
inline constexpr std::uint8_t Xor = 247;
inline constexpr std::uint8_t LessEqual = 249;
inline constexpr std::uint8_t GreaterEqual = 250;
inline constexpr std::uint8_t Negate = 251;
inline constexpr std::uint8_t NotEqual = 252;
inline constexpr std::uint8_t PushVariable = 253;
inline constexpr std::uint8_t PushNumber = 254;
// Argument count of a call whose count lies on the stack.
inline constexpr std::uint8_t CountedArgs = 255;
} // namespace op

// Appends instructions to a code string; jump targets are 0-based byte offsets.
class CodeWriter
{
public:
    std::string &code() { return m_code; }
    std::size_t size() const { return m_code.size(); }

    void byte(std::uint8_t b) { m_code.push_back(static_cast<char>(b)); }
    void int32(std::int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            byte(static_cast<std::uint8_t>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
    }
    void number(double v)
    {
        byte(op::PushNumber);
        char raw[8];
        std::memcpy(raw, &v, 8);
        m_code.append(raw, 8);
    }
    void text(std::uint8_t opcode, const std::string &s)
    {
        byte(opcode);
        int32(static_cast<std::int32_t>(s.size()));
        m_code += s;
    }
    // Emits a jump with an unknown target and returns where the target goes.
    std::size_t jump(std::uint8_t opcode)
    {
        byte(opcode);
        const std::size_t at = m_code.size();
        int32(0);
        return at;
    }
    void jumpTo(std::uint8_t opcode, std::size_t target)
    {
        byte(opcode);
        int32(static_cast<std::int32_t>(target));
    }
    void patch(std::size_t at, std::size_t target)
    {
        for (int i = 0; i < 4; ++i)
            m_code[at + static_cast<std::size_t>(i)] = static_cast<char>((target >> (8 * i)) & 0xFF);
    }

private:
    std::string m_code;
};

} // namespace pw
