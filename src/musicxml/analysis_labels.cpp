#include "musicxml/analysis_labels.h"

#include "document/exercise_nodes.h"
#include "harmony/definitor.h"
#include "musicxml/score_timeline.h"

namespace pw {

std::string LabelLine(std::string_view label, const TMusDefinitor &labels)
{
    std::string line;
    for (const std::string &piece : labels.LocalLabelPieces(label))
        line += piece;
    constexpr const char *Blank = " \t\n";
    const auto first = line.find_first_not_of(Blank);
    if (first == std::string::npos)
        return {};
    return line.substr(first, line.find_last_not_of(Blank) - first + 1);
}

std::map<int, ChordLabels> AnalysisLabels(XmlNode part, const TMusDefinitor &labels)
{
    std::map<int, ChordLabels> found;
    int tick = 0;
    for (XmlNode note : NotesOf(FirstVoiceOfType(part, AnalysisVoiceType))) {
        found.emplace(tick,
                      ChordLabels {LabelLine(ChordName(note), labels), LabelLine(StepName(note), labels),
                                   LabelLine(ParallelMark(note), labels)});
        tick += NoteTicks(NoteLength(note), IsDotted(note));
    }
    return found;
}

} // namespace pw
