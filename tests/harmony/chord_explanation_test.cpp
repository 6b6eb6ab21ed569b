// Why a label is red: one case of every reason, from chords analysed against the bundled rules.

#include "exercise_fixture.h"

#include "config/localization.h"
#include "document/exercise_nodes.h"
#include "harmony/chord_explanation.h"
#include "harmony/part_analysis.h"

#include <gtest/gtest.h>

#include <map>

using namespace pw;
using pwtest::Chord;
using pwtest::ChordPart;
using pwtest::Exercise;
using pwtest::LoadedExercise;

namespace {

class ChordExplanation : public ::testing::Test
{
protected:
    // The reasons of every chord of the progression, analysed as a written part.
    std::vector<std::vector<Why>> explain(const std::string &group, int tonalityType,
                                          const std::vector<Chord> &chords,
                                          const std::string &fixedVoice = "")
    {
        loaded = std::make_unique<LoadedExercise>(
            Exercise(group, {ChordPart(tonalityType, chords, fixedVoice)}));
        AnalyseWrittenPart(*loaded->ex, definitor, 0);
        std::vector<std::vector<Why>> reasons;
        for (XmlNode note : loaded->analysisNotes(0))
            reasons.push_back(ExplainChord(*loaded->ex, definitor, 0, note));
        return reasons;
    }
    static Why why(Fault fault, int voice = -1, int otherVoice = -1) { return {fault, voice, otherVoice}; }

    RecordingUi ui;
    TMusDefinitor definitor {pwtest::BundledRuleBase(), ui};
    std::unique_ptr<LoadedExercise> loaded;
};

constexpr Chord T {24, 31, 36, 40}; // C3 G3 C4 E4

} // namespace

TEST_F(ChordExplanation, CorrectChordsHaveNoReasons)
{
    const auto reasons = explain("TSD major", 1, {T, {17, 33, 36, 41}, {19, 31, 35, 38}, T});
    for (const auto &chord : reasons)
        EXPECT_TRUE(chord.empty());
}

TEST_F(ChordExplanation, WhatMakesAChordUnknown)
{
    // A tone outside the chord: F sharp in the soprano of a tonic.
    auto outside = explain("TSD major", 1, {{24, 31, 36, 42}});
    ASSERT_EQ(outside[0].size(), 1u);
    EXPECT_EQ(outside[0][0].fault, Fault::OutsideChord);
    EXPECT_EQ(outside[0][0].voice, Soprano);
    EXPECT_EQ(outside[0][0].chord, "T");

    // The leading tone B doubled in D (tenor and soprano).
    EXPECT_EQ(explain("TSD major", 1, {{19, 35, 38, 47}})[0],
              (std::vector<Why> {why(Fault::DoubledLeadingTone, Tenor, Soprano)}));
    // The third E doubled in a root position T.
    EXPECT_EQ(explain("TSD major", 1, {{24, 28, 31, 40}})[0],
              (std::vector<Why> {why(Fault::DoubledThird, Tenor, Soprano)}));
    // C G C G: no third.
    const auto missing = explain("TSD major", 1, {{24, 31, 36, 43}})[0];
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].fault, Fault::MissingTone);
    EXPECT_EQ(missing[0].member, ChordMember::Third);
    // Alto E4 and soprano G5 more than an octave apart.
    EXPECT_EQ(explain("TSD major", 1, {{24, 36, 40, 55}})[0],
              (std::vector<Why> {why(Fault::VoicesTooFarApart, Alto, Soprano)}));
    // A given bass A3 above the tenor F3.
    EXPECT_EQ(explain("TSD minor", 0, {{36, 32, 41, 48}}, "0")[0],
              (std::vector<Why> {why(Fault::CrossedVoices, Bass, Tenor)}));
    // The tones of T but a shape the rules do not list: six-four without its doubled bass.
    const auto unlisted = explain("TSD major", 1, {{19, 24, 28, 36}})[0];
    ASSERT_EQ(unlisted.size(), 1u);
    EXPECT_EQ(unlisted[0].fault, Fault::UnlistedVoicing);
    EXPECT_EQ(unlisted[0].chord, "T|6|4");
}

