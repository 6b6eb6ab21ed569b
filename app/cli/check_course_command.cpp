// partwriter-cli check-course: every fault of a course folder as the program would meet it, one
// line each, for course authors and their scripts.

#include "command.h"

#include "course_check/course_check.h"
#include "platform/file_paths.h"
#include "platform/qpainter_canvas.h"

#include <iostream>
#include <memory>

namespace pwcli {

namespace {

struct CheckCourseOptions
{
    std::string dataDir;
    std::string language = "Russian";
};

int runCheckCourse(const CheckCourseOptions &options)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(options.dataDir, ec)) {
        std::cerr << "error: " << options.dataDir << " is not a folder\n";
        return 2;
    }
    pw::QtBitmapLoader pictures;
    pw::CourseCheckOptions check;
    check.dataDir = options.dataDir;
    check.language = options.language;
    check.programDir = pw::BundledDataFolder(pw::ExecutableFolder());
    check.pictures = &pictures;
    const std::vector<pw::CourseProblem> problems = pw::CheckCourse(check);
    for (const pw::CourseProblem &problem : problems)
        std::cout << pw::ProblemLine(problem) << '\n';
    std::cout << problems.size() << " problems\n";
    return problems.empty() ? 0 : 1;
}

} // namespace

void AddCheckCourseCommand(CLI::App &app, CommandRun &chosen)
{
    auto options = std::make_shared<CheckCourseOptions>();
    CLI::App *command = app.add_subcommand(
        "check-course",
        "check a whole course folder as the program reads it: every XML file, every file the menu, "
        "the questions and the pages name, the rule base groups and labels, every exercise's load, "
        "the drill and questionnaire parameters and, with --lang English, the English pages, "
        "captions and texts. Prints one line per problem, 'FILE: PROBLEM' or 'FILE:LINE: PROBLEM' "
        "(FILE relative to DATA_DIR, sorted by file, then line), then 'N problems' (always so, "
        "even for 1). Exits 0 without problems, 1 with any, 2 on bad usage");
    command->add_option("DATA_DIR", options->dataDir, "the course folder")->required();
    command
        ->add_option("--lang,--language", options->language,
                     "the language the course is checked in: Russian (default) or English")
        ->check(CLI::IsMember({"Russian", "English"}));
    command->callback([options, &chosen] { chosen = [options] { return runCheckCourse(*options); }; });
}

} // namespace pwcli
