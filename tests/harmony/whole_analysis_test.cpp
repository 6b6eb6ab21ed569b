// The analysis of a whole written part keeps its own index of the part up to date instead of
// rebuilding it after every chord: what it writes must be what chord-by-chord insertion writes.

#include "exercise_fixture.h"

#include "document/exercise_nodes.h"
#include "document/measure_index.h"
#include "harmony/definitor.h"
#include "harmony/harmony_check.h"
#include "harmony/part_analysis.h"
#include "support/generated_exercise.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace pw;
using pwtest::LoadedExercise;

namespace {

std::string printed(XmlNode node)
{
    std::ostringstream out;
    node.print(out, "", pugi::format_raw);
    return out.str();
}

// Every analysis voice of the part, as text.
std::string analysisOf(LoadedExercise &e, int part)
{
    std::string all;
    for (XmlNode voice : e.part(part).children("Voice")) {
        if (IsAnalysisVoice(voice))
            all += printed(voice) + "\n";
    }
    return all;
}

// How a part was analysed before: each note of the bass written in turn with create on and the
// whole index rebuilt after it.
void analyseChordByChord(HarExercis &ex, TMusDefinitor &definitor, int part, int bass)
{
    ExercisePart &shown = ex.part(part);
    ex.CurPart = part;
    shown.CurVoice = bass;
    BuildTacts(shown.Node, shown.Tacts);
    const int slot = shown.Tacts.FindSlot(bass).value_or(-1);
    ASSERT_GE(slot, 0);
    int index = 0;
    for (XmlNode note : NotesOf(VoiceOfSlot(shown.Node, slot))) {
        const NotePlace place = PlaceOfNote(shown.Tacts, slot, index++);
        CheckChordAt(ex, definitor, place.tact, place.pos, NotePitch(note), NoteLength(note),
                     IsDotted(note) ? 1 : 0, true);
        BuildTacts(shown.Node, shown.Tacts);
    }
}

// The bass in halves, dotted quarters and eighths under quarter-note upper voices, rests in the
// tenor, and a measure left short: positions that are not every beat.
std::string unevenExercise()
{
    std::string xml = pwtest::GeneratedHead(" FirstTactChi=\"1\" FirstTactZna=\"8\"");
    xml += "<Voice H=\"0\">" + pwtest::GeneratedNote(24) + pwtest::GeneratedNote(17, 4)
        + pwtest::GeneratedNote(19, 8) + "<Note High=\"24\" Long=\"8\" P=\"1\"/>"
        + pwtest::GeneratedNote(17, 16) + pwtest::GeneratedNote(19, 4) + pwtest::GeneratedNote(24, 4)
        + "</Voice>";
    const std::array<std::array<int, 8>, 3> upper {{{31, 33, 33, 31, 31, 29, 31, 31},
                                                    {36, 36, 36, 35, 36, 36, 38, 36},
                                                    {40, 41, 41, 38, 40, 45, 47, 40}}};
    for (int v = 1; v <= 3; ++v) {
        xml += "<Voice H=\"" + std::to_string(v) + "\">";
        for (int i = 0; i < 8; ++i) {
            const int high = upper[static_cast<std::size_t>(v - 1)][static_cast<std::size_t>(i)];
            xml += v == 1 && i == 3 ? "<Note High=\"-1\" Long=\"8\"/>" : pwtest::GeneratedNote(high);
        }
        xml += "</Voice>";
    }
    return xml + "</Part>\n</MExercise>\n";
}

class WholeAnalysis : public ::testing::Test
{
protected:
    void expectSameAsChordByChord(const std::string &xml, int bass = 0)
    {
        LoadedExercise whole(xml);
        LoadedExercise byChord(xml);
        for (int p = 0; p < whole.ex->PartCount(); ++p) {
            AnalyseWrittenPart(*whole.ex, definitor, p);
            analyseChordByChord(*byChord.ex, definitor, p, bass);
            EXPECT_FALSE(analysisOf(byChord, p).empty());
            EXPECT_EQ(analysisOf(whole, p), analysisOf(byChord, p)) << "part " << p;
            EXPECT_EQ(printed(whole.part(p)), printed(byChord.part(p)));
            EXPECT_EQ(whole.ex->part(p).Tacts.TactEnd, byChord.ex->part(p).Tacts.TactEnd)
                << "the index is left as a rebuild leaves it";
        }
    }

    TMusDefinitor definitor {pwtest::BundledRuleBase(), ui};
    RecordingUi ui;
};

TEST_F(WholeAnalysis, WritesWhatChordByChordInsertionWrites)
{
    // Cadences and every fault the generator writes, over several measures.
    expectSameAsChordByChord(pwtest::ChordsExerciseXml(60));
    // An upbeat, uneven lengths, a dot, a rest and an unfinished last measure.
    expectSameAsChordByChord(unevenExercise());
}

TEST_F(WholeAnalysis, WritesWhatChordByChordInsertionWritesInTheBundledExercises)
{
    for (const char *name : {"Cadence-example.xml", "Soprano-minor.xml", "Positions-major.xml"}) {
        SCOPED_TRACE(name);
        std::ifstream file(std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / name);
        std::ostringstream xml;
        xml << file.rdbuf();
        const LoadedExercise loaded(xml.str());
        // Analysed from the lowest written voice, as the whole analysis picks it.
        int bass = -1;
        for (XmlNode voice : loaded.part(0).children("Voice")) {
            const int h = VoiceNumber(voice);
            if (IsNoteVoice(voice) && FirstNote(voice) && h >= 0 && h <= 3 && (bass < 0 || h < bass))
                bass = h;
        }
        ASSERT_GE(bass, 0);
        expectSameAsChordByChord(xml.str(), bass);
    }
}

} // namespace
