#include "shell/course_activation.h"

#include "platform/file_paths.h"
#include "shell/lesson_kind.h"

#include <array>

namespace pw {

TCourseLesson LessonOfItem(const txmlmenu &menu, int x, const std::string *parentCaption)
{
    const auto i = static_cast<std::size_t>(x);
    TCourseLesson lesson;
    lesson.LessonParm = menu.Parms.at(i);
    lesson.LessonType = menu.Types.at(i);
    lesson.LessonFile = menu.Files.at(i);
    lesson.LessonTitle = menu.Texts.at(i);
    lesson.Caption = parentCaption ? *parentCaption + " :: " + lesson.LessonTitle : lesson.LessonTitle;
    lesson.PauseFile = GetAttr(lesson.LessonParm, "PauseFile");
    return lesson;
}

int SectionNumber(const std::string &caption)
{
    static const std::array<const char *, 5> names {"Теория", "Упражнения на гармонизацию",
                                                    "Упражнения на клавиатуре", "Проверка знаний",
                                                    "Анализ отрывков"};
    for (std::size_t k = 0; k < names.size(); ++k) {
        if (caption == names[k])
            return static_cast<int>(k);
    }
    return -1;
}

std::string HeadingPage(const txmlmenu &menu, int x, const std::filesystem::path &dataDir)
{
    const auto i = static_cast<std::size_t>(x);
    const std::string page = GetAttr(menu.Parms.at(i), "ContentFile");
    if (!page.empty() || LessonKindOf(menu.Types.at(i)) != LessonKind::Summary)
        return page;
    const int k = SectionNumber(menu.Texts.at(i));
    if (k < 0)
        return {};
    const std::string summary = "html\\SummaryHelp" + std::to_string(k) + ".html";
    std::error_code ec;
    return std::filesystem::exists(ResolveDataPath(dataDir, summary), ec) ? summary : std::string();
}

} // namespace pw
