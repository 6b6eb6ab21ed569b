// The analysis group an exercise or a part names (Def) is a group of the rule base; a name that is
// not analyses every chord as "?".

#include "course_check/checks.h"

#include "harmony/definitor.h"

namespace pw {

void CheckExerciseGroups(CourseScan &scan, const LessonFile &exercise, const pugi::xml_document &doc)
{
    if (!scan.definitor)
        return;
    const XmlNode root = SelectNode(doc, "//MExercise");
    const auto check = [&](XmlNode node, const std::string &where) {
        const std::string group = GetAttr(node, "Def");
        if (!group.empty() && scan.definitor->GroupVoicesCount(group) < 0)
            scan.add(exercise.path,
                     where + "Def \"" + group + "\" names no group of the rule base "
                         + scan.label(scan.ruleBaseFile));
    };
    check(root, "the exercise's ");
    int number = 0;
    for (XmlNode part : root.children("Part"))
        check(part, "part " + std::to_string(++number) + ": ");
}

} // namespace pw
