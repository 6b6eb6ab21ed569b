// The score of exercises written for one point each: keys, upbeats, rests, dots, ties, parts in
// other keys, the analysis as it stands in the document, and the file written.

#include "musicxml/export_checks.h"

#include "support/entry_fixture.h"

#include "document/exercise_nodes.h"
#include "harmony/definitor.h"
#include "musicxml/analysis_labels.h"
#include "musicxml/musicxml_export.h"
#include "platform/error.h"

#include <gtest/gtest.h>

namespace {

using namespace pw;
using pwtest::ReadScore;
using pwtest::ScoreNote;

const std::filesystem::path kRules = std::filesystem::path(PARTWRITER_BUNDLED_DATA) / "xml" / "definitor.xml";

// A part of type (0 minor, 1 major) and val, with its voices bass first.
std::string partXml(int type, int val, const std::vector<std::string> &voices,
                    const std::string &attributes = "",
                    const std::string &size = "<Size chi=\"4\" zna=\"8\"/>")
{
    std::string xml = "<Part Key0=\"4\" Key1=\"1\" " + attributes + "><Tonality type=\""
        + std::to_string(type) + "\" val=\"" + std::to_string(val) + "\"/>" + size;
    for (std::size_t h = 0; h < voices.size(); ++h)
        xml += "<Voice H=\"" + std::to_string(h) + "\">" + voices[h] + "</Voice>";
    return xml + "</Part>";
}

std::string notes(const std::vector<int> &highs, int length = 8)
{
    std::string xml;
    for (int high : highs)
        xml += "<Note High=\"" + std::to_string(high) + "\" Long=\"" + std::to_string(length) + "\"/>";
    return xml;
}

class MusicXmlExport : public EntryFixture
{
protected:
    void SetUp() override
    {
        EntryFixture::SetUp();
        english = std::make_unique<TMusDefinitor>(kRules, ui, "English");
    }

    bool loadExercise(const std::string &parts, const std::string &attributes = "")
    {
        return load("ex.xml", "<MExercise " + attributes + ">" + parts + "</MExercise>");
    }

    ReadScore exported(const MusicXmlOptions &options = {})
    {
        text = MusicXmlText(*exercise, options);
        return pwtest::ReadMusicXml(text);
    }

    // The written notes of a voice of the score, in order.
    static std::vector<const ScoreNote *> voice(const ReadScore &score, int number, int section = 0)
    {
        std::vector<const ScoreNote *> found;
        for (const ScoreNote &note : score.notes) {
            if (note.voice == number && note.section == section)
                found.push_back(&note);
        }
        return found;
    }

    static std::size_t count(const std::string &text, const std::string &what)
    {
        std::size_t n = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }

