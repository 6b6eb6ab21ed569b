#include "analysis_json.h"

namespace pwcli {

Json AnalysisJson(pw::XmlNode part)
{
    Json analysis = Json::array();
    pw::XmlNode voice = pw::SelectNode(part, "Voice[@Type='Def']");
    for (pw::XmlNode note : voice.children("Note")) {
        Json entry {{"text", pw::GetAttr(note, "Text")}};
        for (const char *attr : {"T", "S", "L", "M", "TT"})
            entry[attr] = pw::GetAttr(note, attr);
        entry["move"] = pw::GetAttr(note, "Move");
        entry["err"] = pw::GetAttr(note, "Err");
        analysis.push_back(entry);
    }
    return analysis;
}

} // namespace pwcli
