// The committed rule base: generated, never edited by hand, and musically right.

#include "exercise_fixture.h"

#include "chord_shapes.h"
#include "document/measure_index.h"
#include "document/xml_file.h"
#include "harmony/definitor.h"
#include "harmony/harmony_check.h"
#include "harmony/part_analysis.h"
#include "rule_base.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

using namespace pw;
using pwtest::Chord;
using pwtest::ChordPart;
using pwtest::Exercise;
using pwtest::LoadedExercise;

namespace {

TEST(RuleBaseFile, IsTheGeneratorsOutput)
{
    std::ifstream in(pwtest::BundledRuleBase(), std::ios::binary);
    std::stringstream committed;
    committed << in.rdbuf();
    EXPECT_TRUE(committed.str() == pwgen::RuleBaseText())
        << "data/xml/definitor.xml differs from the generator's output; regenerate it with definitor_gen";
}

class RuleBaseTest : public ::testing::Test
{
protected:
    struct Step
    {
        std::string text;
        std::string move;
        std::string err;
    };

    // The analysis of the chords written as one part of quarter notes.
    std::vector<Step> analyse(const std::string &group, int tonalityType, const std::vector<Chord> &chords)
    {
        LoadedExercise e(Exercise(group, {ChordPart(tonalityType, chords)}));
        AnalyseWrittenPart(*e.ex, definitor, 0);
        return steps(e, 0);
    }

    static std::vector<Step> steps(const LoadedExercise &e, int p)
    {
        std::vector<Step> out;
        for (XmlNode note : e.analysisNotes(p))
            out.push_back({GetAttr(note, "Text"), GetAttr(note, "Move"), GetAttr(note, "Err")});
        return out;
    }

    std::unique_ptr<TAccordInfo> identify(const std::string &group, const Chord &c)
    {
        return definitor.IdentifyChord(group, c[0], c[1], c[2], c[3]);
    }

    std::string name(const std::string &group, const Chord &c)
    {
        auto chord = identify(group, c);
        return chord ? chord->Name() : "?";
    }

    void expectClean(const std::vector<Step> &analysis, const std::vector<std::string> &names)
    {
        ASSERT_EQ(analysis.size(), names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            EXPECT_EQ(analysis[i].text, names[i]) << "chord " << i;
            EXPECT_EQ(analysis[i].err, "") << "chord " << i;
            if (i > 0) {
                EXPECT_NE(analysis[i].move, "?") << "chord " << i;
                EXPECT_NE(analysis[i].move, "") << "chord " << i;
            }
        }
    }

