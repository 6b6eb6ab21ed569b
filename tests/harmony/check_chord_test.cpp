#include "exercise_fixture.h"

#include "harmony/definitor.h"
#include "harmony/harmony_check.h"
#include "harmony/part_analysis.h"
#include "platform/error.h"

#include <gtest/gtest.h>

using namespace pw;
using pwtest::Chord;
using pwtest::ChordPart;
using pwtest::Exercise;
using pwtest::LoadedExercise;

namespace {

// Chords of C major: T close with the third in the soprano, S, D, T.
const Chord T3 {24, 31, 36, 40};
const Chord S1 {17, 33, 36, 41};
const Chord D5 {19, 31, 35, 38};

class CheckChordTest : public ::testing::Test
{
protected:
    std::unique_ptr<LoadedExercise> load(const std::vector<Chord> &chords, const std::string &fixedVoice = "")
    {
        return std::make_unique<LoadedExercise>(Exercise("TSD major", {ChordPart(1, chords, fixedVoice)}));
    }

    // The chord at beat pos of measure 0, as an insertion in voice analyses it.
    void check(LoadedExercise &e, int voice, int pos, bool create = true)
    {
        e.ex->CurPart = 0;
        e.ex->part(0).CurVoice = voice;
        CheckChordAt(*e.ex, definitor, 0, pos, 0, 8, 0, create);
    }

    static int high(XmlNode voice, int index)
    {
        int i = 0;
        for (XmlNode note : voice.children("Note")) {
            if (i++ == index)
                return GetAttrInt(note, "High", -100);
        }
        return -100;
    }