    std::unique_ptr<TMusDefinitor> english;
    std::string text;
};

TEST_F(MusicXmlExport, MinorKeysWriteTheRaisedLeadingToneAsASharp)
{
    // A minor and D minor: D T with the leading tone in the soprano, then in a flat key.
    ASSERT_TRUE(
        loadExercise(partXml(0, 0, {notes({19, 24}), notes({31, 31}), notes({38, 36}), notes({47, 48})})
                     + partXml(0, 1, {notes({19, 24}), notes({31, 31}), notes({38, 36}), notes({47, 48})})));
    const ReadScore score = exported();
    pwtest::ExpectScoreOf(*exercise, score, nullptr);
    ASSERT_EQ(score.sections.size(), 2u);
    EXPECT_EQ(score.sections[0].fifths, 0);
    EXPECT_EQ(score.sections[0].mode, "minor");
    EXPECT_EQ(score.sections[1].fifths, -1);
    EXPECT_EQ(score.sections[1].mode, "minor");
    // High 47 is G sharp 4 in A minor and C sharp 5 in D minor.
    const ScoreNote &aMinor = *voice(score, 1, 0).front();
    EXPECT_EQ(std::string(1, aMinor.step) + std::to_string(aMinor.alter) + std::to_string(aMinor.octave),
              "G14");
    const ScoreNote &dMinor = *voice(score, 1, 1).front();
    EXPECT_EQ(std::string(1, dMinor.step) + std::to_string(dMinor.alter) + std::to_string(dMinor.octave),
              "C15");
    EXPECT_EQ(aMinor.Midi(), 68);
    EXPECT_EQ(dMinor.Midi(), 73);
}

TEST_F(MusicXmlExport, FlatKeysWriteFlats)
{
    // F major: the subdominant B flat, and the lowered seventh (reference B flat) as E flat.
    ASSERT_TRUE(
        loadExercise(partXml(1, 1, {notes({29, 24}), notes({33, 31}), notes({36, 34}), notes({41, 40})})));
    const ReadScore score = exported();
    pwtest::ExpectScoreOf(*exercise, score, nullptr);
    EXPECT_EQ(score.sections.at(0).fifths, -1);
    EXPECT_EQ(score.sections.at(0).mode, "major");
    const ScoreNote &bass = *voice(score, 4).front();
    EXPECT_EQ(bass.step, 'B');
    EXPECT_EQ(bass.alter, -1);
    EXPECT_EQ(bass.octave, 3);
    const ScoreNote &alto = *voice(score, 2).at(1);
    EXPECT_EQ(alto.step, 'E');
    EXPECT_EQ(alto.alter, -1);
    EXPECT_EQ(alto.octave, 4);
}

TEST_F(MusicXmlExport, SevenFlatsAreWrittenAsTheStaffShowsThem)
{
    ASSERT_TRUE(loadExercise(partXml(1, 7, {notes({24}), notes({31}), notes({36}), notes({40})})));
    const ReadScore score = exported();
    pwtest::ExpectScoreOf(*exercise, score, nullptr);
    const ScoreNote &bass = *voice(score, 4).front();
    EXPECT_EQ(bass.step, 'C');
    EXPECT_EQ(bass.alter, -1);
    EXPECT_EQ(bass.octave, 3);
}

TEST_F(MusicXmlExport, AnUpbeatIsAnImplicitMeasureOfItsOwn)
{
    const std::vector<int> five {24, 24, 29, 31, 24};
    ASSERT_TRUE(loadExercise(partXml(
        1, 0,
        {notes(five), notes({31, 31, 33, 31, 31}), notes({36, 36, 36, 35, 36}), notes({40, 40, 41, 38, 40})},
        "FirstTactChi=\"1\" FirstTactZna=\"8\"")));
    const ReadScore score = exported();
    pwtest::ExpectScoreOf(*exercise, score, nullptr);
    ASSERT_EQ(score.sections.size(), 1u);
    EXPECT_TRUE(score.sections[0].upbeat);
    EXPECT_EQ(score.sections[0].measureCount, 2);
    const auto bass = voice(score, 4);
    ASSERT_EQ(bass.size(), 5u);
    EXPECT_EQ(bass[0]->measure, "0");
    EXPECT_TRUE(bass[0]->implicitMeasure);
    for (std::size_t i = 1; i < bass.size(); ++i) {
        EXPECT_EQ(bass[i]->measure, "1");
        EXPECT_FALSE(bass[i]->implicitMeasure);
    }
}

TEST_F(MusicXmlExport, RestsAndDotsAreWrittenAsSuch)
{
    // The bass: a quarter rest and a dotted half; the tenor an eighth and a dotted quarter under a
    // half; the alto a dotted eighth and a sixteenth: four divisions to the quarter.
    const std::string bass = "<Note High=\"-1\" Long=\"8\"/><Note High=\"24\" Long=\"4\" P=\"1\"/>";
    const std::string tenor = "<Note High=\"31\" Long=\"16\"/><Note High=\"33\" Long=\"8\" P=\"1\"/>"
                              "<Note High=\"31\" Long=\"4\"/>";
    const std::string alto = "<Note High=\"36\" Long=\"16\" P=\"1\"/><Note High=\"38\" Long=\"32\"/>"
                             "<Note High=\"36\" Long=\"8\"/><Note High=\"36\" Long=\"4\"/>";
    ASSERT_TRUE(loadExercise(partXml(1, 0, {bass, tenor, alto, notes({40}, 2)})));
    const ReadScore score = exported();
    pwtest::ExpectScoreOf(*exercise, score, nullptr);
    EXPECT_EQ(score.divisions, 4);
    const auto written = voice(score, 4);
    ASSERT_EQ(written.size(), 2u);
    EXPECT_TRUE(written[0]->rest);
    EXPECT_EQ(written[0]->type, "quarter");
    EXPECT_EQ(written[0]->stem, "");
    EXPECT_EQ(written[1]->type, "half");
    EXPECT_EQ(written[1]->dots, 1);
    EXPECT_EQ(written[1]->duration, 12);
    EXPECT_EQ(voice(score, 2).at(1)->type, "16th");
    EXPECT_EQ(voice(score, 1).at(0)->type, "whole");
    EXPECT_EQ(voice(score, 1).at(0)->stem, "") << "a whole note has no stem";
}

TEST_F(MusicXmlExport, AnEmptyPartIsAMeasureOfRestsOnBothStaves)
{
    ASSERT_TRUE(loadExercise(partXml(0, 0, {"", "", "", ""})));
    const ReadScore score = exported();
    pwtest::ExpectScoreOf(*exercise, score, nullptr);
    ASSERT_EQ(score.notes.size(), 2u);
    for (const ScoreNote &note : score.notes) {
        EXPECT_TRUE(note.measureRest);
        EXPECT_EQ(note.duration, 4 * score.divisions);
    }
    EXPECT_EQ(score.notes[0].staff, 1);
    EXPECT_EQ(score.notes[1].staff, 2);
}

// Note entry lets a half note in on the last beat of a measure: it is tied over the bar line.
TEST_F(MusicXmlExport, ANoteEnteredOverTheBarLineIsTiedAcrossIt)
{
    ASSERT_TRUE(loadPart("Def=\"TSD major\""));
    for (int chord = 0; chord < 4; ++chord) {
        if (chord == 3)
            exercise->SetLength(4, 0);
        for (int midi : {48, 55, 60, 64})
            ASSERT_EQ(play(midi), 0);
    }
    ASSERT_EQ(NoteLength(NotesOf(NoteVoice(exercise->part(0).Node, Bass)).back()), 4);
    MusicXmlOptions options;
    options.analysis = english.get();
    const ReadScore score = exported(options);
    pwtest::ExpectScoreOf(*exercise, score, english.get());
    for (int number = 1; number <= 4; ++number) {
        SCOPED_TRACE("voice " + std::to_string(number));
        const auto written = voice(score, number);
        ASSERT_EQ(written.size(), 5u);
        EXPECT_TRUE(written[3]->tieStart);
        EXPECT_EQ(written[3]->measure, "1");
        EXPECT_TRUE(written[4]->tieStop);
        EXPECT_EQ(written[4]->measure, "2");
        EXPECT_EQ(written[4]->type, "quarter");
    }
    // The fourth chord's labels stay on the note where it starts.
    EXPECT_EQ(voice(score, 4)[3]->lyrics.at(1), "T");
    EXPECT_TRUE(voice(score, 4)[4]->lyrics.empty());
    EXPECT_EQ(count(text, "<forward>"), 4u) << "each voice is carried to the end of its last measure";
}

TEST_F(MusicXmlExport, EachPartIsASectionWithItsKeyAndWords)
{
    const std::vector<std::string> cadence {notes({24, 29, 31, 24}), notes({31, 33, 31, 31}),
                                            notes({36, 36, 35, 36}), notes({40, 41, 38, 40})};
    ASSERT_TRUE(loadExercise(partXml(1, 0, cadence) + partXml(1, -1, cadence) + partXml(1, -1, cadence)));
    MusicXmlOptions options;
    options.texts = {"Choir", "Task %1"};
    options.title = "Cadences";
    const ReadScore score = exported(options);
    pwtest::ExpectScoreOf(*exercise, score, nullptr);
    EXPECT_EQ(score.title, "Cadences");
    EXPECT_EQ(score.partName, "Choir");
    ASSERT_EQ(score.sections.size(), 3u);
    EXPECT_EQ(score.sections[0].words, "Task 1");
    EXPECT_EQ(score.sections[1].words, "Task 2");
    EXPECT_EQ(score.sections[1].fifths, 1);
    EXPECT_EQ(score.sections[1].firstMeasure, 1);
    // The key is told again where it changes, the time signature once.
    EXPECT_EQ(count(text, "<key>"), 2u);
    EXPECT_EQ(count(text, "<time>"), 1u);
    EXPECT_EQ(count(text, "<bar-style>light-light</bar-style>"), 3u);
    EXPECT_EQ(voice(score, 1, 1).front()->measure, "2");
    EXPECT_EQ(voice(score, 1, 1).front()->step, 'B') << "E of C major is B in G major";
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE score-partwise PUBLIC", 0),
              0u);
}

