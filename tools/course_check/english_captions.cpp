// In English the course trees show each item's TextEnglish (its SumTextEnglish in the contents)
// and a harmony lesson its TaskEnglish, each falling back to the plain attribute: a fallback that
// is Russian, or none where a Russian caption is given, is a caption left untranslated.

#include "course_check/checks.h"

namespace pw {

namespace {

void checkCaption(CourseScan &scan, const MenuItemRef &item, XmlNode node, const std::string &attribute)
{
    const std::string english = GetAttrLang(node, attribute, scan.language());
    const std::string russian = GetAttrLang(node, attribute, "Russian");
    // "=" repeats the caption, "-" leaves the item out of the contents.
    if (english == "=" || english == "-")
        return;
    if (HasCyrillic(english) || (english.empty() && !russian.empty()))
        scan.addToItem(item, "no English " + attribute + " (" + attribute + scan.language() + ")");
}

} // namespace

void CheckEnglishCaptions(CourseScan &scan)
{
    if (!scan.english())
        return;
    for (const MenuItemRef &item : scan.items) {
        checkCaption(scan, item, item.node, "Text");
        checkCaption(scan, item, item.node, "SumText");
        checkCaption(scan, item, item.node.child("Parm"), "Task");
    }
}

} // namespace pw
