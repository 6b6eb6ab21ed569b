#pragma once

#include "document/xml_access.h"
#include "shell/course_menu.h"

#include <filesystem>
#include <string>

namespace pw {

// What choosing a lesson item hands to the lesson dispatch.
struct TCourseLesson
{
    std::string LessonType;
    std::string LessonFile;
    std::string LessonTitle;
    // The item's "Parm" element inside the menu document (no node when the item has none).
    XmlNode LessonParm;
    // The "PauseFile" of LessonParm, empty without one.
    std::string PauseFile;
    // The main window's caption: the parent node's caption and " :: " in front of the title,
    // unless the node is at top level.
    std::string Caption;
};

// The lesson of item x; parentCaption is the caption of its node's parent, or null at top level.
TCourseLesson LessonOfItem(const txmlmenu &menu, int x, const std::string *parentCaption);

// The position of a caption among the five section names that have a summary page, or -1.
int SectionNumber(const std::string &caption);

// The page a heading shows: its "ContentFile", else for a "Summary" item named like one of the
// five sections html\SummaryHelp<k>.html when that file exists under dataDir; else empty.
std::string HeadingPage(const txmlmenu &menu, int x, const std::filesystem::path &dataDir);

} // namespace pw
