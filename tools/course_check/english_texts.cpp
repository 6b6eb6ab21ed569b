// In English every text of the interface comes from Localize.xml by its identifier; one without
// an English entry is shown in its built-in Russian.

#include "course_check/checks.h"

namespace pw {

void CheckEnglishTexts(CourseScan &scan)
{
    if (!scan.english())
        return;
    const std::filesystem::path file = scan.resolve("Localize.xml");
    if (!CourseScan::isFile(file)) {
        scan.add(file, "the file is missing: the English interface shows its built-in Russian texts");
        return;
    }
    Localization texts;
    texts.Load(scan.dataDir(), scan.language());
    // A file that does not load is told as such; it gives no text at all.
    if (!texts.Document().first_child())
        return;
    for (const auto &[section, id] : Localization::Identifiers()) {
        if (!HasCyrillic(Localization::Default(section, id)))
            continue;
        // The quest panel finds its texts at any depth, every other reader under Localize.
        const std::string shown = section == "BottomQuest" ? texts.BottomQuest(id) : texts.Text(section, id);
        if (HasCyrillic(shown))
            scan.add(file, "no English text for " + section + "/" + id);
    }
}

} // namespace pw
