#include "drill_fixture.h"

#include "midi/midi_message.h"

#include <gtest/gtest.h>

using namespace pw;
using pwtest::DrillRig;
using pwtest::Message;
using pwtest::ScriptedRandom;

namespace {

DrillSettings drill(int type, int attempts = 3, int notes = 10)
{
    DrillSettings s;
    s.type = type;
    s.melodic = type == 12 || type == 14 || type == 16 || type == 22;
    s.countAttempts = attempts;
    s.countNotes = notes;
    s.countSeconds = 5;
    return s;
}

// A keyboard picture of two octaves (504 x 250) placed at (100, 300) in the 1000 x 600 area.
void withKeyboard(DrillRig &rig, DrillSettings s)
{
    s.keyboardLeft = 100;
    s.keyboardTop = 300;
    rig.drill.SetPictureSizes(504, 250, 0, 0);
    rig.drill.SetUp(s);
}

// The area point over the body of a white key of the first octave (0 = C4).
int whiteX(int white)
{
    return 100 + white * 36 + 18;
}
constexpr int WhiteY = 300 + 200;

TEST(NoteDrill, ATaskSilencesTheLastClickAndSoundsItsProgramAndNotes)
{
    // C4 (white key 0), program 3, a melodic second note a major third up.
    ScriptedRandom random({0, 3, 3, 0, 0});
    DrillRig rig(random, drill(1));
    EXPECT_TRUE(rig.drill.Waiting()) << "the first task waits for the student";
    rig.drill.Continue();
    EXPECT_EQ(rig.host.sent, (std::vector<Message> {{0xB0, 123, 0}, {0xC0, 3, 0}, {0x90, 60, 50}}));
    EXPECT_EQ(rig.task.Iterations, 10);
    EXPECT_EQ(rig.task.LimitSec, 5);
    EXPECT_TRUE(rig.task.Timer->enabled());
    EXPECT_EQ(rig.host.stepsLater, 0);

    ScriptedRandom melodic({0, 0, 0, 3});
    DrillRig two(melodic, drill(22));
    two.drill.Continue();
    EXPECT_EQ(two.drill.Played(), (std::vector<std::vector<int>> {{60}}));
    ASSERT_EQ(two.host.stepsLater, 1) << "the second note a second later";
    two.drill.PlayNextStep();
    EXPECT_EQ(two.drill.Played(), (std::vector<std::vector<int>> {{60}, {64}}));
    EXPECT_EQ(two.host.sent.back(), (Message {0x90, 64, 50}));
}

TEST(NoteDrill, AProgramPastSevenBitsIsSentAsADataByte)
{
    InstrumentChoice pipes;
    pipes.families = {false, false, false, false, false, false, false, true};
    ScriptedRandom random({0, 0, 15});
    DrillRig rig(random, drill(1));
    rig.drill.SetInstruments(pipes);
    rig.drill.Continue();
    EXPECT_EQ(rig.drill.Task().program, 157);
    EXPECT_EQ(rig.host.sent[1], (Message {0xC0, 157 - 128, 0}));
}

TEST(NoteDrill, ThreeWrongClicksOrFiveWrongKeysUseUpThreeAttempts)
{
    ScriptedRandom random({0});
    DrillRig rig(random);
    withKeyboard(rig, drill(1));
    rig.drill.Continue();
    ASSERT_EQ(rig.drill.Task().first, 39);
    rig.drill.Click(whiteX(1), WhiteY);
    rig.drill.Click(whiteX(2), WhiteY);
    EXPECT_EQ(rig.drill.WrongCount(), 4) << "a click is judged through the note road and directly";
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open);
    EXPECT_EQ(rig.drill.Marks().back().color, DrillRed);
    rig.drill.Click(whiteX(3), WhiteY);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Exhausted);
    EXPECT_EQ(rig.drill.Message(), DrillMessage::Exhausted);
    EXPECT_EQ(rig.drill.Marks().back().key, 39);
    EXPECT_EQ(rig.drill.Marks().back().color, DrillGreen) << "the answer is shown";
    EXPECT_FALSE(rig.task.Timer->enabled());
    EXPECT_EQ(rig.task.Attempts, 1);
    EXPECT_EQ(rig.task.Successes, 0);
    // The clicked keys went the note road, each stopping the one before.
    EXPECT_EQ(rig.host.throughHandler.front(), (Message {0x90, 41 + 21, 50}));
    EXPECT_NE(std::find(rig.host.sent.begin(), rig.host.sent.end(), Message {0x80, 41 + 21, 50}),
              rig.host.sent.end());

    ScriptedRandom keys({0});
    DrillRig midi(keys, drill(1));
    midi.drill.Continue();
    for (int i = 1; i <= 4; ++i)
        midi.drill.MidiNote(60 + i);
    EXPECT_EQ(midi.drill.Outcome(), DrillOutcome::Open) << "four keys leave an attempt";
    midi.drill.MidiNote(70);
    EXPECT_EQ(midi.drill.Outcome(), DrillOutcome::Exhausted);
    // Any key then starts the next task.
    midi.drill.MidiNote(60);
    EXPECT_EQ(midi.drill.Outcome(), DrillOutcome::Open);
    EXPECT_EQ(midi.drill.WrongCount(), 0);
}

