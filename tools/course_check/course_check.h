#pragma once

// The checks a course author runs on a whole course folder: every file it names read as the
// program reads it, each fault told as one line.

#include "platform/bitmap.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace pw {

// One fault: the file it is in (relative to the course folder, with "/"), the line where one is
// known, and what is wrong, in English.
struct CourseProblem
{
    std::string file;
    std::optional<int> line;
    std::string text;

    bool operator==(const CourseProblem &) const = default;
};

struct CourseCheckOptions
{
    std::filesystem::path dataDir;
    // "Russian" (the built-in language) or "English": the pages, captions and texts checked.
    std::string language = "Russian";
    // The program's own course: its Localize.xml puts the program's messages into English, and
    // its rule base stands in when the course has none.
    std::filesystem::path programDir;
    // Reads the pictures questions and drills name; without one a picture only has to exist.
    BitmapLoader *pictures = nullptr;
};

// Every fault found, ordered by file, then by line, then in the order the course names things.
std::vector<CourseProblem> CheckCourse(const CourseCheckOptions &options);

// "file: text", or "file:line: text".
std::string ProblemLine(const CourseProblem &problem);

} // namespace pw
