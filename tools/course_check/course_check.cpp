#include "course_check/course_check.h"

#include "course_check/checks.h"

namespace pw {

std::vector<CourseProblem> CheckCourse(const CourseCheckOptions &options)
{
    CourseScan scan(options);
    CheckCourseFiles(scan);
    CheckMenu(scan);
    CheckPages(scan);
    for (const LessonFile &lesson : scan.lessons()) {
        switch (lesson.kind) {
        case LessonKind::HarmonyExercise: {
            pugi::xml_document doc;
            // A file that does not load is told once, as such.
            if (!scan.readXml(lesson.path, doc))
                break;
            CheckExerciseGroups(scan, lesson, doc);
            CheckExerciseLoads(scan, lesson);
            break;
        }
        case LessonKind::Questionnaire:
        case LessonKind::QuestionSheet:
            CheckQuestionnaire(scan, lesson);
            break;
        case LessonKind::Scene3D:
            CheckScene(scan, lesson);
            break;
        default:
            break;
        }
    }
    CheckDrills(scan);
    CheckRuleLabels(scan);
    CheckEnglishCaptions(scan);
    CheckEnglishTexts(scan);
    return scan.takeProblems();
}

std::string ProblemLine(const CourseProblem &problem)
{
    return problem.file + (problem.line ? ":" + std::to_string(*problem.line) : std::string()) + ": "
        + problem.text;
}

} // namespace pw
