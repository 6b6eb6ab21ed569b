#include "musicxml/export_checks.h"

#include "document/exercise_nodes.h"
#include "document/har_exercis.h"
#include "document/measure_index.h"
#include "entry/play_table.h"
#include "musicxml/analysis_labels.h"
#include "musicxml/score_timeline.h"
#include "staff/pitch_rules.h"

#include <gtest/gtest.h>

#include <string_view>

namespace pwtest {

namespace {

// The voice of the score that holds each voice of the file (bass 0 … soprano 3).
int scoreVoice(int h)
{
    return 4 - h;
}

const char *typeOf(int length)
{
    switch (length) {
    case 1:
        return "breve";
    case 2:
        return "whole";
    case 4:
        return "half";
    case 8:
        return "quarter";
    case 16:
        return "eighth";
    case 32:
        return "16th";
    case 64:
        return "32nd";
    default:
        return "64th";
    }
}

void expectPitch(const HeardNote &heard, int high, const pw::Tonality &key, int fifths)
{
    const ScoreNote &written = *heard.pieces.front();
    const int played = pw::MidiFromPitch(high, key);
    // Seven flats are played an octave above the staff; elsewhere the sound is the written note.
    if (key.val == 7)
        EXPECT_EQ((heard.midi - played) % 12, 0) << "High " << high;
    else
        EXPECT_EQ(heard.midi, played) << "High " << high;
    constexpr std::string_view letters = "CDEFGAB";
    const int letter = static_cast<int>(letters.find(written.step));
    EXPECT_EQ(7 * written.octave + letter - 5, pw::StaffPosition(high, key, 4) + 21)
        << "High " << high << " is not on the staff step the staff draws it";
    // A note of the key signature's scale is written as the signature has it.
    constexpr int naturals[] = {0, 2, 4, 5, 7, 9, 11};
    for (std::size_t l = 0; l < letters.size(); ++l) {
        const int inKey = naturals[l] + KeyAlteration(fifths, letters[l]);
        if (((inKey - heard.midi) % 12 + 12) % 12 == 0) {
            EXPECT_EQ(written.step, letters[l]) << "High " << high;
            EXPECT_EQ(written.alter, KeyAlteration(fifths, letters[l])) << "High " << high;
        }
    }
}

void expectVoice(const ReadScore &score, int section, const pw::ExercisePart &part, int h)
{
    SCOPED_TRACE("voice H=" + std::to_string(h));
    const std::vector<HeardNote> heard = VoiceNotes(score, section, scoreVoice(h));
    std::vector<pw::XmlNode> notes;
    for (pw::XmlNode note : pw::NotesOf(pw::NoteVoice(part.Node, h))) {
        if (pw::NoteTicks(pw::NoteLength(note), pw::IsDotted(note)) > 0)
            notes.push_back(note);
    }
    ASSERT_EQ(heard.size(), notes.size());
    const int divisions = score.divisions;
    int tick = 0;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        SCOPED_TRACE("note " + std::to_string(i + 1));
        const int high = pw::NotePitch(notes[i]);
        const int length = pw::NoteLength(notes[i]);
        const int ticks = pw::NoteTicks(length, pw::IsDotted(notes[i]));
        EXPECT_EQ(heard[i].rest, high < 0);
        if (high >= 0)
            expectPitch(heard[i], high, part.Tonality, -part.Tonality.val);
        EXPECT_EQ(heard[i].start * pw::TicksPerQuarter, tick * divisions);
        EXPECT_EQ(heard[i].duration * pw::TicksPerQuarter, ticks * divisions);
        if (heard[i].pieces.size() == 1) {
            EXPECT_EQ(heard[i].pieces.front()->type, typeOf(length));
            EXPECT_EQ(heard[i].pieces.front()->dots, pw::IsDotted(notes[i]) ? 1 : 0);
        }
        tick += ticks;
    }
}

// The note a chord's labels belong under: the lowest voice's note starting there, a rest only
// when no voice has a note starting there.
const ScoreNote *labelledNote(const ReadScore &score, int section, int start)
{
    const ScoreNote *rest = nullptr;
    for (int voice = 4; voice >= 1; --voice) {
        for (const HeardNote &heard : VoiceNotes(score, section, voice)) {
            if (heard.start != start)
                continue;
            if (!heard.rest)
                return heard.pieces.front();
            if (!rest)
                rest = heard.pieces.front();
        }
    }
    return rest;
}

void expectLabels(const ReadScore &score, int section, const pw::ExercisePart &part,
                  const pw::TMusDefinitor *analysis, int &labelled)
{
    if (!analysis)
        return;
    const int divisions = score.divisions;
    for (const auto &[tick, labels] : pw::AnalysisLabels(part.Node, *analysis)) {
        SCOPED_TRACE("chord at tick " + std::to_string(tick));
        std::map<int, std::string> expected;
        for (const auto &[line, text] :
             {std::pair {1, labels.chord}, {2, labels.step}, {3, labels.parallels}}) {
            if (!text.empty())
                expected[line] = text;
        }
        ASSERT_EQ(tick * divisions % pw::TicksPerQuarter, 0);
        const ScoreNote *note = labelledNote(score, section, tick * divisions / pw::TicksPerQuarter);
        if (!note)
            continue;
        EXPECT_EQ(note->lyrics, expected);
        if (!expected.empty())
            ++labelled;
    }
}

} // namespace

void ExpectScoreOf(const pw::HarExercis &ex, const ReadScore &score, const pw::TMusDefinitor *analysis)
{
    EXPECT_EQ(score.problems, std::vector<std::string> {});
    ASSERT_EQ(static_cast<int>(score.sections.size()), ex.PartCount());
    ASSERT_GT(score.divisions, 0);
    int labelled = 0;
    for (int s = 0; s < ex.PartCount(); ++s) {
        SCOPED_TRACE("part " + std::to_string(s + 1));
        const pw::ExercisePart &part = ex.part(s);
        const ScoreSection &section = score.sections[static_cast<std::size_t>(s)];
        EXPECT_EQ(section.fifths, -part.Tonality.val);
        EXPECT_EQ(section.mode, part.Tonality.type == 1 ? "major" : "minor");
        const pw::NSize signature = pw::TimeSignature(part.Node);
        EXPECT_EQ(section.beats, signature.Count);
        EXPECT_EQ(section.beatType * 2, signature.Unit);
        EXPECT_TRUE(section.doubleBarAtEnd);
        EXPECT_NE(section.words.find(std::to_string(s + 1)), std::string::npos) << section.words;
        for (int h = 0; h < 4; ++h)
            expectVoice(score, s, part, h);
        expectLabels(score, s, part, analysis, labelled);
    }
    int withLyrics = 0;
    for (const ScoreNote &note : score.notes) {
        EXPECT_EQ(note.staff, note.voice <= 2 ? 1 : 2) << "voice " << note.voice;
        const bool stemmed = !note.rest && note.type != "whole" && note.type != "breve";
        EXPECT_EQ(note.stem, stemmed ? (note.voice % 2 == 1 ? "up" : "down") : "") << "voice " << note.voice;
        if (!note.lyrics.empty())
            ++withLyrics;
    }
    EXPECT_EQ(withLyrics, labelled) << "lyrics only under the analysed chords";
}

} // namespace pwtest
