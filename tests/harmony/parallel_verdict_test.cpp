#include "harmony/harmony_check.h"

#include <gtest/gtest.h>

using namespace pw;

namespace {

struct Case
{
    const char *what;
    VoicePitches previous;
    VoicePitches current;
    const char *verdict;
};

TEST(ParallelVerdict, Table)
{
    const Case cases[] = {
        {"octave between bass and alto, found before the fifth of bass and tenor",
         {27, 34, 39, 43},
         {29, 36, 41, 44},
         " == 8"},
        {"two octaves to one while only the bass leaps an octave", {12, 28, 31, 36}, {24, 28, 31, 36}, ""},
        {"octave of bass and tenor while only the bass leaps", {12, 24, 28, 31}, {0, 24, 28, 31}, ""},
        {"unison moving", {0, 12, 12, 16}, {5, 17, 17, 21}, " == 8"},
        {"octave held by both voices", {0, 12, 16, 24}, {5, 12, 17, 24}, ""},
        {"three octaves do not count", {0, 20, 28, 36}, {2, 22, 29, 38}, ""},
        {"fifth between tenor and soprano", {0, 24, 28, 31}, {5, 26, 29, 33}, " == 5"},
        {"a twelfth is not a fifth", {0, 24, 28, 43}, {5, 26, 29, 45}, ""},
        {"fifth held", {0, 24, 28, 31}, {5, 24, 29, 31}, ""},
        // A pair of which one voice holds is no parallel, even when other voices move.
        {"G major: the bass leaps an octave under the held soprano G4, tenor and alto move",
         {24, 28, 31, 36},
         {12, 24, 28, 36},
         ""},
        {"A minor: the same under A4", {36, 39, 43, 48}, {24, 36, 39, 48}, ""},
        {"F major: the bass leaps under the held alto F4", {24, 31, 36, 40}, {12, 28, 36, 43}, ""},
        {"contrary-motion octaves: both voices of the pair move",
         {24, 31, 36, 48},
         {29, 33, 36, 41},
         " == 8"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ParallelVerdict(MakeChordVector(c.previous), MakeChordVector(c.current)), c.verdict)
            << c.what;
}

TEST(ParallelVerdict, TheParallelPairIsNamed)
{
    const auto octaves = FindParallels(MakeChordVector({27, 34, 39, 43}), MakeChordVector({29, 36, 41, 44}));
    ASSERT_TRUE(octaves);
    EXPECT_TRUE(octaves->octaves);
    EXPECT_EQ(std::make_pair(octaves->lower, octaves->upper), std::make_pair(0, 2)) << "bass and alto";
    const auto fifths = FindParallels(MakeChordVector({0, 24, 28, 31}), MakeChordVector({5, 26, 29, 33}));
    ASSERT_TRUE(fifths);
    EXPECT_FALSE(fifths->octaves);
    EXPECT_EQ(std::make_pair(fifths->lower, fifths->upper), std::make_pair(1, 3)) << "tenor and soprano";
    EXPECT_FALSE(FindParallels(MakeChordVector({0, 24, 28, 31}), MakeChordVector({0, 24, 28, 31})));
}

TEST(ParallelVerdict, ChordVectorIntervals)
{
    EXPECT_EQ(MakeChordVector({10, 20, 27, 40}), (ChordVector {10, 20, 27, 40, 10, 17, 30, 7, 20, 13}));
}

} // namespace
