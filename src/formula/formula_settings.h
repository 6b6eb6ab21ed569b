#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace pw {

// Host lookup of an external value: element n of the list behind Vname, as text.
using TArtFormulaGetVarProc
    = std::function<void(const std::string &Vname, int n, std::string &Val, bool wantnumber)>;
// Host lookup of how many values stand behind an external name.
using TArtFormulaGetVarsCountProc = std::function<void(const std::string &Vname, int &count, bool wantnumbe)>;

inline constexpr const char *DefaultVarNameLiterals = "_ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// The engine's settings, shared by the compiler and the evaluator.
struct FormulaSettings
{
    bool CaseSensitive = false;
    bool CaseSensitiveString = true;
    bool UnQuotedString = false;
    bool ExternGetVar = false;
    bool TestUsedVars = false;
    bool Step = false;
    std::string VarNameLiterals = DefaultVarNameLiterals;
    TArtFormulaGetVarProc GetVarValue;
    TArtFormulaGetVarsCountProc GetVarsCount;

    // Called before every instruction when Step is set; the GUI lets its event loop run here.
    std::function<void()> StepHook;
    // NOW's clock, as a day number; empty: the local time of the system clock.
    std::function<double()> NowSource;
    // Instructions one run may execute before it is stopped; 0 means no limit.
    std::uint64_t InstructionLimit = 0;
    // Variables one run may hold, supplied and defined together, so that a defining loop stops
    // with an error however long the instruction limit.
    std::size_t MaxVariables = 65536;
    // Longest text a run may build, so that a doubling loop cannot eat the memory.
    std::size_t MaxTextLength = std::size_t {1} << 24;
};

} // namespace pw
