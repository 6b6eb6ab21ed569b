#pragma once

// The analysis of a part as the texts a score prints under its chords.

#include "document/xml_access.h"

#include <map>
#include <string>
#include <string_view>

namespace pw {

class TMusDefinitor;

// The three texts of one analysed chord: its name with the figures, the step from the chord
// before and the parallels; each may be empty.
struct ChordLabels
{
    std::string chord;
    std::string step;
    std::string parallels;
};

// An analysis label on one line: its pieces as the staff shows them, in the rule base's
// interface language, joined and trimmed of white space ("D|6|4" is "D64", " == 8" is "== 8").
std::string LabelLine(std::string_view label, const TMusDefinitor &labels);

// The labels of the part's analysis voice by the tick at which each analysis note starts; the
// first note that starts at a tick is the one kept.
std::map<int, ChordLabels> AnalysisLabels(XmlNode part, const TMusDefinitor &labels);

} // namespace pw