    RecordingUi ui;
    TMusDefinitor definitor {pwtest::BundledRuleBase(), ui};
};

TEST_F(CheckChordTest, WritesNameDescriptorsAndStep)
{
    auto e = load({T3, S1});
    check(*e, 3, 0);
    check(*e, 3, 1);
    const auto notes = e->analysisNotes(0);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(GetAttr(notes[0], "Text"), "T");
    EXPECT_EQ(GetAttr(notes[0], "Long"), "8");
    EXPECT_EQ(GetAttr(notes[0], "M"), "3");
    EXPECT_TRUE(notes[0].attribute("Move").empty());
    EXPECT_EQ(GetAttr(notes[1], "Text"), "S");
    EXPECT_EQ(GetAttr(notes[1], "Move"), "гарм.");
    EXPECT_TRUE(notes[1].attribute("Err").empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CheckChordTest, IncompleteChordWritesNothing)
{
    auto e = load({T3});
    e->voice(0, 2).remove_child(e->voice(0, 2).child("Note"));
    check(*e, 3, 0);
    EXPECT_TRUE(e->analysisNotes(0).empty());
}

TEST_F(CheckChordTest, WithoutCreateOnlyExistingAnalysisNotesChange)
{
    auto e = load({T3});
    check(*e, 0, 0, false);
    EXPECT_TRUE(e->analysisNotes(0).empty());
    check(*e, 0, 0, true);
    ASSERT_EQ(e->analysisNotes(0).size(), 1u);
    // The chord changes to a non-chord: the name follows, the note stays single.
    SetAttr(e->voice(0, 3).child("Note"), "High", 42);
    check(*e, 3, 0, false);
    ASSERT_EQ(e->analysisNotes(0).size(), 1u);
    EXPECT_EQ(GetAttr(e->analysisNotes(0)[0], "Text"), "?");
}

TEST_F(CheckChordTest, CrossedEditableVoicesAreExchanged)
{
    // A tenor written below the bass: both free, so the notes move and the chord is a T.
    auto e = load({{31, 24, 36, 40}});
    check(*e, 1, 0);
    EXPECT_EQ(high(e->voice(0, 0), 0), 24);
    EXPECT_EQ(high(e->voice(0, 1), 0), 31);
    EXPECT_EQ(GetAttr(e->analysisNotes(0)[0], "Text"), "T");
}

TEST_F(CheckChordTest, FixedVoiceIsNeverExchanged)
{
    for (const char *fixed : {"0", "1"}) {
        auto e = load({{31, 24, 36, 40}}, fixed);
        check(*e, fixed[0] == '0' ? 1 : 0, 0);
        EXPECT_EQ(high(e->voice(0, 0), 0), 31) << "fixed " << fixed;
        EXPECT_EQ(high(e->voice(0, 1), 0), 24) << "fixed " << fixed;
        EXPECT_EQ(GetAttr(e->analysisNotes(0)[0], "Text"), "?");
    }
}

TEST_F(CheckChordTest, RestInAnUpperVoiceSinksToTheBass)
{
    auto e = load({{24, 31, 36, -1}});
    check(*e, 3, 0);
    EXPECT_EQ(high(e->voice(0, 0), 0), -1);
    EXPECT_EQ(high(e->voice(0, 1), 0), 24);
    EXPECT_EQ(high(e->voice(0, 3), 0), 36);
    EXPECT_EQ(GetAttr(e->analysisNotes(0)[0], "Text"), "?");
}

TEST_F(CheckChordTest, ParallelsAreRecordedWithANamedStep)
{
    // T to D in parallel motion: fifths between bass and tenor.
    auto fifths = load({T3, {19, 26, 35, 43}});
    check(*fifths, 0, 0);
    check(*fifths, 0, 1);
    EXPECT_EQ(GetAttr(fifths->analysisNotes(0)[1], "Move"), "мелод.");
    EXPECT_EQ(GetAttr(fifths->analysisNotes(0)[1], "Err"), " == 5");

    // Every voice a fourth up: octaves and fifths at once, the octaves are reported.
    auto octaves = load({{24, 28, 31, 36}, {29, 33, 36, 41}});
    check(*octaves, 0, 0);
    check(*octaves, 0, 1);
    EXPECT_EQ(GetAttr(octaves->analysisNotes(0)[1], "Move"), "мелод.");
    EXPECT_EQ(GetAttr(octaves->analysisNotes(0)[1], "Err"), " == 8");
}

TEST_F(CheckChordTest, ForbiddenStepHidesTheParallels)
{
    auto e = load({{31, 35, 38, 43}, {29, 33, 36, 41}});
    check(*e, 0, 0);
    check(*e, 0, 1);
    EXPECT_EQ(GetAttr(e->analysisNotes(0)[1], "Text"), "S");
    EXPECT_EQ(GetAttr(e->analysisNotes(0)[1], "Move"), "?");
    EXPECT_TRUE(e->analysisNotes(0)[1].attribute("Err").empty());
}

TEST_F(CheckChordTest, ACrossingAGivenVoiceKeepsIsAnUnknownChord)
{
    // A minor, the bass A3 given: the tenor F3 below it cannot be exchanged with it.
    LoadedExercise e(Exercise("TSD minor", {ChordPart(0, {{36, 32, 41, 48}, {31, 38, 43, 47}}, "0")}));
    AnalyseWrittenPart(*e.ex, definitor, 0);
    const auto notes = e.analysisNotes(0);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(GetAttr(notes[0], "Text"), "?") << "not S|6|4";
    EXPECT_EQ(GetAttrInt(e.voice(0, 1).child("Note"), "High", 0), 32) << "the given bass is never moved";
    EXPECT_EQ(GetAttr(notes[1], "Move"), "?");
    EXPECT_TRUE(notes[1].attribute("Err").empty()) << "no parallels against a chord that is not one";
}

TEST_F(CheckChordTest, ExemptChordHasNoStepVerdict)
{
    auto e = load({T3, {19, 26, 35, 43}});
    SetAttr(e->voice(0, 2).child("Note").next_sibling("Note"), "BH", "Y");
    check(*e, 0, 0);
    check(*e, 0, 1);
    const XmlNode second = e->analysisNotes(0)[1];
    EXPECT_EQ(GetAttr(second, "Text"), "D");
    ASSERT_FALSE(second.attribute("Move").empty());
    EXPECT_EQ(GetAttr(second, "Move", "absent"), "");
    EXPECT_TRUE(second.attribute("Err").empty());
}

TEST_F(CheckChordTest, InsertionKeepsTheNeighboursCurrent)
{
    auto e = load({T3, S1, D5});
    AnalyseWrittenPart(*e->ex, definitor, 0);
    EXPECT_EQ(GetAttr(e->analysisNotes(0)[2], "Move"), "мелод.");

    // A wrong tenor in the S: that chord and the step after it turn to "?".
    XmlNode tenor = e->voice(0, 1).child("Note").next_sibling("Note");
    SetAttr(tenor, "High", 34);
    e->ex->part(0).CurVoice = 1;
    AnalyseInsertion(*e->ex, definitor, 0, 1, 34, 8, 0);
    auto notes = e->analysisNotes(0);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(GetAttr(notes[1], "Text"), "?");
    EXPECT_TRUE(notes[1].attribute("Move").empty());
    EXPECT_EQ(GetAttr(notes[2], "Move"), "?");

    SetAttr(tenor, "High", 33);
    AnalyseInsertion(*e->ex, definitor, 0, 1, 33, 8, 0);
    notes = e->analysisNotes(0);
    EXPECT_EQ(GetAttr(notes[1], "Move"), "гарм.");
    EXPECT_EQ(GetAttr(notes[2], "Move"), "мелод.");
}

TEST_F(CheckChordTest, OneVoiceGroupNamesTheEnteredPitch)
{
    const std::string part = "<Part OnlyVoices=\"Y\" CurrentVoice=\"3\"><Tonality type=\"1\" val=\"0\"/>"
                             "<Size chi=\"4\" zna=\"8\"/><Voice H=\"3\"><Note High=\"40\" Long=\"8\"/>"
                             "<Note High=\"43\" Long=\"4\" P=\"1\"/></Voice></Part>";
    LoadedExercise e(Exercise("Notes", {part}));
    e.ex->CurPart = 0;
    CheckChordAt(*e.ex, definitor, 0, 0, 40, 8, 0, true);
    CheckChordAt(*e.ex, definitor, 0, 1, 43, 4, 1, true);
    const auto notes = e.analysisNotes(0);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(GetAttr(notes[0], "Text"), "T||III");
    EXPECT_EQ(GetAttr(notes[1], "Text"), "D");
    EXPECT_EQ(GetAttr(notes[1], "P"), "1");
    EXPECT_EQ(GetAttr(notes[1], "Long"), "4");
    for (XmlNode note : notes) {
        EXPECT_TRUE(note.attribute("Move").empty());
        EXPECT_TRUE(note.attribute("T").empty());
    }
}

// A group that names no chord set is a faulty rule file: every chord is unknown, and the note
// entered stays.
TEST_F(CheckChordTest, AGroupWithoutChordsNamesEveryChordUnknownAndKeepsTheNotes)
{
    TMusDefinitor faulty(pwtest::TestRules("small_rules.xml"), ui);
    LoadedExercise e(Exercise("Empty", {ChordPart(1, {T3})}));
    e.ex->CurPart = 0;
    CheckChordAt(*e.ex, faulty, 0, 0, 40, 8, 0, true);
    EXPECT_EQ(high(e.voice(0, 3), 0), 40);
    const auto notes = e.analysisNotes(0);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(GetAttr(notes[0], "Text"), "?");
}

TEST_F(CheckChordTest, NothingInEditorModeOrWithoutGroup)
{
    auto e = load({T3});
    e->ex->EditMode = true;
    check(*e, 0, 0);
    EXPECT_TRUE(e->analysisNotes(0).empty());

    LoadedExercise plain(Exercise("", {ChordPart(1, {T3})}));
    plain.ex->CurPart = 0;
    CheckChordAt(*plain.ex, definitor, 0, 0, 24, 8, 0, true);
    EXPECT_FALSE(plain.analysisVoice(0));
}

} // namespace
