// In a language other than Russian the staff shows every piece of a chord or step label through
// the rule base's LS table; a piece without a text there stays Russian.

#include "course_check/checks.h"

#include "harmony/definitor.h"

namespace pw {

void CheckRuleLabels(CourseScan &scan)
{
    if (!scan.english() || !scan.definitor)
        return;
    std::set<std::pair<int, std::string>> told;
    const auto check = [&](XmlNode labelled, const std::string &what, const std::string &set) {
        const std::string label = GetAttr(labelled, "N");
        const std::array<std::string, 3> pieces = LabelPieces(label);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const std::string &piece = pieces[i];
            const std::string position = std::to_string(i + 1);
            // "?" is the analysis's own mark of a chord or step it does not know.
            if (piece.empty() || piece == "?" || !told.insert({static_cast<int>(i), piece}).second)
                continue;
            if (!scan.definitor->LabelTranslation("A", position, piece, scan.language()))
                scan.add(scan.ruleBaseFile,
                         what + " \"" + label + "\" (" + set + "): the piece \"" + piece + "\" at position "
                             + position + " has no English text in the LS table");
        }
    };
    for (const pugi::xpath_node &set : SelectNodes(scan.ruleBase, "//Definitors/Def")) {
        const std::string name = "Def \"" + GetAttr(set.node(), "name") + "\"";
        for (const pugi::xpath_node &chord : SelectNodes(set.node(), ".//*[@N]"))
            check(chord.node(), "the chord label", name);
    }
    for (const pugi::xpath_node &set : SelectNodes(scan.ruleBase, "//Definitors/Tra")) {
        const std::string name = "Tra \"" + GetAttr(set.node(), "name") + "\"";
        if (set.node().attribute("N"))
            check(set.node(), "the step label", name);
        for (const pugi::xpath_node &step : SelectNodes(set.node(), ".//*[@N]"))
            check(step.node(), "the step label", name);
    }
}

} // namespace pw
