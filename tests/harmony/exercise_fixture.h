#pragma once

// Exercises for the checking tests: XML written to a temporary data folder and loaded the way the
// program loads it, with a recording Ui.

#include "document/har_exercis.h"
#include "document/timer_area.h"
#include "platform/random.h"
#include "platform/recording_ui.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace pwtest {

using Chord = std::array<int, 4>; // bass, tenor, alto, soprano

// A part of quarter notes in 4/4, one chord per beat. fixedVoice "" leaves every voice free.
std::string ChordPart(int tonalityType, const std::vector<Chord> &chords, const std::string &fixedVoice = "",
                      const std::string &def = "");

// An exercise of the given parts, analysed with group def.
std::string Exercise(const std::string &def, const std::vector<std::string> &parts);

class LoadedExercise
{
public:
    // Writes xml as "xml/test.xml" of a fresh data folder and loads it.
    explicit LoadedExercise(const std::string &xml);
    // Copies the bundled exercise into a fresh data folder and loads it.
    static std::unique_ptr<LoadedExercise> Bundled(const std::string &name);
    ~LoadedExercise();

    pw::XmlNode part(int p) const;
    pw::XmlNode voice(int p, int h) const;
    pw::XmlNode analysisVoice(int p) const;
    std::vector<pw::XmlNode> analysisNotes(int p) const;
    // Writes the chords into the voices of the part that have no notes yet.
    void fillChords(int p, const std::vector<Chord> &chords);

    std::filesystem::path folder;
    pw::RecordingUi ui;
    pw::StdRandom random {1};
    pw::TimerArea task;
    std::unique_ptr<pw::HarExercis> ex;

private:
    LoadedExercise(std::filesystem::path dataFolder, const std::string &fileName);
};

// The committed rule base.
std::filesystem::path BundledRuleBase();
std::filesystem::path TestRules(const std::string &name);

} // namespace pwtest
