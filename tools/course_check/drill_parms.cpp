// A note drill's parameters within the ranges its reader keeps them in (a value outside is taken
// as the nearest one, silently, so the drill is not the one written), and its pictures.

#include "course_check/checks.h"

#include "panels/drill_pictures.h"
#include "panels/drill_settings.h"
#include "platform/error.h"

namespace pw {

namespace {

void checkPicture(CourseScan &scan, const MenuItemRef &item, DrillSettings settings, bool keyboard)
{
    // One picture at a time, so that each is told.
    (keyboard ? settings.staffPicture : settings.keyboardPicture).clear();
    const std::string &name = keyboard ? settings.keyboardPicture : settings.staffPicture;
    if (name.empty())
        return;
    try {
        LoadDrillPictures(settings, scan.dataDir(), scan.pictures());
    } catch (const Error &) {
        scan.addToItem(item,
                       std::string(keyboard ? "keyboardpicture" : "staffpicture") + " \"" + name + "\" "
                           + (scan.pictures().lastFailureMissing() ? "is not found in html/"
                                                                   : "is not a picture the program reads"));
    }
}

} // namespace

void CheckDrills(CourseScan &scan)
{
    for (const MenuItemRef &item : scan.drills) {
        const XmlNode parm = item.node.child("Parm");
        try {
            for (const std::string &problem : DrillSettingsProblems(parm, item.node))
                scan.addToItem(item, problem);
            const DrillSettings settings = ReadDrillSettings(parm, item.node);
            checkPicture(scan, item, settings, true);
            checkPicture(scan, item, settings, false);
        } catch (const Error &e) {
            scan.addToItem(item, scan.inEnglish(e.what()));
        }
    }
}

} // namespace pw
