// Makes the progress log the cli.progress tests read: three entries of known values, one of them
// without a file, a mark or a time limit, one caption with a comma, quotes and Cyrillic.
// With --cut the finished file is cut to half its length, as a damaged disk would leave it.
// Usage: progress_log_maker FILE [--cut] (replaced when it exists)

#include "platform/recording_ui.h"
#include "progress/progress_log.h"

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool cut = argc == 3 && std::string(argv[2]) == "--cut";
    if (argc != 2 && !cut) {
        std::fprintf(stderr, "usage: progress_log_maker FILE [--cut]\n");
        return 2;
    }
    const std::filesystem::path file = argv[1];
    for (const char *suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix);
    pw::RecordingUi ui;
    auto log = std::make_unique<pw::ProgressLog>(file, ui);

    pw::ProgressEntry quest;
    quest.menuFile = "xml\\Menu.xml";
    quest.lessonFile = "xml\\quest-theory.xml";
    quest.lessonCaption = "Тест, \"по теории\"";
    quest.kind = "Quest";
    quest.finishedAt = "2024-05-01T14:03:22+02:00";
    quest.mark = 4;
    quest.errors = 2;
    quest.attempts = 12;
    quest.secondsUsed = 300;
    quest.language = "Russian";

    pw::ProgressEntry drill = quest;
    drill.lessonFile.clear();
    drill.lessonCaption = "White keys: find the note";
    drill.kind = "MusNoteDefine";
    drill.finishedAt = "2024-05-02T09:00:00+00:00";
    drill.mark.reset();
    drill.errors = 1;
    drill.attempts = 10;
    drill.secondsUsed.reset();
    drill.language = "English";

    pw::ProgressEntry exercise = quest;
    exercise.lessonFile = "xml\\Cadence-example.xml";
    exercise.lessonCaption = "Образец: каденция T S D T";
    exercise.kind = "MusHarmonyExercise";
    exercise.finishedAt = "2024-05-01T08:30:00-05:00";
    exercise.mark = 5;
    exercise.errors = 0;
    exercise.attempts = 2;
    exercise.secondsUsed = 75;

    for (const pw::ProgressEntry &entry : {quest, drill, exercise}) {
        if (!log->Record(entry)) {
            std::fprintf(stderr, "the log could not be written\n");
            return 1;
        }
    }
    // Closed, the log holds everything in its one file.
    log.reset();
    if (cut)
        std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
    return 0;
}