TEST(NoteDrill, TheRightNoteByKeyOrOnTheStaffSucceeds)
{
    ScriptedRandom random({2}); // E4
    DrillRig rig(random);
    DrillSettings s = drill(1);
    s.staffLeft = 0;
    s.staffTop = 0;
    s.staffNotesOffset = 70;
    s.staffNoteWidth = 36;
    rig.drill.SetPictureSizes(0, 0, 574, 190);
    rig.drill.SetUp(s);
    rig.drill.Continue();
    ASSERT_EQ(rig.drill.Task().first, 43);
    rig.drill.Click(70 + 2 * 36 + 5, 60);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Success);
    EXPECT_EQ(rig.drill.WrongCount(), 0) << "the direct judgement after a success is not counted";
    EXPECT_EQ(rig.task.Successes, 1);
    EXPECT_EQ(rig.drill.Message(), DrillMessage::Success);
    // Clicks outside the pictures do nothing; while a result is shown a click goes on.
    const int counted = rig.task.Attempts;
    rig.drill.Click(900, 500);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open);
    rig.drill.Click(900, 500);
    EXPECT_EQ(rig.task.Attempts, counted);
    EXPECT_EQ(rig.drill.WrongCount(), 0);
}

TEST(NoteDrill, HintedVariantsAskTheOtherNote)
{
    // 13: first 50 (39 + 11), interval 4 up: 54 is asked, 50 is the hint.
    ScriptedRandom random({11, 0, 0, 3});
    DrillRig rig(random, drill(13));
    rig.drill.Continue();
    EXPECT_EQ(rig.drill.HintKey(), 50);
    rig.drill.MidiNote(50 + 21);
    EXPECT_EQ(rig.drill.WrongCount(), 1) << "the given note is no answer";
    rig.drill.MidiNote(54 + 21);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Success);
    for (const NoteMark &mark : rig.drill.Marks())
        EXPECT_NE(mark.key == 50 && mark.color == DrillGreen, true) << "the hint is not marked again";

    ScriptedRandom other({11, 0, 0, 3});
    DrillRig fifteen(other, drill(15));
    fifteen.drill.Continue();
    EXPECT_EQ(fifteen.drill.HintKey(), 54);
    fifteen.drill.MidiNote(50 + 21);
    EXPECT_EQ(fifteen.drill.Outcome(), DrillOutcome::Success);
}

TEST(NoteDrill, BothNotesMustBeFoundAndEachFoundOneTurnsGreenAtOnce)
{
    ScriptedRandom random({0, 0, 0, 6}); // 39 and 46
    DrillRig rig(random, drill(21));
    rig.drill.Continue();
    rig.drill.MidiNote(46 + 21);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open);
    ASSERT_EQ(rig.drill.Marks().size(), 1u);
    EXPECT_EQ(rig.drill.Marks()[0].key, 46);
    EXPECT_EQ(rig.drill.Marks()[0].color, DrillGreen);
    rig.drill.MidiNote(46 + 21);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open) << "the same note twice is not both";
    rig.drill.MidiNote(40 + 21);
    EXPECT_EQ(rig.drill.WrongCount(), 1);
    rig.drill.MidiNote(39 + 21);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Success);
}

TEST(NoteDrill, IntervalsAreNamedByTheirRowOnly)
{
    ScriptedRandom random({0, 0, 0, 4}); // 39 and 44: five semitones
    DrillRig rig(random);
    DrillSettings s = drill(11);
    s.keyboardLeft = 400;
    s.keyboardTop = 0;
    rig.drill.SetPictureSizes(504, 250, 0, 0);
    rig.drill.SetUp(s);
    rig.drill.Continue();
    EXPECT_EQ(rig.drill.IntervalRowHeight(), 50);
    rig.drill.MidiNote(39 + 21);
    rig.drill.Click(400 + 18, 200);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open) << "keys and the keyboard give no answer here";
    EXPECT_EQ(rig.drill.WrongCount(), 0);
    rig.drill.Click(5, 4 * 50 + 10);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open) << "too close to the edge";
    rig.drill.Click(20, 3 * 50 + 10);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open) << "a wrong row does nothing";
    EXPECT_EQ(rig.drill.CorrectRow(), std::nullopt);
    rig.drill.Click(20, 4 * 50 + 10);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Success);
    EXPECT_EQ(rig.drill.CorrectRow(), 5);
}

TEST(NoteDrill, TheCountdownEndsATaskAsAMistakeAndTheSeriesEndsWithItsMark)
{
    ScriptedRandom random;
    DrillRig rig(random, drill(1, 3, 2));
    rig.drill.Continue();
    for (int second = 0; second < 4; ++second)
        rig.drill.Tick();
    EXPECT_EQ(rig.task.LimitSec, 1);
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Open);
    rig.drill.Tick();
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::TimeOut);
    EXPECT_EQ(rig.drill.Message(), DrillMessage::TimeOut);
    EXPECT_EQ(rig.task.Attempts, 1);
    EXPECT_EQ(rig.task.Attempts - rig.task.Successes, 1) << "counted with mistakes";
    EXPECT_FALSE(rig.task.Timer->enabled());
    rig.drill.Tick();
    EXPECT_EQ(rig.task.Attempts, 1) << "no more ticks between tasks";

    rig.drill.Continue();
    EXPECT_EQ(rig.task.LimitSec, 5) << "every task has its own time";
    rig.drill.Tick();
    EXPECT_EQ(rig.task.SecondsUsed, 6) << "the seconds of the series: five, then one";
    rig.drill.MidiNote(rig.drill.Task().first + 21);
    EXPECT_EQ(rig.host.seriesEnded, 1);
    EXPECT_TRUE(rig.drill.Ended());
    EXPECT_EQ(rig.task.MarkText(), "3");
    rig.drill.Continue();
    EXPECT_EQ(rig.task.Attempts, 2) << "nothing is asked after the last task";
    EXPECT_EQ(rig.drill.Outcome(), DrillOutcome::Success);
}

} // namespace
