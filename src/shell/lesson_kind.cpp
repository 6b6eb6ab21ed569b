#include "shell/lesson_kind.h"

#include <array>
#include <utility>

namespace pw {

namespace {

constexpr std::array<std::pair<LessonKind, std::string_view>, 10> TypeNames {{
    {LessonKind::Summary, "Summary"},
    {LessonKind::HarmonyExercise, "MusHarmonyExercise"},
    {LessonKind::NoteDrill, "MusNoteDefine"},
    {LessonKind::Questionnaire, "Quest"},
    {LessonKind::QuestionSheet, "AccTask"},
    {LessonKind::Page, "HTMLText"},
    {LessonKind::PageTask, "HTMLTask"},
    {LessonKind::Video, "Video"},
    {LessonKind::Scene3D, "ORB3D"},
    {LessonKind::Results, "MyResults"},
}};

} // namespace

LessonKind LessonKindOf(std::string_view type)
{
    if (type.empty())
        return LessonKind::None;
    for (const auto &[kind, name] : TypeNames) {
        if (name == type)
            return kind;
    }
    return LessonKind::Unknown;
}

std::string_view LessonTypeName(LessonKind kind)
{
    for (const auto &[known, name] : TypeNames) {
        if (known == kind)
            return name;
    }
    return {};
}

} // namespace pw
