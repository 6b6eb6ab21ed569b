// The files of the course folder itself: sys.xml, Localize.xml and the rule base.

#include "course_check/checks.h"

#include "document/xml_file.h"
#include "harmony/definitor.h"
#include "platform/error.h"

namespace pw {

namespace {

// The questionnaires' display parameters and overlay kinds, read as a Quest lesson reads them.
// Faults are the course's to mend only in its own sys.xml.
void readQuestParameters(CourseScan &scan, const std::filesystem::path &sysFile, bool own)
{
    pugi::xml_document sys;
    if (own ? !scan.readXml(sysFile, sys) : !LoadXmlFile(sys, sysFile))
        return;
    scan.overlays = std::make_unique<AddGrafs>(scan.overlayUi);
    try {
        scan.questParms = ReadQuestParms(sys);
        scan.overlays->LoadKinds(SelectNode(sys, "//Parameters/QParms"), sysFile.parent_path(),
                                 scan.pictures());
    } catch (const Error &e) {
        if (own)
            scan.add(sysFile, scan.inEnglish(e.what()));
        scan.overlays.reset();
    }
}

} // namespace

void CheckCourseFiles(CourseScan &scan)
{
    // A course without a sys.xml of its own is shown with the program's.
    const std::filesystem::path ownSys = scan.resolve("sys.xml");
    const bool own = CourseScan::isFile(ownSys);
    readQuestParameters(scan, own ? ownSys : scan.programDir() / "sys.xml", own);

    const std::filesystem::path localize = scan.resolve("Localize.xml");
    if (CourseScan::isFile(localize)) {
        pugi::xml_document texts;
        scan.readXml(localize, texts);
    }

    // The program's rule base stands in for a course without one.
    scan.ruleBaseFile = scan.resolve("xml\\definitor.xml");
    if (!CourseScan::isFile(scan.ruleBaseFile)
        && CourseScan::isFile(scan.programDir() / "xml" / "definitor.xml"))
        scan.ruleBaseFile = scan.programDir() / "xml" / "definitor.xml";
    if (scan.readXml(scan.ruleBaseFile, scan.ruleBase))
        scan.definitor = std::make_unique<TMusDefinitor>(scan.ruleBaseFile, scan.rulesUi, scan.language());
}

} // namespace pw
