#pragma once

#include <string_view>

namespace pw {

// The kinds of lesson a course menu item names by its "Type".
enum class LessonKind {
    None, // no lesson open
    Summary, // a heading of the course tree
    HarmonyExercise, // "MusHarmonyExercise"
    NoteDrill, // "MusNoteDefine"
    Questionnaire, // "Quest": scored
    QuestionSheet, // "AccTask": the same questions, unscored
    Page, // "HTMLText": a theory page
    PageTask, // "HTMLTask": a task on a page
    Video, // "Video"
    Scene3D, // "ORB3D"
    Results, // "MyResults": the student's log of finished lessons, built by the program
    Unknown, // a type this version does not know
};

LessonKind LessonKindOf(std::string_view type);
// The course file's name of the kind; empty for None and Unknown.
std::string_view LessonTypeName(LessonKind kind);
// Lessons shown in the page pane, which keeps the keyboard focus.
inline bool IsPageLesson(LessonKind kind)
{
    return kind == LessonKind::Page || kind == LessonKind::PageTask || kind == LessonKind::Results;
}

} // namespace pw
