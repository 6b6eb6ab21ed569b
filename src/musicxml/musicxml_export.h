#pragma once

// A harmony exercise as MusicXML 4.0 (partwise), for a teacher's notation program: the parts of
// the run one after another on one grand staff, each a section of its own, soprano and alto on
// the upper staff, tenor and bass on the lower, and the analysis, when asked, under the bass.

#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <vector>

namespace pw {

class HarExercis;
class Localization;
class TMusDefinitor;

// The texts the score itself holds, in the interface language.
struct MusicXmlTexts
{
    std::string partName = "Хор";
    // The words at the start of each section; %1 is the part's number in the run, from 1.
    std::string section = "Упражнение %1";
};

// The "Export" texts of the interface.
MusicXmlTexts MusicXmlTextsOf(const Localization &texts);

struct MusicXmlOptions
{
    // The parts of the run written, by index, in this order; empty: every part.
    std::vector<int> parts;
    // With a rule base, each part's analysis voice as it stands goes under the bass as lyrics:
    // 1 the chord, 2 the step, 3 the parallels, in the rule base's language. None: no analysis.
    const TMusDefinitor *analysis = nullptr;
    // The work title; none when empty.
    std::string title;
    MusicXmlTexts texts;
};

// The score; RangeError for a part the run does not have.
void BuildMusicXml(const HarExercis &ex, const MusicXmlOptions &options, pugi::xml_document &score);
// The score as UTF-8 text with its XML declaration and document type.
std::string MusicXmlText(const HarExercis &ex, const MusicXmlOptions &options);
// Saves the score through a temporary and a rename; FileWriteError with the reason.
void WriteMusicXml(const HarExercis &ex, const MusicXmlOptions &options, const std::filesystem::path &file);

} // namespace pw
