#include "panels/octave_shift.h"
#include "panels/piano_geometry.h"
#include "panels/task_counters.h"

#include "document/har_exercis.h"
#include "document/timer_area.h"

#include <gtest/gtest.h>

using namespace pw;

TEST(PianoGeometry, KeyUnderThePointer)
{
    struct Case
    {
        int x, y;
        std::optional<int> offset;
    };
    const Case cases[] = {
        {0, 80, 3},   {0, 0, 3},    {6, 53, 3},  {7, 53, 4},   {14, 0, 4},   {15, 10, 5},   {16, 53, 5},
        {17, 53, 6},  {24, 20, 6},  {25, 20, 7}, {7, 54, 3},   {14, 87, 5},  {39, 10, 8},   {40, 10, 9},
        {47, 10, 9},  {48, 10, 10}, {51, 0, 11}, {58, 0, 11},  {62, 30, 13}, {69, 30, 13},  {70, 30, 14},
        {76, 87, 14}, {33, 20, 8},  {32, 20, 7}, {77, 10, {}}, {-1, 60, {}}, {100, 60, {}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(piano::NoteOffsetAt(c.x, c.y, piano::WhiteKeyWidth, piano::OctaveHeight), c.offset)
            << c.x << "," << c.y;
    }
}

TEST(PianoGeometry, WiderPicturesScaleTheBlackKeysToo)
{
    // Twice as wide and as high: every range of the design grid doubles.
    EXPECT_EQ(piano::NoteOffsetAt(30, 170, 22.0, 176), 5);
    EXPECT_EQ(piano::NoteOffsetAt(153, 170, 22.0, 176), 14);
    EXPECT_EQ(piano::NoteOffsetAt(154, 170, 22.0, 176), std::nullopt);
    EXPECT_EQ(piano::NoteOffsetAt(13, 20, 22.0, 176), 3) << "left of C sharp";
    EXPECT_EQ(piano::NoteOffsetAt(14, 20, 22.0, 176), 4);
    EXPECT_EQ(piano::NoteOffsetAt(29, 20, 22.0, 176), 4);
    EXPECT_EQ(piano::NoteOffsetAt(30, 20, 22.0, 176), 5) << "right of C sharp";
    EXPECT_EQ(piano::NoteOffsetAt(139, 107, 22.0, 176), 13);
    EXPECT_EQ(piano::NoteOffsetAt(139, 108, 22.0, 176), 14) << "below the black keys";
}

TEST(PianoGeometry, BlackKeysFollowTheKeyWidthAndTheHeight)
{
    for (const piano::BlackKey &key : piano::BlackKeys) {
        const piano::Columns design = piano::BlackKeyColumns(key, piano::WhiteKeyWidth);
        EXPECT_EQ(design.first, key.left);
        EXPECT_EQ(design.last, key.right);
        const piano::Columns triple = piano::BlackKeyColumns(key, 33.0);
        EXPECT_EQ(triple.first, 3 * key.left);
        EXPECT_EQ(triple.last, 3 * key.right + 2);
        // The narrowest keys still have black keys of some width between their white neighbours.
        const piano::Columns narrow = piano::BlackKeyColumns(key, 8.0);
        EXPECT_GE(narrow.last - narrow.first, 4) << key.offset;
    }
    EXPECT_EQ(piano::BlackZoneHeightFor(piano::OctaveHeight), piano::BlackZoneHeight);
    EXPECT_EQ(piano::BlackZoneHeightFor(64), 39);
    EXPECT_EQ(piano::BlackZoneHeightFor(128), 79);
    EXPECT_EQ(piano::NoteOffsetAt(12, 78, 16.0, 128), 4) << "C sharp reaches down to here";
    EXPECT_EQ(piano::NoteOffsetAt(12, 79, 16.0, 128), 3);
}

TEST(PianoGeometry, OctavesRunFromC2ToB6)
{
    EXPECT_EQ(piano::MidiNote(0, 3), 36);
    EXPECT_EQ(piano::MidiNote(2, 3), 60);
    EXPECT_EQ(piano::MidiNote(2, 4), 61);
    EXPECT_EQ(piano::MidiNote(4, 14), 95);
}

TEST(PianoGeometry, NotesFindTheirKeys)
{
    using Place = piano::KeyPlace;
    EXPECT_EQ(piano::KeyOfNote(36), (Place {0, 3}));
    EXPECT_EQ(piano::KeyOfNote(60), (Place {2, 3}));
    EXPECT_EQ(piano::KeyOfNote(61), (Place {2, 4}));
    EXPECT_EQ(piano::KeyOfNote(71), (Place {2, 14}));
    EXPECT_EQ(piano::KeyOfNote(95), (Place {4, 14}));
    EXPECT_EQ(piano::KeyOfNote(35), std::nullopt);
    EXPECT_EQ(piano::KeyOfNote(96), std::nullopt);
    for (int note = 36; note <= 95; ++note) {
        const auto place = piano::KeyOfNote(note);
        ASSERT_TRUE(place);
        EXPECT_EQ(piano::MidiNote(place->octave, place->offset), note);
    }
}

TEST(OctaveShift, ButtonsToggleTheOffset)
{
    struct Case
    {
        int voice, before, plus, minus;
    };
    const Case cases[] = {
        {Tenor, -1, 1, 0},   {Tenor, 0, 1, -1},  {Tenor, 1, 0, 0},   {Tenor, 2, 3, 1},  {Tenor, 3, 1, 2},
        {Alto, 0, 1, -1},    {Bass, 0, 1, 0},    {Bass, -1, 1, 0},   {Bass, 2, 3, 1},   {Soprano, 0, 0, -1},
        {Soprano, -1, 0, 0}, {Soprano, 3, 0, 2}, {Soprano, 2, 3, 1}, {Tenor, -3, 0, 0}, {Tenor, 7, 0, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(OctaveOffsetAfterPlus(c.voice, c.before), c.plus) << c.voice << " " << c.before;
        EXPECT_EQ(OctaveOffsetAfterMinus(c.voice, c.before), c.minus) << c.voice << " " << c.before;
    }
}

TEST(OctaveShift, LetteredOctavesFollowVoiceAndOffset)
{
    using Pair = std::array<int, 2>;
    EXPECT_EQ(LetteredOctaves(Alto, -1), (Pair {1, 2}));
    EXPECT_EQ(LetteredOctaves(Alto, 0), (Pair {2, 3}));
    EXPECT_EQ(LetteredOctaves(Bass, -1), (Pair {0, 1}));
    EXPECT_EQ(LetteredOctaves(Tenor, -1), (Pair {0, 1}));
    EXPECT_EQ(LetteredOctaves(Soprano, 1), (Pair {4, 5}));
}

TEST(TaskCounters, SeriesInProgressAndDone)
{
    struct Case
    {
        int iterations, attempts, successes;
        const char *number, *remain, *mistakes;
    };
    const Case cases[] = {
        {3, 0, 0, "1", "2", "0"}, {3, 1, 1, "2", "1", "0"}, {3, 2, 1, "3", "0", "1"},
        {3, 3, 1, "", "0", "2"},  {-1, 0, 0, "", "0", "0"},
    };
    for (const Case &c : cases) {
        TimerArea task;
        task.Iterations = c.iterations;
        task.Attempts = c.attempts;
        task.Successes = c.successes;
        const CounterTexts texts = PianoCounterTexts(task);
        EXPECT_EQ(texts.number, c.number) << c.attempts;
        EXPECT_EQ(texts.remain, c.remain) << c.attempts;
        EXPECT_EQ(texts.completed, std::to_string(c.attempts));
        EXPECT_EQ(texts.successful, std::to_string(c.successes));
        EXPECT_EQ(texts.mistakes, c.mistakes);
    }
}

TEST(TaskCounters, TimeHasTwoDigitsEach)
{
    EXPECT_EQ(TimeText(4, 7), "04:07");
    EXPECT_EQ(TimeText(15, 0), "15:00");
    EXPECT_EQ(TimeText(0, 59), "00:59");
}
