#pragma once

// The parameters of a note-naming drill, read from its lesson's Parm element in the course menu.

#include "document/xml_access.h"

#include <string>
#include <vector>

namespace pw {

struct DrillSettings
{
    int countNotes = 10;
    int countAttempts = 3;
    int countSeconds = 5;
    // JPEG files under the data folder's "html"; empty leaves the picture out.
    std::string keyboardPicture;
    std::string staffPicture;
    // 1, 2, 11, 13 … 16, 21, 22 (12 is read as 11, melodic); melodic: the second note sounds a
    // second after the first (12, 14, 16, 22).
    int type = 1;
    bool melodic = false;
    // -1 centres; below -1 is minus a percentage of the area; from 0 pixels.
    int keyboardLeft = -1;
    int keyboardTop = -45;
    int keyboardCount = 2;
    int keyboardInset = 1;
    int staffLeft = -1;
    int staffTop = -15;
    int staffNotesOffset = 140;
    int staffNoteWidth = 60;
    int staffNoteSize = 40;
    int intervalCount = 12;
};

// Attributes of parm, or of item where parm lacks one (older menus put them on the Item). Values
// that would make the drill meaningless (no tasks, a zero column width, more intervals than names)
// are brought into range rather than refused: a course keeps working.
DrillSettings ReadDrillSettings(XmlNode parm, XmlNode item = {});
// What that reader brings into range or replaces, one English sentence each (for course authors'
// checks; the drill itself says nothing). A value that is not a whole number throws, as there.
std::vector<std::string> DrillSettingsProblems(XmlNode parm, XmlNode item = {});

// The variant groups of the drill types.
bool IsOneNoteType(int type); // 1, 2
bool IsIntervalNameType(int type); // 11, 12
bool IsHintedType(int type); // 13 … 16
bool IsBothNotesType(int type); // 21, 22
bool IsKnownDrillType(int type);

} // namespace pw
