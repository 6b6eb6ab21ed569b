#include "analysis_json.h"

#include "document/exercise_nodes.h"

namespace pwcli {

Json AnalysisJson(pw::XmlNode part, const Explainer &explain)
{
    Json analysis = Json::array();
    pw::XmlNode voice = pw::FirstVoiceOfType(part, pw::AnalysisVoiceType);
    for (pw::XmlNode note : pw::NotesOf(voice)) {
        Json entry {{"text", pw::ChordName(note)}};
        for (std::string_view attr : pw::ChordDescriptors)
            entry[std::string(attr)] = pw::GetAttr(note, attr);
        entry["move"] = pw::StepName(note);
        entry["err"] = pw::ParallelMark(note);
        if (explain) {
            const std::vector<std::string> why = explain(note);
            if (!why.empty())
                entry["why"] = why;
        }
        analysis.push_back(entry);
    }
    return analysis;
}

} // namespace pwcli