TEST_F(ChordExplanation, WhyAStepIsForbidden)
{
    // D to S: no rule leads that way.
    const auto retro = explain("TSD major", 1, {{19, 31, 35, 38}, {17, 33, 36, 41}})[1];
    ASSERT_EQ(retro.size(), 1u);
    EXPECT_EQ(retro[0].fault, Fault::Retrogression);
    EXPECT_EQ(retro[0].chord, "D");
    EXPECT_EQ(retro[0].otherChord, "S");

    // T to S with the soprano leaping a sixth, where a fourth is the most; the octaves of bass and
    // alto that the "?" hides are told too.
    const auto leap = explain("TSD major", 1, {T, {29, 33, 41, 48}})[1];
    ASSERT_EQ(leap.size(), 2u);
    EXPECT_EQ(leap[1], why(Fault::ParallelOctaves, Bass, Alto));
    EXPECT_EQ(leap[0].fault, Fault::Leap);
    EXPECT_EQ(leap[0].voice, Soprano);
    EXPECT_EQ(leap[0].semitones, 8);
    EXPECT_EQ(leap[0].limit, 5);

    // F to G sharp in the alto, in A minor.
    EXPECT_EQ(explain("TSD minor", 0, {{29, 36, 44, 53}, {26, 38, 47, 55}})[1],
              (std::vector<Why> {why(Fault::AugmentedSecond, Alto)}));

    // After an unknown chord the step cannot be named.
    EXPECT_EQ(explain("TSD major", 1, {{24, 31, 36, 42}, T})[1],
              (std::vector<Why> {why(Fault::UnknownNeighbour)}));
}

TEST_F(ChordExplanation, ParallelsAreNamedAlsoUnderAForbiddenStep)
{
    // T to S, every voice a fourth up: octaves of bass and alto, the step named.
    const auto named = explain("TSD major", 1, {{24, 28, 31, 36}, {29, 33, 36, 41}})[1];
    EXPECT_EQ(named, (std::vector<Why> {why(Fault::ParallelOctaves, Bass, Soprano)}));
    // T to D in parallel fifths of bass and tenor.
    EXPECT_EQ(explain("TSD major", 1, {T, {19, 26, 35, 43}})[1],
              (std::vector<Why> {why(Fault::ParallelFifths, Bass, Tenor)}));
    // D to S in parallel motion: the retrogression and the octaves it hides.
    const auto hidden = explain("TSD major", 1, {{31, 35, 38, 43}, {29, 33, 36, 41}})[1];
    ASSERT_EQ(hidden.size(), 2u);
    EXPECT_EQ(hidden[0].fault, Fault::Retrogression);
    EXPECT_EQ(hidden[1], why(Fault::ParallelOctaves, Bass, Soprano));
    EXPECT_TRUE(loaded->analysisNotes(0)[1].attribute("Err").empty()) << "explaining stores nothing";
}

TEST_F(ChordExplanation, TheChordAtTheCursorIsTheOneJustWritten)
{
    explain("TSD major", 1, {T, {17, 33, 36, 41}});
    HarExercis &ex = *loaded->ex;
    ex.CurPart = 0;
    ex.part(0).CurVoice = Bass;
    ex.part(0).CurTact = 0;
    ex.part(0).CurPos = 1;
    EXPECT_EQ(AnalysisNoteAtCursor(ex), loaded->analysisNotes(0)[1]);
    ex.part(0).CurPos = 2; // after the last chord
    EXPECT_EQ(AnalysisNoteAtCursor(ex), loaded->analysisNotes(0)[1]);
    ex.part(0).CurPos = 0;
    EXPECT_EQ(AnalysisNoteAtCursor(ex), loaded->analysisNotes(0)[0]);
}

TEST(WhyText, EveryReasonReadsInRussianAndEnglish)
{
    Localization english;
    english.Load(PARTWRITER_BUNDLED_DATA, "English");
    const auto englishText = [&](const std::string &id) { return english.Text("Why", id); };
    const auto russianText = [](const std::string &id) { return Localization::Default("Why", id); };

    Why leap {Fault::Leap, Soprano, -1, 8, 5};
    EXPECT_EQ(WhyText(leap, englishText), "The soprano leaps 8 semitones; at most 5 are allowed here.");
    Why octaves {Fault::ParallelOctaves, Bass, Alto};
    EXPECT_EQ(WhyText(octaves, englishText), "Parallel octaves between the bass and the alto.");
    EXPECT_EQ(WhyText(octaves, russianText), "Параллельные октавы: бас и альт.");
    Why missing {Fault::MissingTone, -1, -1, 0, 0, "T|6"};
    missing.member = ChordMember::Third;
    EXPECT_EQ(WhyText(missing, englishText), "T6 lacks its third.");

    for (int f = 0; f <= static_cast<int>(Fault::ParallelFifths); ++f) {
        const Why each {static_cast<Fault>(f), Tenor, Alto, 7, 5, "S", "T"};
        const std::string russian = WhyText(each, russianText);
        const std::string translated = WhyText(each, englishText);
        EXPECT_FALSE(russian.empty()) << f;
        EXPECT_NE(translated, russian) << f << ": no English text";
        EXPECT_EQ(translated.find('%'), std::string::npos) << translated;
    }
}