TEST_F(MusicXmlExport, ChosenPartsAloneAreWritten)
{
    ASSERT_TRUE(loadExercise(partXml(1, 0, {notes({24})}) + partXml(0, 2, {notes({24})})));
    MusicXmlOptions options;
    options.parts = {1};
    const ReadScore score = exported(options);
    EXPECT_EQ(score.problems, std::vector<std::string> {});
    ASSERT_EQ(score.sections.size(), 1u);
    EXPECT_EQ(score.sections[0].words, "Упражнение 2");
    EXPECT_EQ(score.sections[0].fifths, -2);
    options.parts = {2};
    EXPECT_THROW(MusicXmlText(*exercise, options), RangeError);
}

// The program exports the analysis the student sees, without analysing again: its labels go
// under the lowest note that starts with each chord.
TEST_F(MusicXmlExport, TheAnalysisInTheDocumentGoesUnderTheLowestNoteOfEachChord)
{
    const std::string analysis = "<Voice Type=\"Def\"><Note Long=\"8\" Text=\"T\"/>"
                                 "<Note Long=\"8\" Text=\"D|7\" Move=\"гарм.\" Err=\" == 5\"/>"
                                 "<Note Long=\"8\" Text=\"S||II\" Move=\"?\"/></Voice>";
    const std::string rests = "<Note High=\"-1\" Long=\"8\"/>";
    ASSERT_TRUE(loadExercise(partXml(
        1, 0, {rests + notes({19}) + rests, notes({31, 31, 29}), notes({36, 35, 33}), notes({40, 38, 41})})));
    // The analysis voice goes into the part as the checking pass would have left it.
    XmlNode part = exercise->part(0).Node;
    pugi::xml_document voice;
    ASSERT_TRUE(voice.load_string(analysis.c_str()));
    part.append_copy(voice.first_child());

    TMusDefinitor russian(kRules, ui);
    MusicXmlOptions options;
    options.analysis = &russian;
    const ReadScore score = exported(options);
    EXPECT_EQ(score.problems, std::vector<std::string> {});
    const auto tenor = MusicXmlExport::voice(score, 3);
    const auto bass = MusicXmlExport::voice(score, 4);
    EXPECT_EQ(tenor[0]->lyrics, (std::map<int, std::string> {{1, "T"}})) << "the bass rests there";
    EXPECT_TRUE(bass[0]->lyrics.empty());
    EXPECT_EQ(bass[1]->lyrics, (std::map<int, std::string> {{1, "D7"}, {2, "гарм."}, {3, "== 5"}}));
    EXPECT_EQ(tenor[2]->lyrics, (std::map<int, std::string> {{1, "SII"}, {2, "?"}}));
    options.analysis = english.get();
    exported(options);
    EXPECT_NE(text.find("<text>harm.</text>"), std::string::npos);
    EXPECT_EQ(text.find("гарм."), std::string::npos);
}