    RecordingUi ui;
    TMusDefinitor definitor {pwtest::BundledRuleBase(), ui};
};

TEST_F(RuleBaseTest, CadenceInCMajorClosePosition)
{
    const auto analysis
        = analyse("TSD major", 1, {{24, 31, 36, 40}, {17, 33, 36, 41}, {19, 31, 35, 38}, {24, 31, 36, 40}});
    expectClean(analysis, {"T", "S", "D", "T"});
    EXPECT_EQ(analysis[1].move, "гарм.");
    EXPECT_EQ(analysis[2].move, "мелод.");
    EXPECT_EQ(analysis[3].move, "гарм.");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RuleBaseTest, CadenceInAMinorClosePosition)
{
    // A | E A C, D | F A D, E | E G sharp B, A | E A C.
    const auto analysis
        = analyse("TSD minor", 0, {{24, 31, 36, 39}, {17, 32, 36, 41}, {19, 31, 35, 38}, {24, 31, 36, 39}});
    expectClean(analysis, {"T", "S", "D", "T"});
    EXPECT_EQ(analysis[1].move, "гарм.");
    EXPECT_EQ(analysis[2].move, "мелод.");
    EXPECT_EQ(analysis[3].move, "гарм.");
    // G natural is no dominant in this course.
    EXPECT_EQ(name("TSD minor", {19, 31, 34, 38}), "?");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RuleBaseTest, DescriptorsOfIdentifiedChords)
{
    struct Case
    {
        Chord chord;
        const char *name, *t, *s, *l, *m;
    };
    const Case cases[] = {
        {{24, 31, 36, 40}, "T", "T", "T", "N", "3"},
        {{12, 31, 40, 48}, "T", "T", "T", "W", "1"}, // open
        {{24, 36, 40, 48}, "T", "T", "T", "M", "1"}, // tripled root, no fifth
        {{16, 31, 36, 43}, "T|6", "T", "6", "M", "5"},
        {{23, 31, 38, 43}, "D|6", "D", "6", "M", "1"}, // root doubled
        {{31, 36, 40, 43}, "T|6|4", "T", "K", "N", "5"},
        {{12, 29, 33, 36}, "S|6|4", "S", "K", "N", "5"},
    };
    for (const Case &c : cases) {
        auto chord = identify("TSD major", c.chord);
        ASSERT_TRUE(chord) << c.name;
        EXPECT_EQ(chord->Name(), c.name);
        EXPECT_EQ(chord->T, c.t) << c.name;
        EXPECT_EQ(chord->S, c.s) << c.name;
        EXPECT_EQ(chord->L, c.l) << c.name;
        EXPECT_EQ(chord->M, c.m) << c.name;
        EXPECT_EQ(chord->TT, "1") << c.name;
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RuleBaseTest, FaultyChordsAreNotNamed)
{
    struct Case
    {
        const char *what;
        Chord chord;
    };
    const Case cases[] = {
        {"not a chord of the key", {24, 30, 36, 40}},
        {"third doubled in root position", {24, 28, 31, 40}},
        {"leading tone doubled in D6", {23, 31, 35, 38}},
        {"six-four without doubled bass", {19, 24, 28, 36}},
        {"tenor and alto more than an octave apart", {24, 28, 43, 48}},
        {"unison of alto and soprano", {24, 31, 40, 40}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(name("TSD major", c.chord), "?") << c.what;
}

TEST_F(RuleBaseTest, SixthChordsMayDoubleTheirBassButNeverTheLeadingTone)
{
    EXPECT_EQ(name("TSD major", {21, 33, 36, 41}), "S|6") << "A2 A3 C4 F4 in C major";
    EXPECT_EQ(name("TSD minor", {27, 43, 48, 51}), "T|6") << "C3 E4 A4 C5 in A minor";
    // The next chord is named too, so the step after the sixth chord is no longer "?".
    const auto step = analyse("TSD major", 1, {{21, 33, 36, 41}, {19, 35, 38, 43}});
    EXPECT_EQ(step[0].text, "S|6");
    EXPECT_NE(step[1].move, "?");
    EXPECT_EQ(name("TSD major", {23, 35, 38, 43}), "?") << "D6 with its bass B doubled";
    EXPECT_EQ(name("TSD minor", {23, 35, 38, 43}), "?") << "D6 with its bass G sharp doubled";
}

TEST_F(RuleBaseTest, TheDoubledBassOfASixthChordComesInEverySpacing)
{
    for (const pwgen::Mode *mode : {&pwgen::MajorMode(), &pwgen::MinorMode()}) {
        for (const pwgen::Triad &triad : mode->triads) {
            std::set<std::string> spacings;
            for (const pwgen::Shape &shape : pwgen::ShapesOf(triad, pwgen::Inversions()[1])) {
                const int doubledBass
                    = static_cast<int>(std::count_if(shape.pitches.begin() + 1, shape.pitches.end(),
                                                     [&](int p) { return p % 12 == triad.third; }));
                if (doubledBass > 0)
                    spacings.insert(shape.spacing);
            }
            // Above a doubled bass stand three different tones: close or open, never mixed.
            if (triad.function == "D")
                EXPECT_TRUE(spacings.empty()) << mode->name << ": D6 never doubles the leading tone";
            else
                EXPECT_EQ(spacings, (std::set<std::string> {"N", "W"}))
                    << mode->name << " " << triad.function;
        }
    }
}

TEST_F(RuleBaseTest, ARepeatedChordMayChangeItsPosition)
{
    // C3 E3 C4 C5 to C3 G3 C4 E4: the soprano leaps a sixth down within T.
    const auto major = analyse("TSD major", 1, {{24, 28, 36, 48}, {24, 31, 36, 40}});
    EXPECT_EQ(major[1].move, "перемещ.");
    // D3 A3 F4 D5 to D3 F4 A4 D5 in A minor: the tenor leaps a sixth within S.
    const auto minor = analyse("TSD minor", 0, {{29, 36, 44, 53}, {29, 44, 48, 53}});
    EXPECT_EQ(minor[1].move, "перемещ.");
    // Between two functions the fourth stays the limit: T to S with the soprano leaping a sixth.
    const auto leap = analyse("TSD major", 1, {{24, 31, 36, 40}, {29, 33, 41, 48}});
    EXPECT_EQ(leap[1].text, "S");
    EXPECT_EQ(leap[1].move, "?");
    // Beyond the octave not even a repetition is allowed.
    const auto wide = analyse("TSD major", 1, {{24, 28, 31, 36}, {24, 36, 43, 52}});
    EXPECT_EQ(wide[1].text, "T");
    EXPECT_EQ(wide[1].move, "?");
}

TEST_F(RuleBaseTest, TheAugmentedSecondOfMinorIsForbidden)
{
    // D3 A3 F4 D5 to B2 B3 G sharp 4 E5: F to G sharp in the alto.
    const auto up = analyse("TSD minor", 0, {{29, 36, 44, 53}, {26, 38, 47, 55}});
    EXPECT_EQ(up[1].text, "D|6|4");
    EXPECT_EQ(up[1].move, "?");
    // S to D with F going down to E and A to G sharp is a correct step.
    EXPECT_EQ(analyse("TSD minor", 0, {{29, 36, 41, 44}, {31, 35, 38, 43}})[1].move, "мелод.");
    // In major the sixth and seventh degrees (A, B) are a plain step.
    EXPECT_EQ(analyse("TSD major", 1, {{29, 33, 36, 41}, {19, 35, 38, 43}})[1].move, "мелод.");
}

TEST_F(RuleBaseTest, ForbiddenSteps)
{
    // D to S is a retrogression.
    EXPECT_EQ(analyse("TSD major", 1, {{19, 31, 35, 38}, {17, 33, 36, 41}})[1].move, "?");
    // An upper voice leaping a sixth.
    EXPECT_EQ(analyse("TSD major", 1, {{24, 31, 36, 40}, {17, 33, 41, 48}})[1].move, "?");
    // S to D with every voice rising, bass included.
    const auto together = analyse("TSD major", 1, {{17, 29, 33, 36}, {19, 31, 35, 38}});
    EXPECT_EQ(together[1].move, "?");
    EXPECT_EQ(together[1].err, "");
}

TEST_F(RuleBaseTest, ParallelsAreReported)
{
    const auto fifths = analyse("TSD major", 1, {{24, 31, 36, 40}, {19, 26, 35, 43}});
    EXPECT_EQ(fifths[1].move, "мелод.");
    EXPECT_EQ(fifths[1].err, " == 5");
    // Every voice a fourth up in A minor: bass and soprano in octaves.
    const auto octaves = analyse("TSD minor", 0, {{24, 27, 31, 36}, {29, 32, 36, 41}});
    EXPECT_EQ(octaves[1].text, "S");
    EXPECT_EQ(octaves[1].move, "мелод.");
    EXPECT_EQ(octaves[1].err, " == 8");
}

TEST_F(RuleBaseTest, ScaleDegreesForMelodies)
{
    const int major[] = {36, 38, 40, 41, 43, 45, 47, 42};
    const char *majorNames[] = {"T", "S||II", "T||III", "S", "D", "TS||VI", "D||VII", "?"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(definitor.NoteChordName("Notes", major[i], 1), majorNames[i]) << major[i];
    const int minor[] = {24, 26, 27, 29, 31, 32, 35, 34};
    const char *minorNames[] = {"T", "S||II", "T||III", "S", "D", "TS||VI", "D||VII", "?"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(definitor.NoteChordName("Notes", minor[i], 0), minorNames[i]) << minor[i];
}

TEST_F(RuleBaseTest, EveryLabelPieceHasAnEnglishText)
{
    definitor.SetLanguage("English");
    EXPECT_EQ(definitor.LocalLabel("A", "1", "гарм."), "harm.");
    EXPECT_EQ(definitor.LocalLabel("A", "1", "мелод."), "melod.");
    EXPECT_EQ(definitor.LocalLabel("A", "1", "перемещ."), "repos.");
    pugi::xml_document doc;
    ASSERT_TRUE(LoadXmlFile(doc, pwtest::BundledRuleBase()));
    for (const pugi::xpath_node &s : doc.select_nodes("//LS/S"))
        EXPECT_FALSE(GetAttr(s.node(), "NE").empty()) << GetAttr(s.node(), "N");
    for (const char *piece : {"T", "S", "D", "TS"})
        EXPECT_TRUE(doc.select_node(("//LS/S[@P='1' and @N='" + std::string(piece) + "']").c_str())) << piece;
    for (const char *piece : {"II", "III", "VI", "VII", "4"})
        EXPECT_TRUE(doc.select_node(("//LS/S[@P='3' and @N='" + std::string(piece) + "']").c_str())) << piece;
    EXPECT_TRUE(doc.select_node("//LS/S[@P='2' and @N='6']"));
}

// The model solutions of the bundled exercises analyse cleanly and match their expected analysis.
class BundledExerciseTest : public RuleBaseTest
{
protected:
    void solve(LoadedExercise &e, int p, const std::vector<Chord> &upper,
               const std::vector<std::string> &names)
    {
        e.fillChords(p, upper);
        AnalyseWrittenPart(*e.ex, definitor, p);
        expectClean(steps(e, p), names);
    }
};

TEST_F(BundledExerciseTest, ChromoMajorBemol)
{
    auto e = LoadedExercise::Bundled("Chromo-major-bemol.xml");
    ASSERT_EQ(e->ex->PartCount(), 3);
    const Chord t {0, 31, 36, 40}, s {0, 33, 36, 41}, d {0, 31, 35, 38};
    solve(*e, 0, {t, s, d, t, s, d, t}, {"T", "S", "D", "T", "S", "D", "T"});
    solve(*e, 1, {t, d, t, s, d, d, t}, {"T", "D", "T", "S", "D", "D", "T"});
    const Chord t5 {0, 36, 40, 43}, s3 {0, 36, 41, 45}, d1 {0, 35, 38, 43};
    solve(*e, 2, {t5, s3, d1, t5, s3, d1, t5}, {"T", "S", "D", "T", "S", "D", "T"});
    EXPECT_EQ(e->task.Iterations, 2);
    EXPECT_EQ(e->task.TimerMode, 1);
}

TEST_F(BundledExerciseTest, SopranoMinor)
{
    auto e = LoadedExercise::Bundled("Soprano-minor.xml");
    solve(*e, 0,
          {{24, 36, 43, 0},
           {29, 36, 44, 0},
           {31, 35, 43, 0},
           {24, 36, 43, 0},
           {24, 39, 43, 0},
           {29, 41, 44, 0},
           {31, 38, 43, 0},
           {24, 39, 43, 0}},
          {"T", "S", "D", "T", "T", "S", "D", "T"});
}

TEST_F(BundledExerciseTest, PositionsMajorMatchesItsExpectedAnalysis)
{
    auto e = LoadedExercise::Bundled("Positions-major.xml");
    const Chord t3 {0, 31, 36, 40}, s1 {0, 33, 36, 41}, d5 {0, 31, 35, 38}, t6 {0, 31, 36, 43};
    solve(*e, 0, {t3, s1, d5, t3, t6, s1, d5, t3}, {"T", "S", "D", "T", "T|6", "S", "D", "T"});
    const XmlNode expected = SelectNode(e->part(0), "Voice[@Type='TextNote']");
    const auto analysis = e->analysisNotes(0);
    XmlNode want = expected.child("Note");
    for (XmlNode note : analysis) {
        EXPECT_EQ(JudgeAnalysisNote(note, want, e->ex->part(0).CheckType).errorCount(), 0)
            << GetAttr(want, "Text");
        want = want.next_sibling("Note");
    }
    // The soprano on the root where the fifth is asked for counts.
    SetAttr(analysis[2], "M", "1");
    EXPECT_EQ(JudgeAnalysisNote(analysis[2], expected.child("Note").next_sibling().next_sibling(), "NM")
                  .errorCount(),
              1);
}

TEST_F(BundledExerciseTest, CadenceExample)
{
    auto e = LoadedExercise::Bundled("Cadence-example.xml");
    for (int p = 0; p < 2; ++p) {
        AnalyseWrittenPart(*e->ex, definitor, p);
        expectClean(steps(*e, p), {"T", "S", "D", "T"});
    }
}

TEST_F(BundledExerciseTest, MelodyDegrees)
{
    auto e = LoadedExercise::Bundled("Melody-degrees.xml");
    const std::vector<std::vector<int>> melodies {{36, 35, 36, 38, 40, 41, 43, 48},
                                                  {24, 26, 27, 29, 31, 32, 35, 36}};
    for (int p = 0; p < 2; ++p) {
        XmlNode soprano = e->voice(p, 3);
        for (int high : melodies[static_cast<std::size_t>(p)])
            AddChild(soprano, "Note", {"High", std::to_string(high)}, {"Long", "8"});
        AnalyseWrittenPart(*e->ex, definitor, p);
        XmlNode want = SelectNode(e->part(p), "Voice[@Type='TextNote']").child("Note");
        for (XmlNode note : e->analysisNotes(p)) {
            EXPECT_EQ(JudgeAnalysisNote(note, want, "N").errorCount(), 0) << GetAttr(want, "Text");
            want = want.next_sibling("Note");
        }
        EXPECT_EQ(e->analysisNotes(p).size(), 8u);
    }
}

} // namespace
