// libFuzzer target: any input compiles and runs without a crash; every failure is an Error.
//
// An input that starts with a byte below 0x20 takes it as settings: 1 CaseSensitive,
// 2 case-insensitive strings, 4 UnQuotedString, 8 ExternGetVar, 16 run the rest as raw code.

#include "formula/art_formula.h"

#include "platform/recording_ui.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    unsigned flags = 0;
    if (!text.empty() && static_cast<unsigned char>(text[0]) < 0x20) {
        flags = static_cast<unsigned char>(text[0]);
        text.erase(0, 1);
    }

    static pw::RecordingUi ui;
    static pw::StdRandom random {1};
    pw::TArtFormula formula;
    formula.SetUi(ui);
    formula.SetRandom(random);
    formula.InstructionLimit = 20000;
    formula.MaxTextLength = 1 << 16;
    formula.CaseSensitive = flags & 1;
    formula.CaseSensitiveString = !(flags & 2);
    formula.UnQuotedString = flags & 4;
    formula.ExternGetVar = flags & 8;
    formula.GetVarValue = [](const std::string &name, int n, std::string &val, bool) {
        val = name.size() % 2 ? std::to_string(n) : name;
    };
    formula.GetVarsCount
        = [](const std::string &name, int &count, bool) { count = static_cast<int>(name.size() % 4); };
    ui.messages.clear();

    const std::vector<std::string> names {"x", "y", "t"};
    const std::vector<pw::TCalcItem> values {pw::TCalcItem::Number(1.5), pw::TCalcItem::Text("text"),
                                             pw::TCalcItem::Number(0)};
    try {
        if (flags & 16) {
            formula.Compile("x", names);
            formula.Run(text, values);
        } else {
            formula.ReadNumber(formula.Run(formula.Compile(text, names), values));
        }
    } catch (const pw::Error &) {
        // FormulaException, conversion, range and division errors are the expected failures.
    }
    return 0;
}
