#include "document/note_size.h"

#include <gtest/gtest.h>

using namespace pw;

namespace {

struct Step
{
    int length;
    bool dotted;
};

NSize sumOf(std::initializer_list<Step> steps, NSize start = {})
{
    for (const Step &s : steps)
        EXPECT_EQ(start.AddLength(s.length, s.dotted), 0);
    return start;
}

} // namespace

TEST(NSize, AddLengthKeepsExactFractions)
{
    struct Case
    {
        const char *what;
        std::initializer_list<Step> steps;
        NSize start;
        NSize expected;
    };
    const Case cases[] = {
        {"first note sets the unit", {{8, false}}, {}, {1, 8}},
        {"same unit counts up", {{8, false}, {8, false}}, {}, {2, 8}},
        {"longer note on a finer unit", {{8, false}, {4, false}}, {}, {3, 8}},
        {"finer note rescales", {{4, false}, {8, false}}, {}, {3, 8}},
        {"dotted half then quarter fills 4/4", {{4, true}, {8, false}}, {}, {4, 8}},
        {"half then dotted quarter in 2/2", {{4, false}, {8, true}}, {0, 4}, {7, 16}},
        {"dotted on empty", {{8, true}}, {}, {3, 16}},
        {"dotted on its own unit", {{8, false}, {8, true}}, {}, {5, 16}},
        {"dotted on the doubled unit", {{16, false}, {8, true}}, {}, {4, 16}},
        {"dotted on a finer unit", {{32, false}, {8, true}}, {}, {7, 32}},
        {"zero length adds nothing", {{0, false}, {0, true}}, {2, 8}, {2, 8}},
        {"eighths in 4/4",
         {{16, false},
          {16, false},
          {16, false},
          {16, false},
          {16, false},
          {16, false},
          {16, false},
          {16, false}},
         {0, 8},
         {8, 16}},
    };
    for (const Case &c : cases) {
        const NSize got = sumOf(c.steps, c.start);
        EXPECT_EQ(got.Count, c.expected.Count) << c.what;
        EXPECT_EQ(got.Unit, c.expected.Unit) << c.what;
    }
}

TEST(NSize, CompareToIsExactAcrossUnits)
{
    EXPECT_EQ(NSize(4, 8).CompareTo(NSize(8, 16)), 0);
    EXPECT_EQ(NSize(3, 8).CompareTo(NSize(8, 16)), 1);
    EXPECT_EQ(NSize(5, 8).CompareTo(NSize(8, 16)), -1);
    // The empty duration is zero, never equal to a real one.
    EXPECT_EQ(NSize().CompareTo(NSize(1, 8)), 1);
    EXPECT_EQ(NSize(1, 8).CompareTo(NSize()), -1);
    EXPECT_EQ(NSize().CompareTo(NSize(0, 8)), 0);
}
