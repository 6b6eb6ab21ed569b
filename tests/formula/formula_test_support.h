#pragma once

#include "formula/art_formula.h"

#include "platform/recording_ui.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace pw::test {

// A result a case expects: a number (compared to 1e-12 relative) or a text.
using Expected = std::variant<double, std::string>;

struct ValueCase
{
    const char *formula;
    Expected expected;
};

inline std::ostream &operator<<(std::ostream &os, const ValueCase &c)
{
    return os << c.formula;
}

// An engine that shows nothing and draws reproducible random numbers.
struct Engine
{
    Engine()
    {
        formula.SetUi(ui);
        formula.SetRandom(random);
    }

    TCalcItem value(const std::string &text, std::vector<std::string> names = {},
                    std::vector<TCalcItem> values = {})
    {
        return formula.ComputeValue(text, values, names);
    }

    // The exception a formula raises, compiling or running: its message.
    template<typename Exception = Error>
    std::string failure(const std::string &text)
    {
        try {
            formula.ComputeValue(text, {}, {});
        } catch (const Exception &e) {
            return e.what();
        }
        return "(no exception)";
    }

    RecordingUi ui;
    StdRandom random {42};
    TArtFormula formula;
};

inline void ExpectValue(const TCalcItem &got, const Expected &expected)
{
    if (const double *n = std::get_if<double>(&expected)) {
        ASSERT_EQ(got.kind, CalcKind::Number) << "text: " << got.text;
        if (std::isnan(*n))
            EXPECT_TRUE(std::isnan(got.number)) << got.number;
        else if (std::isinf(*n) || *n == 0)
            EXPECT_EQ(got.number, *n);
        else
            EXPECT_NEAR(got.number, *n, std::fabs(*n) * 1e-12);
    } else {
        ASSERT_EQ(got.kind, CalcKind::Text) << "number: " << got.number;
        EXPECT_EQ(got.text, std::get<std::string>(expected));
    }
}

} // namespace pw::test
