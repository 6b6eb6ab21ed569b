#pragma once

// The checks of a course, one kind each, over what CourseScan gathered. They run in this order:
// the course's own files first, then the menu, which gathers the lessons the others read.

#include "course_check/course_scan.h"

namespace pw {

// sys.xml (with the questionnaires' parameters and overlay kinds), Localize.xml and the rule base.
void CheckCourseFiles(CourseScan &scan);
// The menu sys.xml names: its items, the files they name and the pages they show.
void CheckMenu(CourseScan &scan);
// The pages, their English versions, and every link and picture in them.
void CheckPages(CourseScan &scan);
// Each exercise's Def names a group of the rule base.
void CheckExerciseGroups(CourseScan &scan, const LessonFile &exercise, const pugi::xml_document &doc);
// Each exercise loads, as a harmony lesson loads it, without a message.
void CheckExerciseLoads(CourseScan &scan, const LessonFile &exercise);
// The drills' parameters in the ranges their reader keeps, and their pictures.
void CheckDrills(CourseScan &scan);
// Every question reads, with its picture, sound and overlay kinds, and the test can be drawn.
void CheckQuestionnaire(CourseScan &scan, const LessonFile &questionnaire);
// The 3D lessons' scene files.
void CheckScene(CourseScan &scan, const LessonFile &scene);
// In English: every chord and step label of the rule base has its text in the LS table.
void CheckRuleLabels(CourseScan &scan);
// In English: every menu item has its English captions and task.
void CheckEnglishCaptions(CourseScan &scan);
// In English: Localize.xml gives every text of the interface in English.
void CheckEnglishTexts(CourseScan &scan);

} // namespace pw