TEST(AnalysisLabels, PiecesJoinOnOneLineInTheLanguageOfTheRuleBase)
{
    RecordingUi ui;
    const TMusDefinitor russian(kRules, ui);
    const TMusDefinitor english(kRules, ui, "English");
    EXPECT_EQ(LabelLine("D|6|4", russian), "D64");
    EXPECT_EQ(LabelLine("S||II", russian), "SII");
    EXPECT_EQ(LabelLine("T|6|4|extra", russian), "T64") << "a pipe past the third piece ends the label";
    EXPECT_EQ(LabelLine(" == 8", russian), "== 8");
    EXPECT_EQ(LabelLine("гарм.", russian), "гарм.");
    EXPECT_EQ(LabelLine("гарм.", english), "harm.");
    EXPECT_EQ(LabelLine("перемещ.", english), "repos.");
    EXPECT_EQ(LabelLine("", english), "");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MusicXmlExport, TheFileIsWrittenWholeOrNotAtAll)
{
    ASSERT_TRUE(loadExercise(partXml(1, 0, {notes({24})})));
    const std::filesystem::path target = folder / "out" / "score.musicxml";
    WriteMusicXml(*exercise, {}, target);
    EXPECT_EQ(read(target), MusicXmlText(*exercise, {}));

    const std::filesystem::path kept = write("kept.musicxml", "old");
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    try {
        WriteMusicXml(*exercise, {}, kept);
        ADD_FAILURE() << "a read-only file was written";
    } catch (const FileWriteError &e) {
        EXPECT_EQ(e.path(), kept.string());
        EXPECT_FALSE(e.reason().empty());
    }
    EXPECT_EQ(read(kept), "old");
}

} // namespace
