#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pw {

// One finished lesson of the student's log.
struct ProgressEntry
{
    // Given by the log when the entry is recorded.
    std::int64_t id = 0;
    // The course menu as the data directory names it ("xml\Menu.xml").
    std::string menuFile;
    // The item's lesson file; empty for items without one (the drills).
    std::string lessonFile;
    // The item's caption in the language of the run.
    std::string lessonCaption;
    // The menu Type of the item ("MusHarmonyExercise", "MusNoteDefine", "Quest").
    std::string kind;
    // ISO 8601 local time with its offset from UTC, "2024-05-01T14:03:22+02:00".
    std::string finishedAt;
    // 2 to 5; none for a lesson without marks.
    std::optional<int> mark;
    // Tasks of the series done (exercise iterations, drill tasks, questions) and how many of them
    // went wrong.
    int attempts = 0;
    int errors = 0;
    // Seconds of the time limit used; none for a lesson without a limit.
    std::optional<int> secondsUsed;
    std::string language;

    bool operator==(const ProgressEntry &) const = default;
};

// The time now, as finishedAt holds it.
std::string ProgressTimeNow();

// The entries of one lesson share this: its file, or its caption when it has no file.
std::string LessonKey(const ProgressEntry &entry);

} // namespace pw
