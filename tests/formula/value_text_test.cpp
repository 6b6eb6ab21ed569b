#include "formula/value_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace pw {
namespace {

struct TextNumber
{
    const char *text;
    std::optional<double> number;
};

class TextToNumberCases : public ::testing::TestWithParam<TextNumber>
{
};

TEST_P(TextToNumberCases, ReadOrRefuse)
{
    const auto got = TextToNumber(GetParam().text);
    ASSERT_EQ(got.has_value(), GetParam().number.has_value()) << GetParam().text;
    if (got)
        EXPECT_EQ(*got, *GetParam().number) << GetParam().text;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    CLocale, TextToNumberCases,
    ::testing::Values(TextNumber {"12", 12.0}, TextNumber {" 12\t", 12.0}, TextNumber {"+3", 3.0},
                      TextNumber {"-2.5", -2.5}, TextNumber {".5", 0.5}, TextNumber {"5.", 5.0},
                      TextNumber {"1e3", 1000.0}, TextNumber {"1.5E-2", 0.015}, TextNumber {"1e400", kInf},
                      TextNumber {"-1e400", -kInf}, TextNumber {"1e-400", 0.0}, TextNumber {"inf", kInf},
                      TextNumber {"-INF", -kInf}, TextNumber {"", std::nullopt},
                      TextNumber {" ", std::nullopt}, TextNumber {".", std::nullopt},
                      TextNumber {"1,5", std::nullopt}, TextNumber {"0x10", std::nullopt},
                      TextNumber {"1e", std::nullopt}, TextNumber {"1 2", std::nullopt},
                      TextNumber {"--1", std::nullopt}, TextNumber {"infinity", std::nullopt},
                      TextNumber {"abc", std::nullopt}));

TEST(NumberToText, ShortestFormWithFifteenDigits)
{
    EXPECT_EQ(NumberToText(14), "14");
    EXPECT_EQ(NumberToText(2.5), "2.5");
    EXPECT_EQ(NumberToText(-0.5), "-0.5");
    EXPECT_EQ(NumberToText(0.1 + 0.2), "0.3");
    EXPECT_EQ(NumberToText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(NumberToText(123456789012345678.0), "1.23456789012346e+17");
    EXPECT_EQ(NumberToText(0.00001), "1e-05");
    EXPECT_EQ(NumberToText(kInf), "inf");
    EXPECT_EQ(NumberToText(-kInf), "-inf");
    EXPECT_EQ(NumberToText(-std::nan("")), "nan");
    EXPECT_EQ(NumberToText(0.0), "0");
}

} // namespace
} // namespace pw
