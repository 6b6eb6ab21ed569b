#pragma once

// A reader of the scores the export writes, as a notation program would take them in: every
// note with its place in time, its voice, staff, pitch, value, ties and lyrics, the sections with
// their key, time and words, and whatever a notation program would stumble over, as problems.

#include <map>
#include <string>
#include <vector>

namespace pwtest {

struct ScoreNote
{
    int section = 0; // from 0
    std::string measure; // its number
    bool implicitMeasure = false;
    int start = 0; // divisions from the start of the section
    int duration = 0;
    int voice = 0;
    int staff = 0;
    bool rest = false;
    bool measureRest = false;
    char step = 0;
    int alter = 0;
    int octave = 0;
    std::string type;
    int dots = 0;
    std::string stem;
    bool tieStart = false;
    bool tieStop = false;
    std::map<int, std::string> lyrics;

    int Midi() const;
};

struct ScoreSection
{
    std::string words;
    int fifths = 0;
    std::string mode;
    int beats = 0;
    int beatType = 0;
    int firstMeasure = 0; // index among the measures of the score
    int measureCount = 0;
    bool upbeat = false; // its first measure is implicit
    bool doubleBarAtEnd = false;
};

struct ReadScore
{
    int divisions = 0;
    std::string title;
    std::string partName;
    std::vector<ScoreSection> sections;
    std::vector<ScoreNote> notes;
    std::vector<std::string> problems;
};

// Reads an exported score. A section starts at each measure with words.
ReadScore ReadMusicXml(const std::string &text);

// One sounding note of a voice, its tied pieces taken together.
struct HeardNote
{
    bool rest = false;
    int midi = 0;
    int start = 0;
    int duration = 0;
    std::vector<const ScoreNote *> pieces;
};

// The notes of a voice in a section, in time order; measure rests are left out.
std::vector<HeardNote> VoiceNotes(const ReadScore &score, int section, int voice);

// The alteration the key signature of fifths gives a step.
int KeyAlteration(int fifths, char step);

} // namespace pwtest
